#include "tools/rename_journal.h"

#include "store/files.h"
#include "store/log.h"
#include "tools/link_values.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <fcntl.h>
#include <unistd.h>

namespace tools {

namespace {

const QString kJournalName = QStringLiteral(".pagora-rename-plan");

QJsonArray movesToJson(const QList<JournalMove>& moves)
{
    QJsonArray a;
    for (const JournalMove& m : moves)
        a.append(QJsonArray{m.from, m.parked, m.to});
    return a;
}

QJsonArray rewritesToJson(const QList<JournalRewrite>& rewrites)
{
    QJsonArray a;
    for (const JournalRewrite& r : rewrites)
        a.append(QJsonArray{r.staged, r.page});
    return a;
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

bool writeJournal(const QString& root, const RenameJournal& journal)
{
    const QJsonObject o{{QStringLiteral("phase"), journal.phase == RenameJournal::Phase::Placing
                                                      ? QStringLiteral("placing")
                                                      : QStringLiteral("parking")},
                        {QStringLiteral("moves"), movesToJson(journal.moves)},
                        {QStringLiteral("rewrites"), rewritesToJson(journal.rewrites)}};
    if (!files::writeBytes(journalPath(root), QJsonDocument(o).toJson(QJsonDocument::Compact), {root}))
        return false;
    syncFolder(root);
    return true;
}

std::optional<RenameJournal> readJournal(const QString& root)
{
    const std::optional<QByteArray> bytes = files::readBytes(journalPath(root));
    if (!bytes)
        return std::nullopt;
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(*bytes, &error);
    if (!doc.isObject()) {
        qCWarning(lcPagora) << "the rename plan" << journalPath(root) << "cannot be read:" << error.errorString();
        return std::nullopt;
    }
    const QJsonObject o = doc.object();
    RenameJournal j;
    j.phase = o.value(QStringLiteral("phase")).toString() == QLatin1String("placing") ? RenameJournal::Phase::Placing
                                                                                      : RenameJournal::Phase::Parking;
    for (const QJsonValue& v : o.value(QStringLiteral("moves")).toArray()) {
        const QJsonArray a = v.toArray();
        j.moves.append({a.at(0).toString(), a.at(1).toString(), a.at(2).toString()});
    }
    for (const QJsonValue& v : o.value(QStringLiteral("rewrites")).toArray()) {
        const QJsonArray a = v.toArray();
        j.rewrites.append({a.at(0).toString(), a.at(1).toString()});
    }
    return j;
}

bool removeJournal(const QString& root)
{
    const bool removed = QFile::remove(journalPath(root));
    syncFolder(root);
    return removed;
}

} // namespace tools
