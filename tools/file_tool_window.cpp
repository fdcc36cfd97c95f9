// The file tool's handlers: delete the selected entries to the trash, or
// rename the selected pictures and fix the selected pages that name them.
#include "tools/forms/form3.h"

#include "tools/delete_plan.h"
#include "tools/picture_rename.h"

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

static void reportRenameProblems(const tools::PictureRename* failed, const tools::ReferenceUpdates& updates,
                                 const QStringList& unwritten)
{
    if (failed)
        platform::showMessage(QStringLiteral("ファイル名を変更できませんでした。ここで変換を止めます。\n")
                                  + failed->from + QStringLiteral("\n→ ") + failed->to,
                              platform::MsgType::Error);
    if (!updates.notUtf8.isEmpty())
        platform::showMessage(QStringLiteral("UTF-8 でもシフトJISでもないページは書き換えませんでした。\n\n")
                                  + tools::pathLines(updates.notUtf8),
                              platform::MsgType::Warning);
    if (!unwritten.isEmpty())
        platform::showMessage(QStringLiteral("次のページを保存できませんでした。\n\n") + tools::pathLines(unwritten),
                              platform::MsgType::Error);
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
    tools::PictureRename refused;
    const QList<tools::PictureRename> done = tools::carryOutPictureRenames(plan, WriteBounds, &refused);
    const tools::ReferenceUpdates updates = tools::ReplaceNameInSelectedPages(selected, done);
    const QStringList unwritten = tools::writePageRewrites(updates.pages, WriteBounds);
    for (const tools::PictureRename& r : done) {
        for (int i = 0; i < ListBox1->count(); ++i) {
            if (ListBox1->item(i)->text() == r.from)
                ListBox1->item(i)->setText(r.to);
        }
    }
    if (!done.isEmpty())
        markPageFilesChanged();
    reportRenameProblems(done.size() < plan.size() ? &refused : nullptr, updates, unwritten);
}
