// The program's start-up order: splash, the main window with its title from
// the executable, shown on the first page of the data root.
#include "app/startup_order.h"

#include "viewer/forms/form8.h"
#include "app/other_forms.h"
#include "platform/browser.h"
#include "support/fake_browser.h"
#include "platform/seam.h"
#include "store/files.h"
#include "viewer/main_window.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QUrl>
#include <gtest/gtest.h>

TEST(StartUpOrder, MainWindowFirstTitleFromExecutableFirstPageShown)
{
    platform::useFakeBrowsers(true);
    platform::setTestMode(true);
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString root = files::joinPath(dir.path(), QStringLiteral("tool.data"));
    QDir().mkpath(root);
    QFile page(files::joinPath(root, QStringLiteral("a.html")));
    ASSERT_TRUE(page.open(QIODevice::WriteOnly));
    page.close();

    TForm1* main = app::startWindows({}, files::joinPath(dir.path(), QStringLiteral("tool")));
    ASSERT_NE(main, nullptr);
    main->ShutdownPauseMs = 0;
    EXPECT_EQ(QCoreApplication::applicationName(), QStringLiteral("tool")); // not "Pagora"
    // The other windows are made when first used, not before the first page.
    for (QWidget* form : std::initializer_list<QWidget*>{Form2, Form4, Form6, Form13, Form23})
        EXPECT_EQ(form, nullptr);
    bool splashLeft = false;
    for (QWidget* w : QApplication::topLevelWidgets())
        splashLeft = splashLeft || qobject_cast<TForm8*>(w) != nullptr;
    EXPECT_FALSE(splashLeft) << "the splash window is freed before the message loop";
    EXPECT_TRUE(main->isVisible());
    EXPECT_EQ(main->caption(), QUrl::fromLocalFile(files::joinPath(root, QStringLiteral("a.html"))).toString());

    main->close();
    delete main;
    destroyOtherForms();
}
