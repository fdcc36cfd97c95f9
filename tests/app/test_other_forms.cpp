// The splash window and the later windows' stand-ins.
#include "viewer/forms/form8.h"
#include "app/other_forms.h"

#include <QGuiApplication>
#include <gtest/gtest.h>

TEST(OtherForms, CreatedOnceInStartUpOrderWithTheirClassNames)
{
    createOtherForms();
    const QList<QWidget*> forms = {Form2, Form3, Form4, Form5, Form6, Form7, Form9, Form10, Form11,
                                   Form12, Form13, Form15, Form16, Form17, Form18, Form23};
    const QStringList classes = {"TForm2", "TForm3", "TForm4", "TForm5", "TForm6", "TForm7", "TForm9", "TForm10",
                                 "TForm11", "TForm12", "TForm13", "TForm15", "TForm16", "TForm17", "TForm18", "TForm23"};
    for (int i = 0; i < forms.size(); ++i) {
        ASSERT_NE(forms[i], nullptr);
        EXPECT_EQ(QString::fromLatin1(forms[i]->metaObject()->className()), classes[i]);
        EXPECT_FALSE(forms[i]->isVisible());
    }
    // Windows that carry data in their caption start without one.
    EXPECT_TRUE(Form2->windowTitle().isEmpty());
    EXPECT_TRUE(Form6->windowTitle().isEmpty());
    EXPECT_TRUE(Form12->windowTitle().isEmpty());
    EXPECT_EQ(Form3->windowTitle(), QStringLiteral("ファイルツール"));
    destroyOtherForms();
    EXPECT_EQ(Form2, nullptr);
    EXPECT_EQ(Form23, nullptr);
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
