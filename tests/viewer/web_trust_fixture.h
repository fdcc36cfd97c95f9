#pragma once
// The real browser engine against a server on 127.0.0.1, for the tests of
// which requests run page commands with a local page's trust. The server
// answers pages set by path, /p.py with a small program, and counts what it
// is asked; a command list that ran with local trust downloads /p.py into
// the data root and starts python on it (recorded, not run, by the seam).

#include "support/element_click.h"
#include "support/seam_texts.h"
#include "platform/browser.h"
#include "platform/controls.h"
#include "platform/seam.h"
#include "support/http_server.h"
#include "support/wait_for.h"
#include "viewer/main_window.h"
#include "viewer/real_window_fixture.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QHash>
#include <QMouseEvent>
#include <QUrl>
#include <QWidget>

#include <gtest/gtest.h>
#include <memory>

struct PageServer : TestHttpServer {
    QHash<QByteArray, QByteArray> pages; // path -> whole HTML text
    QByteArray heldPath;                 // answered with a head and no end

    PageServer()
    {
        answer = [this](const QByteArray& path) {
            if (path == heldPath)
                return Reply{"HTTP/1.1 200 OK\r\nContent-Type: text/html\r\nContent-Length: 100000\r\n\r\n<html>",
                             false};
            if (path == "/p.py")
                return Reply{ok("text/plain", "print(1)\n")};
            return Reply{ok("text/html", pages.value(path, "<html><body>web</body></html>"))};
        };
    }
    int count(const QString& prefix) const
    {
        int n = 0;
        for (const QString& p : paths)
            n += p.startsWith(prefix);
        return n;
    }
};

class WebTrustTest : public RealWindowTest {
protected:
    void SetUp() override
    {
        RealWindowTest::SetUp();
        ASSERT_TRUE(server.isListening());
        platform::clearEvents();
    }
    QByteArray base() const { return server.base().toUtf8(); }
    QByteArray port() const { return QByteArray::number(server.serverPort()); }
    // The command list every web page here tries: one download into the data
    // root, then a program start.
    QByteArray commands() const
    {
        return base() + "/z/$SAVE%20127.0.0.1:" + port() + "/p.py%20p.py,$python3%20p.py";
    }
    static QByteArray html(const QByteArray& body, const QByteArray& head = {})
    {
        return "<html><head><meta charset=\"utf-8\">" + head + "</head><body style=\"margin:0\">" + body
               + "</body></html>";
    }
    bool shows(const QString& url)
    {
        const bool ok = waitFor([&] { return w->WebBrowser1->locationUrl() == url; }, EngineWaitMs);
        if (!ok)
            ADD_FAILURE() << "shows " << w->WebBrowser1->locationUrl().toStdString() << ", not " << url.toStdString();
        return ok;
    }
    // A press and release of the left button at a point of the shown page,
    // as a person's click there.
    void clickAt(QPointF at)
    {
        QWidget* view = w->WebBrowser1->widget();
        QWidget* target = view ? view->focusProxy() : nullptr;
        if (!target)
            return;
        for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
            const Qt::MouseButtons held = type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton;
            QMouseEvent e(type, at, target->mapToGlobal(at), Qt::LeftButton, held, Qt::NoModifier);
            QCoreApplication::sendEvent(target, &e);
        }
    }
    // Clicks the element with the given id once the shown document has it.
    bool clickId(const QString& id)
    {
        const bool ok = clickElementWhenShown(*w->WebBrowser1, id);
        if (!ok)
            ADD_FAILURE() << "no element " << id.toStdString();
        return ok;
    }
    bool refused() const { return w->Pmathu->caption().contains("Webページからは"); }
    QStringList seamEvents(const QString& kind) const { return ::seamTexts(kind); }
    // The command list ran with a local page's trust (in part at least).
    bool ranLocally() const
    {
        return server.paths.contains("/p.py") || QFileInfo::exists(inRoot("p.py")) || !seamEvents("start").isEmpty();
    }
    void expectNothingRan()
    {
        EXPECT_FALSE(server.paths.contains("/p.py"));
        EXPECT_FALSE(QFileInfo::exists(inRoot("p.py")));
        EXPECT_EQ(seamEvents("start"), QStringList());
    }

    PageServer server;
};
