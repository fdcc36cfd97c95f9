#include "tools/file_tool_commands.h"

#include "tools/delete_plan.h"
#include "tools/forms/form3.h"
#include "tools/link_values.h"
#include "tools/linked_files.h"
#include "tools/unlinked_files.h"

#include "platform/seam.h"
#include "store/paths.h"
#include "viewer/main_window.h"
#include "viewer/command_values.h"

#include <QtGlobal>
#include <exception>

namespace tools {

namespace {

// The current entry of the top level, or "" when PBan is off the list.
QString currentEntry(const TForm1& w)
{
    const int ban = w.PBan();
    const QStringList entries = w.levels.topEntries();
    return ban >= 0 && ban < entries.size() ? entries.at(ban) : QString();
}

void showEach(const QStringList& messages)
{
    for (const QString& m : messages)
        platform::showMessage(m, platform::MsgType::Information);
}

void prepareForDelete(TForm3& f, const QString& caption)
{
    f.setWindowTitle(caption);
    f.BitBtn1->setVisible(true);
    f.BitBtn3->setVisible(false);
}

// The patrol counts the page files again from here on.
void rememberFileCount(TForm1& w)
{
    w.FileListBox1->setDirectory(w.CurrentFolder());
    w.FileListBox1->update();
    w.levels.LastFileCount = w.FileListBox1->count();
}

void reloadCurrentFolder(TForm1& w)
{
    w.OpenFolder(w.CurrentFolder(), w.PBan(), false);
    w.ReMake();
    w.PageClick(0, true);
}

template <class Step>
void guarded(const char* what, Step step)
{
    try {
        step();
    } catch (const std::exception& e) {
        qWarning("%s: %s", what, e.what());
        platform::showMessage(QStringLiteral("処理中にエラーが起きました。"), platform::MsgType::Error);
    } catch (...) {
        qWarning("%s failed", what);
        platform::showMessage(QStringLiteral("処理中にエラーが起きました。"), platform::MsgType::Error);
    }
}

} // namespace

TForm3& fileTool(TForm1& w)
{
    if (!Form3)
        Form3 = new TForm3(&w);
    Form3->WriteBounds = commands::writeRoots(w).folders;
    return *Form3;
}

void CollectLinkedFiles(TForm1& w, const QString& StartPath, bool ClearList)
{
    TForm3& f = fileTool(w);
    const LinkedFiles linked = CollectLinkedFiles(StartPath, ClearList, w.CurrentFolder(), f.entries());
    f.setEntries(linked.files);
    showEach(linked.commandLinkMessages);
}

void DeletePageMenu(TForm1& w)
{
    RunFileTool(w, 0);
}

void RunFileTool(TForm1& w, int mode)
{
    if (mode != 0) // the copy-to-archive modes have no caller
        return;
    const QString entry = currentEntry(w);
    if (entry.isEmpty() || store::isWebAddress(w.caption()) || store::isWebAddress(entry))
        return;
    guarded("RunFileTool", [&] {
        TForm3& f = fileTool(w);
        prepareForDelete(f, QStringLiteral("HTMLファイルとリンクファイルを削除"));
        const QString page = w.levels.entryPath(w.PBan());
        w.SearchCacheKey = QStringLiteral("xxx");
        const FileToolList list = planPageDeletion(page, w.CurrentFolder(), w.levels.ExeBaseName, w.RootFolder);
        f.setEntries(list.files, list.notPreselected);
        showEach(list.commandLinkMessages);
        w.pausePatrol();
        f.FormShow();
        platform::execModal(&f);
        rememberFileCount(w);
    });
    w.resumePatrol();
    w.HighlightCurrent = 1;
    reloadCurrentFolder(w);
}

void DeleteUnlinkedFiles(TForm1& w)
{
    if (w.PBan() < 0)
        return;
    bool shown = false;
    guarded("DeleteUnlinkedFiles", [&] {
        const FileToolList list = planUnlinkedFiles(w.CurrentFolder(), w.levels.ExeBaseName, w.HelpFileName, w.RootFolder);
        if (!list.commandLinkMessages.isEmpty()) // one notice for the whole folder
            platform::showMessage(pathLines(list.commandLinkMessages, 10), platform::MsgType::Information);
        if (list.files.isEmpty()) {
            platform::showMessage(QStringLiteral("不用なファイルが見つかりません。"), platform::MsgType::Information);
            return;
        }
        TForm3& f = fileTool(w);
        prepareForDelete(f, QStringLiteral("リンク切れファイルの削除"));
        f.setEntries(list.files, list.notPreselected);
        w.pausePatrol();
        shown = true;
        f.FormShow();
        platform::execModal(&f);
        rememberFileCount(w);
    });
    if (!shown)
        return;
    w.resumePatrol();
    w.HighlightCurrent = 1;
    w.ReMake();
    w.PageClick(0, true);
}

void CopyPageWithLinks(TForm1& w)
{
    if (w.PBanSu() <= 0 || w.PBan() < 0)
        return;
    const QString entry = currentEntry(w);
    if (entry.isEmpty())
        return;
    w.pausePatrol();
    guarded("CopyPageWithLinks", [&] {
        w.ShowPlaceholderPage(QStringLiteral("--- コピー中 ---"));
        if (store::isWebAddress(entry))
            return;
        const QString source = w.levels.entryPath(w.PBan());
        w.SearchCacheKey = QStringLiteral("xxx");
        showEach(CollectLinkedFiles(source, true, w.CurrentFolder()).commandLinkMessages);
        const QString target = askCopyTarget(source);
        if (!target.isEmpty())
            copyPageTo(w, source, target);
    });
    reloadCurrentFolder(w);
    w.resumePatrol();
    w.HighlightCurrent = 1;
}

} // namespace tools
