#pragma once
// Renaming the pages of a folder in one go, planned before anything moves:
// a plan lists every page with the files that go with it (memo, recording,
// answer sheet, drawing, folder of the same base name) and the pages that
// must keep their names because a target is taken. The executor
// (page_order_run.h) then renames only to free names, never replacing a file.

#include "tools/page_order_names.h"

#include <QHash>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

namespace tools {

struct RenameStep {
    QString from; // names inside the plan's folder
    QString to;
};

struct RenameUnit {
    RenameStep page;
    QList<RenameStep> companions; // moved only after the page moved
    QStringList mustBeFree;       // names that must not exist (a foreign memo or recording would attach)
};

struct RenamePlan {
    QString folder;
    QList<RenameUnit> units;
    QStringList clashes; // one Japanese line per page that keeps its name
};

// Entries with the one at index moved to place target (clamped into the list).
QStringList moveEntry(QStringList entries, int index, int target);

// The old order prefix of a file name: up to and including its first "_",
// when that "_" is not the first character; "" when there is none.
QString orderPrefix(const QString& fileName);
// Prefix number of place i among count pages: 1000 + 10·i, or from 10000
// when the folder holds more than 900 pages, from 100000 beyond 9,000 and so
// on, so that every number of a run has the same width and the sorted list
// keeps the order.
int orderNumber(int i, int count);

// Every page at its place in entries gets a fresh order prefix; pages whose
// base name holds "index" keep their names. Memo, recording, answer sheet and
// drawing move along. A page that keeps its name keeps its prefix too, and
// no other page is given that prefix.
RenamePlan planRenumber(const QString& folder, const QStringList& entries);
// The order prefixes removed; a name taken by a page or by a file that would
// go with it gets "#" before its extension until all are free. Memo, answer
// sheet and drawing move along; the recording keeps its name.
RenamePlan planStripPrefixes(const QString& folder, const QStringList& entries);

// Building blocks of the plans.
QString baseOf(const QString& fileName);      // name less its extension
QString extensionOf(const QString& fileName); // from the last ".", "" without one
QStringList targetsOf(const RenameUnit& u);   // every name the unit needs free
QStringList sourcesOf(const RenameUnit& u);   // every name the unit gives up
bool sameName(const QString& a, const QString& b); // letter case ignored
// The line that says a page kept its name because name was taken.
QString takenLine(const QString& page, const QString& name);

// Gathers the units of one plan: the folder is listed once, every check is
// a look-up, so a plan over thousands of pages costs a few passes.
class PlanBuilder {
public:
    PlanBuilder(const QString& folder, const QStringList& entries);
    const FolderNames& names() const { return names_; }
    // The unit that renames page from to to with the files that follow it
    // (the recording only when recordingMoves; otherwise its new name must be free).
    RenameUnit unitFor(const QString& from, const QString& to, bool recordingMoves) const;
    // A unit to check when the plan is made; its sources count as leaving.
    void want(const RenameUnit& u);
    // The wanted units in order, each taken when its targets are free on the
    // disk (or given up by a wanted unit) and not claimed by an earlier one.
    RenamePlan plan();

private:
    QString drawingName(const QString& page) const;

    FolderNames names_;
    QHash<QString, int> drawingUsers_; // drawing key -> entries that draw into it
    QList<RenameUnit> wanted_;
    QSet<QString> leaving_;            // keys
};

} // namespace tools
