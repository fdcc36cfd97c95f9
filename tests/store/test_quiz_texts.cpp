// Golden bytes of the generated quiz texts: stored pages hold exactly these,
// and the restore and the answer sheets find their markers in them.

#include "store/quiz_texts.h"

#include <gtest/gtest.h>

#include <string>

using namespace store;

namespace {

struct GoldenText {
    const char* name;
    QString (*make)();
    const char* bytes; // UTF-8
};

// Each text with its line ends exactly as stored pages hold it.
const GoldenText kGolden[] = {
    {"ScriptHead", quiz_texts::scriptHead,
        "<SCRIPT language=\"JavaScript\">" "\r\n"
        "<!--" "\r\n"},
    {"CheckingScript", quiz_texts::checkingScript,
        "function Kselect(){" "\r\n"
        "var x=0;//誤答数 " "\r\n"
        "  for( i=0;i<kazu;i++)" "\r\n"
        "  { " "\r\n"
        "    str=\"/\"+myForm.elements[i].name+\"/\";" "\r\n"
        "    str1=\"/\"+myForm.elements[i].value+\"/\";" "\r\n"
        "    if (str.indexOf(str1,0)==-1)" "\r\n"
        "    { " "\r\n"
        "     //alert(myForm.elements[i].name);" "\r\n"
        "     x++;" "\r\n"
        "    }" "\r\n"
        "  }" "\r\n"
        "  if (x>0)" "\r\n"
        "  { " "\r\n"
        "  location.href=\"/$-1,$<-1[_【×】][_【△】],$HISJS sDAT[1]=-1\";" "\r\n"
        "  }" "\r\n"
        "  else{" "\r\n"
        "  location.href=\"/$+1,$_【○】,$HISJS sDAT[1]=+1\";" "\r\n"
        "  }" "\r\n"
        "} " "\r\n"
        "function Kkotae(){" "\r\n"
        "  for( i=0;i<kazu;i++)" "\r\n"
        "  { " "\r\n"
        "  myForm.elements[i].value=myForm.elements[i].name;" "\r\n"
        "  } " "\r\n"
        "}" "\r\n"
        "//--> " "\r\n"
        "</SCRIPT>" "\r\n"},
    {"Buttons", quiz_texts::buttons,
        "<CENTER>" "\r\n"
        "<INPUT type=\"reset\" value=\"□取消\" style=\"background-color:#FFFF88;color:#000000\">" "\r\n"
        "<INPUT type=\"button\" onclick=Kselect() name=\"■決定\"" "\r\n"
        "value=\"■決定\" style=\"background-color:#ccccFF;color:#000000\">" "\r\n"
        "<INPUT type=\"button\" onclick=Kkotae() name=\"答えを見る\"" "\r\n"
        "value=\"答えを見る\" style=\"background-color:#FFcccc;color:#000000\"> " "\r\n"
        "</CENTER>" "\r\n"},
    {"JumpScript", quiz_texts::jumpScript,
        "<SCRIPT language=\"JavaScript\"> " "\r\n"
        "<!-- " "\r\n"
        "function JumpURL(url)" "\r\n"
        "{" "\r\n"
        "  if (url != '')" "\r\n"
        "  {" "\r\n"
        "   location.href = url;" "\r\n"
        "  }" "\r\n"
        "}" "\r\n"
        "//-->" "\r\n"
        "</SCRIPT>" "\r\n"},
    {"RightMessage", quiz_texts::rightMessage,
        "<P>【○】</P>" "\r\n"
        "<P>　　　正解です。</P>" "\r\n"
        "<CENTER><INPUT type=\"button\" onclick=location.href=\"/$NEXT\" name=\"KR次\" value=\"次へ進む\"></CENTER> " "\r\n"},
    {"FirstWrongMessage", quiz_texts::firstWrongMessage,
        "<P>【△】</P>" "\r\n"
        "<P>　　違います。もう一度考えましょう。</P>" "\r"
        "<CENTER><INPUT type=\"button\" onclick=location.href=\"/$\" name=\"KR再度\" value=\"もう一度\"></CENTER>" "\r\n"},
    {"RepeatWrongMessage", quiz_texts::repeatWrongMessage,
        "<P>【×】</P>" "\r\n"
        "<P>　　違います。前に戻って，やりなおしましょう。</P>" "\r\n"
        "<CENTER><INPUT type=\"button\" onclick=location.href=\"/$BACK\" name=\"KR前\" value=\"前に戻る\"></CENTER>" "\r\n"},
    {"NextPageForm", quiz_texts::nextPageForm,
        "<FORM>" "\r\n"
        "<CENTER><INPUT type=\"button\" onclick=\"JumpURL('/$NEXT');\" name=\"Button次\" value=\"ここをクリックして次に進む\"></CENTER> " "\r\n"
        "</FORM>" "\r\n"},
    {"AnswerBlock", quiz_texts::answerBlock,
        "<!--beginPagora_ANSWER//-->" "\r\n"
        "<FORM>" "\r\n"
        "<SCRIPT language=\"JavaScript\">" "\r\n"
        "<!--ANSWER--" "\r\n"
        "function _JumpURL(url)" "\r\n"
        "{" "\r\n"
        "if (url != '')" "\r\n"
        " {" "\r\n"
        " window.location = url;" "\r\n"
        " }" "\r\n"
        "}" "\r\n"
        "//-->" "\r\n"
        "</SCRIPT>" "\r\n"
        "<CENTER><INPUT type=\"button\" name=\"ANSWER\" onclick=\"_JumpURL('/$ANSWER');\" value=\"回答する\" style=\"font-size : large;line-height : 1em;color : white;background-color : red;text-align : center;\"></CENTER>" "\r\n"
        "</FORM>" "\r\n"
        "<!--endPagora_ANSWER//-->" "\r\n"},
};

} // namespace

TEST(QuizTexts, EveryTextByteForByte)
{
    for (const GoldenText& g : kGolden)
        EXPECT_EQ(g.make().toStdString(), std::string(g.bytes)) << g.name;
}
