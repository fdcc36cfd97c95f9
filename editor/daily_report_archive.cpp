#include "editor/daily_report_archive.h"

#include "editor/edit_dispatch.h"
#include "store/files.h"
#include "store/text.h"
#include "store/page_encoding.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace editor {

namespace {

QString withExtension(const QString& path, const QString& ext)
{
    const QFileInfo info(path);
    return files::joinPath(info.path(), info.completeBaseName() + ext);
}

// True when path lies strictly inside folder (both canonical).
bool liesInside(const QString& path, const QString& folder)
{
    if (path.isEmpty() || folder.isEmpty())
        return false;
    const QString prefix = folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
    return path.startsWith(prefix) && path.size() > prefix.size();
}

bool isDrivePath(const QString& s)
{
    return s.size() >= 2 && s[1] == QLatin1Char(':') && s[0].isLetter();
}

// Copies source to target inside store; false when it was there to copy
// and the copy failed. The target's folder is made, and the file written,
// only where it lies inside the store once every link on the way is
// followed: a link in the store never leads a copy, nor a new folder, out.
bool copyInto(const QString& source, const QString& target, const QString& bound)
{
    if (!files::makeFolder(QFileInfo(target).path(), {bound}))
        return false;
    if (QFileInfo(target).canonicalFilePath() == QFileInfo(source).canonicalFilePath())
        return true; // the report lives in the store already
    return files::copyFileOver(source, target, {bound});
}

} // namespace

bool isDailyReportPage(const QString& path)
{
    const QString name = QFileInfo(path).fileName();
    return name.contains(QStringLiteral("日報")) && name.contains(QStringLiteral(".html"));
}

QString dailyReportArchiveName(const QString& page, const QDate& day)
{
    return QStringLiteral(" ") + text::pad(day.year(), 4) + QStringLiteral("年") + text::pad(day.month(), 2) +
           QStringLiteral("月") + text::pad(day.day(), 2) + QStringLiteral("日") +
           QFileInfo(page).completeBaseName() + QStringLiteral(".html");
}

QStringList linkedFileNames(const QString& pageText)
{
    static const QRegularExpression attribute(QStringLiteral("\\b(?:src|background)\\s*=\\s*\"([^\"]*)\""),
                                              QRegularExpression::CaseInsensitiveOption);
    QStringList names;
    auto it = attribute.globalMatch(pageText);
    while (it.hasNext()) {
        const QString name = it.next().captured(1).trimmed();
        if (!name.isEmpty() && !names.contains(name))
            names << name;
    }
    return names;
}

QString linkedFileInside(const QString& pageFolder, const QString& name)
{
    const QString n = files::slashes(name);
    if (n.isEmpty() || isWebAddress(n) || n.startsWith(QLatin1Char('/')) || isDrivePath(n) ||
        n.startsWith(QStringLiteral("file:"), Qt::CaseInsensitive) || n.startsWith(QStringLiteral("data:"), Qt::CaseInsensitive))
        return QString();
    const QString folder = QFileInfo(pageFolder).canonicalFilePath();
    const QString lexical = QDir::cleanPath(files::joinPath(folder, n));
    if (!liesInside(lexical, folder))
        return QString();
    const QString found = files::findPath(lexical);
    if (found.isEmpty() || !QFileInfo(found).isFile())
        return QString();
    const QString real = QFileInfo(found).canonicalFilePath();
    return liesInside(real, folder) ? real : QString();
}

QStringList archiveDailyReport(const QString& page, const QString& store, const QDate& day,
                               const QString& root)
{
    // The store's own name may be a link planted to lead elsewhere: every
    // write is bounded by the data root the store belongs to.
    const QString bound = root.isEmpty() ? store : root;
    QStringList failed;
    if (!files::makeFolder(store, {bound}))
        return {QFileInfo(store).fileName()};
    const QString dest = files::joinPath(store, dailyReportArchiveName(page, day));
    if (!copyInto(page, dest, bound))
        failed << QFileInfo(page).fileName();
    for (const QString& ext : {QStringLiteral(".%xt"), QStringLiteral(".wav")}) {
        const QString companion = withExtension(page, ext);
        if (QFileInfo(companion).isFile() && !copyInto(companion, withExtension(dest, ext), bound))
            failed << QFileInfo(companion).fileName();
    }
    const auto content = store::readPageText(page);
    if (!content)
        return failed;
    const QString folder = QFileInfo(QFileInfo(page).path()).canonicalFilePath();
    const QString storeReal = QFileInfo(store).canonicalFilePath();
    for (const QString& name : linkedFileNames(*content)) {
        const QString source = linkedFileInside(folder, name);
        if (source.isEmpty())
            continue;
        const QString relative = QDir(folder).relativeFilePath(source);
        const QString target = QDir::cleanPath(files::joinPath(storeReal, relative));
        if (!liesInside(target, storeReal) || !copyInto(source, target, bound))
            failed << relative;
    }
    return failed;
}

} // namespace editor
