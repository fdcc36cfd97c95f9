// What the program arranges around its application object.
#include "app/startup_env.h"

#include <QFont>
#include <gtest/gtest.h>

TEST(WindowSystem, AsksForXcbOnlyUnderWaylandWithAnXServer)
{
    EXPECT_EQ(app::chooseQpaPlatform("", "wayland-0", ":0"), QByteArray("xcb"));
    EXPECT_TRUE(app::chooseQpaPlatform("wayland", "wayland-0", ":0").isEmpty()); // an explicit choice stays
    EXPECT_TRUE(app::chooseQpaPlatform("", "wayland-0", "").isEmpty());          // no X server: Qt decides
    EXPECT_TRUE(app::chooseQpaPlatform("", "", ":0").isEmpty());                 // plain X11
}

TEST(Fonts, WindowsFontNamesMapToJapaneseFonts)
{
    app::installFontSubstitutes();
    EXPECT_TRUE(QFont::substitutes(QStringLiteral("ＭＳ ゴシック")).contains(QStringLiteral("Noto Sans CJK JP"), Qt::CaseInsensitive));
    EXPECT_TRUE(QFont::substitutes(QStringLiteral("ＭＳ Ｐゴシック")).contains(QStringLiteral("Noto Sans CJK JP"), Qt::CaseInsensitive));
}
