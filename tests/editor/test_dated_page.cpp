// New pages named by the moment: the name's stamp and count, a name that is
// taken already, the title and the exact text the editor starts from.
#include "editor/dated_page.h"
#include "store/style_blocks.h"
#include "support/temp_tree.h"

#include <gtest/gtest.h>

using namespace editor;

namespace {

// Minutes (05) differ from the month (04): a stamp that took "mm" for
// minutes would read 1405.
const QDateTime kMoment(QDate(2020, 4, 14), QTime(10, 5, 33));

} // namespace

TEST(DatedPageName, DayMonthSecondsAndOnePlusTheDaysEntries)
{
    TempTree t;
    const QStringList entries{QStringLiteral("20200414-1404121.html"), QStringLiteral("memo_20200414.html"),
                              QStringLiteral("20200413-1304591.html"), QStringLiteral("index.html")};
    EXPECT_EQ(datedPageName(t.path(), kMoment, entries), t.path("20200414-1404333.html"));
    // No entry of the day, or no entries at all: n is 1.
    EXPECT_EQ(datedPageName(t.path(), kMoment, {}), t.path("20200414-1404331.html"));
    // Single digits are padded: 3 January 2021 00:00:07.
    EXPECT_EQ(datedPageName(t.path(), QDateTime(QDate(2021, 1, 3), QTime(0, 0, 7)), {}),
              t.path("20210103-0301071.html"));
}

TEST(DatedPageName, ATakenNameIsNeverReused)
{
    TempTree t;
    // Page 1 of the day was deleted; page 2 is there, so the count gives 2
    // again, and that name is taken.
    t.write("20200414-1404332.html", "keep");
    const QStringList entries{QStringLiteral("20200414-1404332.html")};
    EXPECT_EQ(datedPageName(t.path(), kMoment, entries), t.path("20200414-1404333.html"));
    // A name taken in another letter case counts as taken too.
    t.write("20200414-1404333.HTML", "keep");
    EXPECT_EQ(datedPageName(t.path(), kMoment, entries), t.path("20200414-1404334.html"));
    EXPECT_EQ(t.read("20200414-1404332.html"), QByteArray("keep"));
}

TEST(DatedPageTemplate, FourteenLinesWithLoneCarriageReturns)
{
    EXPECT_EQ(datedPageTitle(QDate(2020, 4, 14)), QStringLiteral("2020年04月14日"));
    EXPECT_EQ(datedPageTitle(QDate(987, 12, 1)), QStringLiteral("0987年12月01日"));

    const QString style = store::GetStyleBlock(1);
    ASSERT_FALSE(style.isEmpty());
    const QString expected =
        QStringLiteral("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">\r"
                       "<HTML>\r"
                       "<HEAD>\r"
                       "<META NAME=\"author\" CONTENT=\"Pagora_TEXT_B4\">\r"
                       "<META http-equiv=\"Content-Type\" content=\"text/html; charset=UTF-8\">\r"
                       "<META http-equiv=\"Content-Style-Type\" content=\"text/css\">\r"
                       "<TITLE>2020年04月14日</TITLE>")
        + style
        + QStringLiteral("</HEAD>\r"
                         "<BODY>\r"
                         "<!--HEDDA_IN-->\r"
                         "<!--HEDDA_OUT-->\r"
                         "<!--FOOTER_IN-->\r"
                         "<!--FOOTER_OUT-->\r"
                         "</BODY>\r"
                         "</HTML>");
    const QString text = datedPageTemplate(datedPageTitle(QDate(2020, 4, 14)));
    EXPECT_EQ(text, expected);
    // Outside the style block no line feed, and no line end after the last line.
    QString outside = text;
    outside.remove(style);
    EXPECT_FALSE(outside.contains(QLatin1Char('\n')));
    EXPECT_EQ(outside.count(QLatin1Char('\r')), 13);
    EXPECT_TRUE(text.endsWith(QStringLiteral("</HTML>")));
    EXPECT_FALSE(text.contains(QStringLiteral("<!--NOTE_IN-->")));
}
