// With the real browser engine: the capture of a shown page, the merge of a
// folder into the thumbnail document, and the preview of that document
// painted into a PDF file.
#include "support/real_engine_root.h"
#include "support/write_bounds.h"
#include "platform/picture.h"
#include "platform/seam.h"
#include "store/files.h"
#include "support/fake_browser.h"
#include "support/wait_for.h"
#include "tools/capture.h"
#include "tools/capture_print_bindings.h"
#include "tools/printing.h"
#include "viewer/main_window.h"

#include <QDir>
#include <QUrl>
#include <gtest/gtest.h>

namespace {

constexpr int WaitMs = 60000;

QByteArray page(const char* title, const char* colour)
{
    return QByteArray("\xEF\xBB\xBF<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">\r\n"
                      "<HTML><HEAD><META http-equiv=\"Content-Type\" content=\"text/html; charset=UTF-8\">"
                      "<TITLE>")
        + title + "</TITLE></HEAD><BODY style=\"margin:0\"><DIV style=\"background:" + colour
        + ";width:100%;height:2000px\">" + title + "</DIV></BODY></HTML>\r\n";
}

// Pixels of the picture that are clearly of the colour.
int countPixels(const QImage& image, QRgb colour)
{
    int n = 0;
    for (int y = 0; y < image.height(); y += 4)
        for (int x = 0; x < image.width(); x += 4) {
            const QRgb p = image.pixel(x, y);
            n += qAbs(qRed(p) - qRed(colour)) < 40 && qAbs(qGreen(p) - qGreen(colour)) < 40
                 && qAbs(qBlue(p) - qBlue(colour)) < 40;
        }
    return n;
}

} // namespace

TEST(BrowserCapturePrint, CaptureMergeAndPrintPreview)
{
    RealEngineRoot data;
    ASSERT_TRUE(data.isValid());
    const QString root = data.root();
    ASSERT_TRUE(files::writeBytes(files::joinPath(root, "1000_赤.html"), page("1000_赤", "#ff0000"), tempBounds()));
    ASSERT_TRUE(files::writeBytes(files::joinPath(root, "1010_緑.html"), page("1010_緑", "#00c000"), tempBounds()));

    TForm1 w(data.exePath());
    w.ShutdownPauseMs = 0;
    tools::bindCapturePrint(w);
    w.show();
    const QString first = QUrl::fromLocalFile(files::joinPath(root, "1000_赤.html")).toString();
    ASSERT_TRUE(waitFor([&] { return w.caption() == first; }, WaitMs)) << w.caption().toStdString();

    // The shown page, not a blank area, at the page area's size.
    const QString shot = files::joinPath(data.folder(), "shot.jpg");
    QImage captured;
    ASSERT_TRUE(waitFor([&] {
        // A capture too early shows a blank picture over the page: take it away.
        w.SetDrawingLayout(0);
        tools::CaptureScreenToImage(w, shot, tempBounds());
        captured = platform::loadPicture(shot);
        return !captured.isNull() && countPixels(captured, qRgb(255, 0, 0)) > 100;
    }, WaitMs));
    EXPECT_EQ(captured.size(), QSize(w.kabe->width() - 2, w.kabeBrowser->height() - 2));

    // The merge shows, waits for and captures each page; its document is
    // previewed and the preview painted into a PDF file.
    const QString pdf = files::joinPath(data.folder(), "resume.pdf");
    platform::setNextPrintPdf(pdf);
    tools::MergeCheckedPages(w);
    ASSERT_TRUE(waitFor([] { return !tools::MergeRunning(); }, WaitMs));
    const QString work = files::joinPath(root, "00_RESUME");
    const QImage green = platform::loadPicture(files::joinPath(work, "_1010_緑.jpg"));
    ASSERT_FALSE(green.isNull());
    EXPECT_GT(countPixels(green, qRgb(0, 192, 0)), 100);
    EXPECT_FALSE(platform::loadPicture(files::joinPath(work, "_1000_赤.jpg")).isNull());
    const QString resume = files::readUtf8(files::joinPath(work, "resumeE.html")).value_or(QString());
    EXPECT_TRUE(resume.contains("[緑]<BR> </TD>"));

    ASSERT_TRUE(waitFor([&] { return QFileInfo(pdf).size() > 1000; }, WaitMs));
    EXPECT_TRUE(files::readBytes(pdf).value_or(QByteArray()).startsWith("%PDF"));
    w.close();
}
