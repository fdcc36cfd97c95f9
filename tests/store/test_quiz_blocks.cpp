// Quiz pages: brackets to fields and back, answer buttons, and the markup
// that must never turn into fields.

#include "store/quiz.h"
#include "store/quiz_texts.h"

#include <gtest/gtest.h>

using namespace store;

namespace {

QString u8(const char* s) { return QString::fromUtf8(s); }

QString page(const QString& body)
{
    return QStringLiteral("<HTML><HEAD><TITLE>t(1)</TITLE></HEAD><BODY>") + body +
           QStringLiteral("</BODY></HTML>");
}

// The page text between the two generated blocks.
QString fieldsPart(const QString& quiz)
{
    const int a = quiz.indexOf(kQuizEnd) + kQuizEnd.size();
    return quiz.mid(a, quiz.indexOf(kQuizBegin, a) - a);
}

enum class Kind { Plain, Quiz, Answer };

// What the editor is told about a page read back: its text and its kind.
void expectRestored(const QuizRestore& r, const QString& text, Kind kind)
{
    EXPECT_EQ(r.text, text);
    EXPECT_EQ(r.CheckBox1, kind == Kind::Quiz);
    EXPECT_EQ(r.CheckBox2, kind == Kind::Answer);
    EXPECT_EQ(r.Panel19Raised, kind == Kind::Quiz);
}

} // namespace

TEST(QuizFields, ChoiceAndInput)
{
    const QString q = MakeQuizPage(page(u8("犬は(犬|猫/犬/鳥)、(いぬ/イヌ)")));
    EXPECT_EQ(fieldsPart(q),
              u8("犬は<SELECT name=\"犬\"><OPTION value=\"?\">?</OPTION><OPTION value=\"猫\">猫</OPTION>"
                 "<OPTION value=\"犬\">犬</OPTION><OPTION value=\"鳥\">鳥</OPTION></SELECT>、"
                 "<input type=\"text\" name=\"いぬ/イヌ\" size=\"8\">"));
    EXPECT_TRUE(q.contains(u8("var kazu=2;//問題数\r")));
    EXPECT_TRUE(q.startsWith(QStringLiteral("<HTML><HEAD><TITLE>t(1)</TITLE></HEAD><BODY><!--beginPagora//-->\r"
                                            "<FORM name=\"myForm\">\r<SCRIPT")));
    EXPECT_TRUE(q.endsWith(QStringLiteral("<BR>\r</FORM>\r<!--endPagora//--></BODY></HTML>")));
}

TEST(QuizFields, TextBracketsStay)
{
    const QString body = u8("(a|b) (x\"y) (p>q) (全角)は（そのまま）");
    const QString q = fieldsPart(MakeQuizPage(page(body)));
    EXPECT_EQ(q, u8("(a|b) (x\"y) (p>q) <input type=\"text\" name=\"全角\" size=\"5\">は（そのまま）"));
}

TEST(QuizFields, EmptyBracketIsAnInput)
{
    EXPECT_EQ(fieldsPart(MakeQuizPage(page(QStringLiteral("()")))),
              QStringLiteral("<input type=\"text\" name=\"\" size=\"3\">"));
}

TEST(QuizFields, MarkupNeverBecomesAField)
{
    const QString body = u8("<P><IMG src=\"写真 (1).jpg\" alt='(a)'></P>"
                            "<SCRIPT>f(x);</SCRIPT><style>a{b:c(d)}</style><!-- (c) -->(ok)");
    const QString q = fieldsPart(MakeQuizPage(page(body)));
    EXPECT_EQ(q, u8("<P><IMG src=\"写真 (1).jpg\" alt='(a)'></P><SCRIPT>f(x);</SCRIPT><style>a{b:c(d)}</style>"
                    "<!-- (c) --><input type=\"text\" name=\"ok\" size=\"5\">"));
}

TEST(QuizFields, UnmatchedOpenStaysText)
{
    EXPECT_EQ(fieldsPart(MakeQuizPage(page(QStringLiteral("a ( b")))), QStringLiteral("a ( b"));
    EXPECT_EQ(fieldsPart(MakeQuizPage(page(QStringLiteral("a (<B>b</B>)")))), QStringLiteral("a (<B>b</B>)"));
}

TEST(QuizPage, WithoutQuestionsGetsNextPageForm)
{
    const QString q = MakeQuizPage(page(QStringLiteral("no questions")));
    EXPECT_FALSE(q.contains(QStringLiteral("kazu")));
    EXPECT_TRUE(q.contains(quiz_texts::jumpScript() + QStringLiteral("\r") + kQuizEnd + QStringLiteral("no questions")));
    EXPECT_TRUE(q.contains(QStringLiteral("<BR>\r") + quiz_texts::nextPageForm() + QStringLiteral("\r</FORM>\r")));
}

TEST(QuizPage, MessagesFollowTheLineBreaks)
{
    const QString q = MakeQuizPage(page(QStringLiteral("(a)")));
    const QString br10 = RepeatText(QStringLiteral("<BR>"), 10);
    EXPECT_TRUE(q.contains(quiz_texts::buttons() + QStringLiteral("\r\n") + RepeatText(QStringLiteral("<BR>"), 50) +
                           quiz_texts::rightMessage() + br10 + quiz_texts::firstWrongMessage() + br10 +
                           quiz_texts::repeatWrongMessage() + br10 + QStringLiteral("\r</FORM>")));
}

TEST(QuizPage, WithoutBodyComesBackUnchanged)
{
    EXPECT_EQ(MakeQuizPage(QStringLiteral("(a) text")), QStringLiteral("(a) text"));
}

TEST(QuizRestore, RoundTrip)
{
    const QString original = page(u8("犬は(犬|猫/犬/鳥)、(いぬ/イヌ)、( )と(a|b)"));
    QString saved = MakeQuizPage(original);
    saved.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
    saved.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));  // as stored on disk
    expectRestored(RestoreQuizNotation(saved), original, Kind::Quiz);
}

TEST(QuizRestore, PlainPageUnchanged)
{
    const QString plain = page(QStringLiteral("<INPUT name=\"x\">"));
    expectRestored(RestoreQuizNotation(plain), plain, Kind::Plain);
}

TEST(QuizRestore, HandWrittenListWithoutQuestionEntryKeepsAllEntries)
{
    const QString list = QStringLiteral("<select name=\"b\"><option>a</option><option>b</option></select>");
    expectRestored(RestoreQuizNotation(kQuizBegin + kQuizEnd + list), QStringLiteral("(b|a/b)"), Kind::Quiz);
}

TEST(QuizRestore, MissingEndMarkerStillEnds)
{
    const QuizRestore r = RestoreQuizNotation(QStringLiteral("a<!--beginPagora//-->b<input name=\"c\">"));
    EXPECT_EQ(r.text, QStringLiteral("ab(c)"));
    const QuizRestore s = RestoreQuizNotation(QStringLiteral("a<!--beginPagora<SELECT name=\"x\"><OPTION>?"));
    EXPECT_TRUE(s.CheckBox1);
}

TEST(AnswerButton, InsertedAfterNoteAndRemovedAgain)
{
    const QString p = QStringLiteral("<BODY><!--NOTE_IN-->x<!--NOTE_OUT-->\r\n<!--FOOTER_IN--></BODY>");
    const QString a = AddAnswerButton(p);
    EXPECT_EQ(a, QStringLiteral("<BODY><!--NOTE_IN-->x<!--NOTE_OUT-->\r\n") + quiz_texts::answerBlock() +
                     QStringLiteral("<!--FOOTER_IN--></BODY>"));
    expectRestored(RestoreQuizNotation(a), p, Kind::Answer);
}

TEST(AnswerButton, WithoutLaterTagFollowsMarker)
{
    EXPECT_EQ(AddAnswerButton(QStringLiteral("<!--NOTE_OUT-->end")),
              QStringLiteral("<!--NOTE_OUT-->") + quiz_texts::answerBlock() + QStringLiteral("end"));
    EXPECT_EQ(AddAnswerButton(QStringLiteral("no marker")), QStringLiteral("no marker"));
}

TEST(RepeatText, CountsAndNonPositive)
{
    EXPECT_EQ(RepeatText(QStringLiteral("ab"), 3), QStringLiteral("ababab"));
    EXPECT_EQ(RepeatText(QStringLiteral("ab"), 0), QString());
    EXPECT_EQ(RepeatText(QStringLiteral("ab"), -2), QString());
}

// Found by fuzzing: an answer block followed by no further tag took the rest
// of the page with it, and a stray start marker before the block took the
// text between them.
TEST(AnswerButton, RestoreKeepsTextAroundTheBlock)
{
    const QString block = quiz_texts::answerBlock();
    EXPECT_EQ(RestoreQuizNotation(QStringLiteral("a<!--NOTE_OUT-->") + block + QStringLiteral("tail")).text,
              QStringLiteral("a<!--NOTE_OUT-->tail"));
    EXPECT_EQ(RestoreQuizNotation(QStringLiteral("<!--beginPagora_ANSWER head<!--NOTE_OUT-->") + block +
                                  QStringLiteral("<P>")).text,
              QStringLiteral("<!--beginPagora_ANSWER head<!--NOTE_OUT--><P>"));
    EXPECT_EQ(RestoreQuizNotation(QStringLiteral("a<!--beginPagora_ANSWER b")).text, QStringLiteral("a b"));
}

TEST(QuizRestore, NearestStartOpensTheBlock)
{
    const QString quiz = MakeQuizPage(QStringLiteral("<BODY>(x)</BODY>"));
    const QuizRestore r = RestoreQuizNotation(QStringLiteral("keep <!--beginPagora me ") + quiz);
    EXPECT_EQ(r.text, QStringLiteral("keep  me <BODY>(x)</BODY>"));
}

TEST(QuizFields, LongRunOfOpenBracketsStaysText)
{
    const QString run = QString(200000, u'(');
    EXPECT_EQ(fieldsPart(MakeQuizPage(page(run))), run);
}

TEST(QuizFields, LessThanBeforeANonAsciiLetterIsText)
{
    const QString p = MakeQuizPage(page(u8("<P>値<大きい (いぬ/イヌ) とき</P>")));
    EXPECT_TRUE(p.contains(QStringLiteral("var kazu=1;"))) << p.toStdString();
    EXPECT_EQ(fieldsPart(p), u8("<P>値<大きい <input type=\"text\" name=\"いぬ/イヌ\" size=\"8\"> とき</P>"));
    for (const char* body : {"a<é (x)", "x<ｂ (x)", "1<2 (x)"})
        EXPECT_TRUE(fieldsPart(MakeQuizPage(page(u8(body)))).contains(QStringLiteral("<input"))) << body;
}
