// The back and forward images of the bottom bar, and the folder pane's
// click. On the list's current page they turn pages; on a followed link they
// move through the page view's own history.

#include "viewer/main_window.h"

#include "platform/browser.h"
#include "platform/controls.h"
#include "platform/seam.h"
#include "viewer/command_trust.h"

namespace {

void step(TForm1& w, bool forward)
{
    if (w.levels.IsCurrentPage(w.caption()) > 0) {
        w.KRNcommand(forward ? QStringLiteral("NEXT") : QStringLiteral("BACK"));
        return;
    }
    platform::Browser* view = w.WebBrowser1;
    const bool possible = forward ? view->canGoForward() : view->canGoBack();
    if (!possible) {
        platform::beep();
        return;
    }
    if (forward)
        view->goForward();
    else
        view->goBack();
}

} // namespace

void TForm1::Image6Click()
{
    step(*this, false);
}

void TForm1::Image7Click()
{
    step(*this, true);
}

void TForm1::DirectoryListBox1Click()
{
    const QString selected = DirectoryListBox1->selectedPath();
    // Only the data root and its folders open as page folders: a folder
    // elsewhere (a link out of the root too) would get the program's files.
    if (selected.isEmpty() || !commands::isInsideFolder(selected, RootFolder))
        return;
    DirectoryListBox1->openSelected();
    SelectedFolder = selected;
    SpeedButton21->setHint(SelectedFolder + QStringLiteral("フォルダ を開く"));
    SpeedButton1->setHint(SelectedFolder + QStringLiteral("フォルダ をデスクトップの【") + ExeBaseName
                          + QStringLiteral("】の中にコピー"));
    KRNcommand(QStringLiteral("DIR ") + SelectedFolder);
}
