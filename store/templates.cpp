#include "store/templates.h"

#include "store/files.h"

namespace store {

namespace {

// Lines 1-61 of the template. Trailing blanks and doubled blanks belong to
// the text: browsers ignore them, but pages compare byte for byte.
const char* const kHead[] = {
    R"(<!DOCTYPE HTML PUBLIC "-//W3C//DTD HTML 4.01 Transitional//EN">)",
    "<HTML>",
    "<HEAD>",
    R"(<META NAME="author" CONTENT="Pagora_TEXT_B4">)",
    R"(<META http-equiv="Content-Type" content="text/html; charset=UTF-8">)",
    R"(<META http-equiv="Content-Style-Type" content="text/css">)",
    "<TITLE>NEW</TITLE><!--STYLE_IN-->",
    R"(<STYLE type="text/css">)",
    "<!--",
    "H1{ ",
    "color : white;",
    "background-color : #1faf9a;",
    "font-size :6mm;",
    "border-style : none none none none; ",
    "padding-top : 10px;",
    "padding-left : 10px; ",
    "padding-right : 10px;",
    "padding-bottom : 10px;",
    "}",
    "H2{",
    "font-size :5mm;border-style : none none inset none; ",
    "border-bottom-color :  #1faf9a;",
    "color :  #1faf9a;",
    "}",
    "P{",
    "color :  black;",
    "font-size :5mm;",
    "line-height : 1.3em;",
    "}",
    "TABLE{",
    "color :  black;",
    "font-size :5mm;",
    "line-height : 1.3em;",
    "}",
    "-->",
    "</STYLE>",
    "<!--STYLE_OUT--><!--STYLE_IN1-->",
    R"(<STYLE type="text/css">)",
    "<!--",
    "H1{",
    "font-size :6mm;",
    "}",
    "H2{",
    "font-size :5mm;",
    "line-height : 1.3em;",
    "}",
    "P{",
    "color :  black;",
    "font-size :5mm;",
    "line-height : 1.3em;",
    "}",
    "TABLE{",
    "color :  black;",
    "font-size :5mm;",
    "line-height : 1.3em;",
    "}",
    "-->",
    "</STYLE>",
    "<!--STYLE_OUT-->",
    "</HEAD>",
    "<BODY><!--HEDDA_IN-->",
};

const char* const kTail[] = {
    "<!--FOOTER_OUT-->",
    "</BODY>",
    "</HTML>",
};

} // namespace

QString newPageText(const QString& S)
{
    QString t;
    for (const char* line : kHead)
        t += QString::fromUtf8(line) + '\r';
    t += QStringLiteral(R"(<!--HEDDA_OUT--><!--NOTE_IN--><H1 align="center">)") + S
        + QStringLiteral("</H1><P></P><P></P><!--NOTE_OUT--><!--FOOTER_IN-->") + '\r';
    for (const char* line : kTail)
        t += QString::fromUtf8(line) + '\r';
    // Line breaks inside S split its line like any other.
    return files::joinCrLf(files::splitLines(t));
}

bool NEWHTMLSAVE(const QString& F, const QString& S)
{
    return files::writeTextBom(F, newPageText(S));
}

} // namespace store
