#pragma once
// The durable plan of a run that renames many files at once and rewrites the
// pages that show them. It is written into the data root before the first
// file moves and removed once the run is complete, so that a run cut off by a
// kill or a power cut is finished (or undone) at the next start instead of
// leaving pages that show nothing. A dot name: it is never listed.

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

namespace tools {

struct JournalMove {
    QString from;   // full paths, both in one folder
    QString parked; // a hidden name of that folder no other file ever had
    QString to;
};

struct JournalRewrite {
    QString staged; // the page's new text, written in full beside it
    QString page;   // the page's path once every file has moved
};

// The hidden names of a run: token is the run's own, k the place in its list.
QString parkedName(const QString& token, int k);
QString stagedName(const QString& token, int k);

struct RenameJournal {
    // Parking: files go from their old names to their parked ones; a run cut
    // off now is undone. Placing: every file is parked; one cut off now is
    // finished.
    enum class Phase { Parking, Placing };
    Phase phase = Phase::Parking;
    QString token; // parked and staged names follow from it
    QList<JournalMove> moves;
    QList<JournalRewrite> rewrites;

    // Every folder the run touches.
    QStringList folders() const;
};

QString journalPath(const QString& root);
// Written through the safe writer, and the root's entry synced, so the plan
// is on the disk before anything it names moves.
[[nodiscard]] bool writeJournal(const QString& root, const RenameJournal& journal);
// nullopt when there is none (or it cannot be read: then it is logged).
std::optional<RenameJournal> readJournal(const QString& root);
bool removeJournal(const QString& root);
// Makes the renames done in folder so far durable.
void syncFolder(const QString& folder);

} // namespace tools
