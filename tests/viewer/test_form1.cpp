// The main window's component tree and its state at rest.
//
// The tree (names, classes, nesting, captions, hints, Align, Visible) is
// compared with the checked-in form1_tree.golden beside this file. After an
// intended change of the window, write the file anew and review its diff:
//     PAGORA_UPDATE_GOLDEN=1 ./test_viewer --gtest_filter='Form1Tree.*'
#include "viewer/forms/form1.h"
#include "platform/browser.h"
#include "support/component_tree.h"
#include "support/fake_browser.h"
#include "support/temp_tree.h"
#include "platform/seam.h"
#include "viewer/main_window.h"

#include <QFile>
#include <algorithm>
#include <gtest/gtest.h>

namespace {

struct Form1Tree : ::testing::Test {
    void SetUp() override
    {
        platform::useFakeBrowsers(true);
        platform::setTestMode(true);
        window = std::make_unique<TForm1>(dir.path(QStringLiteral("Pagora")));
    }
    TempTree dir;
    std::unique_ptr<TForm1> window;
};

QString goldenPath()
{
    return QStringLiteral(PAGORA_TESTS_SOURCE_DIR "/viewer/form1_tree.golden");
}

} // namespace

TEST_F(Form1Tree, MatchesTheGoldenTree)
{
    const QString tree = testsupport::componentTree(window.get());
    ASSERT_FALSE(tree.contains(dir.path())) << "the tree must not depend on the test's folder";
    QFile golden(goldenPath());
    if (qgetenv("PAGORA_UPDATE_GOLDEN") == "1") {
        ASSERT_TRUE(golden.open(QIODevice::WriteOnly | QIODevice::Truncate)) << goldenPath().toStdString();
        golden.write(tree.toUtf8());
        GTEST_SKIP() << "wrote " << goldenPath().toStdString();
    }
    ASSERT_TRUE(golden.open(QIODevice::ReadOnly)) << goldenPath().toStdString()
                                                  << " is missing; run with PAGORA_UPDATE_GOLDEN=1";
    // Line by line, so a failure names the first component that differs.
    const QStringList want = QString::fromUtf8(golden.readAll()).split(QLatin1Char('\n'));
    const QStringList got = tree.split(QLatin1Char('\n'));
    for (int i = 0; i < std::min(want.size(), got.size()); ++i)
        ASSERT_EQ(got[i].toStdString(), want[i].toStdString()) << "line " << i + 1 << " of form1_tree.golden";
    EXPECT_EQ(got.size(), want.size());
}

TEST_F(Form1Tree, TheTreeIsTheSameForASecondWindow)
{
    const QString first = testsupport::componentTree(window.get());
    TempTree other;
    TForm1 second(other.path(QStringLiteral("Pagora")));
    EXPECT_EQ(testsupport::componentTree(&second).toStdString(), first.toStdString());
}

TEST_F(Form1Tree, AtRestTheBarSpansBelowBothPanesAndNothingTicks)
{
    TForm1& w = *window;
    EXPECT_EQ(w.kabedown->width(), w.kabeBASE->width());
    EXPECT_EQ(w.kabedown->top() + w.kabedown->height(), w.kabeBASE->height());
    EXPECT_EQ(w.hyoushi->width(), 0); // the folder pane starts closed
    EXPECT_GT(w.kabeRight->width(), 1); // the button column starts open
    EXPECT_LE(w.kabe->top() + w.kabe->height(), w.kabedown->top());
    EXPECT_NE(w.WebBrowser1, nullptr);
    EXPECT_NE(w.WebBrowser2, nullptr);
    EXPECT_NE(w.WebBrowser3, nullptr);
    EXPECT_EQ(w.ImageList1.size(), 2);
    for (platform::Timer* t : {w.Timer1, w.Timer2, w.Timer3, w.Timer4, w.Timer5, w.Timer6})
        EXPECT_FALSE(t->enabled()) << t->objectName().toStdString(); // nothing ticks before the first showing
}

TEST_F(Form1Tree, EachPaneButtonPairTogglesItsPaneBackAndForth)
{
    TForm1& w = *window;
    w.ArrangeToolbar();
    const int column = w.kabeRight->width();
    w.SpeedButton6->click(); // closes the column
    EXPECT_EQ(w.kabeRight->width(), 1);
    w.SpeedButton10->click();
    EXPECT_EQ(w.kabeRight->width(), column);
    w.SpeedButton2->click(); // opens the folder pane
    EXPECT_GT(w.hyoushi->width(), 0);
    w.SpeedButton9->click();
    EXPECT_EQ(w.hyoushi->width(), 0);
}
