// The way home: back to the data root's first page (the return button, the
// "HOME" command, a shown file that has gone), and up one list level at the
// end of a list.
#include "viewer/main_window.h"

#include "viewer/page_buttons.h"

namespace {

// Marks a way home in progress for as long as it runs, so that a data root
// whose first page cannot be shown ends in the placeholder page instead of
// another way home.
class GoingHome {
public:
    explicit GoingHome(bool& flag) : flag_(flag), before_(flag) { flag_ = true; }
    ~GoingHome() { flag_ = before_; }
    GoingHome(const GoingHome&) = delete;
    GoingHome& operator=(const GoingHome&) = delete;

private:
    bool& flag_;
    bool before_;
};

} // namespace

void TForm1::GoHome()
{
    const GoingHome going(GoHomeRunning);
    HighlightCurrent = 1;
    viewer::discardPageButtons(*this);
    levels.clear();
    setCurrentFolder(RootFolder);
    OpenFolder(RootFolder, 0, true);
    BuildPageButtons();
    DrawingMode = 0;
    SetDrawingLayout(0);
    DirectoryListBox1->setDirectory(RootFolder);
    PageClick(0, true);
}

void TForm1::GoUpLevel()
{
    HighlightCurrent = 1;
    PopLevel();
    ReMake();
}

void TForm1::hTOPMouseDown(bool rightHeld)
{
    RightClickFlag = rightHeld;
}

void TForm1::modoruMouseUp()
{
    if (RightClickFlag) {
        GoHome();
    } else {
        SearchCacheKey = QStringLiteral("xxx");
        GoHome();
        kabeRightResize();
        ArrangeToolbar();
    }
    SelectedFolder = CurrentFolder();
    SpeedButton21->setHint(SelectedFolder + QStringLiteral("フォルダ を開く"));
    SpeedButton1->setHint(SelectedFolder + QStringLiteral("フォルダ をデスクトップの【") + ExeBaseName
                          + QStringLiteral("】の中にコピー"));
}

void TForm1::bindPageDisplayEvents()
{
    Timer5->onTimer = [this] { Timer5Timer(); };
    Timer6->onTimer = [this] { Timer6Timer(); };
    SpeedButton12->onClick = [this] { SpeedButton12Click(); };
    SpeedButton17->onMouseDown = [this](const platform::MouseArgs& a) { hTOPMouseDown(a.rightHeld); };
    SpeedButton17->onMouseUp = [this](const platform::MouseArgs&) { modoruMouseUp(); };
    // The buttons are anchored left, top and right: they follow the column's width.
    ScrollBox1->onResize = [this] { viewer::stylePageButtons(*this, HighlightCurrent == 1); };
}
