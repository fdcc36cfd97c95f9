#include "store/style_blocks.h"

#include <QStringList>

namespace store {

QString styleStartMarker(int style)
{
    return kStyleInPrefix + QString::number(style) + QStringLiteral("-->");
}

namespace {

struct EditorStyleValues {
    const char* headingColour;
    const char* headingBackground;
    const char* headingSize;
    const char* headingBorder;
    const char* headingBorderColourLine; // nullptr: no such line
    const char* subSize;
    const char* subRuleColour;
    const char* subColour;
    const char* textSize;
};

const EditorStyleValues kEditorStyles[4] = {
    {"white;", "#1faf9a;", "6mm", "none none none none;", nullptr, "5mm", "#1faf9a;", "#1faf9a;", "5mm"},
    {"white;", "#1faf9a;", "14mm", "none none none none;", nullptr, "12mm", "#1faf9a;", "#1faf9a;", "12mm"},
    {"black;", "#4ef8f3;", "15mm", "double double double double;", "border-color :navy navy navy navy;",
     "15mm", "white;", "black;", "15mm"},
    {"white;", "#8c8cff;", "16mm", "outset outset outset outset;", "border-color : white white white white;",
     "14mm", "white;", "black;", "14mm"},
};

QString u(const char* s) { return QString::fromUtf8(s); }

} // namespace

QString MakeStyleBlock(int style)
{
    if (style < 1 || style > 4)
        return QString();
    const EditorStyleValues& v = kEditorStyles[style - 1];
    QStringList l;
    l << styleStartMarker(style) << QStringLiteral("<STYLE type=\"text/css\">") << QStringLiteral("<!--");
    if (style == 3)
        l << QStringLiteral("BODY{background : #eeffff} a:link{color : #990099} b:vlink{color : #990000}");
    l << QStringLiteral("H1{") << QStringLiteral("color : ") + u(v.headingColour)
      << QStringLiteral("background-color : ") + u(v.headingBackground)
      << QStringLiteral("font-size :") + u(v.headingSize) + QStringLiteral(";")
      << QStringLiteral("border-style : ") + u(v.headingBorder);
    if (v.headingBorderColourLine)
        l << u(v.headingBorderColourLine);
    l << QStringLiteral("padding-top : 10px;") << QStringLiteral("padding-left : 10px;")
      << QStringLiteral("padding-right : 10px;") << QStringLiteral("padding-bottom : 10px;") << QStringLiteral("}");
    l << QStringLiteral("H2{")
      << QStringLiteral("font-size :") + u(v.subSize) + QStringLiteral(";border-style : none none inset none;")
      << QStringLiteral("border-bottom-color :  ") + u(v.subRuleColour)
      << QStringLiteral("color :  ") + u(v.subColour) << QStringLiteral("}");
    for (const char* element : {"P{", "TABLE{"}) {
        l << u(element) << QStringLiteral("color :  black;")
          << QStringLiteral("font-size :") + u(v.textSize) + QStringLiteral(";")
          << QStringLiteral("line-height : 1.3em;") << QStringLiteral("}");
    }
    l << QStringLiteral("input, select, textarea {") << QStringLiteral("font-size: 90%;") << QStringLiteral("}")
      << QStringLiteral("-->") << QStringLiteral("</STYLE>") << kStyleOut;
    return l.join(QStringLiteral("\r\n"));
}

namespace {

// Lines of the main window's blocks; trailing blanks are part of the text.
const char* const kMainStyle1[] = {
    "<!--STYLE_IN1-->", "<STYLE type=\"text/css\">", "<!--", "H1{", "font-size :6mm;", "}", "H2{",
    "font-size :5mm;", "line-height : 1.3em; ", "} ", "P{ ", "color :  black;", "font-size :5mm;",
    "line-height : 1.3em;", "}", "TABLE{", "color :  black;", "font-size :5mm;", "line-height : 1.3em;", "}",
    "--> ", "</STYLE>", "<!--STYLE_OUT-->", nullptr};

const char* const kMainStyle2[] = {
    "<!--STYLE_IN2-->", "<STYLE type=\"text/css\">", "<!--",
    "BODY{background : #ffffff;} a:link{color : #990099;} b:vlink{color : #990000}", "<!--", "H1{",
    "color : white;", "font-size :26mm;", "}", "H2{ ", "font-size :25mm;", "line-height : 1.3em; ",
    "color :  #1faf9a;", "}", "P{", "color :  black;", "font-size :24mm;", "line-height : 1.3em; ", "} ",
    "TABLE{", "color :  black;", "font-size :23mm;", "line-height : 1.3em;", "}", "-->", "</STYLE> ",
    "<!--STYLE_OUT-->", nullptr};

const char* const kMainStyle3[] = {
    "<!--STYLE_IN3-->", "<STYLE type=\"text/css\">", "<!--",
    "BODY{background : #ffffff;} a:link{color : #990099;} b:vlink{color : #990000}", "<!--", "H1{",
    "color : white;", "font-size :25mm;", "}", "H2{ ", "font-size :24mm;border-style : none none inset none;",
    "border-bottom-color :  #1faf9a;", "line-height : 1.3em; ", "color :  #1faf9a;", "}", "P{",
    "color :  black;", "font-size :23mm;", "line-height : 1.3em; ", "} ", "TABLE{", "color :  black;",
    "font-size :22mm;", "line-height : 1.3em;", "}", "-->", "</STYLE> ", "<!--STYLE_OUT-->", nullptr};

const char* const kMainStyle4[] = {
    "<!--STYLE_IN4-->", "<STYLE type=\"text/css\">", "<!--", "H1{ ", "color : white;",
    "background-color : #8c8cff;", "font-size :25mm;", "border-style : outset outset outset outset;",
    "border-color : white white white white;", "padding-top : 10px;", "padding-left : 10px;",
    "padding-right : 10px;", "padding-bottom : 10px;", "} ", "H2{",
    "  font-size :24mm;border-style : none none inset none;", "border-bottom-color :  white;",
    "line-height : 1.3em; ", "color :  black;", "}", "P{ ", "  color :  black;", "font-size :23mm;",
    "line-height : 1.3em;", "} ", "TABLE{", "color :  black;", "font-size :22mm;", "line-height : 1.3em;", "}",
    "-->", "</STYLE>", "<!--STYLE_OUT-->", nullptr};

} // namespace

QString GetStyleBlock(int style)
{
    const char* const* lines = nullptr;
    switch (style) {
    case 1: lines = kMainStyle1; break;
    case 2: lines = kMainStyle2; break;
    case 3: lines = kMainStyle3; break;
    case 4: lines = kMainStyle4; break;
    default: return QString();
    }
    QString block;
    for (; *lines; ++lines)
        block += u(*lines) + QStringLiteral("\r\n");
    return block;
}

} // namespace store
