// The dialog seam in test mode: queued answers are used in order, nothing
// blocks without them, and every question and program start is recorded.
#include "platform/seam.h"
#include "platform/shell.h"

#include <gtest/gtest.h>

#include <QDialog>
#include <QTemporaryDir>
#include <QWidget>

using namespace platform;

namespace {

class SeamTest : public ::testing::Test {
protected:
    void SetUp() override { setTestMode(true); }
    void TearDown() override { setTestMode(false); }
};

} // namespace

TEST_F(SeamTest, QuestionsTakeQueuedAnswersInOrderAndDefaultToNo)
{
    setNextAnswer(Answer::Yes);
    setNextAnswer(Answer::No);
    setNextAnswer(Answer::Cancel);
    setNextAnswer(Answer::Cancel);
    EXPECT_TRUE(askYesNo(QStringLiteral("消しますか")));
    EXPECT_FALSE(askYesNo(QStringLiteral("b")));
    EXPECT_FALSE(askYesNo(QStringLiteral("c"))); // cancel is not yes
    EXPECT_EQ(askYesNoCancel(QStringLiteral("d")), Answer::Cancel);
    EXPECT_FALSE(askYesNo(QStringLiteral("unanswered")));
    EXPECT_EQ(askYesNoCancel(QStringLiteral("unanswered")), Answer::No);
    ASSERT_EQ(events().size(), 6);
    EXPECT_EQ(events().first().kind, QStringLiteral("ask"));
    EXPECT_EQ(events().first().text, QStringLiteral("消しますか"));
}

TEST_F(SeamTest, DialogsUseQueuedValuesElseCancel)
{
    setNextFileName(QStringLiteral("/tmp/a.html"));
    setNextFileName(QStringLiteral("/tmp/folder"));
    EXPECT_EQ(openFileName(QStringLiteral("開く"), QStringLiteral("/tmp"), QStringLiteral("*.html")),
              QStringLiteral("/tmp/a.html"));
    EXPECT_EQ(folderName(QStringLiteral("t"), QString()), QStringLiteral("/tmp/folder"));
    EXPECT_EQ(saveFileName(QStringLiteral("t"), QString(), QString()), QString());

    QString value = QStringLiteral("old");
    EXPECT_FALSE(inputText(QStringLiteral("c"), QStringLiteral("p"), value));
    EXPECT_EQ(value, QStringLiteral("old"));
    setNextInput(QStringLiteral("新しい"));
    EXPECT_TRUE(inputText(QStringLiteral("c"), QStringLiteral("p"), value));
    EXPECT_EQ(value, QStringLiteral("新しい"));

    QDialog dialog;
    dialog.setObjectName(QStringLiteral("TForm9"));
    EXPECT_EQ(execModal(&dialog), int(QDialog::Rejected));
    setNextModalResult(QDialog::Accepted);
    EXPECT_EQ(execModal(&dialog), int(QDialog::Accepted));
    EXPECT_EQ(events().last().kind, QStringLiteral("modal"));
    EXPECT_EQ(events().last().text, QStringLiteral("TForm9"));

    showMessage(QStringLiteral("保存しました"));
    EXPECT_EQ(events().last().kind, QStringLiteral("message"));
}

TEST_F(SeamTest, ProgramsAreRecordedAndHandedToTheHandler)
{
    EXPECT_TRUE(startProgram(QStringLiteral("kolourpaint"), {QStringLiteral("/tmp/a b.bmp")}));
    setProgramHandler([](const QString& program, const QStringList&) {
        return program != QStringLiteral("missing");
    });
    QWidget window;
    EXPECT_FALSE(startProgram(QStringLiteral("missing"), {}, QString(), true, &window));
    EXPECT_TRUE(window.isEnabled());
    ASSERT_EQ(events().size(), 2);
    EXPECT_EQ(events().first().kind, QStringLiteral("start"));
    EXPECT_EQ(events().first().args, QStringList{QStringLiteral("/tmp/a b.bmp")});
    clearEvents();
    EXPECT_TRUE(events().isEmpty());
}

TEST_F(SeamTest, ShellOpensOnlyExistingFoldersAsFolders)
{
    QTemporaryDir dir;
    EXPECT_TRUE(exploreFolder(dir.path()));
    EXPECT_FALSE(exploreFolder(dir.filePath(QStringLiteral("absent"))));
    EXPECT_TRUE(openPath(dir.filePath(QStringLiteral("a #1.txt"))));
    ASSERT_EQ(events().size(), 2);
    EXPECT_EQ(events().at(0).kind, QStringLiteral("openUrl"));
    EXPECT_EQ(QUrl(events().at(1).text).toLocalFile(), dir.filePath(QStringLiteral("a #1.txt")));
    beep();
    EXPECT_EQ(events().last().kind, QStringLiteral("beep"));
}

TEST(SeamRealProcess, WaitKeepsWidgetDisabledUntilTheProgramEnds)
{
    setTestMode(false);
    QWidget window;
    bool disabledDuring = false;
    // A program that exists everywhere; the wait runs the event loop.
    const QString sh = findProgram({QStringLiteral("no-such-program-x"), QStringLiteral("sh")});
    ASSERT_FALSE(sh.isEmpty());
    QTemporaryDir dir;
    const QString marker = dir.filePath(QStringLiteral("done"));
    QObject probe;
    QMetaObject::invokeMethod(&probe, [&] { disabledDuring = !window.isEnabled(); }, Qt::QueuedConnection);
    EXPECT_TRUE(startProgram(sh, {QStringLiteral("-c"), QStringLiteral("sleep 0.2; touch \"$0\""), marker},
                             dir.path(), true, &window));
    EXPECT_TRUE(QFile::exists(marker));
    EXPECT_TRUE(disabledDuring);
    EXPECT_TRUE(window.isEnabled());
    EXPECT_FALSE(startProgram(dir.filePath(QStringLiteral("absent")), {}, QString(), true, &window));
    EXPECT_TRUE(window.isEnabled());
}
