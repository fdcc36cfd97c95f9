// Golden bytes of the main window's style blocks (new dated pages carry
// them until their first save in the editor).

#include "store/style_blocks.h"

#include <gtest/gtest.h>

using namespace store;

TEST(StyleBlocksMain, Style1)
{
    EXPECT_EQ(GetStyleBlock(1), QString::fromUtf8(
        "<!--STYLE_IN1-->" "\r\n"
        "<STYLE type=\"text/css\">" "\r\n"
        "<!--" "\r\n"
        "H1{" "\r\n"
        "font-size :6mm;" "\r\n"
        "}" "\r\n"
        "H2{" "\r\n"
        "font-size :5mm;" "\r\n"
        "line-height : 1.3em; " "\r\n"
        "} " "\r\n"
        "P{ " "\r\n"
        "color :  black;" "\r\n"
        "font-size :5mm;" "\r\n"
        "line-height : 1.3em;" "\r\n"
        "}" "\r\n"
        "TABLE{" "\r\n"
        "color :  black;" "\r\n"
        "font-size :5mm;" "\r\n"
        "line-height : 1.3em;" "\r\n"
        "}" "\r\n"
        "--> " "\r\n"
        "</STYLE>" "\r\n"
        "<!--STYLE_OUT-->" "\r\n"));
}

TEST(StyleBlocksMain, Style2)
{
    EXPECT_EQ(GetStyleBlock(2), QString::fromUtf8(
        "<!--STYLE_IN2-->" "\r\n"
        "<STYLE type=\"text/css\">" "\r\n"
        "<!--" "\r\n"
        "BODY{background : #ffffff;} a:link{color : #990099;} b:vlink{color : #990000}" "\r\n"
        "<!--" "\r\n"
        "H1{" "\r\n"
        "color : white;" "\r\n"
        "font-size :26mm;" "\r\n"
        "}" "\r\n"
        "H2{ " "\r\n"
        "font-size :25mm;" "\r\n"
        "line-height : 1.3em; " "\r\n"
        "color :  #1faf9a;" "\r\n"
        "}" "\r\n"
        "P{" "\r\n"
        "color :  black;" "\r\n"
        "font-size :24mm;" "\r\n"
        "line-height : 1.3em; " "\r\n"
        "} " "\r\n"
        "TABLE{" "\r\n"
        "color :  black;" "\r\n"
        "font-size :23mm;" "\r\n"
        "line-height : 1.3em;" "\r\n"
        "}" "\r\n"
        "-->" "\r\n"
        "</STYLE> " "\r\n"
        "<!--STYLE_OUT-->" "\r\n"));
}

TEST(StyleBlocksMain, Style4)
{
    EXPECT_EQ(GetStyleBlock(4), QString::fromUtf8(
        "<!--STYLE_IN4-->" "\r\n"
        "<STYLE type=\"text/css\">" "\r\n"
        "<!--" "\r\n"
        "H1{ " "\r\n"
        "color : white;" "\r\n"
        "background-color : #8c8cff;" "\r\n"
        "font-size :25mm;" "\r\n"
        "border-style : outset outset outset outset;" "\r\n"
        "border-color : white white white white;" "\r\n"
        "padding-top : 10px;" "\r\n"
        "padding-left : 10px;" "\r\n"
        "padding-right : 10px;" "\r\n"
        "padding-bottom : 10px;" "\r\n"
        "} " "\r\n"
        "H2{" "\r\n"
        "  font-size :24mm;border-style : none none inset none;" "\r\n"
        "border-bottom-color :  white;" "\r\n"
        "line-height : 1.3em; " "\r\n"
        "color :  black;" "\r\n"
        "}" "\r\n"
        "P{ " "\r\n"
        "  color :  black;" "\r\n"
        "font-size :23mm;" "\r\n"
        "line-height : 1.3em;" "\r\n"
        "} " "\r\n"
        "TABLE{" "\r\n"
        "color :  black;" "\r\n"
        "font-size :22mm;" "\r\n"
        "line-height : 1.3em;" "\r\n"
        "}" "\r\n"
        "-->" "\r\n"
        "</STYLE>" "\r\n"
        "<!--STYLE_OUT-->" "\r\n"));
}
