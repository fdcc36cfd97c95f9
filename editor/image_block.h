#pragma once
// The editor's image block: one picture of the page's folder shown in a frame
// above or beside the text, its IMG and paragraph tags, its display size and
// the width slider, the five layouts (text only, table, picture centred, left
// or right) and the saved copy of the block that lets a layout switch bring
// the last picture back.
//
// The logic works on the page model's fields and on ImageView, the plain
// state of the picture panels, so that it runs and is tested without the
// window; the editor window copies ImageView onto its panels afterwards.

#include "store/page_model.h"

#include <QImage>
#include <QString>
#include <QWidget>
#include <functional>
#include <optional>

namespace editor {

// How the picture panel Panel6 sits in the page area.
enum class PanelAlign { None, Top, Left, Right };

// Layout numbers of Panel6.Tag.
constexpr int kLayoutNoPicture = 0;  // text only or table
constexpr int kLayoutCentre = 1;
constexpr int kLayoutLeft = 2;
constexpr int kLayoutRight = 3;

// Frame sizes while no picture is loaded.
constexpr int kCentreFrameWidth = 600;
constexpr int kCentreFrameHeight = 400;
constexpr int kSideFrameWidth = 280;
constexpr int kSideFrameHeight = 340;
constexpr int kSliderMinimum = 16;

struct ImageView {
    int Panel6Tag = kLayoutNoPicture;
    double ImageAspectRatio = 0.0;  // height / width of the picture or display size
    bool EditorRightClick = false;  // last press on an image or layout button was a right one

    QImage picture;  // what Image1 shows; null when nothing is shown

    bool Panel6Visible = false;
    PanelAlign Panel6Align = PanelAlign::None;
    int Panel6Width = kSideFrameWidth;  // kept by the window while Panel6 is aligned top
    int Panel6Height = kSideFrameHeight;
    int PanelImage1Left = 0;
    int PanelImage1Top = 0;

    bool Panel16Visible = false;     // the cell grid
    bool imageToolsEnabled = false;  // GroupBox3 with SpeedButton1, SpeedButton2, SpeedButton37
    int pressedPictureLayout = 0;    // 10, 11 or 12: the picture-layout button shown pressed
    bool textOnlyPressed = false;    // SpeedButton3
    bool tablePressed = false;       // SpeedButton23

    int ScrollBar1Min = kSliderMinimum;
    int ScrollBar1Max = 1265;
    int ScrollBar1Position = kSliderMinimum;
    bool ScrollBar1Visible = false;
    int WindowWidth = 1265;  // the main window's width fixed at start-up
};

// What became of a file offered to the trash: the user may keep it (no
// message is due then), or the trash may refuse it (the file is named).
enum class TrashOutcome { Moved, Declined, Refused };

// The image block of the page open in the editor, with what its buttons need
// from the window.
struct ImageBlock {
    store::PageModel& m;
    ImageView& v;
    QString pagePath;                         // the window caption: the page's full path
    std::function<void()> syncControls;       // brings the window in line with the fields
    std::function<TrashOutcome(const QString&)> gomi; // to the trash; files::moveToTrash when unset
    QWidget* window = nullptr;                // disabled while the paint program runs

    // The folder of the page: its pictures live there.
    QString folder() const;
    // folder() joined with a bare file name.
    QString inFolder(const QString& name) const;
    void sync() const;
    TrashOutcome trash(const QString& path) const;
};

// ---- names and sizes ----
// Picture name a page gets by default: 1010_apple.html -> apple.bmp,
// index.html -> index.bmp, notes_.html -> notes_.bmp.
QString DefaultImageFileName(const QString& pagePath);
// "640,480"; "0,0" for a missing file or one that does not decode.
QString MeasureImageFile(const QString& path);
// The picture when the file exists and decodes (exact name, then letter case
// ignored); a null image otherwise.
QImage decodePictureFile(const QString& path);
// A display size the user typed: digits only and above zero, else nothing.
std::optional<int> displayDimension(const QString& text);
// The IMG tag a loaded picture gets: align from the layout number.
QString imageAlignFor(int layout);

// ---- layouts ----
void SetLayoutImageLeft(ImageBlock& b);
void SetLayoutImageCenter(ImageBlock& b);
void SetLayoutImageRight(ImageBlock& b);
void SetLayoutTextOnly(ImageBlock& b);
void SetLayoutTable(ImageBlock& b);

// ---- frame and slider ----
void SizeImagePanel(ImageBlock& b, int mode);
// A move of the width slider by the user.
void ScrollBar1Scroll(ImageBlock& b, int position);
// Centres the frame in Panel6 (after Panel6's width changed).
void centreImageFrame(ImageView& v, int frameWidth);

// ---- loading and the saved copy ----
void LoadImageIntoEditor(ImageBlock& b, const QString& path);
void SaveImageState(ImageBlock& b);
void ClearImageState(ImageBlock& b);
void RestoreImageState(ImageBlock& b);
void ReloadSavedImage(ImageBlock& b);

} // namespace editor
