#include "platform/seam.h"
#include "support/write_bounds.h"
#include "store/files.h"
#include "store/resource_limits.h"
#include "support/processes.h"
#include "support/temp_tree.h"
#include "tools/answer_sheet.h"
#include "tools/forms/form18.h"

#include <QFileInfo>
#include <QPlainTextEdit>
#include <QStringEncoder>
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

using namespace answersheet;

namespace {

const QByteArray kBom("\xEF\xBB\xBF");

} // namespace

TEST(AnswerSheetText, TakesTheLastParagraphAsPlainText)
{
    const QString page = QStringLiteral(
        "<HTML><BODY><P>first</P><P ALIGN=\"LEFT\">「氏名」[ ]<BR><B>年齢</B>[ ]</P></BODY></HTML>");
    EXPECT_EQ(SheetText(page), QStringLiteral("「氏名」[ ]\r\n年齢[ ]"));
    // Without any paragraph: the text after the first ">", cut at "</P".
    EXPECT_EQ(SheetText(QStringLiteral("<X>a[b]</P>rest")), QStringLiteral("a[b]"));
    // A "<" with no ">" after it stays as text.
    EXPECT_EQ(SheetText(QStringLiteral("<P>a < b[ ]")), QStringLiteral("a < b[ ]"));
}

TEST(AnswerSheetRow, LabelsAndAnswersFromTheSlots)
{
    Row r = BuildRow(QStringLiteral("「氏名」[山田]\r\n年齢[12]"));
    EXPECT_EQ(r.labels, QStringLiteral("氏名,年齢"));
    EXPECT_EQ(r.answers, QStringLiteral("山田,12"));

    r = BuildRow(QStringLiteral("Q1[a]//note\r\nQ2[b]"));
    EXPECT_EQ(r.labels, QStringLiteral("Q1,Q2"));
    EXPECT_EQ(r.answers, QStringLiteral("a,b"));

    // Full-width slots count; blanks of both widths go.
    r = BuildRow(QStringLiteral("名前［a b］\r\n組［１　組］"));
    EXPECT_EQ(r.labels, QStringLiteral("名前,組"));
    EXPECT_EQ(r.answers, QStringLiteral("ab,１組"));

    // A slot without its "]" ends the scans.
    r = BuildRow(QStringLiteral("A[x]\r\nB[y"));
    EXPECT_EQ(r.labels, QStringLiteral("A"));
    EXPECT_EQ(r.answers, QStringLiteral("x"));

    // A comment in the last line has no "<BR>" after it and stays (no hang).
    r = BuildRow(QStringLiteral("A[x]//last"));
    EXPECT_EQ(r.labels, QStringLiteral("A"));
}

TEST(AnswerSheetCsv, FirstRowCarriesLabelsLaterRowsAnswersOnly)
{
    TempTree t;
    const QString page = t.write("sub/q.html", "<P>x</P>");
    const QString csv = AnswerCsvPath(page);
    EXPECT_EQ(csv, t.path("sub/_q.csv"));
    ASSERT_EQ(AppendRow(csv, Row{QStringLiteral("氏名,年齢"), QStringLiteral("山田,12")}, tempBounds()), AppendResult::Written);
    ASSERT_EQ(AppendRow(csv, Row{QStringLiteral("氏名,年齢"), QStringLiteral("佐藤,13")}, tempBounds()), AppendResult::Written);
    EXPECT_EQ(t.read("sub/_q.csv"), kBom + QStringLiteral("氏名,年齢\r\n山田,12\r\n佐藤,13\r\n").toUtf8());
}

// Two instances taking answers into one new CSV at once: one labels line,
// every row.
TEST(AnswerSheetCsv, TwoProcessesAppendingAtOnceLoseNoRow)
{
    TempTree t;
    for (int round = 0; round < 5; ++round) {
        const QString csv = t.path(QStringLiteral("_q%1.csv").arg(round));
        const bool ran = runInProcesses(2, [&csv](int who) {
            for (int n = 0; n < 20; ++n) {
                const Row row{QStringLiteral("名前"), QStringLiteral("%1-%2").arg(who).arg(n)};
                if (AppendRow(csv, row, tempBounds()) != AppendResult::Written)
                    return false;
            }
            return true;
        });
        EXPECT_TRUE(ran);
        const QStringList lines = files::splitLines(files::readUtf8(csv).value_or(QString()));
        EXPECT_EQ(lines.size(), 41) << round;
        EXPECT_EQ(lines.count(QStringLiteral("名前")), 1) << round;
    }
}

TEST(AnswerSheetCsv, AppendsInTheEncodingTheSpreadsheetSavedIn)
{
    TempTree t;
    const QByteArray sjis = files::encodeShiftJis(QStringLiteral("氏名\r\n山田"));
    const QString csv = t.write("_q.csv", sjis); // no final line end either
    ASSERT_EQ(AppendRow(csv, Row{QString(), QStringLiteral("佐藤")}, tempBounds()), AppendResult::Written);
    EXPECT_EQ(t.read("_q.csv"), sjis + "\r\n" + files::encodeShiftJis(QStringLiteral("佐藤")) + "\r\n");
    // A row Shift_JIS cannot hold is refused, the file left as it was.
    const QByteArray before = t.read("_q.csv");
    EXPECT_EQ(AppendRow(csv, Row{QString(), QStringLiteral("😀")}, tempBounds()), AppendResult::EncodingRefused);
    EXPECT_EQ(t.read("_q.csv"), before);
}

TEST(AnswerSheetCsv, AFailedWriteIsReported)
{
    TempTree t;
    t.write("blocker", "file"); // a file where the CSV's folder would be
    EXPECT_EQ(AppendRow(t.path("blocker/_q.csv"), Row{QStringLiteral("a"), QStringLiteral("b")}, tempBounds()),
              AppendResult::WriteFailed);
}

// A CSV that is a link (to a file elsewhere, or to none yet) is never
// written through: the rows would land outside the page's folder.
TEST(AnswerSheetCsv, NeverWritesThroughALink)
{
    TempTree t;
    TempTree outside;
    const QString target = outside.write("victim.csv", "a\r\nb\r\n");
    t.symlink("_q.csv", target);
    t.symlink("_r.csv", outside.path("new.csv"));
    const Row row{QStringLiteral("a"), QStringLiteral("c")};
    EXPECT_EQ(AppendRow(t.path("_q.csv"), row, tempBounds()), AppendResult::WriteFailed);
    EXPECT_EQ(AppendRow(t.path("_r.csv"), row, tempBounds()), AppendResult::WriteFailed);
    EXPECT_EQ(outside.read("victim.csv"), QByteArray("a\r\nb\r\n"));
    EXPECT_FALSE(QFileInfo::exists(outside.path("new.csv")));
}

// The page's folder reached through a link that leads out of the data root
// (planted, or swapped in after the command looked): no row lands outside,
// and the sheet says it could not write.
TEST(AnswerSheetCsv, NeverWritesThroughAFolderLinkLeadingOut)
{
    platform::setTestMode(true);
    platform::clearEvents();
    TempTree t;
    const QString data = t.mkdir("data");
    const QString outside = t.mkdir("outside");
    t.write("outside/a.html", QStringLiteral("<P>「氏名」[ ]</P>").toUtf8());
    t.write("outside/_b.csv", "a\r\nb\r\n");
    t.symlink("data/sub", outside);
    const Row row{QStringLiteral("a"), QStringLiteral("c")};
    EXPECT_EQ(AppendRow(t.path("data/sub/_b.csv"), row, {data}), AppendResult::WriteFailed);
    EXPECT_EQ(t.read("outside/_b.csv"), QByteArray("a\r\nb\r\n"));

    TForm18 sheet;
    sheet.setPage(t.path("data/sub/a.html"), {data});
    sheet.FormShow();
    sheet.Memo1->setPlainText(QStringLiteral("「氏名」[山田]"));
    sheet.SpeedButton1Click();
    EXPECT_EQ(t.list("outside"), (QStringList{"_b.csv", "a.html"}));
    ASSERT_FALSE(platform::events().isEmpty());
    EXPECT_EQ(platform::events().last().text, QStringLiteral("_a.csv に書き込めませんでした。"));
    // Inside the data root the row is written as ever.
    t.write("data/a.html", QStringLiteral("<P>「氏名」[ ]</P>").toUtf8());
    EXPECT_EQ(AppendRow(t.path("data/_a.csv"), row, {data}), AppendResult::Written);
    platform::setTestMode(false);
}

// An answer file that is there but cannot be read holds earlier answers:
// it is refused, never taken for a new file and replaced.
TEST(AnswerSheetCsv, AnUnreadableFileIsRefusedNotReplaced)
{
    TempTree t;
    const Row row{QStringLiteral("a"), QStringLiteral("b")};
    // A pipe stands for a file no one can read, root included.
    const QString pipe = t.path("_p.csv");
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    EXPECT_EQ(AppendRow(pipe, row, tempBounds()), AppendResult::Unreadable);
    EXPECT_FALSE(QFileInfo(pipe).isFile());
    if (::geteuid() != 0) { // root reads any file
        const QString csv = t.write("_q.csv", "a\r\nearlier\r\n");
        ASSERT_TRUE(QFile::setPermissions(csv, QFileDevice::WriteOwner));
        EXPECT_EQ(AppendRow(csv, row, tempBounds()), AppendResult::Unreadable);
        QFile::setPermissions(csv, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        EXPECT_EQ(t.read("_q.csv"), "a\r\nearlier\r\n");
    }
}

// A disk that fills up in the middle of a short row: the row is taken back
// whole, so earlier rows and the next one stay readable.
TEST(AnswerSheetCsv, ARowThatDoesNotFitIsTakenBackWhole)
{
    TempTree t;
    const QByteArray earlier = kBom + QByteArray("label\r\n") + QByteArray(4000, 'e') + "\r\n";
    const QString csv = t.write("_q.csv", earlier);
    withFileSizeLimit(earlier.size() + 10, [&](bool limited) {
        ASSERT_TRUE(limited);
        EXPECT_EQ(AppendRow(csv, Row{QString(), QString(200, 'x')}, tempBounds()), AppendResult::WriteFailed);
    });
    EXPECT_EQ(t.read("_q.csv"), earlier);
}

// Shift+Enter gives a line separator: it ends a line as Enter does and
// never reaches the file.
TEST(AnswerSheetRow, LineSeparatorsEndLinesAsParagraphSeparatorsDo)
{
    const QString withLine = QStringLiteral("A[x]") + QChar(0x2028) + QStringLiteral("B[y") + QChar(0x2028) + "z]";
    const QString withParagraph = QStringLiteral("A[x]") + QChar(0x2029) + QStringLiteral("B[y") + QChar(0x2029) + "z]";
    const Row line = BuildRow(withLine);
    const Row paragraph = BuildRow(withParagraph);
    EXPECT_EQ(line.labels, paragraph.labels);
    EXPECT_EQ(line.answers, paragraph.answers);
    EXPECT_EQ(line.answers, QStringLiteral("x,yz"));
    EXPECT_FALSE(line.labels.contains(QChar(0x2028)) || line.answers.contains(QChar(0x2028)));
}

TEST(AnswerSheetWindow, WritesTheRowAndSaysSo)
{
    platform::setTestMode(true);
    TempTree t;
    const QString page = t.write("a.html", QStringLiteral("<P>「氏名」[ ]</P>").toUtf8());
    TForm18 sheet;
    sheet.setPage(page, tempBounds());
    EXPECT_EQ(sheet.windowTitle(), QStringLiteral("a.html"));
    sheet.FormShow();
    EXPECT_EQ(sheet.Memo1->toPlainText(), QStringLiteral("「氏名」[ ]"));
    EXPECT_EQ(sheet.SpeedButton1->hint(), QStringLiteral("_a.csvに保存"));
    sheet.Memo1->setPlainText(QStringLiteral("「氏名」[山田]"));
    sheet.SpeedButton1Click();
    EXPECT_EQ(t.read("_a.csv"), kBom + QStringLiteral("氏名\r\n山田\r\n").toUtf8());
    ASSERT_FALSE(platform::events().isEmpty());
    EXPECT_EQ(platform::events().last().text, QStringLiteral("書き込み終了"));
    platform::setTestMode(false);
}

TEST(AnswerSheetWindow, AnUnreadableAnswerFileIsNamedAndKept)
{
    platform::setTestMode(true);
    platform::clearEvents();
    TempTree t;
    const QString page = t.write("a.html", QStringLiteral("<P>「氏名」[ ]</P>").toUtf8());
    ASSERT_EQ(::mkfifo(QFile::encodeName(t.path("_a.csv")).constData(), 0600), 0);
    TForm18 sheet;
    sheet.setPage(page, tempBounds());
    sheet.FormShow();
    sheet.Memo1->setPlainText(QStringLiteral("「氏名」[山田]"));
    sheet.SpeedButton1Click();
    EXPECT_FALSE(QFileInfo(t.path("_a.csv")).isFile());
    ASSERT_FALSE(platform::events().isEmpty());
    EXPECT_TRUE(platform::events().last().text.startsWith(QStringLiteral("_a.csv を読み込めないため")));
    platform::setTestMode(false);
}

TEST(AnswerSheetWindow, AnAnswerFileInAnotherEncodingIsKeptWhole)
{
    // A spreadsheet may save the answers as EUC-JP or UTF-16: a row added in
    // Shift_JIS would be noise among them.
    platform::setTestMode(true);
    TempTree t;
    const QString page = t.write("a.html", QStringLiteral("<P>「氏名」[ ]</P>").toUtf8());
    QStringEncoder euc("EUC-JP");
    QStringEncoder utf16(QStringConverter::Utf16LE, QStringConverter::Flag::WriteBom);
    const QString earlier = QStringLiteral("氏名\r\n鈴木\r\n");
    for (const QByteArray& csv : {QByteArray(euc.encode(earlier)), QByteArray(utf16.encode(earlier))}) {
        t.write("_a.csv", csv);
        platform::clearEvents();
        TForm18 sheet;
        sheet.setPage(page, tempBounds());
        sheet.FormShow();
        sheet.Memo1->setPlainText(QStringLiteral("「氏名」[山田]"));
        sheet.SpeedButton1Click();
        EXPECT_EQ(t.read("_a.csv"), csv);
        ASSERT_FALSE(platform::events().isEmpty());
        EXPECT_EQ(platform::events().last().text, QStringLiteral("_a.csv の文字コードでは回答を書き込めません。"));
    }
    platform::setTestMode(false);
}
