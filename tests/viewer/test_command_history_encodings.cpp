// "HIS" rewrites the script address of the folder's history pages: a
// Shift_JIS page keeps its text, a page that decodes no way is left as it is
// and named.
#include "test_command_fixture.h"

#include "store/page_encoding.h"

#include <QStringEncoder>

namespace {

QByteArray historyPage(const QByteArray& charset)
{
    const QByteArray meta = charset.isEmpty() ? QByteArray() : "<META charset=\"" + charset + "\">";
    QStringEncoder sjis("Shift_JIS");
    return "<HTML><HEAD>" + meta + "<SCRIPT SRC=\"history/old.txt\"></SCRIPT><TITLE>"
        + sjis.encode(QStringLiteral("今日のふりかえり")) + "</TITLE></HEAD><BODY>"
        + sjis.encode(QStringLiteral("池のカエル")) + "</BODY></HTML>\r\n";
}

} // namespace

TEST_F(PageCommandTest, HistoryPagesInShiftJisKeepTheirText)
{
    TForm1& w = shown();
    const QStringList names = {"0040_history.html", "0050_history.html"};
    for (const QString& name : names)
        writeFile(inRoot(name), "<HTML></HTML>");
    w.OpenFolder(root(), 0, false);
    // Written after the listing, which would convert a declared page.
    writeFile(inRoot(names[0]), historyPage("x-sjis"));
    writeFile(inRoot(names[1]), historyPage(""));
    w.KRNcommand("HIS quiz");
    for (const QString& name : names) {
        const store::PageText page = store::decodePage(files::readBytes(inRoot(name)).value());
        EXPECT_EQ(page.encoding, store::PageEncoding::Utf8) << name.toStdString();
        EXPECT_TRUE(page.text.contains("SRC=\"history/quiz.txt\"")) << name.toStdString();
        EXPECT_TRUE(page.text.contains(QStringLiteral("今日のふりかえり"))) << name.toStdString();
        EXPECT_TRUE(page.text.contains(QStringLiteral("池のカエル"))) << name.toStdString();
    }
}

TEST_F(PageCommandTest, HistoryPagesThatDecodeNoWayAreLeftAndNamed)
{
    TForm1& w = shown();
    QStringEncoder euc("EUC-JP");
    const QByteArray bytes = "<HTML><HEAD><META charset=\"EUC-JP\"><SCRIPT SRC=\"history/old.txt\"></SCRIPT>"
        "</HEAD><BODY>" + euc.encode(QStringLiteral("池のカエル")) + "</BODY></HTML>";
    writeFile(inRoot("0040_history.html"), bytes);
    w.OpenFolder(root(), 0, false);
    platform::clearEvents();
    w.KRNcommand("HIS quiz");
    EXPECT_EQ(files::readBytes(inRoot("0040_history.html")).value(), bytes);
    EXPECT_EQ(seamEvents("message"), QStringList{store::undecidablePageMessage(inRoot("0040_history.html"))});
}
