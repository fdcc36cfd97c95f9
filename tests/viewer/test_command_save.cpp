// "SAVE": the download into a file, against a small HTTP server on
// 127.0.0.1: the caption shows progress and always returns to the page, an
// error keeps the old file and says so.
#include "test_command_fixture.h"

#include <QTcpServer>
#include <QTcpSocket>

namespace {

// Answers "/ok.txt" with a body and everything else with 404.
class TinyHttpServer : public QTcpServer {
public:
    TinyHttpServer()
    {
        connect(this, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* s = nextPendingConnection()) {
                connect(s, &QTcpSocket::readyRead, s, [s] {
                    if (s->property("answered").toBool())
                        return;
                    QByteArray request = s->property("request").toByteArray() + s->readAll();
                    s->setProperty("request", request);
                    if (!request.contains("\r\n\r\n"))
                        return; // the request head is not complete yet
                    s->setProperty("answered", true);
                    const bool ok = request.startsWith("GET /ok.txt ");
                    const QByteArray body = ok ? QByteArray("hello body") : QByteArray("not here");
                    s->write((ok ? "HTTP/1.1 200 OK\r\n" : "HTTP/1.1 404 Not Found\r\n")
                             + QByteArray("Content-Length: ") + QByteArray::number(body.size())
                             + "\r\nConnection: close\r\n\r\n" + body);
                    s->disconnectFromHost();
                });
                connect(s, &QTcpSocket::disconnected, s, &QObject::deleteLater);
            }
        });
        listen(QHostAddress::LocalHost);
    }
    QString hostPort() const { return "127.0.0.1:" + QString::number(serverPort()); }
};

} // namespace

TEST_F(PageCommandTest, SaveDownloadsIntoTheTargetAndRestoresTheCaption)
{
    TinyHttpServer server;
    ASSERT_TRUE(server.isListening());
    TForm1& w = shown();
    const QString shownCaption = w.WebBrowser1->locationUrl();
    w.KRNcommand("SAVE " + server.hostPort() + "\\ok.txt got/file.txt");
    EXPECT_EQ(files::readBytes(inRoot("got/file.txt")).value_or("<none>"), "hello body");
    EXPECT_EQ(w.caption(), shownCaption);
}

TEST_F(PageCommandTest, SaveErrorKeepsTheOldFileAndSaysSo)
{
    TinyHttpServer server;
    TForm1& w = shown();
    writeFile(inRoot("keep.txt"), "old");
    const QString shownCaption = w.WebBrowser1->locationUrl();
    w.KRNcommand("SAVE " + server.hostPort() + "/missing.txt keep.txt");
    EXPECT_EQ(files::readBytes(inRoot("keep.txt")).value_or("<none>"), "old");
    EXPECT_TRUE(w.Pmathu->caption().contains("ダウンロードできませんでした"));
    EXPECT_EQ(w.caption(), shownCaption);
}

TEST_F(PageCommandTest, SaveWithTooFewWordsOnlyReopensTheFolder)
{
    TinyHttpServer server;
    TForm1& w = shown();
    w.KRNcommand("SAVE " + server.hostPort() + "/ok.txt");
    EXPECT_EQ(w.levels.depth(), 1);
    EXPECT_EQ(w.PBan(), 0);
    EXPECT_FALSE(QFile::exists(inRoot("ok.txt")));
}
