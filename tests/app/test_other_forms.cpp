// The splash window, and the other windows: none is made at start-up; each is
// made, owned by the main window, by the first command that uses it.
#include "viewer/forms/form8.h"
#include "app/other_forms.h"
#include "app/startup_order.h"
#include "editor/edit_hand_off.h"
#include "platform/browser.h"
#include "platform/seam.h"
#include "store/files.h"
#include "support/fake_browser.h"
#include "support/temp_tree.h"
#include "support/wait_for.h"
#include "viewer/later_windows.h"
#include "viewer/main_window.h"

#include <QGuiApplication>
#include <gtest/gtest.h>

namespace {

QStringList modalsShown()
{
    QStringList names;
    for (const auto& e : platform::events())
        if (e.kind == QLatin1String("modal"))
            names << e.text;
    return names;
}

// A window made on its first use: of its own class, owned by the main window.
void expectMadeFor(QWidget* form, const char* className, const TForm1* main)
{
    ASSERT_NE(form, nullptr) << className;
    EXPECT_EQ(QString::fromLatin1(form->metaObject()->className()), QLatin1String(className));
    EXPECT_EQ(form->parentWidget(), main) << className;
    EXPECT_TRUE(form->isWindow()) << className;
}

} // namespace

TEST(OtherForms, NoneAtStartUpEachMadeByItsFirstUse)
{
    platform::useFakeBrowsers(true);
    platform::setTestMode(true);
    TempTree dir;
    ASSERT_TRUE(dir.isValid());
    dir.write(QStringLiteral("tool.data/a.html"), "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01//EN\">\n"
                                               "<html><head><title>A</title></head><body>a</body></html>");
    TForm1* main = app::startWindows({}, dir.path(QStringLiteral("tool")));
    ASSERT_NE(main, nullptr);
    main->ShutdownPauseMs = 0;
    main->pausePatrol();

    const QList<QWidget*> notYet = {Form2, Form3, Form4, Form5, Form6, Form7, Form9, Form10, Form11,
                                    Form13, Form15, Form16, Form17, Form18, Form23};
    for (QWidget* form : notYet)
        EXPECT_EQ(form, nullptr) << form->metaObject()->className();
    EXPECT_EQ(static_cast<QWidget*>(laterwindows::hooks().videoWindow), nullptr);

    // The patrol and the start-up memo timer keep the memo state in the main
    // window: a page without a memo makes no memo window.
    main->Timer6->fire();
    main->Timer5Timer();
    main->pausePatrol();
    EXPECT_EQ(Form12, nullptr);
    EXPECT_EQ(main->MemoCaption, QStringLiteral("白紙"));
    main->RightClickFlag = false;
    main->SpeedButton7->onMouseUp({}); // the memo button shows it, with that state
    expectMadeFor(Form12, "TForm12", main);
    EXPECT_EQ(static_cast<QWidget*>(laterwindows::hooks().memoWindow), Form12);
    EXPECT_EQ(Form12->windowTitle(), QStringLiteral("白紙"));
    EXPECT_EQ(Form12->Edit1, dir.path(QStringLiteral("tool.data/a.%xt")));
    Form12->close();

    platform::clearEvents();
    main->SpeedButton15->click(); // edit the page
    ASSERT_TRUE(waitFor([] { return !editor::editInProgress(); }, 5000));
    expectMadeFor(Form2, "TForm2", main);
    main->Find1->onClick(); // 検索
    expectMadeFor(Form4, "TForm4", main);
    EXPECT_EQ(modalsShown(), (QStringList{QStringLiteral("Form2"), QStringLiteral("Form4")}));

    // The video window, when a page's video link first needs it.
    QWidget* video = laterwindows::hooks().videoWindow.orMake();
    expectMadeFor(Form6, "TForm6", main);
    EXPECT_EQ(video, Form6);
    EXPECT_TRUE(Form6->windowTitle().isEmpty()); // its caption carries the open video

    // The windows go with the main window; nothing keeps a freed one.
    delete main;
    for (QWidget* form : std::initializer_list<QWidget*>{Form2, Form4, Form6, Form12})
        EXPECT_EQ(form, nullptr);
    EXPECT_EQ(static_cast<QWidget*>(laterwindows::hooks().memoWindow), nullptr);
    destroyOtherForms();
}

TEST(SplashWindow, ShapedByTheGlyphOutline)
{
    TForm8 splash;
    EXPECT_TRUE(splash.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_TRUE(splash.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(splash.font().pixelSize(), 12);
    const QPainterPath glyph = splash.CreateGlyphRegion(0, 0);
    EXPECT_FALSE(glyph.isEmpty());
    EXPECT_TRUE(splash.CreateGlyphRegion(10, 20).boundingRect().topLeft().x() > glyph.boundingRect().topLeft().x());
    splash.BuildWindowRegion();
    if (QGuiApplication::platformName() == QLatin1String("offscreen")) {
        EXPECT_TRUE(splash.masked());
        EXPECT_FALSE(splash.mask().isEmpty());
        EXPECT_LE(splash.mask().boundingRect().width(), glyph.boundingRect().width() + 2);
    }
}
