// The program's start-up order: splash, the main window with its title from
// the executable, shown on the first page of the data root.
#include "app/startup_fixture.h"

#include "viewer/forms/form8.h"

#include <QApplication>
#include <QUrl>

TEST_F(StartUpTest, MainWindowFirstTitleFromExecutableFirstPageShown)
{
    ASSERT_TRUE(put(QStringLiteral("a.html"), QByteArray()));
    ASSERT_NE(start(), nullptr);
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
}
