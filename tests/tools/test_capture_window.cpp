// Drawing on the main window: start and reopen, strokes, the pen menu,
// wiping, leaving, saving and the viewer, with browser stand-ins.
#include "viewer/page_display_fixture.h"

#include "platform/picture.h"
#include "tools/capture.h"
#include "tools/capture_print_bindings.h"
#include "tools/drawing.h"
#include "support/temp_tree.h"
#include "support/mouse_click.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QClipboard>
#include <QGuiApplication>
#include <QImage>

namespace {

class DrawingTest : public PageDisplayTest {
protected:
    TForm1& startDrawingWindow()
    {
        writePage("1010_intro.html", "intro");
        writePage("1020_next.html", "next");
        TForm1& w = start();
        tools::bindCapturePrint(w);
        return w;
    }
    static void rightClick(QWidget* button) { clickMouse(button, QPointF(3, 3), Qt::RightButton); }
    static QRgb surfacePixel(TForm1& w, int x, int y) { return w.Image11->picture().toImage().pixel(x, y); }
    static bool isRed(QRgb c) { return qRed(c) > 230 && qGreen(c) < 100 && qBlue(c) < 100; }
};

} // namespace

TEST_F(DrawingTest, NewDrawingFreezesThePageAreaAndKeepsItBesideThePage)
{
    TForm1& w = startDrawingWindow();
    w.SpeedButton19->click();
    const QString drawing = rootFile("_%intro.bmp");
    EXPECT_EQ(w.DrawSavePath, drawing);
    EXPECT_EQ(w.ViewerImagePath, drawing);
    ASSERT_TRUE(QFileInfo::exists(drawing));
    EXPECT_EQ(platform::pictureSize(drawing), QSize(w.kabe->width() - 2, w.kabeBrowser->height() - 2));
    EXPECT_TRUE(w.Panel10->visible());
    EXPECT_FALSE(w.Panel1->visible());
    EXPECT_FALSE(w.SpeedButton19->visible());
    EXPECT_TRUE(w.SpeedButton8->visible());
    EXPECT_TRUE(w.SpeedButton22->visible());
    EXPECT_FALSE(w.Timer5->enabled()); // the patrol waits while drawing
    EXPECT_EQ(w.Image11->picture().size(), w.Image1->picture().size());
    EXPECT_FALSE(QGuiApplication::clipboard()->image().isNull());
}

TEST_F(DrawingTest, StrokesAreRoundAndFiveWideUntilAThickPenIsChosen)
{
    TForm1& w = startDrawingWindow();
    tools::StartScreenDrawing(w, false);
    tools::Image11MouseMove(w, QPoint(10, 30), false); // no button: only follows
    tools::Image11MouseMove(w, QPoint(60, 30), true);
    EXPECT_EQ(w.PenWidth, 5);
    EXPECT_TRUE(isRed(surfacePixel(w, 35, 30)));
    EXPECT_TRUE(isRed(surfacePixel(w, 35, 31)));
    EXPECT_FALSE(isRed(surfacePixel(w, 35, 36)));
    EXPECT_FALSE(isRed(surfacePixel(w, 35, 10))); // the move without a button drew nothing

    w.N16->click();
    w.N11->click();
    tools::Image11MouseMove(w, QPoint(10, 100), false);
    tools::Image11MouseMove(w, QPoint(60, 100), true);
    const QRgb thick = surfacePixel(w, 35, 108);
    EXPECT_TRUE(qBlue(thick) > 230 && qRed(thick) < 50);
    EXPECT_EQ(w.N19->caption(), QStringLiteral("画面の青色を消す"));
}

TEST_F(DrawingTest, WipingRemovesThePenColourAndLeavingKeepsTheDrawing)
{
    TForm1& w = startDrawingWindow();
    w.SpeedButton19->click();
    tools::Image11MouseMove(w, QPoint(10, 30), false);
    tools::Image11MouseMove(w, QPoint(60, 30), true);
    w.N10->click();
    w.N19->click();
    // Nothing of the stroke is left, not even its edges.
    for (int y = 20; y <= 40; ++y)
        EXPECT_EQ(surfacePixel(w, 35, y), surfacePixel(w, 5, y)) << y;
    EXPECT_EQ(w.Image1->picture().toImage().pixel(35, 30), surfacePixel(w, 35, 30));

    tools::Image11MouseMove(w, QPoint(10, 50), false);
    tools::Image11MouseMove(w, QPoint(60, 50), true);
    w.SpeedButton8->click(); // left: keep the drawing, back to the page
    EXPECT_TRUE(w.SpeedButton19->visible());
    EXPECT_FALSE(w.SpeedButton8->visible());
    EXPECT_FALSE(w.Panel10->visible());
    const QImage kept = platform::loadPicture(rootFile("_%intro.bmp"));
    EXPECT_TRUE(isRed(kept.pixel(35, 50)));

    // A right click on the draw button brings the same drawing back.
    rightClick(w.SpeedButton19);
    EXPECT_TRUE(isRed(surfacePixel(w, 35, 50)));
    rightClick(w.SpeedButton8); // discarded: the plain capture again
    EXPECT_FALSE(isRed(platform::loadPicture(rootFile("_%intro.bmp")).pixel(35, 50)));
}

TEST_F(DrawingTest, ReopenWithoutADrawingStartsANewOne)
{
    TForm1& w = startDrawingWindow();
    tools::StartScreenDrawing(w, true);
    EXPECT_TRUE(QFileInfo::exists(rootFile("_%intro.bmp")));
    EXPECT_TRUE(w.Panel10->visible());
}

TEST_F(DrawingTest, DrawingOnAWebPageNeverOverwritesTheLastPagesDrawing)
{
    TForm1& w = startDrawingWindow();
    w.ShownUrl = QStringLiteral("https://example.com/a.html");
    tools::StartScreenDrawing(w, false);
    EXPECT_EQ(w.DrawSavePath, files::joinPath(w.WorkFolder, QStringLiteral("_%web.bmp")));
    EXPECT_TRUE(QFileInfo::exists(w.DrawSavePath));
    EXPECT_FALSE(QFileInfo::exists(rootFile("_%intro.bmp")));
}

TEST_F(DrawingTest, AWebPagesDrawingIsNotWrittenThroughAWorkFolderLinkedOutOfTheDataRoot)
{
    TempTree outside;
    QDir().mkpath(root());
    ASSERT_FALSE(dir.symlink(QStringLiteral("Pagora.data/00_RESUME"), outside.path()).isEmpty());
    TForm1& w = startDrawingWindow();
    w.ShownUrl = QStringLiteral("https://example.com/a.html");
    tools::StartScreenDrawing(w, false);
    tools::LeaveScreenDrawing(w, true);
    EXPECT_TRUE(outside.list(QString()).isEmpty()) << outside.list(QString()).join(' ').toStdString();
}

TEST_F(DrawingTest, PenMenuOpensOncePerPressPosition)
{
    TForm1& w = startDrawingWindow();
    EXPECT_EQ(w.PopupMenu1->item(0)->caption(), QStringLiteral("ビュアで表示"));
    EXPECT_EQ(w.N19->caption(), QStringLiteral("赤い部分だけ消去"));
    tools::OpenPenMenu(w, 12, 5, QPoint(100, 100));
    EXPECT_EQ(w.PopupMenu1->popupCount(), 1);
    EXPECT_EQ(w.N18->caption(), QStringLiteral("元ファイルをビュアで表示"));
    EXPECT_EQ(w.PenLastPoint, QPoint(12, 5));
    tools::OpenPenMenu(w, 12, 40, QPoint(100, 100));
    EXPECT_EQ(w.PopupMenu1->popupCount(), 1);
    tools::StartScreenDrawing(w, false);
    tools::OpenPenMenu(w, 13, 40, QPoint(100, 100));
    EXPECT_EQ(w.PopupMenu1->popupCount(), 2);
    EXPECT_EQ(w.N18->caption(), QStringLiteral("ビュアで表示"));
}

TEST_F(DrawingTest, SavingACaptureWritesWhatTheNameAsksFor)
{
    TForm1& w = startDrawingWindow();
    const QString png = files::joinPath(dir.path(), QStringLiteral("shot.PNG"));
    platform::setNextFileName(png);
    w.SpeedButton20->click();
    EXPECT_TRUE(files::readBytes(png).value_or(QByteArray()).startsWith("\x89PNG"));
    const QString bmp = files::joinPath(dir.path(), QStringLiteral("shot.BMP"));
    platform::setNextFileName(bmp);
    w.SpeedButton20->click();
    EXPECT_TRUE(files::readBytes(bmp).value_or(QByteArray()).startsWith("BM"));
    const QString bare = files::joinPath(dir.path(), QStringLiteral("bare"));
    platform::setNextFileName(bare);
    w.SpeedButton20->click();
    EXPECT_TRUE(QFileInfo::exists(bare + QStringLiteral(".bmp")));

    // A save that fails says so.
    platform::clearEvents();
    platform::setNextFileName(files::joinPath(dir.path(), QStringLiteral("gone/x.jpg")));
    w.SpeedButton20->click();
    ASSERT_FALSE(platform::events().isEmpty());
    EXPECT_EQ(platform::events().last().kind, QStringLiteral("message"));
    EXPECT_TRUE(platform::events().last().text.startsWith(QStringLiteral("画像を保存できませんでした。")));
}

TEST_F(DrawingTest, DrawingSurfaceSavesUnderThePagesName)
{
    TForm1& w = startDrawingWindow();
    tools::StartScreenDrawing(w, false);
    const QString jpg = files::joinPath(dir.path(), QStringLiteral("d.jpg"));
    platform::clearEvents();
    platform::setNextFileName(jpg);
    w.N15->click();
    ASSERT_FALSE(platform::events().isEmpty());
    EXPECT_EQ(platform::events().first().kind, QStringLiteral("save"));
    EXPECT_EQ(platform::events().first().args.value(0), rootFile("1010_intro.bmp"));
    EXPECT_FALSE(platform::loadPicture(jpg).isNull());
}

TEST_F(DrawingTest, ViewerShowsTheSavedDrawingFullScreen)
{
    TForm1& w = startDrawingWindow();
    tools::StartScreenDrawing(w, false);
    tools::Image11MouseMove(w, QPoint(10, 30), false);
    tools::Image11MouseMove(w, QPoint(60, 30), true);
    platform::clearEvents();
    w.N18->click();
    EXPECT_TRUE(isRed(platform::loadPicture(rootFile("_%intro.bmp")).pixel(35, 30)));
    ASSERT_EQ(platform::events().size(), 1);
    EXPECT_EQ(platform::events().first().kind, QStringLiteral("modal"));
    EXPECT_EQ(platform::events().first().text, QStringLiteral("PictureViewer"));
}

TEST_F(DrawingTest, ZoomDoublesTheCaptureAroundTheClick)
{
    TForm1& w = startDrawingWindow();
    QImage marked(w.kabe->width(), w.kabe->height(), QImage::Format_RGB888);
    marked.fill(Qt::white);
    marked.setPixel(w.kabe->width() / 2, w.kabe->height() / 2, qRgb(0, 0, 0));
    w.Image1->setPicture(QPixmap::fromImage(marked));
    tools::Image1Click(w, w.kabe->width() / 2, w.kabe->height() / 2);
    const QImage zoomed = w.Image1->picture().toImage();
    EXPECT_EQ(zoomed.size(), QSize(w.kabe->width(), w.kabe->height()));
    // The one black pixel is now about two pixels wide around the same place.
    EXPECT_LT(qRed(zoomed.pixel(w.kabe->width() / 2, w.kabe->height() / 2)), 200);
    EXPECT_EQ(QGuiApplication::clipboard()->image().size(), zoomed.size());
}
