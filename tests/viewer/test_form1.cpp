// The main window's component tree: names, nesting, captions and hints.
#include "viewer/forms/form1.h"
#include "platform/browser.h"
#include "support/fake_browser.h"
#include "platform/seam.h"
#include "viewer/main_window.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct Form1Tree : ::testing::Test {
    void SetUp() override
    {
        platform::useFakeBrowsers(true);
        platform::setTestMode(true);
        window = std::make_unique<TForm1>(dir.path() + QStringLiteral("/Pagora"));
    }
    QTemporaryDir dir;
    std::unique_ptr<TForm1> window;
};

} // namespace

TEST_F(Form1Tree, ComponentsCarryTheirNamesAndNesting)
{
    TForm1& w = *window;
    const struct { QObject* object; const char* name; } named[] = {
        {w.kabeBASE, "kabeBASE"}, {w.hyoushi, "hyoushi"}, {w.kabeRight, "kabeRight"}, {w.kabe, "kabe"},
        {w.kabedown, "kabedown"}, {w.kabeBrowser, "kabeBrowser"}, {w.kabeKR, "kabeKR"}, {w.Panel9, "Panel9"},
        {w.Panel10, "Panel10"}, {w.Panel1, "Panel1"}, {w.Panel4, "Panel4"}, {w.SpeedButton12, "SpeedButton12"},
        {w.SpeedButton17, "SpeedButton17"}, {w.BitBtn1, "BitBtn1"}, {w.ScrollBox1, "ScrollBox1"},
        {w.DirectoryListBox1, "DirectoryListBox1"}, {w.FileListBox1, "FileListBox1"}, {w.Timer5, "Timer5"},
        {w.PopupMenu2, "PopupMenu2"}, {w.Exit1, "Exit1"}, {w.Image10, "Image10"}};
    for (const auto& n : named) {
        ASSERT_NE(n.object, nullptr) << n.name;
        EXPECT_EQ(n.object->objectName(), QString::fromLatin1(n.name));
    }
    EXPECT_EQ(w.hyoushi->parentWidget(), w.kabeBASE);
    EXPECT_EQ(w.kabedown->parentWidget(), w.kabeBASE);
    EXPECT_EQ(w.Panel5->parentWidget(), w.hyoushiup);
    EXPECT_EQ(w.SpeedButton12->parentWidget(), w.Panel3);
    EXPECT_EQ(w.kabeKR->parentWidget(), w.kabeBrowser);
    EXPECT_NE(w.WebBrowser1, nullptr);
    EXPECT_NE(w.WebBrowser2, nullptr);
    EXPECT_NE(w.WebBrowser3, nullptr);
    EXPECT_EQ(w.ImageList1.size(), 2);
}

TEST_F(Form1Tree, RestingArrangementAndJapaneseTexts)
{
    TForm1& w = *window;
    EXPECT_EQ(w.kabedown->height(), form1::kBottomBarHeight);
    EXPECT_EQ(w.kabedown->width(), w.kabeBASE->width()); // the bar spans below both panes
    EXPECT_EQ(w.hyoushi->width(), 0);
    EXPECT_EQ(w.kabeRight->width(), form1::kColumnWidth);
    EXPECT_EQ(w.Panel5->height(), form1::kFolderButtonsHeight);
    EXPECT_EQ(w.Panel3->height(), form1::kColumnButtonsHeight);
    EXPECT_FALSE(w.Panel10->visible());
    EXPECT_FALSE(w.Pmathub->visible());
    EXPECT_EQ(w.SpeedButton11->hint(), QStringLiteral("[ファイル] 終了、ページの新規作成・・・"));
    EXPECT_EQ(w.SpeedButton17->hint(), QStringLiteral("[日報]に戻る"));
    EXPECT_EQ(w.SpeedButton12->hint(), QStringLiteral("公開ファイルのチェック"));
    EXPECT_EQ(w.SpeedButton4->hint(), QStringLiteral("左：機密　/　右：プレゼンモード"));
    EXPECT_EQ(w.SpeedButton7->hint(), QStringLiteral("このページのメモ"));
    EXPECT_EQ(w.Image6->hint(), QStringLiteral("戻る"));
    EXPECT_EQ(w.Image7->hint(), QStringLiteral("進む"));
    EXPECT_EQ(w.Label2->caption(), QStringLiteral("Now loading・・・"));
    EXPECT_EQ(w.Exit1->caption(), QStringLiteral("終了"));
    EXPECT_EQ(w.N8->caption(), QStringLiteral("上に作成"));
    EXPECT_EQ(w.N2->find(QStringLiteral("N9")), w.N9);
    EXPECT_EQ(w.FileListBox6->mask(), QStringLiteral("*.html"));
    EXPECT_EQ(w.FileListBox7->mask(), QStringLiteral("*.htm*"));
    for (platform::Timer* t : {w.Timer1, w.Timer2, w.Timer3, w.Timer4, w.Timer5, w.Timer6})
        EXPECT_FALSE(t->enabled()); // nothing ticks before the first showing
}

TEST_F(Form1Tree, ButtonsAreBoundToTheirHandlers)
{
    TForm1& w = *window;
    w.ArrangeToolbar();
    w.SpeedButton6->click(); // closes the column
    EXPECT_EQ(w.kabeRight->width(), 1);
    w.SpeedButton10->click();
    EXPECT_EQ(w.kabeRight->width(), form1::kColumnWidth);
    w.SpeedButton2->click();
    EXPECT_EQ(w.hyoushi->width(), form1::kFolderPaneWidth);
    w.SpeedButton9->click();
    EXPECT_EQ(w.hyoushi->width(), 0);
}
