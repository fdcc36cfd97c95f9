#pragma once
// Renaming the pages of a folder in one go, planned before anything moves:
// a plan lists every page with the companions that go with it (memo,
// recording, folder of the same base name) and the pages that must keep
// their names because a target is taken. The executor then renames only to
// free names, never replacing a file, and reports what it could not do.

#include <QList>
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
    QStringList mustBeFree;       // names that must not exist (a foreign recording would attach)
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
// when the folder holds more than 900 pages, so that every number has the
// same width and the sorted list keeps the order.
int orderNumber(int i, int count);

// Every page at its place in entries gets a fresh order prefix; pages whose
// base name holds "index" keep their names. Memo and recording move along.
RenamePlan planRenumber(const QString& folder, const QStringList& entries);
// The order prefixes removed; a name taken by a page, memo or recording gets
// "#" before its extension until all three are free. The memo moves along.
RenamePlan planStripPrefixes(const QString& folder, const QStringList& entries);

// Carries the plan out: a page moves only when its new name and those of its
// companions are free at that moment (pages wait for names other pages
// give up). Returns one Japanese line per thing left undone.
QStringList executeRenamePlan(const RenamePlan& plan);

// Building blocks of the plans.
QString baseOf(const QString& fileName);      // name less its extension
QString extensionOf(const QString& fileName); // from the last ".", "" without one
// Checks the unit's targets against the folder and the plan so far; true
// when the unit may go in. names that plan units give up count as free.
bool addUnitIfFree(RenamePlan& plan, RenameUnit unit, const QStringList& leaving);

} // namespace tools
