#include "tools/rename_journal.h"

#include "store/files.h"
#include "store/log.h"
#include "tools/link_values.h"

#include <QFile>
#include <QHash>

#include <fcntl.h>
#include <unistd.h>

namespace tools {

namespace {

const QString kJournalName = QStringLiteral(".pagora-rename-plan");
const QByteArray kHeader = "pagora-rename-plan 1";

// One line a record, fields split by tabs; names may hold any character.
QByteArray field(const QString& s)
{
    QByteArray b = s.toUtf8();
    b.replace('%', "%25").replace('\t', "%09").replace('\n', "%0A").replace('\r', "%0D");
    return b;
}

QString unfield(const QByteArray& b)
{
    return QString::fromUtf8(QByteArray::fromPercentEncoding(b));
}

QString leafOf(const QString& path)
{
    return path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
}

// The plan as lines: folders once each, then every move and page by the
// number of its folder and its names there; the hidden names follow from the
// token, so a plan of 100,000 moves stays a few megabytes.
QByteArray serialize(const RenameJournal& j)
{
    QHash<QString, int> folderIndex;
    QByteArray out = kHeader + '\n';
    out += (j.phase == RenameJournal::Phase::Placing ? "phase\tplacing\n" : "phase\tparking\n");
    out += "token\t" + field(j.token) + '\n';
    const auto folder = [&](const QString& path) {
        const QString f = folderOf(path);
        auto it = folderIndex.constFind(f);
        if (it == folderIndex.constEnd()) {
            it = folderIndex.insert(f, int(folderIndex.size()));
            out += "folder\t" + field(f) + '\n';
        }
        return QByteArray::number(*it);
    };
    for (const JournalMove& m : j.moves) {
        const QByteArray fi = folder(m.from);
        out += "move\t" + fi + '\t' + field(leafOf(m.from)) + '\t' + field(leafOf(m.to)) + '\n';
    }
    for (const JournalRewrite& r : j.rewrites) {
        const QByteArray fi = folder(r.page);
        out += "page\t" + fi + '\t' + field(leafOf(r.page)) + '\n';
    }
    return out;
}

std::optional<RenameJournal> parse(const QByteArray& bytes)
{
    const QList<QByteArray> lines = bytes.split('\n');
    if (lines.value(0) != kHeader)
        return std::nullopt;
    RenameJournal j;
    QStringList folders;
    for (const QByteArray& line : lines) {
        const QList<QByteArray> f = line.split('\t');
        const QString at = folders.value(f.value(1).toInt());
        if (f.at(0) == "phase")
            j.phase = f.value(1) == "placing" ? RenameJournal::Phase::Placing : RenameJournal::Phase::Parking;
        else if (f.at(0) == "token")
            j.token = unfield(f.value(1));
        else if (f.at(0) == "folder")
            folders << unfield(f.value(1));
        else if (f.at(0) == "move" && f.size() == 4)
            j.moves.append({files::joinPath(at, unfield(f.at(2))),
                            files::joinPath(at, parkedName(j.token, int(j.moves.size()))),
                            files::joinPath(at, unfield(f.at(3)))});
        else if (f.at(0) == "page" && f.size() == 3)
            j.rewrites.append({files::joinPath(at, stagedName(j.token, int(j.rewrites.size()))),
                               files::joinPath(at, unfield(f.at(2)))});
    }
    return j;
}

} // namespace

QStringList RenameJournal::folders() const
{
    QStringList out;
    const auto add = [&out](const QString& path) {
        const QString folder = folderOf(path);
        if (!out.contains(folder))
            out << folder;
    };
    for (const JournalMove& m : moves) {
        add(m.from);
        add(m.to);
    }
    for (const JournalRewrite& r : rewrites)
        add(r.page);
    return out;
}

QString journalPath(const QString& root)
{
    return files::joinPath(root, kJournalName);
}

void syncFolder(const QString& folder)
{
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    if (::fsync(fd) != 0)
        qCWarning(lcPagora) << "syncing" << folder << "failed";
    ::close(fd);
}

QString parkedName(const QString& token, int k)
{
    return QStringLiteral(".pagora-moving-%1-%2").arg(token).arg(k);
}

QString stagedName(const QString& token, int k)
{
    return QStringLiteral(".pagora-staged-%1-%2.tmp").arg(token).arg(k);
}

bool writeJournal(const QString& root, const RenameJournal& journal)
{
    if (!files::writeBytes(journalPath(root), serialize(journal), {root}))
        return false;
    syncFolder(root);
    return true;
}

std::optional<RenameJournal> readJournal(const QString& root)
{
    const std::optional<QByteArray> bytes = files::readBytes(journalPath(root));
    if (!bytes)
        return std::nullopt;
    std::optional<RenameJournal> j = parse(*bytes);
    if (!j)
        qCWarning(lcPagora) << "the rename plan" << journalPath(root) << "cannot be read";
    return j;
}

bool removeJournal(const QString& root)
{
    const bool removed = QFile::remove(journalPath(root));
    syncFolder(root);
    return removed;
}

} // namespace tools
