#pragma once
// A small HTTP server on 127.0.0.1 for tests. It reads each request's head,
// records the path asked for, and writes whatever `answer` returns for it;
// with `close` set it then ends the connection, else it keeps it open (a
// load that never finishes). It stops listening by itself after a while.

#include <QByteArray>
#include <QHostAddress>
#include <QStringList>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <functional>

class TestHttpServer : public QTcpServer {
public:
    struct Reply {
        QByteArray bytes;
        bool close = true;
    };
    std::function<Reply(const QByteArray& path)> answer;
    QStringList paths;

    explicit TestHttpServer(int lifetimeMs = 120000)
    {
        connect(this, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* s = nextPendingConnection()) {
                connect(s, &QTcpSocket::readyRead, s, [this, s] { read(s); });
                connect(s, &QTcpSocket::disconnected, s, &QObject::deleteLater);
            }
        });
        listen(QHostAddress::LocalHost);
        QTimer::singleShot(lifetimeMs, this, [this] { close(); });
    }
    QString base() const { return "http://127.0.0.1:" + QString::number(serverPort()); }

    // A whole response with its length; head holds the status line and any
    // further header lines, each ending in CR LF.
    static QByteArray response(const QByteArray& head, const QByteArray& contentType, const QByteArray& body)
    {
        return head + "Content-Type: " + contentType + "\r\nContent-Length: " + QByteArray::number(body.size())
               + "\r\nConnection: close\r\n\r\n" + body;
    }
    static QByteArray ok(const QByteArray& contentType, const QByteArray& body)
    {
        return response("HTTP/1.1 200 OK\r\n", contentType, body);
    }

private:
    void read(QTcpSocket* s)
    {
        const QByteArray request = s->property("request").toByteArray() + s->readAll();
        s->setProperty("request", request);
        if (!request.contains("\r\n\r\n") || s->property("answered").toBool())
            return;
        s->setProperty("answered", true);
        const QByteArray path = request.split(' ').value(1);
        paths << QString::fromLatin1(path);
        const Reply reply = answer ? answer(path) : Reply{ok("text/html", "<html></html>")};
        s->write(reply.bytes);
        if (reply.close)
            s->disconnectFromHost();
    }
};
