// What the program arranges around its application object.
#include "app/startup_env.h"

#include "app/other_forms.h"
#include "platform/browser.h"
#include "platform/seam.h"
#include "support/fake_browser.h"
#include "support/temp_tree.h"
#include "viewer/main_window.h"

#include <QCoreApplication>
#include <QProcessEnvironment>
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

// The browser engine reads the environment on its own threads as soon as it
// starts; a variable set after that can crash it.
TEST(Environment, SetBeforeTheWindowsAndNotChangedByThem)
{
    platform::useFakeBrowsers(true);
    platform::setTestMode(true);
    const QByteArray chosenBefore = qgetenv("QT_MEDIA_BACKEND");
    qunsetenv("QT_MEDIA_BACKEND");
    app::prepareEnvironment();
    const QStringList prepared = QProcessEnvironment::systemEnvironment().toStringList();

    TempTree dir;
    ASSERT_TRUE(dir.isValid());
    TForm1* main = app::createWindows({}, dir.path(QStringLiteral("tool")));
    EXPECT_EQ(QProcessEnvironment::systemEnvironment().toStringList(), prepared);

    main->ShutdownPauseMs = 0;
    delete main;
    destroyOtherForms();
    if (chosenBefore.isNull())
        qunsetenv("QT_MEDIA_BACKEND");
    else
        qputenv("QT_MEDIA_BACKEND", chosenBefore);
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
