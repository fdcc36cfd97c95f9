#include "tools/page_order.h"

#include "platform/seam.h"
#include "store/files.h"
#include "store/log.h"
#include "store/page_levels.h"
#include "store/paths.h"
#include "tools/forms/form5.h"
#include "tools/forms/window_on_demand.h"
#include "tools/delete_plan.h"
#include "tools/page_order_run.h"
#include "tools/worker_run.h"
#include "viewer/folder_check.h"
#include "viewer/main_window.h"

#include <QLineEdit>
#include <QScrollBar>

namespace tools {

bool onFolderLevel(TForm1& w)
{
    const QStringList listing = store::pageEntries(files::listFiles(w.CurrentFolder(), store::kPageFileMask),
                                                   w.levels.ExeBaseName);
    if (w.levels.depth() > 0 && w.levels.topEntries() == listing)
        return true;
    platform::showMessage(QStringLiteral("並べ替えと名前の変更は、フォルダのページ一覧でだけできます。"),
                          platform::MsgType::Information);
    return false;
}

TForm5& orderDialog(TForm1& w)
{
    return windowOnDemand(Form5, &w);
}

namespace {

std::function<void()>& beforeRereading()
{
    static std::function<void()> hook;
    return hook;
}

// The listing of a folder as a rename run left it, read on the run's worker:
// a folder of 100,000 pages takes seconds to list and title, and the window
// must keep answering meanwhile.
struct FolderReadAgain {
    store::ListedFolder listed;
    viewer::FolderStamp stamp; // read before the listing, as OpenFolder does
};

FolderReadAgain readFolderAgain(const QString& folder, const QString& exeBaseName, const QStringList& writeBounds)
{
    if (beforeRereading())
        beforeRereading()();
    FolderReadAgain again;
    again.stamp = viewer::folderStamp(folder);
    again.listed = store::listPageFolder(folder, exeBaseName, writeBounds);
    return again;
}

// The entry of a name in the folder: a folder's list holds its pages under
// their names, looked up as they are before every entry is resolved to a
// path (at 100,000 pages that is felt).
int entryOfName(const store::PageLevels& levels, const QString& name)
{
    if (name.isEmpty())
        return -1;
    const int same = int(levels.topEntries().indexOf(name));
    return same >= 0 ? same : levels.indexOfPath(files::joinPath(levels.CurrentFolder, name));
}

void showSelectedAfterReload(TForm1& w, const QString& selected)
{
    const int entry = entryOfName(w.levels, selected);
    if (entry >= 0)
        w.PBanSave(entry);
    w.ReMake();
    w.PageClick(0, true);
}

// reloadFolderList with the folder already read.
void reloadFolderList(TForm1& w, const FolderReadAgain& again, const QString& selected)
{
    viewer::PageFolderCheck& check = viewer::pageFolderCheck(w);
    // Freeing a level of 100,000 names is felt: the check's worker lets it go.
    QList<QStringList> old{w.levels.topEntries(), w.levels.topTitles()};
    w.OpenListedFolder(again.listed, w.PBan(), false);
    check.noteListed(w.CurrentFolder(), again.stamp);
    check.release(std::move(old));
    showSelectedAfterReload(w, selected);
}

} // namespace

void setBeforeRereadingForTests(std::function<void()> hook)
{
    beforeRereading() = std::move(hook);
}

void reloadFolderList(TForm1& w, const QString& selected)
{
    w.OpenFolder(w.CurrentFolder(), w.PBan(), false);
    showSelectedAfterReload(w, selected);
}

void reportRenameFailures(const QStringList& failures)
{
    if (failures.isEmpty())
        return;
    QStringList shown = failures.mid(0, 15);
    if (failures.size() > 15)
        shown << QStringLiteral("ほか %1 件").arg(failures.size() - 15);
    platform::showMessage(QStringLiteral("名前の変更で、次のことがありました。\n\n") + shown.join(QLatin1Char('\n')),
                          platform::MsgType::Warning);
}

bool goOnWithoutRewriting(const QStringList& pages)
{
    return platform::askYesNo(
        QStringLiteral("次のページはUTF-8でもシフトJISでもないため、中の名前を書き換えられません。"
                       "名前を変えると、これらのページの画像などが表示されなくなります。名前を変えますか？\n\n")
            + pathLines(pages),
        platform::MsgType::Warning);
}

RenameOutcome runRenamePlan(const std::function<RenamePlan()>& makePlan, int pages, const QString& root,
                            const std::function<void()>& afterRun)
{
    RenameOutcome outcome;
    // A folder of many thousand pages takes seconds: the window keeps
    // answering, and only the question comes back to its thread.
    const auto askOnWindowThread = [](const QStringList& pages) {
        bool yes = false;
        onWindowThread([&] { yes = goOnWithoutRewriting(pages); });
        return yes;
    };
    runOffTheWindowThread(QStringLiteral("ページの名前を変えています…"), pages, [&](std::atomic<int>& done) {
        outcome = carryOutRenamePlan(makePlan(), [&done] { ++done; }, root, askOnWindowThread);
        if (afterRun)
            afterRun();
    });
    reportRenameFailures(outcome.failures);
    return outcome;
}

RenameOutcome runRenamePlan(const RenamePlan& plan, const QString& root)
{
    return runRenamePlan([&plan] { return plan; }, int(plan.units.size()), root);
}

void runRenamePlan(TForm1& w, const std::function<RenamePlan()>& makePlan, const QString& selected)
{
    const QString entry = selected.isNull() ? w.levels.topEntries().value(w.PBan()) : selected;
    const int pages = int(w.levels.topEntries().size());
    const QString folder = w.CurrentFolder();
    const QString exeBaseName = w.levels.ExeBaseName;
    const QStringList writeBounds = {w.RootFolder, w.CopyFolder, store::DesktopFolder()}; // as OpenFolder has them
    FolderReadAgain again;
    // The patrol would list the folder half renamed, and swap that list in.
    const bool patrolWasOn = w.Timer5->enabled();
    w.Timer5->setEnabled(false);
    const RenameOutcome outcome = runRenamePlan(makePlan, pages, w.RootFolder, [&] {
        again = readFolderAgain(folder, exeBaseName, writeBounds);
    });
    reloadFolderList(w, again, outcome.nameAfter(entry));
    w.Timer5->setEnabled(patrolWasOn);
}

void runRenamePlan(TForm1& w, const RenamePlan& plan, const QString& selected)
{
    runRenamePlan(w, [&plan] { return plan; }, selected);
}

void ChangeButtonOrder(TForm1& w)
{
    const int ban = w.PBan();
    if (ban < 0 || ban >= w.PBanSu() || !onFolderLevel(w))
        return;
    w.ShowPlaceholderPage(QStringLiteral("*** チェック中 ***"));
    MovePageAndRenumber(w, ban, -1);
}

void MovePageAndRenumber(TForm1& w, int Index, int Target)
{
    const int count = w.PBanSu();
    if (w.PBan() < 0 || Index < 0 || Index >= count)
        return;
    if (Target < 0) {
        TForm5& f = orderDialog(w);
        f.ScrollBar1->setMaximum(qMax(0, count - 1));
        f.ScrollBar1->setValue(w.PBan());
        f.Memo1->setText(QString::number(w.PBan() + 1));
        f.Tag = 0;
        w.pausePatrol();
        const int result = platform::execModal(&f);
        w.resumePatrol();
        if (result != QDialog::Accepted) {
            if (f.Tag == 1)
                StripNumberPrefixes(w);
            return;
        }
        Target = f.Memo1->text().toInt() - 1;
    }
    Target = qBound(0, Target, count - 1);
    w.SearchCacheKey = QStringLiteral("xxx");
    const QStringList order = moveEntry(w.levels.topEntries(), Index, Target);
    w.levels.MidashiF.last() = order;
    if (Index < w.levels.MidashiT.last().size())
        w.levels.MidashiT.last() = moveEntry(w.levels.MidashiT.last(), Index, Target);
    w.PBanSave(Target);
    // Pages that keep their names (an index page, a taken name) sort apart
    // from the renumbered ones, so the moved page is found by its new name.
    const QString folder = w.CurrentFolder();
    runRenamePlan(w, [&] { return planRenumber(folder, order); }, order.at(Target));
}

void StripNumberPrefixes(TForm1& w)
{
    if (w.PBan() < 0 || !onFolderLevel(w))
        return;
    if (!platform::askYesNo(QStringLiteral("数字_ を削除していいですか？")))
        return;
    w.SearchCacheKey = QStringLiteral("xxx");
    const QString folder = w.CurrentFolder();
    const QStringList entries = w.levels.topEntries();
    runRenamePlan(w, [&] { return planStripPrefixes(folder, entries); });
}

} // namespace tools
