#include "tools/page_menu.h"

#include "platform/seam.h"
#include "store/files.h"
#include "store/log.h"
#include "store/paths.h"
#include "tools/file_tool_commands.h"
#include "tools/look_link_commands.h"
#include "tools/numbered_rename.h"
#include "tools/page_menu_model.h"
#include "tools/page_order.h"
#include "tools/posting.h"
#include "tools/print_entry_points.h"
#include "platform/browser.h"
#include "viewer/later_windows.h"
#include "viewer/main_window.h"

#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QPointer>
#include <QStyle>
#include <QUrl>
#include <exception>

namespace tools {

const QString kUsageHelpUrl = QStringLiteral("https://pagora.example/usage");

namespace {

// A handler's failure ends in a message, never in the event loop.
template <class Step>
void guarded(const char* what, Step step)
{
    try {
        step();
    } catch (const std::exception& e) {
        qCWarning(lcPagora, "%s: %s", what, e.what());
        platform::showMessage(QStringLiteral("処理中にエラーが起きました。"), platform::MsgType::Error);
    } catch (...) {
        qCWarning(lcPagora, "%s failed", what);
        platform::showMessage(QStringLiteral("処理中にエラーが起きました。"), platform::MsgType::Error);
    }
}

// The menu's pictures, by their place in the old picture list.
QIcon menuPicture(int index)
{
    static const QStyle::StandardPixmap kinds[] = {
        QStyle::SP_FileDialogDetailedView, // 0 edit
        QStyle::SP_FileDialogListView,     // 1 numbered names
        QStyle::SP_DialogResetButton,      // 2 clean-up
        QStyle::SP_TrashIcon,              // 3 delete
        QStyle::SP_FileIcon,               // 4 worksheet
        QStyle::SP_FileIcon,               // 5 answer sheet
        QStyle::SP_FileDialogContentsView, // 6 thumbnails
        QStyle::SP_ArrowDown,              // 7 order
        QStyle::SP_FileDialogNewFolder,    // 8 post
        QStyle::SP_CommandLink,            // 9 LOOK links
        QStyle::SP_FileIcon,               // 10 (unused)
        QStyle::SP_DialogSaveButton,       // 11 print
        QStyle::SP_DialogDiscardButton,    // 12 remove LOOK links
        QStyle::SP_DirLinkIcon,            // 13 copy
    };
    if (index < 0 || index >= int(sizeof kinds / sizeof kinds[0]) || !qApp)
        return QIcon();
    return QApplication::style()->standardIcon(kinds[index]);
}

void callPrint(TForm1& w, std::function<void(TForm1&)> PrintEntryPoints::*entry)
{
    const auto& call = printEntryPoints().*entry;
    if (call)
        call(w);
}

void editCurrentPage()
{
    if (laterwindows::hooks().editCurrentPage)
        laterwindows::hooks().editCurrentPage();
}

void runItem(TForm1& w, const PageMenuItem& item, bool html)
{
    switch (item.action) {
    case PageMenuAction::Edit: editCurrentPage(); break;
    case PageMenuAction::Copy: CopyPageWithLinks(w); break;
    case PageMenuAction::Post: PostIntoPage(w); break;
    case PageMenuAction::ChangeOrder: ChangeButtonOrder(w); break;
    case PageMenuAction::RenameNumbered: RenamePagesNumbered(w); break;
    case PageMenuAction::Delete: DeletePageMenu(w); break;
    case PageMenuAction::DeleteUnlinked: DeleteUnlinkedFiles(w); break;
    case PageMenuAction::AddLookLinks: AddLookLinks(w); break;
    case PageMenuAction::RemoveLookLinks: RemoveLookLinks(w); break;
    case PageMenuAction::PrintWorksheet: callPrint(w, &PrintEntryPoints::PrintPageWorksheet); break;
    case PageMenuAction::PrintAnswerSheet: callPrint(w, &PrintEntryPoints::PrintPageAnswerSheet); break;
    case PageMenuAction::MergeChecked: callPrint(w, &PrintEntryPoints::MergeCheckedPages); break;
    case PageMenuAction::Print:
        if (html)
            callPrint(w, &PrintEntryPoints::N6Click);
        else // other files print from their own program
            editCurrentPage();
        break;
    case PageMenuAction::Shortcut: F10Click(w, item.tag); break;
    case PageMenuAction::Help: OpenFolderHelp(w); break;
    case PageMenuAction::None: break;
    }
}

QString helpPath(const TForm1& w)
{
    return files::joinPath(w.CurrentFolder(), w.HelpFileName);
}

} // namespace

void ClearPageMenu(TForm1& w)
{
    w.ListBox3.clear();
    w.PageMenu->clear();
}

void BuildPageMenu(TForm1& w)
{
    const QStringList entries = w.levels.topEntries();
    const int ban = w.PBan();
    if (ban < 0 || ban >= entries.size())
        return;
    const QString entry = entries.at(ban);
    w.FileListBox2->setDirectory(w.CurrentFolder());
    w.FileListBox2->setMask(QStringLiteral("*.desktop")); // only shortcuts are wanted
    w.FileListBox2->update();
    w.ListBox3 = shortcutFiles(w.FileListBox2->items());
    const bool html = QFileInfo(entry).suffix().compare(QLatin1String("html"), Qt::CaseInsensitive) == 0
                      && !entry.endsWith(QLatin1Char('/'));
    const QList<PageMenuItem> items = pageMenuItems(entry, w.ListBox3, QFileInfo(helpPath(w)).isFile());
    QPointer<TForm1> guard(&w);
    for (int i = 0; i < items.size(); ++i) {
        const PageMenuItem& it = items.at(i);
        const QString name = QStringLiteral("PageMenuItem%1").arg(i + 1);
        if (it.isSeparator()) {
            w.PageMenu->addSeparator(name);
            continue;
        }
        // Shortcut names show as spelled: "&" marks no hot key.
        QString caption = it.caption;
        if (it.action == PageMenuAction::Shortcut || it.action == PageMenuAction::Help)
            caption.replace(QLatin1Char('&'), QLatin1String("&&"));
        platform::MenuItem* m = w.PageMenu->add(name, caption);
        m->setTag(it.tag);
        m->action()->setIcon(menuPicture(it.picture));
        m->onClick = [guard, it, html] {
            if (guard)
                guarded("page menu", [&] { runItem(*guard, it, html); });
        };
    }
}

void SpeedButton18Click(TForm1& w)
{
    guarded("SpeedButton18Click", [&] {
        w.BuildPageMenu();
        if (w.PageMenu->count() == 0) {
            w.HighlightCurrent = 1;
            w.PageClick(1, true);
            return;
        }
        if (w.Tag > 0) {
            w.MemoState = w.Tag;
            w.MemoRestore = 1;
            if (laterwindows::hooks().memoWindow)
                laterwindows::hooks().memoWindow->close();
        }
        w.PageMenu->popup(w.mapToGlobal(QPoint(w.width() - 260, 65)));
    });
}

void F10Click(TForm1& w, int tag)
{
    if (tag < 0 || tag >= w.ListBox3.size())
        return;
    const QString url = w.WebBrowser1 ? w.WebBrowser1->locationUrl() : QString();
    const QString shown = QFileInfo(url).suffix().isEmpty() ? url : url.left(url.lastIndexOf(QLatin1Char('.')));
    w.ShowFlashMessage(shown + QStringLiteral(" "), 2000);
    QString page = store::CutNN(url);
    if (page.isEmpty())
        page = url; // a web page goes to the program as its address
    const QString shortcut = files::joinPath(w.CurrentFolder(), w.ListBox3.at(tag));
    const QStringList command = shortcutCommand(files::readUtf8(shortcut).value_or(QString()), page);
    if (command.isEmpty())
        platform::showMessage(QStringLiteral("ショートカット「") + w.ListBox3.at(tag)
                                  + QStringLiteral("」から起動するプログラムが分かりません。"),
                              platform::MsgType::Warning);
    else if (!platform::startProgram(command.first(), command.mid(1), w.CurrentFolder()))
        platform::showMessage(QStringLiteral("プログラム「") + command.first() + QStringLiteral("」を起動できません。"),
                              platform::MsgType::Warning);
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    w.PageClick(0, true);
}

void OpenFolderHelp(TForm1& w)
{
    const QString path = helpPath(w);
    if (QFileInfo(path).isFile())
        platform::openUrl(QUrl::fromLocalFile(path));
}

void Pagora1Click(TForm1& w)
{
    guarded("Pagora1Click", [&] {
        w.NavDirection = 0;
        w.Panel10->setVisible(false);
        const QString path = files::joinPath(w.ExeFolder, QStringLiteral("【使い方】/index.html"));
        w.WebBrowser1->navigate(QFileInfo(path).isFile() ? path : kUsageHelpUrl);
    });
}

void bindPageMenu(TForm1& w)
{
    QPointer<TForm1> guard(&w);
    laterwindows::hooks().buildPageMenu = [](TForm1& m) {
        guarded("BuildPageMenu", [&] { BuildPageMenu(m); });
    };
    w.SpeedButton18->onClick = [guard] {
        if (guard && !guard->SpeedButton18->rightPressed())
            SpeedButton18Click(*guard);
    };
    w.SpeedButton16->setHint(QStringLiteral("ページの中に10件まで投稿（11以降は自動削除）"));
    w.SpeedButton16->onClick = [guard] {
        if (guard && !guard->SpeedButton16->rightPressed())
            guarded("SpeedButton16Click", [&] { PostIntoPage(*guard); });
    };
    w.Pagora1->onClick = [guard] {
        if (guard)
            Pagora1Click(*guard);
    };
}

} // namespace tools
