#include "tools/copy_buttons.h"

#include "platform/copy_progress.h"
#include "platform/seam.h"
#include "platform/shell.h"
#include "store/clock.h"
#include "store/files.h"
#include "store/paths.h"
#include "tools/desktop_copy.h"
#include "tools/folder_copy.h"
#include "tools/programming_env.h"
#include "viewer/later_windows.h"
#include "viewer/main_window.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace tools {

namespace {

const QString kNotCopied = QStringLiteral("次のファイルはコピーできませんでした。");

bool programmingEnabled(const TForm1& w)
{
    return w.SpeedButton3->enabled();
}

// Without a file manager nothing would show: the folder is named instead.
void explore(const QString& folder)
{
    if (!platform::exploreFolder(folder))
        platform::showMessage(QStringLiteral("フォルダを開けませんでした。\n") + folder, platform::MsgType::Warning);
}

} // namespace

void SpeedButton13Click(TForm1& w)
{
    explore(w.CurrentFolder());
}

void N1Click(TForm1& w)
{
    explore(w.SelectedFolder);
}

void SpeedButton14Click(TForm1& w)
{
    files::makeFolder(w.CopyFolder, {w.CopyFolder});
    explore(w.CopyFolder);
}

void SpeedButton5Click(TForm1& w)
{
    files::makeFolder(w.CopyFolder, {w.CopyFolder});
    const QString shown = store::CutNN(w.caption());
    platform::CopyFailures failures;
    copyShownFile(shown, w.CopyFolder, programmingEnabled(w), failures);
    QCoreApplication::processEvents();
    failures.report(kNotCopied);
    explore(w.CopyFolder);
}

void Panel1MouseUp(TForm1& w)
{
    // The memo comes back with the next page display.
    w.MemoState = w.Tag;
    w.MemoRestore = 1;
    w.Tag = 0;
    if (QWidget* memo = laterwindows::hooks().memoWindow)
        memo->close();
    const QString file = w.Label1->caption();
    if (file.isEmpty())
        return;
    const bool programming = isProgrammingFile(file, programmingEnabled(w));
    if (!w.RightClickFlag) {
        if (programming)
            RunInProgrammingEnv(w, file);
        else
            platform::openPathOrSay(file);
        return;
    }
    files::makeFolder(w.CopyFolder, {w.CopyFolder});
    platform::CopyFailures failures;
    const QString copy = copyKeepingOlder(file, w.CopyFolder, store::clock::today(), failures);
    if (!copy.isEmpty() && programming)
        copySounds(QFileInfo(file).path(), w.CopyFolder, failures);
    failures.report(kNotCopied);
    if (copy.isEmpty())
        return;
    if (programming)
        RunInProgrammingEnv(w, copy);
    else
        platform::openPathOrSay(copy);
}

QString folderCopyQuestion(const QString& folderName, const QString& exeBaseName)
{
    return QStringLiteral("「") + folderName + QStringLiteral("」のフォルダを全部\nデスクトップ上の【") + exeBaseName
           + QStringLiteral("】にコピーします。");
}

void SpeedButton1Click(TForm1& w)
{
    const QString source = w.SelectedFolder;
    const QString name = store::AfterLastSlash(source);
    if (platform::askYesNo(folderCopyQuestion(name, w.ExeBaseName), platform::MsgType::Confirmation)) {
        files::makeFolder(w.CopyFolder, {w.CopyFolder});
        platform::CopyFailures failures;
        const FolderCopyOutcome outcome = copyFolderInto(source, w.CopyFolder, failures);
        if (!outcome.refusal.isEmpty())
            platform::showMessage(outcome.refusal, platform::MsgType::Warning);
        failures.report(kNotCopied);
    }
    platform::beep();
}

QString importFilter()
{
    // Qt matches these patterns with letter case; files from Windows often
    // carry upper-case extensions.
    return QStringLiteral("全部 (*);;"
                          "一太郎文書 (*.jt* *.j?w *.JT* *.J?W);;"
                          "ワード (*.do* *.DO*);;"
                          "エクセル (*.xl* *.XL*);;"
                          "PDF (*.pdf *.PDF);;"
                          "画像 (*.jp* *.bmp *.JP* *.BMP)");
}

void Paste2Click(TForm1& w)
{
    const QString folderName = store::AfterLastSlash(w.CurrentFolder());
    const QStringList chosen = platform::openFileNames(
        QStringLiteral("「") + folderName + QStringLiteral("」にコピーするファイルを選ぶ"), store::DesktopFolder(),
        importFilter());
    if (!chosen.isEmpty()) {
        w.ListBox1 = chosen;
        w.ImportListedFiles(w.CurrentFolder(), true);
    }
    w.OpenFolder(w.CurrentFolder(), w.PBan(), false);
    w.ReMake();
    w.PageClick(0, true);
}

} // namespace tools
