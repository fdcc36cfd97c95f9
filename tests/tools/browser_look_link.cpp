// With the real browser engine: a page's keyword link "/$LOOK 日本語" is
// clicked in the page, and the pages titled with that keyword open as a new
// list level showing the first of them.
#include "support/real_engine_root.h"
#include "platform/browser.h"
#include "platform/seam.h"
#include "support/fake_browser.h"
#include "store/files.h"
#include "support/wait_for.h"
#include "tools/look_command.h"
#include "viewer/later_windows.h"
#include "viewer/main_window.h"

#include <QDir>
#include <QUrl>
#include <gtest/gtest.h>

namespace {

constexpr int WaitMs = 60000;

QByteArray page(const QString& title, const QString& body)
{
    return QStringLiteral("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">\r\n<HTML><HEAD>"
                          "<META http-equiv=\"Content-Type\" content=\"text/html; charset=UTF-8\">"
                          "<TITLE>%1</TITLE></HEAD><BODY>%2</BODY></HTML>\r\n")
        .arg(title, body)
        .toUtf8();
}

} // namespace

TEST(BrowserLookLink, AKeywordLinkOpensThePagesWithThatKeyword)
{
    RealEngineRoot data;
    ASSERT_TRUE(data.isValid());
    const QString root = data.root();
    const auto put = [&data](const QString& name, const QByteArray& bytes) { return data.put(name, bytes); };
    ASSERT_TRUE(put("0010_start.html",
                    page("start", QStringLiteral("<A id=\"k\" href=\"/$LOOK 日本語\">日本語</A>"))));
    ASSERT_TRUE(put("0020_other.html", page("other", "x")));
    ASSERT_TRUE(put("sub/0010_kana.html", page(QStringLiteral("かな#日本語/文字"), "y")));
    ASSERT_TRUE(put("0030_kanji.html", page(QStringLiteral("漢字#日本語"), "z")));

    TForm1 w(data.exePath());
    w.ShutdownPauseMs = 0;
    laterwindows::hooks().look = [&w](const QString& self, const QString& word, laterwindows::LookResult& r) {
        return tools::lookUp(w, self, word, r);
    };
    w.show();
    const QString startUrl = QUrl::fromLocalFile(files::joinPath(root, "0010_start.html")).toString();
    ASSERT_TRUE(waitFor([&] { return w.caption() == startUrl; }, WaitMs)) << w.caption().toStdString();

    // The caption may change before the document is parsed: wait for the link.
    bool linkThere = false;
    ASSERT_TRUE(waitFor(
        [&] {
            w.WebBrowser1->runScript("document.getElementById('k') !== null",
                                     [&](const QVariant& v) { linkThere = v.toBool(); });
            return linkThere;
        },
        WaitMs));
    w.WebBrowser1->runScript("document.getElementById('k').click();");
    ASSERT_TRUE(waitFor([&] { return w.levels.depth() == 2; }, WaitMs));
    EXPECT_EQ(w.levels.topEntries(), QStringList({"sub/0010_kana.html", "0030_kanji.html"}));
    EXPECT_EQ(w.PBan(), 0);
    const QString kanaUrl = QUrl::fromLocalFile(files::joinPath(root, "sub/0010_kana.html")).toString();
    EXPECT_TRUE(waitFor([&] { return w.caption() == kanaUrl; }, WaitMs)) << w.caption().toStdString();
    w.close();
    laterwindows::hooks() = {};
}
