#pragma once
// Presentation mode: the cover over the whole main window (left press on
// SpeedButton4), the maximized window with the black mask TForm11 whose hole
// shows only the pages (right press, or the File menu), and page turns by
// clicks on the mask.

#include <QRect>
#include <QString>

class TForm1;

namespace platform {
struct MouseArgs;
}

namespace presentation {

// What the hole in the mask is computed from, in pixels. clientX/clientY:
// where the main window's client area starts in the mask's coordinates.
struct HoleInputs {
    int clientX = 0, clientY = 0;
    int maskHeight = 0, maskClientHeight = 0;
    int baseLeft = 0, baseTop = 0;                                  // kabeBASE
    int kabeLeft = 0, kabeTop = 0, kabeWidth = 0, kabeHeight = 0;   // kabe
    int hyoushiupWidth = 0, kabeRightWidth = 0, kabedownHeight = 0;
};
// The hole in mask coordinates: the pages and their button column.
QRect maskHole(const HoleInputs& in);

// The page turn of a click on one half of the screen: "NEXT" (or "TOP" on
// the last page) for the right half, "BACK" for the left one unless on the
// first page; "" for nothing (also when there is no current page).
QString pageTurn(bool rightHalf, int pban, int pbanSu);

void FormMouseDown(TForm1& w, const platform::MouseArgs& a); // press on SpeedButton4
void N4Click(TForm1& w);       // File menu "プレゼンテーションモード"
void Timer2Timer(TForm1& w);   // one second later: teal colours, the mask
void Panel4MouseUp(TForm1& w); // a click on the cover leaves presentation
void Panel4Resize(TForm1& w);  // the cover's picture stays centred

// Binds SpeedButton4, N4, Timer2 and the cover; makes the cover's picture.
void bindPresentation(TForm1& w);

} // namespace presentation
