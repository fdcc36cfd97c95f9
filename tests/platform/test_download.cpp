// Downloads against a small HTTP server on 127.0.0.1 inside the test: a
// complete 2xx body replaces the file, anything else keeps the old one.
#include "platform/download.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTimer>

using namespace platform;

namespace {

// Answers every request with the canned response, optionally cutting the
// connection after the first `cutAfter` bytes of it.
class TinyHttpServer {
public:
    TinyHttpServer()
    {
        QObject::connect(&server, &QTcpServer::newConnection, &server, [this] { answer(); });
        listening = server.listen(QHostAddress::LocalHost, 0);
    }

    QString url(const QString& path) const
    {
        return QStringLiteral("http://127.0.0.1:%1%2").arg(server.serverPort()).arg(path);
    }

    QByteArray response;
    int cutAfter = -1;
    int dripPieces = 0; // > 0: the response goes out in this many pieces, dripMs apart
    int dripMs = 0;
    QByteArray lastRequest;
    bool listening = false;

private:
    void answer()
    {
        QTcpSocket* socket = server.nextPendingConnection();
        QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
            lastRequest += socket->readAll();
            if (!lastRequest.contains("\r\n\r\n"))
                return;
            if (dripPieces > 0) {
                drip(socket, 0);
                return;
            }
            socket->write(cutAfter < 0 ? response : response.left(cutAfter));
            socket->flush();
            socket->disconnectFromHost();
        });
        QObject::connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
    }

    void drip(QTcpSocket* socket, int piece)
    {
        const int size = (response.size() + dripPieces - 1) / dripPieces;
        socket->write(response.mid(piece * size, size));
        socket->flush();
        if (piece + 1 >= dripPieces) {
            socket->disconnectFromHost();
            return;
        }
        QTimer::singleShot(dripMs, socket, [this, socket, piece] { drip(socket, piece + 1); });
    }

    QTcpServer server;
};

QByteArray httpResponse(const QByteArray& status, const QByteArray& body)
{
    return "HTTP/1.1 " + status + "\r\nContent-Type: application/octet-stream\r\nContent-Length: "
        + QByteArray::number(body.size()) + "\r\nConnection: close\r\n\r\n" + body;
}

QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

class DownloadTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(server.listening);
        target = dir.filePath(QStringLiteral("saved file.bin"));
        QFile old(target);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("old contents");
    }

    QTemporaryDir dir;
    TinyHttpServer server;
    QString target;
};

} // namespace

TEST_F(DownloadTest, SuccessWritesTheBodyAndReportsProgress)
{
    const QByteArray body(5000, 'x');
    server.response = httpResponse("200 OK", body);
    qint64 lastProgress = -1;
    const DownloadResult r = downloadUrlToFile(server.url(QStringLiteral("/a.bin")), target, 20000,
                                               [&](qint64 total) { lastProgress = total; });
    EXPECT_TRUE(r.ok) << r.error.toStdString();
    EXPECT_EQ(r.httpStatus, 200);
    EXPECT_EQ(r.bytes, 5000);
    EXPECT_EQ(lastProgress, 5000);
    EXPECT_EQ(fileBytes(target), body);
    EXPECT_TRUE(server.lastRequest.contains("User-Agent: Lumbra\r\n"));
}

TEST_F(DownloadTest, EmptyBodyGivesAnEmptyFileAndReportsZero)
{
    server.response = httpResponse("200 OK", QByteArray());
    QList<qint64> progress;
    const DownloadResult r = downloadUrlToFile(server.url(QStringLiteral("/empty")), target, 20000,
                                               [&](qint64 total) { progress << total; });
    EXPECT_TRUE(r.ok) << r.error.toStdString();
    EXPECT_EQ(fileBytes(target), QByteArray());
    ASSERT_FALSE(progress.isEmpty());
    EXPECT_EQ(progress.last(), 0);
}

TEST_F(DownloadTest, SteadyDownloadLongerThanTheTimeoutCompletes)
{
    // The time-out is for silence; a body that keeps coming runs to its end.
    const QByteArray body(3000, 'z');
    server.response = httpResponse("200 OK", body);
    server.dripPieces = 12;
    server.dripMs = 100;
    const DownloadResult r = downloadUrlToFile(server.url(QStringLiteral("/slow")), target, 700);
    EXPECT_TRUE(r.ok) << r.error.toStdString();
    EXPECT_EQ(fileBytes(target), body);
}

TEST_F(DownloadTest, NotFoundKeepsTheOldFile)
{
    server.response = httpResponse("404 Not Found", "no such page");
    const DownloadResult r = downloadUrlToFile(server.url(QStringLiteral("/missing")), target, 20000);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.httpStatus, 404);
    EXPECT_FALSE(r.error.isEmpty());
    EXPECT_EQ(fileBytes(target), QByteArray("old contents"));
}

TEST_F(DownloadTest, ConnectionCutMidwayKeepsTheOldFile)
{
    server.response = httpResponse("200 OK", QByteArray(10000, 'y'));
    server.cutAfter = server.response.size() - 4000;
    const DownloadResult r = downloadUrlToFile(server.url(QStringLiteral("/cut")), target, 20000);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(fileBytes(target), QByteArray("old contents"));
    // No half-written temporary file is left beside it.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("saved file.bin")});
}

TEST_F(DownloadTest, UnreachableOrInvalidAddressesFail)
{
    const DownloadResult closed = downloadUrlToFile(QStringLiteral("http://127.0.0.1:1/x"), target, 20000);
    EXPECT_FALSE(closed.ok);
    EXPECT_FALSE(downloadUrlToFile(QString(), target, 1000).ok);
    EXPECT_FALSE(downloadUrlToFile(server.url(QStringLiteral("/x")), dir.filePath(QStringLiteral("no/dir/f")), 1000).ok);
    EXPECT_EQ(fileBytes(target), QByteArray("old contents"));
}
