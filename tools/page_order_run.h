#pragma once
// Carrying out a rename plan (page_order_plan.h): each page moves with its
// files only when all their new names are free, pages that wait for names
// other pages give up go after them, and a ring of pages trading names is
// broken by one of them stepping aside to a free name. Every check is a
// look-up in the folder's names read once, so the run is linear in the pages.

#include "tools/page_order_plan.h"

#include <QList>
#include <QStringList>
#include <functional>

namespace tools {

struct RenameOutcome {
    QStringList failures;    // one Japanese line per thing left undone (the plan's clashes first)
    QList<RenameStep> moved; // every file that moved: its name before the run, its name after

    // Where the file named from is after the run (from itself when it did not move).
    QString nameAfter(const QString& from) const;
};

// step is called once for every unit handled.
RenameOutcome executeRenamePlan(const RenamePlan& plan, const std::function<void()>& step = {});

// The plan carried out, then the references to every moved file that is not
// a page rewritten in the folder's pages and, with root, in the pages of
// every folder under root (a picture that became "1050_flower.png" is shown
// under that name). The failures are those of both.
RenameOutcome carryOutRenamePlan(const RenamePlan& plan, const std::function<void()>& step = {},
                                 const QString& root = QString());

} // namespace tools
