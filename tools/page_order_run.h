#pragma once
// Carrying out a rename plan (page_order_plan.h) as one run that a cut-off
// cannot leave half done (rename_run.h): a page whose new names are taken by
// files that stay keeps its name, every other page moves with its files, and
// pages trading names with each other all arrive.

#include "tools/page_order_plan.h"

#include <QList>
#include <QStringList>
#include <functional>

namespace tools {

struct RenameOutcome {
    QStringList failures;    // one Japanese line per thing left undone (the plan's clashes first)
    QList<RenameStep> moved; // every file that moved: its name before the run, its name after
    bool stopped = false;    // the person chose to stop before anything moved

    // Where the file named from is after the run (from itself when it did not move).
    QString nameAfter(const QString& from) const;
};

// Asked before anything moves, with the pages that show moved files but
// cannot be rewritten (a charset other than UTF-8 and Shift_JIS): true goes on.
using GoOnWithPages = std::function<bool(const QStringList& pages)>;

// step is called once for every unit handled. The plan is kept in the plan's
// folder while the run lasts.
RenameOutcome executeRenamePlan(const RenamePlan& plan, const std::function<void()>& step = {});

// The plan carried out, with the references to every moved file that is not
// a page rewritten in the folder's pages and, with root, in the pages of
// every folder under root (a picture that became "1050_flower.png" is shown
// under that name). The plan of the run is kept in root (else the folder).
// A page that cannot be rewritten stops the run before anything moves.
RenameOutcome carryOutRenamePlan(const RenamePlan& plan, const std::function<void()>& step = {},
                                 const QString& root = QString(), const GoOnWithPages& goOn = {});

} // namespace tools
