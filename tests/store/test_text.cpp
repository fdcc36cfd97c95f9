#include "store/text.h"
#include "qt_print.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace text;

TEST(Text, CaseMappingKeepsTheLength)
{
    const QString s = QStringLiteral("straße ﬁ ǅ Äb");
    EXPECT_EQ(upper(s).size(), s.size());
    EXPECT_EQ(lower(s).size(), s.size());
    EXPECT_EQ(upper(QStringLiteral("ß")), QStringLiteral("ß"));
    EXPECT_EQ(upper("<title>"), "<TITLE>");
    EXPECT_EQ(lower(QStringLiteral("ÄB")), QStringLiteral("äb"));
    // A marker found in the cased copy cuts the original at the same place.
    const QString page = QStringLiteral("ßß<title>x</title>");
    EXPECT_EQ(copy(page, pos("<TITLE>", upper(page)) + 7, 1), "x");
}

TEST(Text, PositionsAreOneBasedAndAnEmptyNeedleIsNeverFound)
{
    EXPECT_EQ(pos("b", "abcb"), 2);
    EXPECT_EQ(pos("b", "abcb", 3), 4);
    EXPECT_EQ(pos("b", "abcb", 0), 2);
    EXPECT_EQ(pos("b", "abcb", 5), 0);
    EXPECT_EQ(pos("z", "abc"), 0);
    EXPECT_EQ(pos("", "abc"), 0);
    EXPECT_EQ(pos("", ""), 0);
    EXPECT_EQ(pos("B", "abc"), 0); // case counts
    EXPECT_EQ(lastPos("b", "abcb"), 4);
    EXPECT_EQ(lastPos("", "abc"), 0);
    EXPECT_FALSE(contains("abc", ""));
    EXPECT_TRUE(contains("abc", "bc"));
}

TEST(Text, CopyDeleteAndInsertClampTheirRanges)
{
    EXPECT_EQ(copy("abcdef", 2, 3), "bcd");
    EXPECT_EQ(copy("abcdef", 0, 2), "ab");
    EXPECT_EQ(copy("abcdef", -5, 2), "ab");
    EXPECT_EQ(copy("abcdef", 5, 100), "ef");
    EXPECT_EQ(copy("abcdef", 7, 1), "");
    EXPECT_EQ(copy("abcdef", 2, 0), "");
    EXPECT_EQ(copy("abcdef", 2, -1), "");
    EXPECT_EQ(copy("abc", 2, std::numeric_limits<int>::max()), "bc");
    EXPECT_EQ(copyFrom("abcdef", 4), "def");
    EXPECT_EQ(del("abcdef", 2, 2), "adef");
    EXPECT_EQ(del("abcdef", 0, 2), "cdef");
    EXPECT_EQ(del("abcdef", 5, 100), "abcd");
    EXPECT_EQ(del("abcdef", 7, 1), "abcdef");
    EXPECT_EQ(del("abcdef", 2, 0), "abcdef");
    EXPECT_EQ(insert("X", "abc", 2), "aXbc");
    EXPECT_EQ(insert("X", "abc", 0), "Xabc");
    EXPECT_EQ(insert("X", "abc", 99), "abcX");
}

TEST(Text, TrimmingKeepsTheFullWidthBlank)
{
    const QString wide = QStringLiteral("\u3000");
    EXPECT_EQ(trimRight("ab \t\r\n"), "ab");
    EXPECT_EQ(trimRight("ab" + wide + " "), "ab" + wide);
    EXPECT_EQ(trimLeft(" \t" + wide + "ab"), wide + "ab");
    EXPECT_EQ(trim("  ab  "), "ab");
    EXPECT_EQ(trim(" \r\n "), "");
    EXPECT_EQ(trimRight(QStringLiteral("a\u00A0")), QStringLiteral("a\u00A0"));
}

TEST(Text, ReplacingIsCaseSensitiveAndLeftToRight)
{
    EXPECT_EQ(replaceAll("aAaA", "a", "x"), "xAxA");
    EXPECT_EQ(replaceAll("aaa", "aa", "b"), "ba");
    EXPECT_EQ(replaceAll("abc", "", "x"), "abc");
    EXPECT_EQ(replaceFirst("abab", "ab", "X"), "Xab");
    EXPECT_EQ(replaceFirst("abc", "z", "X"), "abc");
}

TEST(Text, IntegerConversionFailsInsteadOfGivingZero)
{
    EXPECT_EQ(toInt("42").value(), 42);
    EXPECT_EQ(toInt("  -7").value(), -7);
    EXPECT_EQ(toInt("+7").value(), 7);
    EXPECT_EQ(toInt("$1F").value(), 31);
    EXPECT_EQ(toInt("0x10").value(), 16);
    EXPECT_EQ(toInt("2147483647").value(), 2147483647);
    EXPECT_EQ(toInt("-2147483648").value(), std::numeric_limits<int>::min());
    for (const char* bad : {"", " ", "-", "12a", "1 2", "7 ", "2147483648", "99999999999", "$",
                            "0x", "1.5", "abc"})
        EXPECT_FALSE(toInt(bad).has_value()) << bad;
    EXPECT_FALSE(toInt(QStringLiteral("１２")).has_value()); // full-width digits are no number
    EXPECT_EQ(toIntDef("x", -1), -1);
    EXPECT_EQ(toIntDef("5", -1), 5);
    EXPECT_EQ(leadingInt(" 12abc").value(), 12);
    EXPECT_FALSE(leadingInt("abc").has_value());
}

TEST(Text, NumbersRoundHalvesToEvenAndDivideTowardZero)
{
    EXPECT_EQ(roundHalfEven(2.5), 2);
    EXPECT_EQ(roundHalfEven(3.5), 4);
    EXPECT_EQ(roundHalfEven(-2.5), -2);
    EXPECT_EQ(roundHalfEven(0.5), 0);
    EXPECT_EQ(roundHalfEven(2.6), 3);
    EXPECT_EQ(divTrunc(-7, 2), -3);
    EXPECT_EQ(divTrunc(7, -2), -3);
    EXPECT_EQ(divTrunc(7, 0), 0);
    // INT_MIN / -1 traps on x86; an out-of-range double has no int value.
    EXPECT_EQ(divTrunc(std::numeric_limits<int>::min(), -1), std::numeric_limits<int>::max());
    EXPECT_EQ(roundHalfEven(1e300), std::numeric_limits<int>::max());
    EXPECT_EQ(roundHalfEven(-1e300), std::numeric_limits<int>::min());
    EXPECT_EQ(roundHalfEven(std::nan("")), 0);
    EXPECT_EQ(fromDouble(1.5), "1.5");
    EXPECT_EQ(fromDouble(-0.25), "-0.25");
    EXPECT_EQ(pad(7, 3), "007");
}

TEST(Text, JapaneseDatesAndTheDdmmssStamp)
{
    EXPECT_EQ(dateJa(QDate(2026, 12, 9)), QStringLiteral("2026年12月9日"));
    EXPECT_EQ(dateJa(QDate(2027, 1, 5)), QStringLiteral("2027年1月5日"));
    EXPECT_EQ(weekdayJa(QDate(2026, 12, 9)), QStringLiteral("水"));
    EXPECT_EQ(weekdayJa(QDate(2026, 12, 7)), QStringLiteral("月"));
    EXPECT_EQ(weekdayJa(QDate(2026, 12, 13)), QStringLiteral("日"));
    EXPECT_EQ(weekdayJa(QDate()), "");
    // The second part repeats day and month, then the seconds: not a time of day.
    EXPECT_EQ(stampDdmmss(QDateTime(QDate(2026, 3, 4), QTime(13, 59, 7))), "20260304-040307");
}
