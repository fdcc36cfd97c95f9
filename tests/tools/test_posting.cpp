// Posts written into a page: the date text, the entry, where it goes, the
// pruning to ten, and the write that leaves a page whole when it fails.
#include "tools/forms/form16.h"
#include "support/write_bounds.h"
#include "tools/posting.h"

#include "support/processes.h"
#include "support/folder_swapper.h"
#include "support/temp_tree.h"
#include "platform/seam.h"
#include "store/files.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <gtest/gtest.h>

using namespace tools;

namespace {

QString post(int n)
{
    return buildPostEntry(QString(), QString(), QStringLiteral("post %1").arg(n));
}

} // namespace

TEST(Posting, DateTextOfATuesdayMorning)
{
    EXPECT_EQ(defaultDateText(QDateTime(QDate(2020, 4, 14), QTime(9, 5))), " 2020年4月14日9時5分   火曜日 ");
    EXPECT_EQ(defaultDateText(QDateTime(QDate(2021, 12, 5), QTime(23, 59))), " 2021年12月5日23時59分   日曜日 ");
}

TEST(Posting, EntryFieldsInOrderAndEscaped)
{
    EXPECT_EQ(buildPostEntry("D", "P", "a\nb"), "(^0^)D：P<BR>a<BR>b<BR>---.<BR>");
    EXPECT_EQ(buildPostEntry("D", "", "a\r\nb"), "(^0^)D<BR>a<BR>b<BR>---.<BR>");
    EXPECT_EQ(buildPostEntry("", "", "text"), "(^0^)text<BR>---.<BR>");
    EXPECT_EQ(buildPostEntry("", "<b>", "x < y & <P>"), "(^0^)：&lt;b&gt;<BR>x &lt; y &amp; &lt;P&gt;<BR>---.<BR>");
    // A typed post end is no post end.
    EXPECT_FALSE(buildPostEntry("", "", "---.\nnext").contains("---.<BR>next"));
}

TEST(Posting, NewestFirstAfterTheLastParagraphTag)
{
    const QString page = "<HTML><BODY><P align=\"left\">old text<PRE>code</PRE><BR>tail</BODY></HTML>";
    const QString once = insertPost(page, post(1)).value();
    EXPECT_EQ(once, "<HTML><BODY><P align=\"left\">old text<PRE>" + post(1) + "code</PRE><BR>tail</BODY></HTML>");
    const QString twice = insertPost(once, post(2)).value();
    EXPECT_LT(twice.indexOf("post 2"), twice.indexOf("post 1"));
    // Without any "<P" the post goes after the first tag; without any tag nowhere.
    EXPECT_EQ(insertPost("<HTML>rest", post(1)).value(), "<HTML>" + post(1) + "rest");
    EXPECT_FALSE(insertPost("no tags here", post(1)).has_value());
    EXPECT_FALSE(insertPost("text <P unclosed", post(1)).has_value());
}

TEST(Posting, TheEleventhPostDropsTheOldest)
{
    QString page = "<BODY><P>";
    for (int n = 1; n <= 10; ++n)
        page = insertPost(page + (n == 1 ? "after</BODY>" : ""), post(n)).value();
    EXPECT_EQ(page.count("---.<BR>"), 10);
    page = insertPost(page, post(11)).value();
    EXPECT_EQ(page.count("---.<BR>"), 10);
    EXPECT_FALSE(page.contains("post 1<BR>"));
    EXPECT_TRUE(page.contains("post 2<BR>"));
    EXPECT_TRUE(page.contains("post 11<BR>"));
    EXPECT_TRUE(page.endsWith("after</BODY>"));
}

TEST(Posting, WritesThroughTheSafeSaveAndRefusesOtherEncodings)
{
    TempTree t;
    const QString page = t.writeText("日報.html", "<BODY><P>x</BODY>", true);
    EXPECT_EQ(postIntoFile(page, post(1), tempBounds()), QString());
    const QByteArray bytes = files::readBytes(page).value();
    EXPECT_TRUE(bytes.startsWith("\xEF\xBB\xBF"));
    EXPECT_TRUE(bytes.contains("(^0^)post 1<BR>---.<BR>x</BODY>\r\n"));

    EXPECT_FALSE(postIntoFile(t.path("missing.html"), post(1), tempBounds()).isEmpty());
}

TEST(Posting, ShiftJisPagesKeepTheirTextAndUndecidablePagesAreRefused)
{
    TempTree t;
    for (const char* charset : {"x-sjis", "sjis", "shift-jis", "windows-31j", ""}) {
        const QByteArray meta = *charset ? QByteArray("<META charset=\"") + charset + "\">" : QByteArray();
        const QString sjis = t.write(QStringLiteral("old_%1.html").arg(charset),
                                     "<HEAD>" + meta + "</HEAD>" + files::encodeShiftJis("<BODY><P>日本語</BODY>"));
        EXPECT_EQ(postIntoFile(sjis, post(1), tempBounds()), QString()) << charset;
        const QString after = files::decodeUtf8(files::readBytes(sjis).value());
        EXPECT_TRUE(after.contains(QStringLiteral("(^0^)post 1<BR>---.<BR>日本語</BODY>"))) << charset;
        EXPECT_FALSE(after.contains(QChar(0xFFFD))) << charset;
    }
    const QByteArray euc = "<HEAD><META charset=\"EUC-JP\"></HEAD><BODY><P>\xA4\xA2</BODY>";
    const QByteArray broken = "<BODY><P>Caf\xE9 used Shift_JIS</BODY>";
    for (const QByteArray& bytes : {euc, broken}) {
        const QString page = t.write("refused.html", bytes);
        const QString message = postIntoFile(page, post(1), tempBounds());
        EXPECT_TRUE(message.contains("refused.html")) << message.toStdString();
        EXPECT_EQ(files::readBytes(page).value(), bytes);
    }
}

TEST(PostingDialog, EmptyTextIsRefusedAndTheTextStaysForNextTime)
{
    platform::setTestMode(true);
    TempTree t;
    const QString page = t.writeText("a.html", "<BODY><P>x</BODY>", true);
    TForm16 f;
    f.setPage(page, "お知らせ", tempBounds());
    EXPECT_EQ(f.windowTitle(), "a.html");
    EXPECT_EQ(f.Label4->caption(), "「 お知らせ 」 のページの中に投稿");
    f.FormShow();
    EXPECT_TRUE(f.Edit1->text().contains("年"));
    platform::clearEvents();
    f.SpeedButton2Click();
    ASSERT_EQ(platform::events().size(), 1);
    EXPECT_EQ(platform::events().first().text, "投稿文がないと投稿できません。");
    f.Memo1->setPlainText("hello");
    f.Edit1->clear();
    f.SpeedButton2Click();
    EXPECT_TRUE(files::readUtf8(page).value().contains("(^0^)hello<BR>---.<BR>"));
    f.FormShow();
    EXPECT_EQ(f.Memo1->toPlainText(), "hello");
}

// Two instances posting into one page at once: no post is lost (five each,
// so that the ten kept hold them all), tried on several pages.
TEST(Posting, TwoProcessesPostingAtOnceLoseNoPost)
{
    TempTree t;
    for (int round = 0; round < 6; ++round) {
        const QString page = t.writeText(QStringLiteral("board%1.html").arg(round), "<BODY><P>x</BODY>", true);
        const bool ran = runInProcesses(2, [&page](int who) {
            for (int n = 0; n < 5; ++n) {
                const QString entry = buildPostEntry(QString(), QString(), QStringLiteral("from %1 no %2").arg(who).arg(n));
                if (!postIntoFile(page, entry, tempBounds()).isEmpty())
                    return false;
            }
            return true;
        });
        EXPECT_TRUE(ran);
        EXPECT_EQ(files::readUtf8(page).value_or(QString()).count(QStringLiteral("---.<BR>")), 10) << round;
    }
}

// The page's folder (the current folder, named as a bound beside the data
// root) keeps trading places with a link to a folder outside: a post lands
// in the page inside or nowhere, never in the page of the same name outside.
TEST(Posting, APostNeverLandsOutsideWhileThePagesFolderIsSwapped)
{
    TempTree t;
    const QString data = t.mkdir("data");
    const QString sub = t.mkdir("data/sub");
    const QByteArray theirs = "\xEF\xBB\xBF<BODY><P>theirs</BODY>";
    t.write("outside/board.html", theirs);
    t.symlink("data/away", t.path("outside"));
    t.writeText("data/sub/board.html", "<BODY><P>ours</BODY>", true);
    FolderSwapper swapper(sub, data + "/away");
    int posted = 0;
    for (int i = 0; i < 200; ++i)
        posted += postIntoFile(sub + "/board.html", post(i), {data, sub}).isEmpty() ? 1 : 0;
    swapper.stop();
    EXPECT_GT(swapper.swaps(), 10);
    EXPECT_GT(posted, 0);
    EXPECT_EQ(t.read("outside/board.html"), theirs);
    EXPECT_EQ(t.list("outside"), QStringList{"board.html"});
}
