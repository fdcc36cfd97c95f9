// The link text of a navigation URL, navigable URLs of paths, and the
// stand-in browser that viewer tests drive.
#include "platform/browser.h"
#include "support/fake_browser.h"

#include <gtest/gtest.h>

#include <QWidget>

using namespace platform;

TEST(NavigationText, DecodesUtf8AndEngineEscapedCharactersOnly)
{
    // As the engine hands over a clicked quiz link.
    const QUrl quiz(QStringLiteral("file:///data/a/$-1,$%3C-1[_%E3%80%90%C3%97%E3%80%91][_%E3%80%90%E2%96%B3%E3%80%91]"));
    EXPECT_EQ(navigationText(quiz), QStringLiteral("file:///data/a/$-1,$<-1[_【×】][_【△】]"));
    const QUrl marks(QStringLiteral("file:///a/$X%22%3E%60%7B%7D%3c"));
    EXPECT_EQ(navigationText(marks), QStringLiteral("file:///a/$X\">`{}<"));
    // Blanks, commas, percent signs and hashes stay escaped for the handler.
    const QUrl kept(QStringLiteral("file:///a%20b/$GO%20x%2Cy%25z%23"));
    EXPECT_EQ(navigationText(kept), QStringLiteral("file:///a%20b/$GO%20x%2Cy%25z%23"));
}

TEST(NavigationText, KeepsBrokenUtf8EscapesAndPlainText)
{
    EXPECT_EQ(navigationText(QUrl(QStringLiteral("http://h/%E3%80x"))), QStringLiteral("http://h/%E3%80x"));
    EXPECT_EQ(navigationText(QUrl(QStringLiteral("http://h/%FF%2C"))), QStringLiteral("http://h/%FF%2C"));
    EXPECT_EQ(navigationText(QUrl(QStringLiteral("http://h/日本/$NEXT"))), QStringLiteral("http://h/日本/$NEXT"));
    EXPECT_EQ(navigationText(QUrl(QStringLiteral("http://h/a%"))), QStringLiteral("http://h/a%25"));
}

TEST(NavigableUrl, PathsBecomeFileUrlsAndAddressesStay)
{
    const QUrl file = toNavigableUrl(QStringLiteral("/data/ページ #1 100%.html"));
    EXPECT_TRUE(file.isLocalFile());
    EXPECT_EQ(file.toLocalFile(), QStringLiteral("/data/ページ #1 100%.html"));
    EXPECT_FALSE(file.toString().startsWith(QLatin1String("file:////")));
    EXPECT_EQ(toNavigableUrl(QStringLiteral("HTTP://Example.com/a")).host(), QStringLiteral("example.com"));
    EXPECT_EQ(toNavigableUrl(QStringLiteral("https://example.com/a")).scheme(), QStringLiteral("https"));
    const QString fileUrl = QUrl::fromLocalFile(QStringLiteral("/d/x.html")).toString();
    EXPECT_EQ(toNavigableUrl(fileUrl).toLocalFile(), QStringLiteral("/d/x.html"));
    EXPECT_EQ(toNavigableUrl(QStringLiteral("/d/a:b.html")).toLocalFile(), QStringLiteral("/d/a:b.html"));
}

TEST(FakeBrowser, RecordsCallsAndKeepsHistory)
{
    useFakeBrowsers(true);
    QWidget parent;
    Browser* browser = createBrowser(&parent);
    useFakeBrowsers(false);
    auto* fake = qobject_cast<FakeBrowser*>(browser);
    ASSERT_NE(fake, nullptr);
    EXPECT_EQ(fake->widget(), nullptr);
    fake->navigate(QStringLiteral("/d/1.html"));
    fake->navigate(QStringLiteral("/d/2.html"));
    EXPECT_EQ(fake->locationUrl(), QUrl::fromLocalFile(QStringLiteral("/d/2.html")).toString());
    EXPECT_TRUE(fake->canGoBack());
    fake->goBack();
    EXPECT_FALSE(fake->canGoBack());
    EXPECT_TRUE(fake->canGoForward());
    fake->navigate(QStringLiteral("/d/3.html")); // drops the forward entry
    EXPECT_FALSE(fake->canGoForward());
    fake->refresh();
    fake->stop();
    EXPECT_EQ(fake->navigated(), (QStringList{QStringLiteral("/d/1.html"), QStringLiteral("/d/2.html"),
                                              QStringLiteral("/d/3.html")}));
    QStringList kinds;
    for (const FakeBrowser::Call& call : fake->calls)
        kinds << call.kind;
    EXPECT_EQ(kinds.join(QLatin1Char(' ')), QStringLiteral("navigate navigate back navigate refresh stop"));
}

TEST(FakeBrowser, RaisesEventsAndAnswersFromTestValues)
{
    FakeBrowser fake;
    QList<NavigationRequest> seen;
    QStringList completed;
    fake.setBeforeNavigate([&](const NavigationRequest& r) {
        seen << r;
        return r.url.contains(QLatin1Char('$'));
    });
    fake.setDocumentComplete([&](const QString& url) { completed << url; });
    EXPECT_TRUE(fake.raiseNavigation(QStringLiteral("file:///d/$NEXT"), QStringLiteral("file:///d/1.html")));
    EXPECT_FALSE(fake.raiseNavigation(QStringLiteral("file:///d/2.html")));
    ASSERT_EQ(seen.size(), 2);
    EXPECT_EQ(seen.first().sourceUrl, QStringLiteral("file:///d/1.html"));

    fake.autoEvents = true;
    fake.navigate(QStringLiteral("/d/$TOP")); // cancelled: no load, no history
    EXPECT_TRUE(seen.last().programInitiated);
    EXPECT_TRUE(completed.isEmpty());
    EXPECT_EQ(fake.locationUrl(), QString());
    fake.navigate(QStringLiteral("/d/5.html"));
    EXPECT_EQ(completed, QStringList{QUrl::fromLocalFile(QStringLiteral("/d/5.html")).toString()});

    fake.scriptResult = QStringLiteral("body");
    fake.findAnswer = [](const QString& t) { return t == QStringLiteral("【○】"); };
    QVariant result;
    bool found = false;
    fake.runScript(QStringLiteral("document.body.innerText"), [&](const QVariant& v) { result = v; });
    fake.findText(QStringLiteral("【○】"), [&](bool f) { found = f; });
    EXPECT_EQ(result.toString(), QStringLiteral("body"));
    EXPECT_TRUE(found);
    EXPECT_EQ(fake.scripts.size(), 1);
    EXPECT_EQ(fake.finds, QStringList{QStringLiteral("【○】")});
}

TEST(ScriptString, QuotesAndEscapesForScripts)
{
    EXPECT_EQ(scriptString(QStringLiteral("a\"b\\c\nd")), QStringLiteral("\"a\\\"b\\\\c\\nd\""));
    EXPECT_EQ(scriptString(QStringLiteral("【○】")), QStringLiteral("\"【○】\""));
    EXPECT_EQ(scriptString(QString(QChar(0x2028))), QStringLiteral("\"\\u2028\""));
}
