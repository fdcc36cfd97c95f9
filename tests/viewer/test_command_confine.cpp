// Page commands against links planted in the data root: data/l leads to
// outside/deep/er and data/evil is "l/..", so "evil/x" is outside/deep/x
// where the kernel looks. No command writes, copies or makes a folder
// there, and "DIR" from a web page does not list it.
#include "test_command_fixture.h"

namespace {

class ConfinedCommandTest : public PageCommandTest {
protected:
    TForm1& planted()
    {
        TForm1& w = shown();
        dir.mkdir("outside/deep/er");
        dir.symlink("Pagora.data/l", dir.path("outside/deep/er"));
        dir.symlink("Pagora.data/evil", "l/..");
        writeFile(inRoot("note.txt"), "note");
        return w;
    }
    // What appeared outside besides the folder the link leads to.
    QStringList strays() const
    {
        QStringList found = dir.list("outside/deep") + dir.list("outside/deep/er");
        found.removeAll("er");
        for (const QString& planted : planted_)
            found.removeAll(planted);
        return found;
    }
    void plantOutside(const QString& name, const QByteArray& bytes)
    {
        writeFile(dir.path("outside/deep/" + name), bytes);
        planted_ << name;
    }
    QStringList planted_;
};

} // namespace

TEST_F(ConfinedCommandTest, WritingCommandsStayOutOfALinkThatClimbsOut)
{
    TForm1& w = planted();
    w.KRNcommand("JS evil/pwned.txt a=1");
    EXPECT_EQ(flashText(), QStringLiteral("このファイルには書き込めません：pwned.txt"));
    w.KRNcommand("JS evil/er/../pwned2.txt a=1");
    w.KRNcommand("COPY note.txt evil/copied.txt");
    w.KRNcommand("COPY note.txt evil/made/copied.txt");
    w.KRNcommand("SAVE 127.0.0.1:9/ok.txt evil/got.txt");
    w.KRNcommand("SAVE 127.0.0.1:9/ok.txt evil/made/got.txt");
    w.KRNcommand("PAINT evil/pic");
    EXPECT_TRUE(seamEvents("start").isEmpty());
    w.HistoryName = "evil/hist";
    w.KRNcommand("HISJS a=1");
    EXPECT_EQ(strays(), QStringList());
    // The same commands inside the root still write.
    w.KRNcommand("JS sub/v.txt a=1");
    w.KRNcommand("COPY note.txt made/copied.txt");
    EXPECT_EQ(files::readUtf8(inRoot("sub/v.txt")).value_or(""), "a=1\r\n");
    EXPECT_EQ(files::readBytes(inRoot("made/copied.txt")).value_or(""), "note");
}

TEST_F(ConfinedCommandTest, HistoryThroughALinkThatClimbsOut)
{
    TForm1& w = planted();
    dir.symlink("Pagora.data/history", "l/..");
    const QByteArray page = "<HTML><HEAD><SCRIPT SRC=\"history/old.txt\"></SCRIPT></HEAD></HTML>";
    plantOutside("0050_history.html", page);
    w.levels.pushLevel({"evil/0050_history.html", "0010_a.html"}, {"out", "a"}, 1);
    w.KRNcommand("HIS quiz");
    w.KRNcommand("HISJS s=1");
    EXPECT_EQ(files::readBytes(dir.path("outside/deep/0050_history.html")).value_or(""), page);
    EXPECT_EQ(strays(), QStringList());
}

TEST_F(ConfinedCommandTest, RecordingAndAnswersAreNotOpenedThere)
{
    TForm1& w = planted();
    plantOutside("q.html", "<P>[ ]</P>");
    QStringList opened;
    laterwindows::hooks().recordSound = [&](const QString& p) { opened << p; };
    laterwindows::hooks().answer = [&](const QString& p) { opened << p; };
    w.KRNcommand("WAV evil/q1");
    w.levels.pushLevel({"evil/q.html"}, {"q"}, 0);
    w.KRNcommand("ANSWER");
    EXPECT_EQ(opened, QStringList());
    w.levels.pushLevel({"sub/0010_s.html"}, {"s"}, 0);
    w.KRNcommand("ANSWER");
    EXPECT_EQ(opened, QStringList({inRoot("sub/0010_s.html")}));
}

TEST_F(ConfinedCommandTest, DirFromTheWebDoesNotListWhereALinkClimbsOut)
{
    TForm1& w = planted();
    plantOutside("secret.html", "<html></html>");
    const QString web = "http://example.com/quiz.html";
    click("http://example.com/$DIR%20evil", web);
    click("http://example.com/$DIR%20l", web);
    EXPECT_EQ(w.levels.depth(), 1);
    EXPECT_NE(w.CurrentFolder(), dir.path("outside/deep"));
    click("http://example.com/$DIR%20sub", web);
    EXPECT_EQ(w.levels.depth(), 2);
}
