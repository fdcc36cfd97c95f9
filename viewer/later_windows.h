#pragma once
// The viewer reaches the windows of the editor and the tools (the search
// window in its LOOK mode, the answer sheet, the sound recorder, the video
// window, the page memo) through this one table, so that its library needs
// none of theirs. Windows are made when first used: the program fills in the
// entries that make them; unfilled (tests), the command does nothing visible.

#include <QPoint>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <QStringList>
#include <functional>

class TForm1;

namespace laterwindows {

// A window of another library that is made when first used. Read as a
// pointer it is the window if it has been made, else nullptr (closing or
// asking one that was never made has nothing to do); orMake() makes it first.
class WindowSlot {
public:
    std::function<QWidget*()> current; // the window, if it has been made
    std::function<QWidget*()> make;    // makes it when needed and returns it

    operator QWidget*() const { return current ? current() : nullptr; }
    QWidget* operator->() const { return *this; }
    QWidget* orMake() const { return make ? make() : static_cast<QWidget*>(*this); }
    // A window that exists already (nullptr: none).
    WindowSlot& operator=(QWidget* window)
    {
        current = [guarded = QPointer<QWidget>(window)]() -> QWidget* { return guarded.data(); };
        make = current;
        return *this;
    }
};

// What the search window found for "LOOK".
struct LookResult {
    QStringList entries;  // paths relative to the current folder (ListBox1)
    QStringList titles;   // their titles (ListBox2)
    QString lastCaption;  // URL of the entry it previewed last (its caption)
    int previewedIndex = -1; // that entry's index in entries; -1: none
};

struct Hooks {
    // "LOOK": the search window in LOOK mode (Tag 1) with Label2 = the
    // upper-cased path of the current entry and Edit1 = word; shown and
    // closed at once. False when the window is not there.
    std::function<bool(const QString& currentEntryPathUpper, const QString& word, LookResult& result)> look;
    // "ANSWER": the answer sheet for the page at pagePath, shown modally.
    std::function<void(const QString& pagePath)> answer;
    // "WAV": records into wavPath (the page's sound recorder).
    std::function<void(const QString& wavPath)> recordSound;
    // A video link: the video window plays url; cursor is the mouse position
    // in the main window's client coordinates.
    std::function<void(const QString& url, const QPoint& cursor)> playVideo;
    // Edits the selected page through the editor's hand-off (the page menu).
    std::function<void()> editCurrentPage;
    // Fills the main window's emptied PageMenu for the current page (the page
    // tools' menu); unset, the menu stays empty.
    std::function<void(TForm1&)> buildPageMenu;

    // The page memo window (Form12): its caption carries the memo state.
    WindowSlot memoWindow;
    // The editor's notes: the memo window shows the text file at path (empty
    // when there is none yet) with path as its caption and save target, not
    // modal, so the editor stays usable. False when it could not be shown.
    std::function<bool(const QString& path)> editNotes;
    // The patrol's memo step: memoPath is the shown file's ".%xt" memo (its
    // path field); reload is set when the memo's time in the caption changed.
    std::function<void(const QString& memoPath, bool reload)> followMemo;
    // The video window (Form6): a caption means a video is open.
    WindowSlot videoWindow;
};

// The one table; windows assign their entries, the page commands call them.
Hooks& hooks();

} // namespace laterwindows
