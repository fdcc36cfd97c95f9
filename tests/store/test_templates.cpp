#include "store/templates.h"
#include "support/write_bounds.h"
#include "store/files.h"
#include "qt_print.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

using namespace store;

namespace {

// The new page as it must be on disk, line by line.
const char* const kGolden[] = {
    "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">",
    "<HTML>",
    "<HEAD>",
    "<META NAME=\"author\" CONTENT=\"Pagora_TEXT_B4\">",
    "<META http-equiv=\"Content-Type\" content=\"text/html; charset=UTF-8\">",
    "<META http-equiv=\"Content-Style-Type\" content=\"text/css\">",
    "<TITLE>NEW</TITLE><!--STYLE_IN-->",
    "<STYLE type=\"text/css\">", "<!--",
    "H1{ ", "color : white;", "background-color : #1faf9a;", "font-size :6mm;",
    "border-style : none none none none; ", "padding-top : 10px;", "padding-left : 10px; ",
    "padding-right : 10px;", "padding-bottom : 10px;", "}",
    "H2{", "font-size :5mm;border-style : none none inset none; ",
    "border-bottom-color :  #1faf9a;", "color :  #1faf9a;", "}",
    "P{", "color :  black;", "font-size :5mm;", "line-height : 1.3em;", "}",
    "TABLE{", "color :  black;", "font-size :5mm;", "line-height : 1.3em;", "}",
    "-->", "</STYLE>",
    "<!--STYLE_OUT--><!--STYLE_IN1-->",
    "<STYLE type=\"text/css\">", "<!--",
    "H1{", "font-size :6mm;", "}",
    "H2{", "font-size :5mm;", "line-height : 1.3em;", "}",
    "P{", "color :  black;", "font-size :5mm;", "line-height : 1.3em;", "}",
    "TABLE{", "color :  black;", "font-size :5mm;", "line-height : 1.3em;", "}",
    "-->", "</STYLE>", "<!--STYLE_OUT-->",
    "</HEAD>",
    "<BODY><!--HEDDA_IN-->",
    "<!--HEDDA_OUT--><!--NOTE_IN--><H1 align=\"center\">@</H1><P></P><P></P><!--NOTE_OUT--><!--FOOTER_IN-->",
    "<!--FOOTER_OUT-->",
    "</BODY>",
    "</HTML>",
};

QByteArray golden(const QString& heading)
{
    QByteArray b("\xEF\xBB\xBF");
    for (const char* line : kGolden)
        b += QString::fromUtf8(line).replace("@", heading).toUtf8() + "\r\n";
    return b;
}

} // namespace

TEST(Templates, NewPageIsWrittenByteForByte)
{
    ASSERT_EQ(std::size(kGolden), 65u);
    QTemporaryDir dir;
    const QString f = files::joinPath(dir.path(), kPlaceholderPageName);
    ASSERT_TRUE(NEWHTMLSAVE(f, "--- チェック中 ---", tempBounds()));
    const QByteArray bytes = files::readBytes(f).value();
    EXPECT_EQ(bytes, golden("--- チェック中 ---"));
    EXPECT_EQ(bytes.count("\r\n"), 65);
    EXPECT_TRUE(bytes.contains("<TITLE>NEW</TITLE>"));

    ASSERT_TRUE(NEWHTMLSAVE(f, "*** NO PAGE ***", tempBounds())); // replaces the old page
    EXPECT_EQ(files::readBytes(f).value(), golden("*** NO PAGE ***"));
}

TEST(Templates, HeadingIsUnescapedAndItsLineBreaksSplitTheLine)
{
    EXPECT_TRUE(newPageText("a<b>").contains("<H1 align=\"center\">a<b></H1>"));
    const QString t = newPageText("one\ntwo");
    EXPECT_EQ(t.count("\r\n"), 66);
    EXPECT_TRUE(t.contains("center\">one\r\ntwo</H1>"));
    EXPECT_EQ(t.count('\n'), 66); // no bare LF left
}

TEST(Templates, FailedWriteReportsFalse)
{
    QTemporaryDir dir;
    const QString f = files::joinPath(dir.path(), "page.html");
    QDir().mkdir(f);
    EXPECT_FALSE(NEWHTMLSAVE(f, "x", tempBounds()));
    EXPECT_FALSE(NEWHTMLSAVE(files::joinPath(dir.path(), "no/such/folder.html"), "x", tempBounds()));
    EXPECT_TRUE(QFileInfo(f).isDir());
}
