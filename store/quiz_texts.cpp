#include "store/quiz_texts.h"

namespace store::quiz_texts {

namespace {

// Every line followed by CR LF.
QString lines(std::initializer_list<const char*> list)
{
    QString s;
    for (const char* line : list)
        s += QString::fromUtf8(line) + QStringLiteral("\r\n");
    return s;
}

} // namespace

QString scriptHead()
{
    return lines({"<SCRIPT language=\"JavaScript\">", "<!--"});
}

QString checkingScript()
{
    return lines({
        "function Kselect(){",
        "var x=0;//誤答数 ",
        "  for( i=0;i<kazu;i++)",
        "  { ",
        "    str=\"/\"+myForm.elements[i].name+\"/\";",
        "    str1=\"/\"+myForm.elements[i].value+\"/\";",
        "    if (str.indexOf(str1,0)==-1)",
        "    { ",
        "     //alert(myForm.elements[i].name);",
        "     x++;",
        "    }",
        "  }",
        "  if (x>0)",
        "  { ",
        "  location.href=\"/$-1,$<-1[_【×】][_【△】],$HISJS sDAT[1]=-1\";",
        "  }",
        "  else{",
        "  location.href=\"/$+1,$_【○】,$HISJS sDAT[1]=+1\";",
        "  }",
        "} ",
        "function Kkotae(){",
        "  for( i=0;i<kazu;i++)",
        "  { ",
        "  myForm.elements[i].value=myForm.elements[i].name;",
        "  } ",
        "}",
        "//--> ",
        "</SCRIPT>",
    });
}

QString buttons()
{
    return lines({
        "<CENTER>",
        "<INPUT type=\"reset\" value=\"□取消\" style=\"background-color:#FFFF88;color:#000000\">",
        "<INPUT type=\"button\" onclick=Kselect() name=\"■決定\"",
        "value=\"■決定\" style=\"background-color:#ccccFF;color:#000000\">",
        "<INPUT type=\"button\" onclick=Kkotae() name=\"答えを見る\"",
        "value=\"答えを見る\" style=\"background-color:#FFcccc;color:#000000\"> ",
        "</CENTER>",
    });
}

QString jumpScript()
{
    return lines({
        "<SCRIPT language=\"JavaScript\"> ",
        "<!-- ",
        "function JumpURL(url)",
        "{",
        "  if (url != '')",
        "  {",
        "   location.href = url;",
        "  }",
        "}",
        "//-->",
        "</SCRIPT>",
    });
}

QString rightMessage()
{
    return lines({
        "<P>【○】</P>",
        "<P>　　　正解です。</P>",
        "<CENTER><INPUT type=\"button\" onclick=location.href=\"/$NEXT\" name=\"KR次\" value=\"次へ進む\"></CENTER> ",
    });
}

QString firstWrongMessage()
{
    return lines({"<P>【△】</P>"}) + QString::fromUtf8("<P>　　違います。もう一度考えましょう。</P>") +
           QStringLiteral("\r") +
           lines({"<CENTER><INPUT type=\"button\" onclick=location.href=\"/$\" name=\"KR再度\" "
                  "value=\"もう一度\"></CENTER>"});
}

QString repeatWrongMessage()
{
    return lines({
        "<P>【×】</P>",
        "<P>　　違います。前に戻って，やりなおしましょう。</P>",
        "<CENTER><INPUT type=\"button\" onclick=location.href=\"/$BACK\" name=\"KR前\" value=\"前に戻る\"></CENTER>",
    });
}

QString nextPageForm()
{
    return lines({
        "<FORM>",
        "<CENTER><INPUT type=\"button\" onclick=\"JumpURL('/$NEXT');\" name=\"Button次\" "
        "value=\"ここをクリックして次に進む\"></CENTER> ",
        "</FORM>",
    });
}

QString answerBlock()
{
    return lines({
        "<!--beginPagora_ANSWER//-->",
        "<FORM>",
        "<SCRIPT language=\"JavaScript\">",
        "<!--ANSWER--",
        "function _JumpURL(url)",
        "{",
        "if (url != '')",
        " {",
        " window.location = url;",
        " }",
        "}",
        "//-->",
        "</SCRIPT>",
        "<CENTER><INPUT type=\"button\" name=\"ANSWER\" onclick=\"_JumpURL('/$ANSWER');\" value=\"回答する\" "
        "style=\"font-size : large;line-height : 1em;color : white;background-color : red;text-align : center;\">"
        "</CENTER>",
        "</FORM>",
        "<!--endPagora_ANSWER//-->",
    });
}

} // namespace store::quiz_texts
