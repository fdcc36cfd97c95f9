// Pages in other encodings through the tools that read them: LOOK links
// keep a Shift_JIS page's text and refuse a page that decodes no way; the
// search reads texts and titles in the page's own encoding.
#include "support/write_bounds.h"
#include "tools_window_fixture.h"

#include "store/page_encoding.h"
#include "tools/forms/form18.h"
#include "tools/forms/form4.h"
#include "tools/look_link_commands.h"
#include "tools/search_cache.h"
#include "tools/search_run.h"
#include "tools/search_title.h"

#include <QPlainTextEdit>
#include <QStringEncoder>
#include <memory>

namespace {

QByteArray encoded(const char* charset, const QString& text)
{
    QStringEncoder encoder(charset);
    return encoder.encode(text);
}

QByteArray legacyPage(const char* encoding, const QByteArray& charset, const QString& title, const QString& body)
{
    const QByteArray meta = charset.isEmpty() ? QByteArray() : "<META charset=\"" + charset + "\">";
    return "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">\r\n<HTML><HEAD>" + meta
        + "<TITLE>" + encoded(encoding, title) + "</TITLE></HEAD><BODY>" + encoded(encoding, body)
        + "</BODY></HTML>\r\n";
}

} // namespace

class LookLinkEncodings : public ToolsWindowTest {
protected:
    void TearDown() override
    {
        form.reset();
        ToolsWindowTest::TearDown();
    }
    TForm1& open()
    {
        put("0010_a.html", page("A"));
        put("0020_b.html", page("Banana"));
        TForm1& w = shown();
        form = std::make_unique<TForm4>(&w);
        Form4 = form.get();
        w.PBanSave(0);
        return w;
    }
    std::unique_ptr<TForm4> form;
};

TEST_F(LookLinkEncodings, ShiftJisPagesKeepTheirTextThroughAddingAndRemoving)
{
    TForm1& w = open();
    const QString body = QStringLiteral("池のBananaとカエル");
    for (const QByteArray charset : {"x-sjis", "windows-31j", ""}) {
        SCOPED_TRACE(charset.constData());
        // Written after the listing, which would convert a declared page.
        put("0010_a.html", legacyPage("Shift_JIS", charset, QStringLiteral("あ"), body));
        tools::AddLookLinks(w);
        const store::PageText linked = store::decodePage(read("0010_a.html"));
        EXPECT_TRUE(linked.hasBom); // read as UTF-8 whatever it declares
        EXPECT_TRUE(linked.text.contains(QStringLiteral("池の<A href=\"/$LOOK Banana\">Banana</A>とカエル")));
        tools::RemoveLookLinks(w);
        EXPECT_TRUE(store::decodePage(read("0010_a.html")).text.contains(body));
    }
}

TEST_F(LookLinkEncodings, PagesThatDecodeNoWayAreLeftAndNamed)
{
    TForm1& w = open();
    const QByteArray euc = legacyPage("EUC-JP", "EUC-JP", QStringLiteral("あ"), QStringLiteral("池のBanana"));
    put("0010_a.html", euc);
    platform::clearEvents();
    tools::AddLookLinks(w);
    EXPECT_EQ(read("0010_a.html"), euc);
    EXPECT_EQ(seamTexts("message"), QStringList{store::undecidablePageMessage(inRoot("0010_a.html"))});
}

TEST(SearchEncodings, TextsAndTitlesAreReadInThePagesOwnEncoding)
{
    TempTree t;
    const QString sjis = t.write("1000_sjis.html", legacyPage("Shift_JIS", "", QStringLiteral("かえる"),
                                                              QStringLiteral("おたまじゃくし")));
    const QString euc = t.write("1010_euc.html", legacyPage("EUC-JP", "EUC-JP", QStringLiteral("理科"),
                                                            QStringLiteral("池の話")));
    tools::PageTextCache cache;
    const auto sjisText = cache.text(sjis);
    ASSERT_NE(sjisText, nullptr);
    EXPECT_TRUE(sjisText->contains(QStringLiteral("おたまじゃくし")));
    const auto eucText = cache.text(euc);
    ASSERT_NE(eucText, nullptr);
    EXPECT_TRUE(eucText->contains(QStringLiteral("池の話")));
    EXPECT_EQ(tools::ReadPageTitle(sjis).title, QStringLiteral("かえる"));
    EXPECT_EQ(tools::ReadPageTitle(euc).title, QStringLiteral("理科"));
}

TEST(AnswerSheetEncodings, TheSheetIsReadInThePagesOwnCharsetAndAnUndecidablePageIsNamed)
{
    platform::setTestMode(true);
    TempTree t;
    const QString sheetText = QStringLiteral("<P>「氏名」[ ]</P>");
    const QString euc = t.write("euc.html", "<HEAD><META charset=\"EUC-JP\"></HEAD>" + encoded("EUC-JP", sheetText));
    const QString sjis = t.write("sjis.html", "<HEAD><META charset=\"sjis\"></HEAD>" + encoded("Shift_JIS", sheetText));
    for (const QString& page : {euc, sjis}) {
        TForm18 sheet;
        sheet.setPage(page, tempBounds());
        platform::clearEvents();
        sheet.FormShow();
        EXPECT_EQ(sheet.Memo1->toPlainText(), QStringLiteral("「氏名」[ ]")) << page.toStdString();
        EXPECT_TRUE(platform::events().isEmpty());
    }
    const QString broken = t.write("broken.html", "<P>Caf\xE9 [ ]</P>");
    TForm18 sheet;
    sheet.setPage(broken, tempBounds());
    platform::clearEvents();
    sheet.FormShow();
    ASSERT_FALSE(platform::events().isEmpty());
    EXPECT_EQ(platform::events().last().text, store::undecidablePageMessage(broken));
    platform::setTestMode(false);
}

TEST(SearchEncodings, AJapaneseWordIsFoundInPagesOfOtherEncodings)
{
    TempTree t;
    t.write("0010_sjis.html", legacyPage("Shift_JIS", "", QStringLiteral("かえる"), QStringLiteral("池のカエル")));
    t.write("0020_euc.html", legacyPage("EUC-JP", "EUC-JP", QStringLiteral("理科"), QStringLiteral("カエルの歌")));
    t.write("0030_utf8.html", legacyPage("UTF-8", "UTF-8", QStringLiteral("いぬ"), QStringLiteral("犬の話")));
    tools::SearchSession s;
    s.SearchRoot = t.path();
    QString key = QStringLiteral("xxx");
    s.activate(key);
    ASSERT_EQ(s.Shown.size(), 3);
    s.Edit1 = s.LastSearchText = QStringLiteral("カエル");
    s.RunSearch();
    EXPECT_EQ(s.Shown.titles, QStringList({QStringLiteral("かえる"), QStringLiteral("理科")}));
}
