#pragma once
// "ボタン順変更": the main window's page order and prefix removal.

#include "tools/page_order_plan.h"
#include "tools/page_order_run.h"

#include <QStringList>
#include <functional>

class TForm1;
class TForm5;

namespace tools {

// The list shows the pages of CurrentFolder as the folder listing gives
// them (not a search or link list); otherwise a short message.
bool onFolderLevel(TForm1& w);

void ChangeButtonOrder(TForm1& w);
// Target -1: asks with the order dialog.
void MovePageAndRenumber(TForm1& w, int Index, int Target);
void StripNumberPrefixes(TForm1& w);

// The order dialog, made on first use when the program has not made it.
TForm5& orderDialog(TForm1& w);

// The standard reload after files of the folder changed; the page named
// selected (a name in the folder) is shown when it is listed.
void reloadFolderList(TForm1& w, const QString& selected = QString());
// Tests: runs just before the folder is read again after a rename run (to
// make that reading slow).
void setBeforeRereadingForTests(std::function<void()> hook);
// Failures of a rename run, one message.
void reportRenameFailures(const QStringList& failures);
// Asks whether to rename although the pages named cannot be rewritten.
bool goOnWithoutRewriting(const QStringList& pages);
// Carries the plan out (references to renamed pictures follow, in the pages
// of every folder under root) off the window's thread, with a progress window
// when it takes long, then reports what failed. makePlan runs off the
// window's thread too; pages is the number of steps the progress counts.
// afterRun runs there once the plan is carried out (the progress window stays).
RenameOutcome runRenamePlan(const std::function<RenamePlan()>& makePlan, int pages, const QString& root,
                            const std::function<void()>& afterRun = {});
RenameOutcome runRenamePlan(const RenamePlan& plan, const QString& root);
// The same for the window's folder, then the reload with the selected entry
// (by default the shown page) selected under the name the run gave it. The
// folder is read again on the run's worker; the window only swaps the list in.
void runRenamePlan(TForm1& w, const std::function<RenamePlan()>& makePlan, const QString& selected = QString());
void runRenamePlan(TForm1& w, const RenamePlan& plan, const QString& selected = QString());

} // namespace tools
