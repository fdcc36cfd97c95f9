// Buttons: the right-button flag taken at the press, the click at release,
// keyboard on bitmap buttons, and menus.
#include "platform/controls.h"
#include "platform/seam.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QMouseEvent>

#include <type_traits>

using namespace platform;

namespace {

void mouse(QWidget* w, QEvent::Type type, Qt::MouseButton button, Qt::MouseButtons held,
           QPoint at = QPoint(5, 5))
{
    QMouseEvent e(type, QPointF(at), QPointF(w->mapToGlobal(at)), button, held, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

void press(QWidget* w, Qt::MouseButton b) { mouse(w, QEvent::MouseButtonPress, b, b); }
void release(QWidget* w, Qt::MouseButton b, QPoint at = QPoint(5, 5))
{
    mouse(w, QEvent::MouseButtonRelease, b, Qt::NoButton, at);
}

void key(QWidget* w, QEvent::Type type, int k, const QString& text = QString())
{
    QKeyEvent e(type, k, Qt::NoModifier, text);
    QApplication::sendEvent(w, &e);
}

struct Recorder {
    QStringList events;
    void bind(Control* c)
    {
        c->onMouseDown = [this](const MouseArgs& a) {
            events << QString("down:%1").arg(a.rightHeld ? "right" : "left");
        };
        c->onMouseUp = [this](const MouseArgs&) { events << "up"; };
        c->onClick = [this] { events << "click"; };
    }
};

// A right click, then a left click, on a control 5 pixels in.
QStringList rightThenLeftClick(Control* c)
{
    Recorder r;
    r.bind(c);
    press(c, Qt::RightButton);
    release(c, Qt::RightButton);
    press(c, Qt::LeftButton);
    release(c, Qt::LeftButton);
    c->onMouseDown = nullptr; // the recorder goes now
    c->onMouseUp = nullptr;
    c->onClick = nullptr;
    return r.events;
}

} // namespace

TEST(SpeedButtonTest, RightReleaseClicksOnlyAButtonWithARightAction)
{
    SpeedButton b(nullptr, "SpeedButton11");
    b.setBounds(0, 0, 60, 24);
    EXPECT_EQ(rightThenLeftClick(&b), QStringList({"down:right", "up", "down:left", "up", "click"}));
    b.setRightButtonClicks(true);
    EXPECT_EQ(rightThenLeftClick(&b), QStringList({"down:right", "up", "click", "down:left", "up", "click"}));
}

TEST(SpeedButtonTest, RightPressIsRecordedAndTheReleaseClicks)
{
    SpeedButton b(nullptr, "SpeedButton7");
    b.setRightButtonClicks(true);
    b.setBounds(0, 0, 60, 24);
    Recorder r;
    bool rightAtClick = false;
    r.bind(&b);
    b.onClick = [&] {
        r.events << "click";
        rightAtClick = b.rightPressed();
    };

    press(&b, Qt::RightButton);
    EXPECT_TRUE(b.rightPressed());
    EXPECT_EQ(r.events, QStringList({"down:right"})) << "nothing acts at the press but the down handler";
    release(&b, Qt::RightButton);
    EXPECT_EQ(r.events, QStringList({"down:right", "up", "click"}));
    EXPECT_TRUE(rightAtClick);

    r.events.clear();
    press(&b, Qt::LeftButton);
    EXPECT_FALSE(b.rightPressed());
    release(&b, Qt::LeftButton);
    EXPECT_EQ(r.events, QStringList({"down:left", "up", "click"}));
    EXPECT_FALSE(rightAtClick);
}

TEST(SpeedButtonTest, ReleaseOutsideOrDisabledDoesNotClick)
{
    SpeedButton b(nullptr, "SpeedButton2");
    b.setBounds(0, 0, 60, 24);
    int clicks = 0;
    b.onClick = [&] { ++clicks; };
    press(&b, Qt::LeftButton);
    release(&b, Qt::LeftButton, QPoint(200, 5));
    EXPECT_EQ(clicks, 0);
    b.setEnabled(false);
    press(&b, Qt::LeftButton);
    release(&b, Qt::LeftButton);
    EXPECT_EQ(clicks, 0);
}

TEST(SpeedButtonTest, TakesNoFocusAndKeepsGlyphAndTwoLines)
{
    SpeedButton b(nullptr, "SpeedButton12");
    EXPECT_EQ(b.focusPolicy(), Qt::NoFocus);
    QPixmap glyph(16, 16);
    glyph.fill(Qt::red);
    b.setGlyph(glyph);
    b.setLayout(GlyphLayout::Right);
    b.setCaption("巡回中止");
    b.setHint("公開ファイルのチェック");
    EXPECT_EQ(b.glyph().size(), QSize(16, 16));
    EXPECT_EQ(b.toolTip(), "公開ファイルのチェック");
    b.setBounds(0, 0, 120, 40);
    b.setCaption("一行目\r二行目");
    EXPECT_FALSE(b.grab().isNull()); // paints two lines with a glyph
}

TEST(SpeedButtonTest, GroupedButtonsAreExclusive)
{
    Panel p(nullptr, "bar");
    auto* a = new SpeedButton(&p, "a");
    auto* b = new SpeedButton(&p, "b");
    a->setGroupIndex(1);
    b->setGroupIndex(1);
    a->click();
    EXPECT_TRUE(a->down());
    b->click();
    EXPECT_TRUE(b->down());
    EXPECT_FALSE(a->down());
    auto* loose = new SpeedButton(&p, "loose");
    loose->setDown(true);
    EXPECT_FALSE(loose->down()) << "a button outside a group never stays down";
}

TEST(BitBtnTest, MouseDownSeesBothButtonsClickOnlyLeft)
{
    BitBtn b(nullptr, "page3");
    b.setBounds(0, 0, 200, 40);
    EXPECT_EQ(rightThenLeftClick(&b), QStringList({"down:right", "up", "down:left", "up", "click"}));
    EXPECT_FALSE(b.rightPressed()) << "the flag follows the last press";
    press(&b, Qt::RightButton);
    EXPECT_TRUE(b.rightPressed());
}

TEST(BitBtnTest, APressEndsWhicheverWayItEnds)
{
    BitBtn b(nullptr, "page3");
    b.setBounds(0, 0, 200, 40);
    b.show();
    int clicks = 0;
    b.onClick = [&] { ++clicks; };
    press(&b, Qt::RightButton); // its release goes to a pop-up menu
    EXPECT_TRUE(b.isPressed());
    mouse(&b, QEvent::MouseMove, Qt::NoButton, Qt::NoButton); // back over the button, nothing held
    EXPECT_FALSE(b.isPressed());

    press(&b, Qt::RightButton);
    press(&b, Qt::LeftButton); // the right button is no longer held: a new press
    release(&b, Qt::LeftButton);
    EXPECT_FALSE(b.isPressed());
    EXPECT_EQ(clicks, 1);

    press(&b, Qt::RightButton);
    b.hide();
    b.show();
    EXPECT_FALSE(b.isPressed()) << "shown again, it looks new";
    press(&b, Qt::RightButton);
    b.endPress();
    EXPECT_FALSE(b.isPressed());
}

// Pictures are read through the picture module, which bounds what it decodes.
template <class T, class = void>
struct ReadsPicturesItself : std::false_type {};
template <class T>
struct ReadsPicturesItself<T, std::void_t<decltype(std::declval<T&>().loadPicture(QString()))>> : std::true_type {};
static_assert(!ReadsPicturesItself<platform::Image>::value, "an Image control reads no file itself");

TEST(BitBtnTest, KeysReachKeyPressAndSpaceClicks)
{
    BitBtn b(nullptr, "page0");
    EXPECT_EQ(b.focusPolicy(), Qt::StrongFocus);
    QList<int> keys;
    int clicks = 0;
    b.onKeyPress = [&](int k) { keys << k; };
    b.onClick = [&] { ++clicks; };
    key(&b, QEvent::KeyPress, Qt::Key_Space, " ");
    key(&b, QEvent::KeyRelease, Qt::Key_Space, " ");
    key(&b, QEvent::KeyPress, Qt::Key_Escape);
    key(&b, QEvent::KeyPress, Qt::Key_A, "a");
    EXPECT_EQ(keys, QList<int>({32, 27, 'a'}));
    EXPECT_EQ(clicks, 1);
}

TEST(BitBtnTest, KeyDownHandlerSeesTabBeforeFocusMoves)
{
    QWidget window;
    auto* first = new BitBtn(&window, "first");
    auto* second = new BitBtn(&window, "second");
    Q_UNUSED(second);
    int tabs = 0;
    first->onKeyDown = [&](QKeyEvent* e) {
        if (e->key() != Qt::Key_Tab)
            return false;
        ++tabs;
        return true;
    };
    key(first, QEvent::KeyPress, Qt::Key_Tab);
    EXPECT_EQ(tabs, 1);
}

TEST(BitBtnTest, ModalResultClosesTheDialog)
{
    QDialog dialog;
    auto* cancel = new BitBtn(&dialog, "BitBtn2");
    cancel->setModalResult(mrCancel);
    cancel->setCaption("閉じる");
    int clicked = 0;
    cancel->onClick = [&] { ++clicked; };
    dialog.setResult(99);
    cancel->click();
    EXPECT_EQ(clicked, 1);
    EXPECT_EQ(dialog.result(), QDialog::Rejected);

    auto* ok = new BitBtn(&dialog, "BitBtn4");
    ok->setModalResult(mrOk);
    ok->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

TEST(PanelMouse, DownReportsRightHeldAndLeftReleaseClicks)
{
    Panel p(nullptr, "Panel1");
    p.setBounds(0, 0, 100, 100);
    EXPECT_EQ(rightThenLeftClick(&p), QStringList({"down:right", "up", "down:left", "up", "click"}));
}

TEST(PopupMenuTest, NamedItemsNestedItemsAndClicks)
{
    setTestMode(true);
    QWidget owner;
    PopupMenu menu(&owner, "PopupMenu2");
    menu.add("Pagora1", "【使い方】");
    MenuItem* n2 = menu.add("N2", "新規ページ作成");
    MenuItem* n8 = n2->add("N8", "上に作成");
    n2->add("N9", "下に作成");
    menu.addSeparator("N5");
    QString chosen;
    n8->onClick = [&] { chosen = "N8"; };

    EXPECT_EQ(menu.count(), 3);
    EXPECT_EQ(menu.find("N8"), n8);
    EXPECT_TRUE(menu.item(2)->isSeparator());
    EXPECT_EQ(menu.item(2)->caption(), "-");
    EXPECT_TRUE(menu.item(2)->action()->text().isEmpty()) << "a separator shows only its line";
    n8->setVisible(false);
    EXPECT_FALSE(n8->visible());
    n8->action()->trigger();
    EXPECT_EQ(chosen, "N8");

    menu.find("N9")->setCaption("下に");
    EXPECT_EQ(menu.find("N9")->caption(), "下に");

    menu.popup(QPoint(10, 520));
    EXPECT_EQ(menu.popupCount(), 1);
    EXPECT_EQ(menu.lastPopupPoint(), QPoint(10, 520));
    EXPECT_FALSE(menu.isOpen()) << "test mode shows nothing";

    menu.clear();
    EXPECT_EQ(menu.count(), 0);
    EXPECT_EQ(menu.find("N8"), nullptr);
    EXPECT_TRUE(menu.menu()->actions().isEmpty());
}

TEST(CaptionFit, TwoLinesShrinkToAShortButtonAndShortCaptionsKeepTheirSize)
{
    const QFont nine(QStringLiteral("ＭＳ ゴシック"), 9);
    const QStringList twoLines{QStringLiteral("0010 はじめに"), QStringLiteral("　説明のページ")};
    const QFont fitted = fitCaptionFont(nine, twoLines, QSize(196, 24));
    const QFontMetrics fm(fitted);
    EXPECT_LE(fm.lineSpacing() * 2, 24);
    EXPECT_LE(fm.horizontalAdvance(twoLines.at(1)), 196);
    EXPECT_EQ(fitCaptionFont(nine, {QStringLiteral("OK")}, QSize(200, 40)).pointSizeF(), 9.0);
    // Nothing fits a button of no size: the smallest size, never a loop.
    EXPECT_EQ(fitCaptionFont(nine, twoLines, QSize(0, 0)).pointSizeF(), 5.0);
}
