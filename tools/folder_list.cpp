#include "tools/folder_list.h"

#include "store/files.h"
#include "store/text.h"

#include <QFileInfo>
#include <QRegularExpression>

namespace tools::folderlist {

namespace {

// The levels of a line, or nothing when the line would climb out, start at
// the root, name a drive or be a file address.
bool splitLevels(const QString& line, QStringList& levels)
{
    const QString path = files::slashes(line);
    static const QRegularExpression drive(QStringLiteral("^[A-Za-z]:"));
    if (path.startsWith(QLatin1Char('/')) || drive.match(path).hasMatch()
        || path.startsWith(QLatin1String("file:"), Qt::CaseInsensitive))
        return false;
    levels.clear();
    for (const QString& level : path.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        const QString name = text::trim(level);
        if (name == QLatin1String(".."))
            return false;
        if (!name.isEmpty() && name != QLatin1String("."))
            levels.append(name);
    }
    return true;
}

constexpr int kMaxDepth = 200;

void collectBelow(const QString& folder, const QString& relative, int depth, QStringList& out)
{
    if (depth >= kMaxDepth)
        return;
    for (const QString& name : files::listFolders(folder)) {
        const QString rel = relative.isEmpty() ? name : relative + QLatin1Char('\\') + name;
        out.append(rel);
        collectBelow(files::joinPath(folder, name), rel, depth + 1, out);
    }
}

} // namespace

ParsedList parse(const QString& text)
{
    ParsedList list;
    for (const QString& raw : text.split(QLatin1Char('\n'))) {
        const QString line = text::trim(raw);
        if (line.isEmpty() || line.contains(QLatin1String("//")))
            continue;
        QStringList levels;
        if (!splitLevels(line, levels))
            list.refused.append(line);
        else if (!levels.isEmpty())
            list.folders.append(levels.join(QLatin1Char('/')));
    }
    return list;
}

QStringList create(const QString& base, const QStringList& folders)
{
    QStringList failed;
    for (const QString& folder : folders) {
        QString path = base;
        for (const QString& level : folder.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
            path = files::joinPath(path, level);
            // Never step through a link: it could lead anywhere. The folder
            // is made inside base on the place the kernel reaches, so a link
            // swapped in after this look leads nothing out either.
            const bool ok = !QFileInfo(path).isSymLink() && files::makeFolder(path, {base});
            if (!ok) {
                failed.append(folder);
                break;
            }
        }
    }
    return failed;
}

QStringList collect(const QString& base)
{
    QStringList out;
    if (QFileInfo(base).isDir())
        collectBelow(base, QString(), 0, out);
    return out;
}

} // namespace tools::folderlist
