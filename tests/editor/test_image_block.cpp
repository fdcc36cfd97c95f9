// The image block without a window: names and sizes, the frame and the
// width slider, loading a picture, the five layouts and the saved copy that
// brings the last picture back after a switch to text only.
#include "editor/image_buttons.h"
#include "picture_test_support.h"

using namespace editor;

TEST_F(PictureTest, NamesAndMeasuredSizes)
{
    EXPECT_EQ(DefaultImageFileName("/d/1010_apple.html"), QStringLiteral("apple.bmp"));
    EXPECT_EQ(DefaultImageFileName("/d/index.html"), QStringLiteral("index.bmp"));
    EXPECT_EQ(DefaultImageFileName("/d/notes_.html"), QStringLiteral("notes_.bmp"));
    EXPECT_EQ(DefaultImageFileName("/d/a_b_c.html"), QStringLiteral("b_c.bmp"));

    EXPECT_EQ(MeasureImageFile(picture("class1/sea.jpg", 640, 480)), QStringLiteral("640,480"));
    EXPECT_EQ(MeasureImageFile(folder + "/missing.png"), QStringLiteral("0,0"));
    // Names written on Windows lose their letter case.
    picture("class1/Shore.PNG", 30, 20);
    EXPECT_EQ(MeasureImageFile(folder + "/shore.png"), QStringLiteral("30,20"));
    // A file that is no picture counts as missing.
    EXPECT_EQ(MeasureImageFile(tree.write("class1/bad.png", "not a picture")), QStringLiteral("0,0"));
    EXPECT_EQ(MeasureImageFile(tree.write("class1/empty.jpg", "")), QStringLiteral("0,0"));
}

TEST_F(PictureTest, FrameWithoutPictureHasTheLayoutsDefaultSize)
{
    v.Panel6Width = 1001;
    SetLayoutImageCenter(*block);
    EXPECT_EQ(m.GX, QStringLiteral("600"));
    EXPECT_EQ(m.GY, QStringLiteral("400"));
    EXPECT_EQ(v.PanelImage1Left, 200);  // (1001 - 600) div 2, toward zero
    EXPECT_EQ(v.Panel6Height, 400);
    EXPECT_EQ(v.Panel6Align, PanelAlign::Top);

    v.Panel6Width = 500;  // narrower than the frame: the frame sticks out on the left
    SetLayoutImageCenter(*block);
    EXPECT_EQ(v.PanelImage1Left, -50);

    SetLayoutImageLeft(*block);
    EXPECT_EQ(m.GX, QStringLiteral("280"));
    EXPECT_EQ(m.GY, QStringLiteral("340"));
    EXPECT_EQ(v.Panel6Width, 280);
    EXPECT_EQ(v.PanelImage1Left, 0);
    EXPECT_EQ(v.ScrollBar1Min, 16);
    EXPECT_EQ(v.ScrollBar1Max, v.WindowWidth);
    EXPECT_EQ(v.ScrollBar1Position, 280);
    EXPECT_TRUE(v.ScrollBar1Visible);
}

TEST_F(PictureTest, SliderKeepsTheAspectAndRoundsHalvesToEven)
{
    v.WindowWidth = 1000;
    v.Panel6Tag = kLayoutCentre;
    v.Panel6Width = 1000;
    v.ImageAspectRatio = 0.75;
    ScrollBar1Scroll(*block, 320);
    EXPECT_EQ(m.GX, QStringLiteral("320"));
    EXPECT_EQ(m.GY, QStringLiteral("240"));
    EXPECT_EQ(v.Panel6Height, 240);
    EXPECT_EQ(v.PanelImage1Left, 340);

    v.ImageAspectRatio = 0.5;
    ScrollBar1Scroll(*block, 17);  // 8.5
    EXPECT_EQ(m.GY, QStringLiteral("8"));
    ScrollBar1Scroll(*block, 19);  // 9.5
    EXPECT_EQ(m.GY, QStringLiteral("10"));

    ScrollBar1Scroll(*block, 3);
    EXPECT_EQ(m.GX, QStringLiteral("16"));
    ScrollBar1Scroll(*block, 5000);
    EXPECT_EQ(m.GX, QStringLiteral("1000"));
    EXPECT_EQ(m.GY, QStringLiteral("500"));

    v.Panel6Tag = kLayoutRight;
    ScrollBar1Scroll(*block, 200);
    EXPECT_EQ(v.Panel6Width, 200);
    EXPECT_EQ(v.PanelImage1Left, 0);
}

TEST_F(PictureTest, LoadTakesTheOwnSizeOrKeepsATypedOne)
{
    const QString sea = picture("class1/sea.jpg", 640, 480);
    LoadImageIntoEditor(*block, folder + "/nothing.jpg");
    EXPECT_EQ(m.Image1Tag, 0);
    EXPECT_TRUE(m.Gname.isEmpty());
    LoadImageIntoEditor(*block, tree.write("class1/bad.jpg", "garbage"));
    EXPECT_EQ(m.Image1Tag, 0);

    v.Panel6Tag = kLayoutCentre;
    LoadImageIntoEditor(*block, sea);
    EXPECT_EQ(m.Image1Tag, 1);
    EXPECT_EQ(m.GXTag, 1);
    EXPECT_EQ(m.GX, QStringLiteral("640"));
    EXPECT_EQ(m.GY, QStringLiteral("480"));
    EXPECT_EQ(m.Gname, QStringLiteral("sea.jpg"));
    EXPECT_EQ(m.ETAGSRC1, QStringLiteral("<P>"));
    EXPECT_EQ(m.Edit7, QStringLiteral("<IMG src=\"sea.jpg\" width=\"640\" height=\"480\" vspace=\"4\" hspace=\"4\" align=\"center\">"));
    EXPECT_EQ(m.TAIHI2, m.Edit7);
    EXPECT_EQ(m.TAIHI3, QStringLiteral("sea.jpg"));
    EXPECT_DOUBLE_EQ(v.ImageAspectRatio, 0.75);
    EXPECT_FALSE(v.picture.isNull());

    // A size set before the load stays; an existing tag is left alone.
    m.GX = QStringLiteral("320");
    m.GY = QStringLiteral("100");
    LoadImageIntoEditor(*block, sea);
    EXPECT_EQ(m.GX, QStringLiteral("320"));
    EXPECT_DOUBLE_EQ(v.ImageAspectRatio, 100.0 / 320.0);
    EXPECT_EQ(m.Edit7.count(QStringLiteral("width=\"640\"")), 1);

    // What the user typed that is no size means the picture's own.
    for (const char* typed : {"", "0", "12a"}) {
        m.GX = QString::fromLatin1(typed);
        m.GY = QStringLiteral("");
        LoadImageIntoEditor(*block, sea);
        EXPECT_EQ(m.GX, QStringLiteral("640")) << typed;
        EXPECT_EQ(m.GY, QStringLiteral("480")) << typed;
        EXPECT_DOUBLE_EQ(v.ImageAspectRatio, 0.75);
    }
}

TEST_F(PictureTest, LayoutTags)
{
    m.ETAGSRC1 = QStringLiteral("<P align=\"center\">");
    m.Edit7 = QStringLiteral("<IMG src=\"a.png\" width=\"10\" height=\"10\" align=\"center\">");
    SetLayoutImageLeft(*block);
    EXPECT_EQ(m.ETAGSRC1, QStringLiteral("<P>"));
    EXPECT_EQ(m.Edit7, QStringLiteral("<IMG src=\"a.png\" width=\"10\" height=\"10\" align=\"left\">"));
    EXPECT_EQ(v.Panel6Tag, kLayoutLeft);
    EXPECT_EQ(v.pressedPictureLayout, 10);
    EXPECT_TRUE(v.imageToolsEnabled);

    SetLayoutImageCenter(*block);
    EXPECT_EQ(m.ETAGSRC1, QStringLiteral("<P align=\"center\">"));
    EXPECT_EQ(m.Edit7, QStringLiteral("<IMG src=\"a.png\" width=\"10\" height=\"10\" align=\"center\">"));
    SetLayoutImageRight(*block);
    EXPECT_EQ(m.ETAGSRC1, QStringLiteral("<P>"));
    EXPECT_TRUE(m.Edit7.endsWith(QStringLiteral("align=\"right\">")));
    EXPECT_EQ(v.Panel6Align, PanelAlign::Right);

    SetLayoutTable(*block);
    EXPECT_TRUE(m.Edit7.endsWith(QStringLiteral("align=\"right\">")));  // the table changes only the view
    EXPECT_TRUE(v.Panel16Visible);
    EXPECT_TRUE(v.tablePressed);
    EXPECT_FALSE(v.Panel6Visible);
    EXPECT_EQ(v.Panel6Tag, kLayoutNoPicture);

    SetLayoutTextOnly(*block);
    EXPECT_TRUE(m.ETAGSRC1.isEmpty());
    EXPECT_TRUE(m.Edit7.isEmpty());
    EXPECT_FALSE(v.Panel16Visible);
    EXPECT_TRUE(v.textOnlyPressed);
    EXPECT_FALSE(v.imageToolsEnabled);
}

TEST_F(PictureTest, TextOnlyAndBackBringsTheLastPictureWithItsSizeAndLink)
{
    const QString sea = picture("class1/sea.jpg", 640, 480);
    v.Panel6Tag = kLayoutCentre;
    LoadImageIntoEditor(*block, sea);
    ScrollBar1Scroll(*block, 320);
    m.Edit2 = m.Edit3 = QStringLiteral("docs/a.pdf");

    textOnlyButtonUp(*block, false);
    EXPECT_TRUE(m.Gname.isEmpty());
    EXPECT_TRUE(m.Edit7.isEmpty());
    EXPECT_TRUE(m.Edit3.isEmpty());
    EXPECT_EQ(m.Edit2, QStringLiteral("docs/a.pdf"));
    EXPECT_TRUE(v.picture.isNull());

    m.Edit2.clear();
    pictureLayoutClick(*block, kLayoutRight);
    EXPECT_EQ(m.Gname, QStringLiteral("sea.jpg"));
    EXPECT_EQ(m.GX, QStringLiteral("320"));
    EXPECT_EQ(m.GY, QStringLiteral("240"));
    EXPECT_EQ(m.Edit7, QStringLiteral("<IMG src=\"sea.jpg\" width=\"640\" height=\"480\" vspace=\"4\" hspace=\"4\" align=\"right\">"));
    EXPECT_EQ(m.Edit2, QStringLiteral("docs/a.pdf"));
    EXPECT_EQ(m.Edit3, QStringLiteral("docs/a.pdf"));
    EXPECT_FALSE(v.picture.isNull());
    EXPECT_EQ(v.Panel6Width, 320);
}

TEST_F(PictureTest, RestoreWithoutSavedPictureOffersTheDefaultName)
{
    RestoreImageState(*block);
    EXPECT_EQ(m.ETAGSRC1, QStringLiteral("<P>"));
    EXPECT_EQ(m.Edit7, QStringLiteral("<IMG src=\"apple.bmp\" width=\"740\" height=\"600\" vspace=\"4\" hspace=\"4\" align=\"center\">"));
    EXPECT_TRUE(m.Gname.isEmpty());
    ReloadSavedImage(*block);
    EXPECT_EQ(m.Image1Tag, 0);
}

TEST_F(PictureTest, RightClicksEmptyTextsOrGridOnly)
{
    m.Memo4 = m.Memo5 = m.Memo2 = m.Memo1 = m.Memo3 = m.Memo81 = QStringLiteral("x");
    m.Edit7 = QStringLiteral("<IMG src=\"a.png\">");
    textOnlyButtonUp(*block, true);
    EXPECT_TRUE(m.Memo4.isEmpty() && m.Memo5.isEmpty() && m.Memo2.isEmpty());
    EXPECT_EQ(m.Memo1, QStringLiteral("x"));
    EXPECT_FALSE(m.Edit7.isEmpty());
    tableButtonUp(*block, true);
    EXPECT_TRUE(m.Memo3.isEmpty() && m.Memo81.isEmpty());
    EXPECT_EQ(m.Memo1, QStringLiteral("x"));
}
