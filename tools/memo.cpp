// The page memo window's handlers and the main window's memo button.
#include "tools/memo.h"

#include "platform/seam.h"
#include "store/files.h"
#include "store/log.h"
#include "tools/forms/form11.h"
#include "tools/forms/form12.h"
#include "tools/forms/window_on_demand.h"
#include "viewer/later_windows.h"
#include "viewer/command_values.h"
#include "viewer/main_window.h"

#include <QFileInfo>
#include <QPlainTextEdit>

namespace {

const QString kBlank = QStringLiteral("白紙");

bool maskUp()
{
    return Form11 && Form11->Tag > 0;
}

void showMemoWindow()
{
    Form12->show();
}

// Reads the memo at path into the window; false (and a note) when it cannot be read.
bool readMemoInto(TForm12& window, const QString& path)
{
    // A memo saved on Japanese Windows may be Shift_JIS; it becomes UTF-8 only when saved.
    const std::optional<QString> text = files::readUtf8OrShiftJis(path);
    if (!text) {
        qCWarning(lcPagora) << "memo: cannot read" << path;
        return false;
    }
    window.Edit1 = path;
    window.setMemoText(*text);
    return true;
}

// The memo window, made now where it was not: a new one takes the memo the
// patrol follows (its caption, path and text) from the main window.
TForm12& memoWindow(TForm1& w)
{
    if (Form12)
        return *Form12;
    TForm12& window = windowOnDemand(Form12, &w);
    window.setWindowTitle(w.MemoCaption);
    window.Edit1 = w.MemoPath;
    if (!w.MemoPath.isEmpty() && QFileInfo(w.MemoPath).isFile())
        readMemoInto(window, w.MemoPath);
    return window;
}

void closeMemoWindow()
{
    if (Form12)
        Form12->close();
}

void setMemoState(TForm1& w, int state, const QString& hint)
{
    w.Tag = state;
    w.SpeedButton7->setHint(hint);
}

} // namespace

void TForm12::FormShow()
{
    TForm1* main = TForm1::instance();
    if (!main)
        return;
    const QRect m = main->frameGeometry();
    resize(qMax(200, m.width() - 320), height());
    move(m.left() + 50, m.top() + m.height() - frameGeometry().height() - 50);
}

void TForm12::SpeedButton1Click()
{
    TForm1* main = TForm1::instance();
    const QStringList within = main ? commands::writeRoots(*main).folders : QStringList();
    if (Edit1.isEmpty() || !files::writeTextBom(Edit1, memoText(), within)) {
        qCWarning(lcPagora) << "memo: cannot save" << Edit1;
        platform::showMessage(QStringLiteral("メモを保存できませんでした。\n") + Edit1, platform::MsgType::Warning);
    }
}

void TForm12::SpeedButton2Click()
{
    // The memo goes to the trash, never away for good; one the trash refuses stays shown.
    if (!Edit1.isEmpty() && QFileInfo::exists(Edit1) && !files::moveToTrash(Edit1)) {
        qCWarning(lcPagora) << "memo: the trash refused" << Edit1;
        platform::showMessage(QStringLiteral("メモをごみ箱に移せませんでした。\n") + Edit1, platform::MsgType::Warning);
        return;
    }
    Edit1.clear();
    Memo1->clear();
    setWindowTitle(QString());
    if (TForm1* main = TForm1::instance())
        main->MemoCaption.clear(); // the next status update of the page says "白紙"
    close();
}

namespace memo {

void LoadPageMemo(TForm1& w, const QString& path)
{
    if (w.PBanSu() <= 0 || w.PBan() < 0)
        return;
    if (!path.isEmpty() && QFileInfo(path).isFile()) {
        const bool show = w.Tag > 0 && !maskUp();
        if (!show && !Form12)
            return; // made when first shown, it reads the memo then
        if (!readMemoInto(memoWindow(w), path))
            return;
        if (show)
            showMemoWindow();
        return;
    }
    if (w.Tag < 2 || maskUp())
        closeMemoWindow();
    else {
        memoWindow(w);
        showMemoWindow();
    }
}

void textup(TForm1& w)
{
    if (w.PBanSu() <= 0)
        return;
    if (w.RightClickFlag) {
        closeMemoWindow();
        setMemoState(w, 0, QStringLiteral("メモの表示"));
        return;
    }
    const bool blank = memoWindow(w).windowTitle() == kBlank;
    if (w.Tag == 0) {
        if (blank)
            Form12->Memo1->clear();
        setMemoState(w, 1, QStringLiteral("メモの非表示"));
        showMemoWindow();
    } else if (!blank) {
        setMemoState(w, 0, QStringLiteral("メモの表示"));
        Form12->close();
    } else {
        setMemoState(w, 2, QStringLiteral("メモの非表示"));
        Form12->Memo1->clear();
        showMemoWindow();
    }
}

void followMemo(TForm1& w, const QString& memoPath, bool reload)
{
    if (!Form12) {
        // Nothing to keep in step: a memo to be shown makes the window.
        if (QFileInfo(memoPath).isFile())
            LoadPageMemo(w, memoPath);
        return;
    }
    // Memos copied with their pages share their time to the second: the
    // caption stays the same, yet the text must be the new page's, or a save
    // would write one page's memo over another's.
    const bool otherMemo = memoPath != Form12->Edit1 && QFileInfo(memoPath).isFile();
    Form12->Edit1 = memoPath;
    if (reload || otherMemo)
        LoadPageMemo(w, memoPath);
}

void showAfterStart(TForm1& w)
{
    const QString path = Form12 ? Form12->Edit1 : w.MemoPath;
    if (QFileInfo(path).isFile())
        LoadPageMemo(w, path);
}

bool editNotes(const QString& path)
{
    windowOnDemand(Form12, TForm1::instance());
    std::optional<QString> text = QString();
    if (QFileInfo(path).isFile())
        text = files::readUtf8OrShiftJis(path);
    if (!text) {
        qCWarning(lcPagora) << "notes: cannot read" << path;
        return false;
    }
    Form12->setWindowTitle(path);
    Form12->Edit1 = path;
    Form12->setMemoText(*text);
    showMemoWindow();
    Form12->raise();
    return true;
}

void bindMemo(TForm1& w)
{
    TForm1* m = &w;
    w.SpeedButton7->onMouseUp = [m](const platform::MouseArgs&) { textup(*m); };
    w.Timer6->onTimer = [m] {
        m->Timer6Timer();
        showAfterStart(*m);
    };
    laterwindows::hooks().editNotes = editNotes;
    laterwindows::hooks().followMemo = [](const QString& memoPath, bool reload) {
        if (TForm1* main = TForm1::instance())
            followMemo(*main, memoPath, reload);
    };
}

} // namespace memo
