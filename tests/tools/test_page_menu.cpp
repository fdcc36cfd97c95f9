// The page context menu: its items by page type, shortcut files and the
// program line a shortcut runs; on a started window, the menu from a page
// button's right click and its items reaching their commands.
#include "tools/page_menu.h"
#include "tools/page_menu_model.h"
#include "tools/print_entry_points.h"

#include "viewer/page_display_fixture.h"
#include "tools/main_window_bindings.h"
#include "tools/forms/form16.h"
#include "tools/forms/form3.h"
#include "store/templates.h"
#include "viewer/later_windows.h"

#include <QUrl>

using namespace tools;

namespace {

QStringList captions(const QList<PageMenuItem>& items)
{
    QStringList c;
    for (const PageMenuItem& i : items)
        c << i.caption;
    return c;
}

QStringList captions(const platform::PopupMenu& menu)
{
    QStringList c;
    for (int i = 0; i < menu.count(); ++i)
        c << menu.item(i)->caption();
    return c;
}

} // namespace

TEST(PageMenuModel, HtmlPageHasTheWholeTableInOrder)
{
    const QList<PageMenuItem> items = pageMenuItems("1000_a.html", {}, false);
    EXPECT_EQ(captions(items),
              QStringList({"ページの編集", "ページのコピー", "ページに投稿", "-", "ボタン順変更",
                           "ファイル名をPage(数)に変更", "ページ削除", "LINK切れ削除", "-", "LOOK自動リンク",
                           "LOOKの削除", "-", "名前欄をつけて(　)印刷", "名前欄をつけて(赤解)印刷",
                           "サムネイルRESUMEを印刷", "ページの印刷"}));
    EXPECT_EQ(items.at(0).picture, 0);
    EXPECT_EQ(items.at(1).picture, 13);
    EXPECT_EQ(items.at(2).picture, 8);
    EXPECT_EQ(items.at(15).picture, 11);
}

TEST(PageMenuModel, OtherFilesUseTheirApplicationName)
{
    const auto first = [](const QString& e) { return pageMenuItems(e, {}, false).first().caption; };
    const auto last = [](const QString& e) { return pageMenuItems(e, {}, false).last().caption; };
    EXPECT_EQ(first("doc.docx"), "ワード でページの編集");
    EXPECT_EQ(last("doc.docx"), "ワード でページを印刷");
    EXPECT_EQ(first("book.jxw"), "一太郎 でページの編集");
    EXPECT_EQ(first("sheet.mht"), "エクセル でページの編集");
    EXPECT_EQ(first("SHEET.XLSX"), "エクセル でページの編集");
    EXPECT_EQ(first("movie.mp4"), "登録アプリ でページの編集");
    // ".htm" is not ".html": no posting, no LOOK, no name-field prints.
    const QStringList htm = captions(pageMenuItems("old.htm", {}, false));
    EXPECT_FALSE(htm.contains("ページに投稿"));
    EXPECT_FALSE(htm.contains("LOOK自動リンク"));
    EXPECT_TRUE(htm.contains("サムネイルRESUMEを印刷"));
    EXPECT_EQ(htm.size(), 10);
}

TEST(PageMenuModel, IndexPagesCannotBeReorderedOrRenamed)
{
    for (const QString& e : {QStringLiteral("index.html"), QStringLiteral("010_index_a.html"),
                             QStringLiteral("INDEX.htm")}) {
        const QStringList c = captions(pageMenuItems(e, {}, false));
        EXPECT_FALSE(c.contains("ボタン順変更")) << e.toStdString();
        EXPECT_FALSE(c.contains("ファイル名をPage(数)に変更")) << e.toStdString();
        EXPECT_TRUE(c.contains("ページ削除")) << e.toStdString();
    }
}

TEST(PageMenuModel, WebAndUnderscoreEntriesOfferOnlyShortcutsAndHelp)
{
    EXPECT_TRUE(pageMenuItems("http://example.com/a.html", {}, false).isEmpty());
    EXPECT_TRUE(pageMenuItems("HTTPS://example.com/a.html", {}, false).isEmpty());
    EXPECT_TRUE(pageMenuItems("_intro.html", {}, false).isEmpty());
    EXPECT_TRUE(pageMenuItems("sub\\_x.html", {}, false).isEmpty());
    EXPECT_FALSE(pageMenuItems("a:_b.html", {}, false).isEmpty());
    const QList<PageMenuItem> items = pageMenuItems("_intro.html", {"viewer.desktop", "Editor.DESKTOP"}, true);
    EXPECT_EQ(captions(items), QStringList({"-", "viewer.desktop", "Editor.DESKTOP", "ヘルプ"}));
    EXPECT_EQ(items.at(2).action, PageMenuAction::Shortcut);
    EXPECT_EQ(items.at(2).tag, 1);
    EXPECT_EQ(items.at(3).action, PageMenuAction::Help);
}

TEST(PageMenuModel, ShortcutsAreFoundInAnyLetterCase)
{
    EXPECT_EQ(shortcutFiles({"a.html", "viewer.desktop", "Editor.DESKTOP", "x.desktop.txt", "desktop"}),
              QStringList({"viewer.desktop", "Editor.DESKTOP"}));
}

TEST(ShortcutCommand, FieldCodesTakeThePage)
{
    const QString page = "/data/My pages/a#1.html";
    EXPECT_EQ(shortcutCommand("[Desktop Entry]\nType=Application\nExec=viewer %f\n", page),
              QStringList({"viewer", page}));
    EXPECT_EQ(shortcutCommand("[Desktop Entry]\nExec=viewer --open=%u -x\n", page),
              QStringList({"viewer", "--open=" + QUrl::fromLocalFile(page).toString(), "-x"}));
    EXPECT_EQ(shortcutCommand("[Desktop Entry]\nExec=\"/opt/my app/run\" %F %i %c\n", page),
              QStringList({"/opt/my app/run", page}));
    // No field code: the page goes last; "%%" is a percent sign.
    EXPECT_EQ(shortcutCommand("[Desktop Entry]\nExec=calc 100%%\n", page), QStringList({"calc", "100%", page}));
}

TEST(ShortcutCommand, OnlyTheDesktopEntryGroupCountsAndBrokenLinesRunNothing)
{
    const QString page = "/p/a.html";
    EXPECT_EQ(shortcutCommand("[Desktop Action x]\nExec=other %f\n[Desktop Entry]\nExec=main %f\n", page),
              QStringList({"main", page}));
    EXPECT_TRUE(shortcutCommand("[Desktop Entry]\nType=Link\nURL=http://x\n", page).isEmpty());
    EXPECT_TRUE(shortcutCommand("[Desktop Entry]\nExec=\"unclosed %f\n", page).isEmpty());
    EXPECT_TRUE(shortcutCommand("", page).isEmpty());
    // Quoted text is one argument and no shell ever sees it.
    EXPECT_EQ(shortcutCommand("[Desktop Entry]\nExec=sh -c \"rm -rf \\\\$HOME\" %f\n", page).size(), 4);
}

class PageMenuWindowTest : public PageDisplayTest {
protected:
    TForm1& startBound()
    {
        TForm1& w = start();
        tools::bindMainWindow(w);
        return w;
    }
    static void rightClick(TForm1& w, int index)
    {
        platform::MouseArgs right;
        right.button = Qt::RightButton;
        right.rightHeld = true;
        w.PageButtonMouseDown(index, w.PageButtonGeneration, right);
    }
    static platform::MenuItem* itemCaptioned(TForm1& w, const QString& caption)
    {
        for (int i = 0; i < w.PageMenu->count(); ++i)
            if (w.PageMenu->item(i)->caption() == caption)
                return w.PageMenu->item(i);
        return nullptr;
    }
    void TearDown() override
    {
        laterwindows::hooks().buildPageMenu = nullptr;
        printEntryPoints() = PrintEntryPoints{};
        delete Form3;
        Form3 = nullptr;
        PageDisplayTest::TearDown();
    }
};

TEST_F(PageMenuWindowTest, RightClickOnAPageButtonPopsUpItsMenu)
{
    writePage("a.html", "a");
    writePage("b.docx", "b");
    writeFile(rootFile("viewer.desktop"), "[Desktop Entry]\nExec=viewer %f\n");
    writeFile(rootFile("_help.html"), "help");
    TForm1& w = startBound();
    rightClick(w, 1);
    EXPECT_EQ(w.PageMenu->popupCount(), 1);
    const QStringList c = captions(*w.PageMenu);
    EXPECT_EQ(c.first(), "ワード でページの編集");
    EXPECT_EQ(c.mid(c.size() - 3), QStringList({"-", "viewer.desktop", "ヘルプ"}));
    EXPECT_EQ(w.ListBox3, QStringList({"viewer.desktop"}));

    // The help item opens the folder's help page.
    platform::clearEvents();
    itemCaptioned(w, "ヘルプ")->click();
    ASSERT_FALSE(platform::events().isEmpty());
    EXPECT_EQ(platform::events().last().kind, "openUrl");
    EXPECT_EQ(QUrl(platform::events().last().text).toLocalFile(), rootFile("_help.html"));
}

TEST_F(PageMenuWindowTest, DeleteItemReachesTheFileTool)
{
    writePage("a.html", "a");
    TForm1& w = startBound();
    rightClick(w, 0);
    platform::clearEvents();
    platform::MenuItem* del = itemCaptioned(w, "ページ削除");
    ASSERT_NE(del, nullptr);
    del->click();
    bool modal = false;
    for (const platform::SeamEvent& e : platform::events())
        modal = modal || (e.kind == "modal" && e.text == "Form3");
    EXPECT_TRUE(modal);
}

TEST_F(PageMenuWindowTest, PrintItemsCallTheirEntryPointsAndDoNothingUnset)
{
    writePage("a.html", "a");
    TForm1& w = startBound();
    rightClick(w, 0);
    itemCaptioned(w, "ページの印刷")->click(); // unset: nothing happens
    int calls = 0;
    printEntryPoints().N6Click = [&](TForm1&) { ++calls; };
    printEntryPoints().MergeCheckedPages = [&](TForm1&) { calls += 10; };
    itemCaptioned(w, "ページの印刷")->click();
    itemCaptioned(w, "サムネイルRESUMEを印刷")->click();
    EXPECT_EQ(calls, 11);
}

TEST_F(PageMenuWindowTest, ToolbarButtonWithoutPagesShowsThePlaceholder)
{
    QDir().mkpath(root());
    writeFile(rootFile("_help.html"), "help");
    TForm1& w = startBound();
    SpeedButton18Click(w);
    EXPECT_EQ(w.PageMenu->popupCount(), 0);
    EXPECT_EQ(lastNavigation(), rootFile(store::kPlaceholderPageName));
}

TEST_F(PageMenuWindowTest, ShortcutRunsItsProgramWithTheShownPage)
{
    writePage("a.html", "a");
    writeFile(rootFile("Editor.DESKTOP"), "[Desktop Entry]\nExec=editor --file %f\n");
    TForm1& w = startBound();
    SpeedButton18Click(w);
    EXPECT_EQ(w.PageMenu->popupCount(), 1);
    platform::clearEvents();
    itemCaptioned(w, "Editor.DESKTOP")->click();
    bool started = false;
    for (const platform::SeamEvent& e : platform::events())
        if (e.kind == "start") {
            started = true;
            EXPECT_EQ(e.text, "editor");
            EXPECT_EQ(e.args, QStringList({"--file", rootFile("a.html")}));
        }
    EXPECT_TRUE(started);
}

TEST_F(PageMenuWindowTest, UsageHelpFallsBackToTheWebPage)
{
    writePage("a.html", "a");
    TForm1& w = startBound();
    Pagora1Click(w);
    EXPECT_EQ(lastNavigation(), kUsageHelpUrl);
    writeFile(files::joinPath(dir.path(), "【使い方】/index.html"), "usage");
    Pagora1Click(w);
    EXPECT_EQ(lastNavigation(), files::joinPath(dir.path(), "【使い方】/index.html"));
}

TEST_F(PageMenuWindowTest, PostItemOpensThePostingDialogAndShowsThePageAgain)
{
    writePage("a.html", "お知らせ?ヒント");
    TForm1& w = startBound();
    rightClick(w, 0);
    platform::clearEvents();
    itemCaptioned(w, "ページに投稿")->click();
    bool modal = false;
    for (const platform::SeamEvent& e : platform::events())
        modal = modal || (e.kind == "modal" && e.text == "Form16");
    EXPECT_TRUE(modal);
    ASSERT_NE(Form16, nullptr);
    EXPECT_EQ(Form16->Label2, rootFile("a.html"));
    EXPECT_EQ(Form16->Label4->caption(), "「 お知らせ 」 のページの中に投稿");
    EXPECT_EQ(lastNavigation(), rootFile("a.html"));
}
