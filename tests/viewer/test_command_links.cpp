// Writing commands and symbolic links: a link inside the data root that
// leads out (to a file not there yet, to an existing file, or a folder
// outside) never lets a command write, create or start anything outside.
#include "test_command_fixture.h"

#include <QTcpServer>
#include <QTcpSocket>

namespace {

// Answers every request with a short body, so that "SAVE" would have
// something to write.
class BodyServer : public QTcpServer {
public:
    BodyServer()
    {
        connect(this, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* s = nextPendingConnection()) {
                connect(s, &QTcpSocket::readyRead, s, [s] {
                    s->readAll();
                    s->write("HTTP/1.1 200 OK\r\nContent-Length: 4\r\nConnection: close\r\n\r\nbody");
                    s->disconnectFromHost();
                });
                connect(s, &QTcpSocket::disconnected, s, &QObject::deleteLater);
            }
        });
        listen(QHostAddress::LocalHost);
    }
    QString hostPort() const { return "127.0.0.1:" + QString::number(serverPort()); }
};

class CommandLinkTest : public PageCommandTest {
protected:
    QString outside(const QString& name) const { return files::joinPath(dir.path(), "outside/" + name); }
    // Names in the root: "dangling.*" lead to missing files outside,
    // "existing.*" to existing ones, and "far" is a folder outside.
    void makeLinks(const QString& ext)
    {
        QDir().mkpath(outside(QString()));
        ASSERT_TRUE(QFile::link(outside("new" + ext), inRoot("dangling" + ext)));
        writeFile(outside("old" + ext), "old");
        ASSERT_TRUE(QFile::link(outside("old" + ext), inRoot("existing" + ext)));
        if (!QFileInfo::exists(inRoot("far"))) {
            ASSERT_TRUE(QFile::link(outside(QString()), inRoot("far")));
        }
    }
    void expectOutsideUntouched(const QString& ext)
    {
        EXPECT_FALSE(QFileInfo::exists(outside("new" + ext))) << ext.toStdString();
        EXPECT_EQ(files::readBytes(outside("old" + ext)).value_or("<none>"), "old") << ext.toStdString();
        EXPECT_FALSE(QFileInfo::exists(outside("far" + ext))) << ext.toStdString();
        EXPECT_TRUE(seamEvents("start").isEmpty());
    }
};

} // namespace

TEST_F(CommandLinkTest, ValueFilesAreNotWrittenThroughLinks)
{
    TForm1& w = shown();
    makeLinks(".txt");
    for (const char* name : {"dangling.txt", "existing.txt", "far/far.txt"})
        w.KRNcommand(QString("JS %1 a=1").arg(name));
    expectOutsideUntouched(".txt");
    EXPECT_TRUE(flashText().contains("このファイルには書き込めません"));
}

TEST_F(CommandLinkTest, CopiesAreNotWrittenThroughLinks)
{
    TForm1& w = shown();
    writeFile(inRoot("note.txt"), "memo");
    makeLinks(".txt");
    for (const char* name : {"dangling.txt", "existing.txt", "far/far.txt"})
        w.KRNcommand(QString("COPY note.txt %1").arg(name));
    expectOutsideUntouched(".txt");
}

TEST_F(CommandLinkTest, DownloadsAreNotWrittenThroughLinks)
{
    BodyServer server;
    ASSERT_TRUE(server.isListening());
    TForm1& w = shown();
    makeLinks(".txt");
    for (const char* name : {"dangling.txt", "existing.txt", "far/far.txt"})
        w.KRNcommand(QString("SAVE %1/x.txt %2").arg(server.hostPort(), name));
    expectOutsideUntouched(".txt");
}

TEST_F(CommandLinkTest, PicturesAndRecordingsAreNotMadeThroughLinks)
{
    QStringList recorded;
    laterwindows::hooks().recordSound = [&recorded](const QString& path) { recorded << path; };
    TForm1& w = shown();
    makeLinks(".bmp");
    makeLinks(".wav");
    for (const char* name : {"dangling", "existing", "far/far"}) {
        w.KRNcommand(QString("PAINT %1").arg(name));
        w.KRNcommand(QString("WAV %1").arg(name));
    }
    expectOutsideUntouched(".bmp");
    expectOutsideUntouched(".wav");
    EXPECT_TRUE(recorded.isEmpty());
}

TEST_F(CommandLinkTest, HistoryFilesAreNotWrittenThroughLinks)
{
    TForm1& w = shown();
    QDir().mkpath(outside(QString()));
    QDir().mkpath(inRoot("history"));
    ASSERT_TRUE(QFile::link(outside("new.txt"), inRoot("history/quiz.txt")));
    w.KRNcommand("HIS quiz");
    w.KRNcommand("HISJS s=1");
    EXPECT_FALSE(QFileInfo::exists(outside("new.txt")));
}

TEST_F(CommandLinkTest, LinksThatStayInsideAreStillRefusedToBeWrittenThrough)
{
    TForm1& w = shown();
    // The check allows this name, but the write does not follow the link.
    ASSERT_TRUE(QFile::link(inRoot("inner.txt"), inRoot("alias.txt")));
    w.KRNcommand("JS alias.txt a=1");
    EXPECT_FALSE(QFileInfo::exists(inRoot("inner.txt")));
    EXPECT_TRUE(QFileInfo(inRoot("alias.txt")).isSymLink());
    // Plain names beside them are written as before.
    w.KRNcommand("JS plain.txt a=1");
    EXPECT_EQ(files::readUtf8(inRoot("plain.txt")).value_or(""), "a=1\r\n");
}
