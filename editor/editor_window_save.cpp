// Leaving the editor: save over the page, save under a chosen name, close
// (with a question when the page was changed), and what every way out does.
// Also the page-width and style buttons.
#include "editor/editor_layout.h"
#include "editor/forms/form2.h"
#include "platform/seam.h"
#include "store/files.h"
#include "store/log.h"
#include "store/page_file.h"
#include "store/read_only.h"
#include "viewer/later_windows.h"

#include <QFileInfo>

namespace {

const QString kSaveFilter = QStringLiteral("HTML (*.htm* *.HTM*);;全部 (*)");

// A chosen name without an extension gets ".html".
QString withDefaultExtension(const QString& path)
{
    return QFileInfo(path).suffix().isEmpty() ? path + QStringLiteral(".html") : path;
}

} // namespace

// A page the person made read-only is not written; a page another program
// wrote since the editor read it is written over only when the person says
// so. Otherwise the editor stays open with its text.
bool TForm2::mayWriteOver(const QString& path)
{
    const QString name = QFileInfo(path).fileName();
    if (files::isReadOnlyFile(path)) {
        platform::showMessage(QStringLiteral("読み取り専用のファイルなので保存しませんでした：") + name +
                                  QStringLiteral("\n「名付けて保存」で別の名前を付けることができます。"
                                                 "\n編集中の内容はそのまま残っています。"),
                              platform::MsgType::Warning);
        return false;
    }
    if (path != readPath_ || !QFileInfo(path).isFile() || editor::pageOnDisk(path) == readState_)
        return true;
    return platform::askYesNo(QStringLiteral("編集している間に、ほかのプログラムがこのページを書き換えました：") + name +
                                  QStringLiteral("\n\n編集中の内容で上書きしますか？"
                                                 "\n（「いいえ」でほかのプログラムが書いた内容を残し、編集を続けます）"),
                              platform::MsgType::Warning);
}

bool TForm2::savePageTo(const QString& path, const QStringList& within)
{
    const QString name = QFileInfo(path).fileName();
    if (newPage && QFileInfo::exists(path)) {
        platform::showMessage(QStringLiteral("同じ名前のファイルが既にあります：") + name +
                                  QStringLiteral("\n「名付けて保存」で別の名前を付けてください。"),
                              platform::MsgType::Warning);
        return false;
    }
    if (!mayWriteOver(path))
        return false;
    if (!store::SavePage(page, path, within)) {
        qCWarning(lcPagora) << "page could not be saved:" << path;
        platform::showMessage(QStringLiteral("ページを保存できませんでした：") + name +
                                  QStringLiteral("\n保存先の空きや書き込みの許可を確かめてください。"
                                                 "\n編集中の内容はそのまま残っています。"),
                              platform::MsgType::Error);
        return false;
    }
    saved_ = true;
    return true;
}

void TForm2::BitBtn4Click()
{
    if (SpeedButton28->tag() == 1)
        SpeedButton28Click();  // an edited source counts
    if (savePageTo(pagePath(), page.WriteBounds))
        done(QDialog::Accepted);
}

void TForm2::BitBtn1Click()
{
    if (SpeedButton28->tag() == 1)
        SpeedButton28Click();
    const QString caption = pagePath();
    const QString folder = QFileInfo(caption).absolutePath();
    QString start = caption.isEmpty() ? QStringLiteral("newpage") : QFileInfo(caption).fileName();
    start = files::joinPath(folder, start);
    if (!page.Label5.isEmpty())
        start = page.Label5;
    const QString chosen = platform::saveFileName(QStringLiteral("名付けて保存"), start, kSaveFilter);
    if (chosen.isEmpty())
        return;
    const QString path = withDefaultExtension(chosen);
    setWindowTitle(path);
    const bool wasNew = newPage;
    newPage = false;  // the dialog asked about a file of that name
    // Chosen in the save dialog: bounded by that file's own folder.
    if (savePageTo(path, {QFileInfo(path).absolutePath()})) {
        done(QDialog::Accepted);
        return;
    }
    newPage = wasNew;
    setWindowTitle(caption);
}

bool TForm2::pageChanged()
{
    store::PageModel now = page;
    store::BuildPageHtml(now, pagePath(), openedAt_);
    return now.Memo82 != openedHtml_;
}

bool TForm2::askBeforeClosing()
{
    if (saved_)
        return true;
    if (SpeedButton28->tag() == 1)
        SpeedButton28Click();  // an edited source counts
    if (!pageChanged())
        return true;
    const platform::Answer a = platform::askYesNoCancel(
        QStringLiteral("ページが変更されています。保存してから閉じますか？\n（「いいえ」で保存しないで閉じます）"));
    if (a == platform::Answer::Cancel)
        return false;
    if (a == platform::Answer::No)
        return true;
    return savePageTo(pagePath(), page.WriteBounds);
}

void TForm2::done(int result)
{
    if (!isVisible()) {
        QDialog::done(result);
        return;
    }
    if (result != QDialog::Accepted && !askBeforeClosing())
        return;  // the editor stays open with the user's text
    if (!closing_) {
        closing_ = true;
        FormClose();
    }
    QDialog::done(result);
}

void TForm2::reject()
{
    done(QDialog::Rejected);
}

void TForm2::FormClose()
{
    page.GXTag = 0;
    view.picture = QImage();
    Image1->clearPicture();
    page.Image1Tag = 0;
    page.Image1File.clear();
    Image1->setTag(0);
    if (QWidget* notes = laterwindows::hooks().memoWindow)
        notes->close();
    returnNotesWindow();
}

void TForm2::setPageWidth(int width, const QString& sizeMeta)
{
    page.PageWidth = width;
    page.Memo1Width = width;
    Memo1->setWidth(width);
    page.PageSizeMetaSection = sizeMeta;
}

void TForm2::Button1Click() { setPageWidth(store::kPageWidthB4, store::kSizeMetaB4); }
void TForm2::Button2Click() { setPageWidth(store::kPageWidthA4, store::kSizeMetaA4); }

void TForm2::SpeedButton38Click()
{
    setPageWidth(editor::fitPageWidth(mainWindowWidth(), Panel8->width()), store::kSizeMetaFit);
}

void TForm2::setPageStyle(int style)
{
    page.GroupBox1Tag = style;
    ApplyPageStyle();
}

int TForm2::mainWindowWidth() const
{
    return parentWidget() ? parentWidget()->width() : 0;
}
