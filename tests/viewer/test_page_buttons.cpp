// Texts of the page-button column: padding, title parts, hints, row height
// and the title a refreshed button reads from its page.
#include "viewer/page_button_text.h"
#include "support/write_bounds.h"

#include "store/files.h"

#include <QStringEncoder>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace viewer;

TEST(PadButtonCaption, JapaneseEndingFillsWithIdeographicSpacesTo16)
{
    const QString s = PadButtonCaption(QStringLiteral("かえる"), 1);
    EXPECT_EQ(s, QStringLiteral(" かえる") + QString(12, QChar(0x3000)));
    EXPECT_EQ(s.size(), 16);
}

TEST(PadButtonCaption, LatinDigitOrParenthesisEndingFillsWithBlanksTo32)
{
    EXPECT_EQ(PadButtonCaption(QStringLiteral("abc"), 1), QStringLiteral(" abc") + QString(28, QLatin1Char(' ')));
    EXPECT_EQ(PadButtonCaption(QStringLiteral("かえる1"), 4).size(), 32);
    EXPECT_EQ(PadButtonCaption(QStringLiteral("x("), 1).size(), 32);
    // ")" is not among the half-width endings.
    EXPECT_EQ(PadButtonCaption(QStringLiteral("(x)"), 1), QStringLiteral(" (x)") + QString(12, QChar(0x3000)));
}

TEST(PadButtonCaption, EmptyAndOverlongTexts)
{
    EXPECT_EQ(PadButtonCaption(QString(), 1), QStringLiteral(" ") + QString(15, QChar(0x3000)));
    const QString longText(40, QChar(0x3042));
    EXPECT_EQ(PadButtonCaption(longText, 1), QStringLiteral(" ") + longText); // never cut, no fill
}

TEST(PageButtonTitle, IconNameSecondLineAndHint)
{
    const PageButtonTitle t = splitPageButtonTitle(QStringLiteral("\"frog.png\"かえる#いけ?三ページ#目"));
    EXPECT_EQ(t.icon, QStringLiteral("frog.png"));
    EXPECT_EQ(t.text, QStringLiteral("かえる#いけ"));
    ASSERT_TRUE(t.hasHint);
    EXPECT_EQ(t.hint, QStringLiteral("三ページ#目")); // "#" after "?" belongs to the hint
    EXPECT_EQ(buttonHint(2, t), QStringLiteral("3 三ページ#目"));
    EXPECT_EQ(buttonCaption(t.text),
              PadButtonCaption(QStringLiteral("かえる"), 1) + "\n" + PadButtonCaption(QStringLiteral("いけ"), 4));
}

TEST(PageButtonTitle, LoneQuoteStaysInTheCaption)
{
    const PageButtonTitle t = splitPageButtonTitle(QStringLiteral("a\"b"));
    EXPECT_TRUE(t.icon.isEmpty());
    EXPECT_EQ(t.text, QStringLiteral("a\"b"));
    EXPECT_FALSE(t.hasHint);
    EXPECT_EQ(buttonHint(0, t), QStringLiteral("1"));
}

TEST(PageButtonRows, FillFewPagesShrinkManyTo28)
{
    EXPECT_EQ(pageButtonRowHeight(689, 30), 28);
    EXPECT_EQ(pageButtonRowHeight(689, 5), 114);
    EXPECT_EQ(pageButtonRowHeight(0, 0), 28);
}

TEST(RefreshedButtonTitle, ReadsPageTitleOrFallsBack)
{
    QTemporaryDir dir;
    const QString page = files::joinPath(dir.path(), "1010_frog.html");
    ASSERT_TRUE(files::writeTextBom(page, "<!DOCTYPE HTML PUBLIC \"x\">\r\n<title lang=ja>a&lt;b&gt;#2</Title>", tempBounds()));
    EXPECT_EQ(refreshedButtonTitle(page, "list"), QStringLiteral("a<b>#2"));

    ASSERT_TRUE(files::writeTextBom(page, "<HTML><TITLE>no doctype</TITLE>", tempBounds()));
    EXPECT_EQ(refreshedButtonTitle(page, "list"), QStringLiteral("frog"));
    ASSERT_TRUE(files::writeTextBom(page, "<!DOCTYPE HTML PUBLIC><TITLE></TITLE>", tempBounds()));
    EXPECT_EQ(refreshedButtonTitle(page, "list"), QStringLiteral("frog"));

    const QString picture = files::joinPath(dir.path(), "p.png");
    ASSERT_TRUE(files::writeBytes(picture, "x", tempBounds()));
    EXPECT_EQ(refreshedButtonTitle(picture, "&lt;p&gt;"), QStringLiteral("<p>"));
    EXPECT_EQ(refreshedButtonTitle(files::joinPath(dir.path(), "gone.html"), "g"), QStringLiteral("g"));
}

TEST(RefreshedButtonTitle, ReadsTheTitleInThePagesOwnCharset)
{
    QTemporaryDir dir;
    const QString page = files::joinPath(dir.path(), "1010_frog.html");
    const QByteArray head = "<!DOCTYPE HTML PUBLIC \"x\">\r\n<HEAD><META charset=\"EUC-JP\"><TITLE>";
    QStringEncoder euc("EUC-JP");
    const QByteArray bytes = head + euc.encode(QStringLiteral("かえるの一生")) + "</TITLE></HEAD>";
    ASSERT_TRUE(files::writeBytes(page, bytes, tempBounds()));
    EXPECT_EQ(refreshedButtonTitle(page, "list"), QStringLiteral("かえるの一生"));
    EXPECT_EQ(files::readBytes(page).value(), bytes); // the page is left as it is

    ASSERT_TRUE(files::writeBytes(page, "<!DOCTYPE HTML PUBLIC \"x\"><TITLE>"
                                            + files::encodeShiftJis(QStringLiteral("理科")) + "</TITLE>", tempBounds()));
    EXPECT_EQ(refreshedButtonTitle(page, "list"), QStringLiteral("理科"));
}
