// Value and history files: set, sum, add, delete, encodings, and the history
// pages' script address.
#include "viewer/value_files.h"
#include "support/write_bounds.h"

#include "store/files.h"
#include "support/processes.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace valuefiles;

namespace {

struct ValueFileTest : ::testing::Test {
    QTemporaryDir dir;
    QString path() const { return dir.path() + "/v.txt"; }
    void write(const QByteArray& bytes) const
    {
        QFile f(path());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    QByteArray read() const
    {
        QFile f(path());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }
};

} // namespace

TEST(ValueTableTest, SetSumAndAppend)
{
    auto after = [](const QString& lines, const QString& entry) {
        ValueTable t = parseValueLines(lines.split('\n'));
        const auto [k, v] = splitEntry(entry);
        applyEntry(t, k, v);
        return formatValueLines(t).join('\n');
    };
    EXPECT_EQ(after("a=1", "a=+2"), "a=3");
    EXPECT_EQ(after("a=1", "a=-0.5"), "a=0.5");
    EXPECT_EQ(after("a=1", "a=5"), "a=5");
    EXPECT_EQ(after("a=x", "a=+1"), "a=+1");
    EXPECT_EQ(after("a=1", "a='+1'"), "a=\"+1\"");
    EXPECT_EQ(after("a=1\nb=2\na=3", "a=+1"), "a=2\nb=2\na=4");
    EXPECT_EQ(after("b=2\na=1", "c=9"), "b=2\na=1\nc=9");
    // bare values, "=" first and empty lines are dropped on the way through
    EXPECT_EQ(after("note\n=x\n\na=1", "b=2"), "a=1\nb=2");
    EXPECT_EQ(after("a=1", "note"), "a=1\nnote");
    EXPECT_EQ(after("sDAT[1]=3", "sDAT[1]=+1"), "sDAT[1]=4");
    // only plain numbers are summed
    EXPECT_EQ(after("a=1,000", "a=+1"), "a=+1");
    EXPECT_EQ(after("a=nan", "a=+1"), "a=+1");
    EXPECT_EQ(after("a=1", "a=-inf"), "a=-inf");
}

TEST(ValueTableTest, OnlyExactDelDeletes)
{
    EXPECT_TRUE(isDeleteValue("DEL"));
    EXPECT_TRUE(isDeleteValue(" \"DEL\" "));
    EXPECT_FALSE(isDeleteValue("DELETE"));
    EXPECT_FALSE(isDeleteValue("MODEL"));
    EXPECT_FALSE(isDeleteValue("del"));
}

TEST_F(ValueFileTest, NewFileAndUpdatesWrittenAsUtf8CrLf)
{
    EXPECT_EQ(setTextFileValue(path(), "score=1", tempBounds()), ValueFileResult::Written);
    EXPECT_EQ(read(), "score=1\r\n");
    EXPECT_EQ(setTextFileValue(path(), "score=+2", tempBounds()), ValueFileResult::Written);
    EXPECT_EQ(setTextFileValue(path(), "名前='花子'", tempBounds()), ValueFileResult::Written);
    EXPECT_EQ(read(), QString("score=3\r\n名前=\"花子\"\r\n").toUtf8());
}

TEST_F(ValueFileTest, ShiftJisFileIsReadAndRewrittenAsUtf8)
{
    write(files::encodeShiftJis("名=山\r\nn=1\r\n"));
    EXPECT_EQ(setTextFileValue(path(), "n=+1", tempBounds()), ValueFileResult::Written);
    EXPECT_EQ(read(), QString("名=山\r\nn=2\r\n").toUtf8());
}

TEST_F(ValueFileTest, DeleteOnlyForDel)
{
    write("a=1\r\n");
    EXPECT_EQ(setTextFileValue(path(), "a=DELETE", tempBounds()), ValueFileResult::Written);
    EXPECT_EQ(read(), "a=DELETE\r\n");
    EXPECT_EQ(setTextFileValue(path(), "a=DEL", tempBounds()), ValueFileResult::Deleted);
    EXPECT_FALSE(QFile::exists(path()));
}

TEST_F(ValueFileTest, UnreadableFileIsLeftAlone)
{
    // something that exists but cannot be read as a file
    ASSERT_TRUE(QDir().mkpath(path() + "/inside"));
    EXPECT_EQ(setTextFileValue(path(), "b=2", tempBounds()), ValueFileResult::Unreadable);
    EXPECT_TRUE(QFileInfo(path() + "/inside").isDir());
}

TEST_F(ValueFileTest, MissingFolderWritesNothing)
{
    const QString p = dir.path() + "/$history/history.txt";
    EXPECT_EQ(setTextFileValue(p, "a=1", tempBounds()), ValueFileResult::WriteFailed);
    EXPECT_FALSE(QFile::exists(p));
}

TEST(HistoryPages, ScriptSrcRewrite)
{
    const QString page = "<HEAD><script src=\"history/old.txt\"></script></HEAD>";
    EXPECT_EQ(rewriteHistoryScriptSrc(page, "history/NAME.txt"),
              "<HEAD><script src=\"history/NAME.txt\"></script></HEAD>");
    EXPECT_FALSE(rewriteHistoryScriptSrc("<HEAD></HEAD>", "x").has_value());
    EXPECT_FALSE(rewriteHistoryScriptSrc("<script src=\"unclosed", "x").has_value());
    EXPECT_EQ(historyScriptSrc("history/a#b"), "history/a%23b.txt");
    EXPECT_EQ(historyScriptSrc("history/名前"), "history/名前.txt");
}

// Two instances of the program counting into one file: every step counts.
TEST_F(ValueFileTest, TwoProcessesCountingTogetherLoseNoStep)
{
    const QString file = path();
    const bool ran = runInProcesses(2, [&file](int) {
        for (int i = 0; i < 300; ++i) {
            if (setTextFileValue(file, "n=+1", tempBounds()) != ValueFileResult::Written)
                return false;
        }
        return true;
    });
    EXPECT_TRUE(ran);
    EXPECT_EQ(read(), "n=600\r\n");
}
