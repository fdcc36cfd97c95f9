// With the real browser engine and a server on 127.0.0.1: a local page shows
// a picture from a web address, and a web page still cannot show a local
// picture.
#include "platform/browser.h"
#include "support/fake_browser.h"
#include "support/wait_for.h"

#include "support/http_server.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QTimer>
#include <QUrl>
#include <QWidget>

using namespace platform;

namespace {

constexpr int WaitMs = EngineWaitMs;

QByteArray png()
{
    QImage image(8, 6, QImage::Format_RGB32);
    image.fill(Qt::red);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

// Serves /p.png and, for any other path, the page it was given.
struct PictureServer : TestHttpServer {
    PictureServer()
    {
        answer = [this](const QByteArray& path) {
            return Reply{path == "/p.png" ? ok("image/png", png()) : ok("text/html", page)};
        };
    }
    QByteArray page;
};

class BrowserRemotePictures : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (qEnvironmentVariableIsEmpty("QTWEBENGINE_DISABLE_SANDBOX"))
            qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
        ASSERT_TRUE(dir.isValid());
        ASSERT_TRUE(server.isListening());
        useFakeBrowsers(false);
        browser = createBrowser(&window);
        window.resize(400, 300);
        browser->widget()->resize(400, 300);
        browser->setDocumentComplete([this](const QString&) { ++completed; });
    }
    // Width of the picture with id "p" once it has loaded or failed; -1 when
    // it did neither in time.
    int pictureWidth()
    {
        const QString script = QStringLiteral(
            "(function(){var p=document.getElementById('p');"
            "return p && p.complete ? p.naturalWidth : -1;})()");
        int width = -1;
        waitFor([&] {
            QVariant v;
            browser->runScript(script, [&v](const QVariant& r) { v = r; });
            waitFor([&] { return v.isValid(); }, WaitMs);
            width = v.isValid() ? v.toInt() : -1;
            return width >= 0;
        }, WaitMs);
        return width;
    }

    QTemporaryDir dir;
    PictureServer server;
    QWidget window;
    Browser* browser = nullptr;
    int completed = 0;
};

} // namespace

TEST_F(BrowserRemotePictures, LocalPageShowsAPictureFromTheWeb)
{
    const QString path = dir.filePath("page.html");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("<html><body><img id=\"p\" src=\"" + server.base().toUtf8() + "/p.png\"></body></html>");
    file.close();
    browser->navigate(path);
    ASSERT_TRUE(waitFor([this] { return completed > 0; }, WaitMs));
    EXPECT_EQ(pictureWidth(), 8);
}

TEST_F(BrowserRemotePictures, WebPageCannotShowALocalPicture)
{
    const QString picture = dir.filePath("local.png");
    QFile file(picture);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(png());
    file.close();
    server.page = "<html><body><img id=\"p\" src=\"" + QUrl::fromLocalFile(picture).toEncoded() + "\"></body></html>";
    browser->navigate(server.base() + "/page.html");
    ASSERT_TRUE(waitFor([this] { return completed > 0; }, WaitMs));
    EXPECT_EQ(pictureWidth(), 0);
}
