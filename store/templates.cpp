#include "store/templates.h"

#include "store/files.h"

#include <initializer_list>

namespace store {

namespace {

// Trailing blanks and doubled blanks belong to the text: browsers ignore
// them, but pages compare byte for byte.
using Lines = std::initializer_list<const char*>;

// The text rules that close both style blocks of the template.
const Lines kTextRulesAndStyleEnd = {
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
};

// Up to the rules of the first style block (opened by a bare marker).
const Lines kHeadAndFirstStyle = {
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
};

// Up to the rules of style block 1.
const Lines kSecondStyle = {
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
};

const Lines kBodyStart = {
    "<!--STYLE_OUT-->",
    "</HEAD>",
    "<BODY><!--HEDDA_IN-->",
};

const Lines kTail = {
    "<!--FOOTER_OUT-->",
    "</BODY>",
    "</HTML>",
};

// Every line followed by a CR, as the template is built in memory.
void appendLines(QString& t, Lines lines)
{
    for (const char* line : lines)
        t += QString::fromUtf8(line) + u'\r';
}

} // namespace

QString newPageText(const QString& S)
{
    QString t;
    for (const Lines& lines : {kHeadAndFirstStyle, kTextRulesAndStyleEnd, kSecondStyle, kTextRulesAndStyleEnd,
                               kBodyStart})
        appendLines(t, lines);
    t += QStringLiteral(R"(<!--HEDDA_OUT--><!--NOTE_IN--><H1 align="center">)") + S
        + QStringLiteral("</H1><P></P><P></P><!--NOTE_OUT--><!--FOOTER_IN-->") + '\r';
    appendLines(t, kTail);
    // Line breaks inside S split its line like any other.
    return files::joinCrLf(files::splitLines(t));
}

bool NEWHTMLSAVE(const QString& F, const QString& S, const QStringList& within)
{
    return files::writeTextBom(F, newPageText(S), within);
}

} // namespace store
