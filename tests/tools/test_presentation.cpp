// Presentation mode: the cover, the mask with its hole and its page turns,
// leaving it, and the memo window kept hidden meanwhile.
#include "media_window_fixture.h"

#include "tools/presentation.h"

#include <QCoreApplication>
#include <QScreen>

using namespace presentation;

namespace {

const QColor kTeal(0, 128, 128);

platform::MouseArgs press(Qt::MouseButton button, int x, int y)
{
    platform::MouseArgs a;
    a.button = button;
    a.buttons = button;
    a.x = x;
    a.y = y;
    a.rightHeld = button == Qt::RightButton;
    return a;
}

class PresentationTest : public MediaWindowTest {
protected:
    void SetUp() override
    {
        MediaWindowTest::SetUp();
        for (const char* name : {"a.html", "b.html", "c.html"})
            writePage(QString::fromLatin1(name), QString::fromLatin1(name));
    }
    void clickMask(int x, int y) { Form11->FormMouseDown(press(Qt::LeftButton, x, y)); }
};

} // namespace

TEST(PageTurn, HalvesOfTheScreenTurnThePages)
{
    EXPECT_EQ(pageTurn(true, 0, 3), QStringLiteral("NEXT"));
    EXPECT_EQ(pageTurn(true, 2, 3), QStringLiteral("TOP")); // on the last page
    EXPECT_EQ(pageTurn(false, 2, 3), QStringLiteral("BACK"));
    EXPECT_EQ(pageTurn(false, 0, 3), QString()); // nothing before the first page
    EXPECT_EQ(pageTurn(true, -1, 0), QString());
    EXPECT_EQ(pageTurn(true, 5, 3), QString()); // an index past the list turns nothing
}

TEST(MaskHole, LiesOverThePagesAndTheirButtons)
{
    HoleInputs in;
    in.clientX = 0;
    in.clientY = 30;
    in.maskHeight = in.maskClientHeight = 768;
    in.baseLeft = 50;
    in.baseTop = 0;
    in.kabeLeft = 200;
    in.kabeTop = 0;
    in.kabeWidth = 800;
    in.kabeHeight = 700;
    in.hyoushiupWidth = 200;
    in.kabeRightWidth = 220;
    in.kabedownHeight = 25;
    const QRect hole = maskHole(in);
    EXPECT_EQ(hole.left(), 48);
    EXPECT_EQ(hole.top(), 26);
    EXPECT_EQ(hole.right() + 1, 220 + 50 + 800 + 200 - 2);
    EXPECT_EQ(hole.bottom() + 1, 700 + 25 - 4);
}

TEST_F(PresentationTest, CoverThenMaskAndLeavingByTheCover)
{
    TForm1& w = startBound();
    Form12->show();
    w.SpeedButton4->onMouseDown(press(Qt::LeftButton, 3, 3));
    EXPECT_TRUE(w.windowState() & Qt::WindowMaximized);
    EXPECT_TRUE(w.Panel4->visible());
    EXPECT_EQ(w.Panel4->tag(), 1);
    EXPECT_EQ(w.Panel4->align(), platform::Align::Client);
    EXPECT_FALSE(Form12->isVisible());
    EXPECT_TRUE(w.Timer2->enabled());
    EXPECT_EQ(w.Timer2->interval(), 1000);
    EXPECT_EQ(Form11->Tag, 0);

    w.Timer2->fire();
    EXPECT_FALSE(w.Timer2->enabled());
    EXPECT_EQ(w.Panel4->color(), kTeal);
    EXPECT_EQ(Form11->color(), kTeal);
    EXPECT_EQ(Form11->Tag, 1);
    EXPECT_TRUE(Form11->isVisible());
    EXPECT_FALSE(Form11->mask().isEmpty());

    w.Panel4->onMouseUp(press(Qt::LeftButton, 10, 10));
    EXPECT_FALSE(w.Panel4->visible());
    EXPECT_EQ(Form11->Tag, 0);
    EXPECT_FALSE(Form11->isVisible());
    EXPECT_EQ(Form11->size(), QSize(10, 10)); // shrunk when it closed
    EXPECT_FALSE(w.windowState() & Qt::WindowMaximized);
}

TEST_F(PresentationTest, ClicksOnTheMaskTurnPagesAndTheTopStripLeaves)
{
    TForm1& w = startBound();
    w.SpeedButton4->onMouseDown(press(Qt::RightButton, 3, 3)); // on the first page: no turn
    EXPECT_EQ(w.PBan(), 0);
    EXPECT_FALSE(w.Panel4->visible());
    w.Timer2->fire();
    ASSERT_TRUE(Form11->isVisible());
    QCoreApplication::processEvents(); // the window system maximizes it
    const int half = Form11->width() / 2;
    ASSERT_GT(half, 20);

    clickMask(half - 1, 100); // left half on the first page: nothing
    EXPECT_EQ(w.PBan(), 0);
    clickMask(half, 100); // exactly half way counts as the right half
    EXPECT_EQ(w.PBan(), 1);
    clickMask(half + 10, 100);
    EXPECT_EQ(w.PBan(), 2);
    clickMask(half + 10, 100); // the last page goes to the top
    EXPECT_EQ(w.PBan(), 0);

    Form11->FormMouseDown(press(Qt::RightButton, 5, 100)); // closes the mask only
    EXPECT_FALSE(Form11->isVisible());
    EXPECT_EQ(Form11->Tag, 1);
    EXPECT_TRUE(w.windowState() & Qt::WindowMaximized);

    Form11->show();
    clickMask(half + 10, 39); // the top strip leaves presentation
    EXPECT_FALSE(Form11->isVisible());
    EXPECT_EQ(Form11->Tag, 0);
    EXPECT_EQ(w.PBan(), 0);
    EXPECT_FALSE(w.windowState() & Qt::WindowMaximized);
}

TEST_F(PresentationTest, RightPressOnALaterPageGoesBackOnce)
{
    TForm1& w = startBound();
    showPage(w, 2);
    w.SpeedButton4->onMouseDown(press(Qt::RightButton, 3, 3));
    EXPECT_EQ(w.PBan(), 1);
}

TEST_F(PresentationTest, MenuMaximizesWithoutMaskAndKeepsTheMemoHidden)
{
    writeFile(rootFile("a.%xt"), "\xEF\xBB\xBFmemo\r\n");
    TForm1& w = startBound();
    w.N4->click();
    EXPECT_EQ(Form11->Tag, 1);
    EXPECT_TRUE(w.windowState() & Qt::WindowMaximized);
    EXPECT_EQ(w.kabeBASE->align(), platform::Align::Client);
    w.Timer2->fire();
    EXPECT_FALSE(Form11->isVisible());
    EXPECT_EQ(w.Panel4->color(), kTeal);

    w.Timer6->fire(); // the memo state turns to shown, but the mode keeps it hidden
    EXPECT_EQ(w.Tag, 1);
    EXPECT_FALSE(Form12->isVisible());
}

TEST_F(PresentationTest, CoverPictureStaysCentred)
{
    TForm1& w = startBound();
    w.Panel4->setAlign(platform::Align::None);
    w.Panel4->setBounds(0, 0, 1000, 700);
    platform::Image* picture = w.Panel4->findChild<platform::Image*>(QStringLiteral("Image4"));
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture->left(), (1000 - picture->width()) / 2);
    EXPECT_EQ(picture->top(), (700 - picture->height() - 35) / 2);
}

// The bottom-bar button of the cover and of presentation mode carries no
// caption: without a picture it would be an empty spot nobody finds.
TEST_F(PresentationTest, TheCoverButtonShowsAPicture)
{
    TForm1& w = startBound();
    EXPECT_FALSE(w.SpeedButton4->glyph().isNull());
    EXPECT_GE(w.SpeedButton4->glyph().width(), 12);
}

// The mask covers the whole screen even where no window manager maximizes
// it; left at its closed size it would be a black dot in the corner.
TEST_F(PresentationTest, TheMaskCoversTheScreenEachTimeItComesBack)
{
    TForm1& w = startBound();
    for (int round = 0; round < 2; ++round) {
        w.SpeedButton4->onMouseDown(press(Qt::LeftButton, 3, 3));
        w.Timer2->fire();
        ASSERT_TRUE(Form11->isVisible());
        const QScreen* screen = Form11->screen();
        ASSERT_TRUE(screen);
        EXPECT_EQ(Form11->geometry(), screen->geometry()) << round;
        w.Panel4->onMouseUp(press(Qt::LeftButton, 10, 10));
    }
}
