// The file tool's handlers: delete the selected entries to the trash, or
// rename the selected pictures and fix the selected pages that name them.
#include "tools/forms/form3.h"

#include "tools/delete_plan.h"
#include "tools/link_values.h"
#include "tools/page_order.h"
#include "tools/picture_rename.h"
#include "tools/rename_run.h"

#include "platform/seam.h"
#include "store/text.h"
#include "viewer/main_window.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QLineEdit>
#include <QListWidget>
#include <algorithm>

namespace {

const QString kChecking = QStringLiteral("--- チェック中 ---");

void showChecking()
{
    if (TForm1* w = TForm1::instance())
        w->ShowPlaceholderPage(kChecking);
}

void markPageFilesChanged()
{
    if (TForm1* w = TForm1::instance())
        w->SearchCacheKey = QStringLiteral("xxx");
}

} // namespace

void TForm3::FormShow()
{
    for (int i = 0; i < ListBox1->count(); ++i) {
        QListWidgetItem* item = ListBox1->item(i);
        item->setSelected(!notPreselected_.contains(item->text()));
    }
}

void TForm3::BitBtn1Click()
{
    kataduke();
}

void TForm3::BitBtn2Click()
{
    clearEntries();
    done(QDialog::Accepted);
}

void TForm3::kataduke()
{
    showChecking();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    const QStringList files = tools::planDeletion(selectedEntries());
    if (!files.isEmpty() && platform::askYesNo(tools::deletionQuestion(files), platform::MsgType::Warning)) {
        const tools::TrashResult result = tools::trashFiles(files);
        markPageFilesChanged();
        if (!result.failed.isEmpty())
            platform::showMessage(tools::trashFailureMessage(result.failed), platform::MsgType::Warning);
    }
    done(QDialog::Accepted);
}

static void reportRenameProblems(const QStringList& problems, const QStringList& unrewritten)
{
    if (!problems.isEmpty())
        platform::showMessage(problems.join(QLatin1Char('\n')), platform::MsgType::Error);
    if (!unrewritten.isEmpty())
        platform::showMessage(QStringLiteral("UTF-8 でもシフトJISでもないページは書き換えませんでした。\n\n")
                                  + tools::pathLines(unrewritten),
                              platform::MsgType::Warning);
}

static QString dataRoot(const QList<tools::PictureRename>& plan)
{
    if (const TForm1* w = TForm1::instance())
        return w->RootFolder;
    return tools::folderOf(plan.first().from);
}

void TForm3::BitBtn4Click()
{
    showChecking();
    QString base = text::trim(Edit1->text());
    base = base.mid(base.lastIndexOf(QLatin1Char('/')) + 1);
    const QStringList all = entries();
    if (std::none_of(all.begin(), all.end(), tools::isPictureFile)) {
        platform::showMessage(QStringLiteral("対象とする画像ファイルが見つかりません。"), platform::MsgType::Warning);
        return;
    }
    if (!platform::askYesNo(QStringLiteral("画像ファイル名を ") + base + QStringLiteral("+数字に書き換えていいですか")))
        return;
    const QStringList selected = selectedEntries();
    const QList<tools::PictureRename> plan = tools::planPictureRenames(selected, base);
    if (plan.isEmpty())
        return;
    // Pages that cannot be rewritten are named before anything moves.
    const tools::ReferenceUpdates updates = tools::ReplaceNameInSelectedPages(selected, plan);
    const QStringList unrewritten = tools::pagesNaming(updates.notUtf8, plan);
    if (!unrewritten.isEmpty() && !tools::goOnWithoutRewriting(unrewritten))
        return;
    tools::RenameRun run{dataRoot(plan), {}, updates.pages};
    for (const tools::PictureRename& r : plan)
        run.moves << tools::FileMove{r.from, r.to};
    const tools::RenameRunResult result = tools::carryOutRenameRun(run);
    for (const tools::FileMove& r : result.done) {
        for (int i = 0; i < ListBox1->count(); ++i) {
            if (ListBox1->item(i)->text() == r.from)
                ListBox1->item(i)->setText(r.to);
        }
    }
    if (result.moved)
        markPageFilesChanged();
    reportRenameProblems(result.problems, unrewritten);
}
