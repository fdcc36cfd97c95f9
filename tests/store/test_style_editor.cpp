// The editor's style blocks, written into every saved page.

#include "store/style_blocks.h"

#include <gtest/gtest.h>

using namespace store;

TEST(StyleBlocksEditor, Style3Golden)
{
    const QString expected = QStringLiteral(
        "<!--STYLE_IN3-->\r\n"
        "<STYLE type=\"text/css\">\r\n"
        "<!--\r\n"
        "BODY{background : #eeffff} a:link{color : #990099} b:vlink{color : #990000}\r\n"
        "H1{\r\n"
        "color : black;\r\n"
        "background-color : #4ef8f3;\r\n"
        "font-size :15mm;\r\n"
        "border-style : double double double double;\r\n"
        "border-color :navy navy navy navy;\r\n"
        "padding-top : 10px;\r\n"
        "padding-left : 10px;\r\n"
        "padding-right : 10px;\r\n"
        "padding-bottom : 10px;\r\n"
        "}\r\n"
        "H2{\r\n"
        "font-size :15mm;border-style : none none inset none;\r\n"
        "border-bottom-color :  white;\r\n"
        "color :  black;\r\n"
        "}\r\n"
        "P{\r\n"
        "color :  black;\r\n"
        "font-size :15mm;\r\n"
        "line-height : 1.3em;\r\n"
        "}\r\n"
        "TABLE{\r\n"
        "color :  black;\r\n"
        "font-size :15mm;\r\n"
        "line-height : 1.3em;\r\n"
        "}\r\n"
        "input, select, textarea {\r\n"
        "font-size: 90%;\r\n"
        "}\r\n"
        "-->\r\n"
        "</STYLE>\r\n"
        "<!--STYLE_OUT-->");
    EXPECT_EQ(MakeStyleBlock(3), expected);
}

TEST(StyleBlocksEditor, Style1HasNoBodyLineAndNoBorderColour)
{
    const QString b = MakeStyleBlock(1);
    EXPECT_TRUE(b.startsWith(QStringLiteral("<!--STYLE_IN1-->\r\n<STYLE type=\"text/css\">\r\n<!--\r\nH1{\r\n")));
    EXPECT_TRUE(b.contains(QStringLiteral("\r\nfont-size :6mm;\r\nborder-style : none none none none;\r\n"
                                          "padding-top : 10px;")));
    EXPECT_TRUE(b.contains(QStringLiteral("font-size :5mm;border-style : none none inset none;\r\n"
                                          "border-bottom-color :  #1faf9a;\r\ncolor :  #1faf9a;")));
    EXPECT_FALSE(b.contains(QStringLiteral("BODY{")));
    EXPECT_TRUE(b.endsWith(QStringLiteral("</STYLE>\r\n<!--STYLE_OUT-->")));
    EXPECT_EQ(b.count(QStringLiteral("\r\n")), 33);  // 34 lines
}

TEST(StyleBlocksEditor, Style4SizesAndBorderColourLine)
{
    const QString b = MakeStyleBlock(4);
    EXPECT_TRUE(b.contains(QStringLiteral("color : white;\r\nbackground-color : #8c8cff;\r\nfont-size :16mm;\r\n"
                                          "border-style : outset outset outset outset;\r\n"
                                          "border-color : white white white white;\r\npadding-top : 10px;")));
    EXPECT_EQ(b.count(QStringLiteral("font-size :14mm;")), 3);
    EXPECT_TRUE(MakeStyleBlock(2).contains(QStringLiteral("font-size :14mm;\r\n")));
}

TEST(StyleBlocksEditor, NoBlockOutsideOneToFour)
{
    EXPECT_EQ(MakeStyleBlock(0), QString());
    EXPECT_EQ(MakeStyleBlock(5), QString());
    EXPECT_EQ(GetStyleBlock(0), QString());
    EXPECT_EQ(GetStyleBlock(-1), QString());
}

TEST(StyleBlocksMain, Style3DiffersFromStyle2OnlyWhereItShould)
{
    QString fromTwo = GetStyleBlock(2);
    fromTwo.replace(QStringLiteral("STYLE_IN2"), QStringLiteral("STYLE_IN3"));
    fromTwo.replace(QStringLiteral("font-size :23mm;"), QStringLiteral("font-size :22mm;"));
    fromTwo.replace(QStringLiteral("font-size :24mm;"), QStringLiteral("font-size :23mm;"));
    fromTwo.replace(QStringLiteral("font-size :26mm;"), QStringLiteral("font-size :25mm;"));
    fromTwo.replace(QStringLiteral("font-size :25mm;\r\nline-height : 1.3em; "),
                    QStringLiteral("font-size :24mm;border-style : none none inset none;\r\n"
                                   "border-bottom-color :  #1faf9a;\r\nline-height : 1.3em; "));
    EXPECT_EQ(GetStyleBlock(3), fromTwo);
}
