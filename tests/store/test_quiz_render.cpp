// Worksheet renderings: blanks of ideographic spaces, or answers in red.

#include "store/quiz.h"
#include "store/quiz_render.h"

#include <gtest/gtest.h>

using namespace store;

namespace {

QString u8(const char* s) { return QString::fromUtf8(s); }

QString quizPage(const char* body)
{
    return MakeQuizPage(QStringLiteral("<BODY>") + u8(body) + QStringLiteral("</BODY>"));
}

} // namespace

TEST(QuizRenderPlain, BlanksFollowFirstAlternative)
{
    EXPECT_EQ(RenderQuizAnswers(u8("a(いぬ/イヌ)b(犬|猫/犬)"), kRenderBlanks),
              u8("a(\u3000\u3000\u3000)b(\u3000\u3000)"));
    EXPECT_EQ(RenderQuizAnswers(u8("a(いぬ/イヌ)"), kRenderRedAnswers), u8("a(いぬ/イヌ)"));
}

TEST(QuizRenderPlain, MarkupAndUnmatchedBracketsStay)
{
    const QString p = u8("<IMG src=\"写真 (1).jpg\"><SCRIPT>f(1)</SCRIPT>x (y");
    EXPECT_EQ(RenderQuizAnswers(p, kRenderBlanks), p);
}

TEST(QuizRenderFields, InputsAndChoices)
{
    const QString q = quizPage("Q1(いぬ/イヌ) Q2(犬|猫/犬/鳥)");
    EXPECT_EQ(RenderQuizAnswers(q, kRenderBlanks), u8("<BODY>Q1(\u3000\u3000\u3000) Q2(\u3000\u3000)</BODY>"));
    EXPECT_EQ(RenderQuizAnswers(q, kRenderRedAnswers),
              u8("<BODY>Q1(<FONT color=\"#ff0000\">いぬ/イヌ</FONT>) Q2(<FONT color=\"#ff0000\">犬</FONT>)</BODY>"));
}

TEST(QuizRenderFields, AnswerBlockGoesTextStays)
{
    const QString p = AddAnswerButton(QStringLiteral("<BODY><!--NOTE_OUT--><P>text</P></BODY>"));
    // the block goes through its end marker; its line break stays
    const QString expected = QStringLiteral("<BODY><!--NOTE_OUT-->\r\n<P>text</P></BODY>");
    EXPECT_EQ(RenderQuizAnswers(p, kRenderBlanks), expected);
    EXPECT_EQ(RenderQuizAnswers(p, kRenderRedAnswers), expected);
}

TEST(QuizRenderPlain, LessThanBeforeANonAsciiLetterIsText)
{
    EXPECT_EQ(RenderQuizAnswers(u8("<P>値<大きい (いぬ/イヌ) とき</P>"), kRenderBlanks),
              u8("<P>値<大きい (\u3000\u3000\u3000) とき</P>"));
    EXPECT_EQ(RenderQuizAnswers(u8("a<é (xy)"), kRenderBlanks), u8("a<é (\u3000\u3000\u3000)"));
}
