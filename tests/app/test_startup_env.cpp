// What the program arranges around its application object.
#include "app/startup_env.h"

#include <QCoreApplication>
#include <QFont>
#include <QFontMetrics>
#include <gtest/gtest.h>

TEST(WindowSystem, AsksForXcbOnlyUnderWaylandWithAnXServer)
{
    EXPECT_EQ(app::chooseQpaPlatform("", "wayland-0", ":0"), QByteArray("xcb"));
    EXPECT_TRUE(app::chooseQpaPlatform("wayland", "wayland-0", ":0").isEmpty()); // an explicit choice stays
    EXPECT_TRUE(app::chooseQpaPlatform("", "wayland-0", "").isEmpty());          // no X server: Qt decides
    EXPECT_TRUE(app::chooseQpaPlatform("", "", ":0").isEmpty());                 // plain X11
}

TEST(Fonts, GothicIsFixedWidthAndPGothicProportional)
{
    app::installFontSubstitutes();
    const auto advance = [](const char* family, const QString& text) {
        QFont f(QString::fromUtf8(family));
        f.setPixelSize(16);
        return QFontMetrics(f).horizontalAdvance(text);
    };
    // Blank-padded captions line up only when every half-width letter is as wide.
    EXPECT_EQ(advance("ＭＳ ゴシック", "iiii"), advance("ＭＳ ゴシック", "WWWW"));
    EXPECT_EQ(advance("ＭＳ ゴシック", "  "), advance("ＭＳ ゴシック", "ア"));
    EXPECT_LT(advance("ＭＳ Ｐゴシック", "iiii"), advance("ＭＳ Ｐゴシック", "WWWW"));
}

// The file dialogs, their overwrite question and the print preview are Qt's
// own: in this Japanese program they speak Japanese too.
TEST(Translations, QtsOwnDialogsSpeakJapanese)
{
    app::installQtTranslations();
    EXPECT_NE(QCoreApplication::translate("QFileDialog", "File &name:"), QStringLiteral("File &name:"));
    EXPECT_NE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Cancel"));
    app::installQtTranslations(); // a second call adds nothing twice
}
