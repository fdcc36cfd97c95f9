// With the real browser engine: "ページの印刷" of an example page painted into a
// PDF file. The printout keeps margins on both sides, as the page has them
// on screen, and it is the page that was shown when printing was asked for.
#include "support/real_engine_root.h"
#include "support/mouse_click.h"
#include "platform/seam.h"
#include "store/files.h"
#include "support/wait_for.h"
#include "tools/printing.h"
#include "viewer/main_window.h"

#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QMouseEvent>
#include <QTimer>
#include <QUrl>
#include <gtest/gtest.h>

namespace {

constexpr int WaitMs = 60000;

QString examplesFolder()
{
    const QString source = QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral(__FILE__));
    return QDir::cleanPath(QFileInfo(source).absolutePath() + QStringLiteral("/../../examples"));
}

void copyExamples(const RealEngineRoot& data)
{
    const QString examples = examplesFolder();
    QDirIterator it(examples, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString from = it.next();
        ASSERT_TRUE(data.put(QDir(examples).relativeFilePath(from), *files::readBytes(from)));
    }
}

// The first page of the PDF as a picture at 72 dpi (one pixel a point).
QImage firstPage(const QString& pdf, const QString& folder)
{
    const QString stem = files::joinPath(folder, QStringLiteral("page"));
    QProcess::execute(QStringLiteral("pdftoppm"),
                      {QStringLiteral("-png"), QStringLiteral("-r"), QStringLiteral("72"), QStringLiteral("-f"),
                       QStringLiteral("1"), QStringLiteral("-l"), QStringLiteral("1"), QStringLiteral("-singlefile"),
                       pdf, stem});
    return QImage(stem + QStringLiteral(".png"));
}

// Columns from the left and from the right that hold nothing but white.
std::pair<int, int> blankSides(const QImage& image)
{
    auto blankColumn = [&](int x) {
        for (int y = 0; y < image.height(); ++y)
            if (qGray(image.pixel(x, y)) < 245)
                return false;
        return true;
    };
    int left = 0;
    while (left < image.width() && blankColumn(left))
        ++left;
    int right = 0;
    while (right < image.width() && blankColumn(image.width() - 1 - right))
        ++right;
    return {left, right};
}

} // namespace

TEST(BrowserPrintPage, PrintoutHasEqualMarginsOnBothSides)
{
    if (QStandardPaths::findExecutable(QStringLiteral("pdftoppm")).isEmpty())
        GTEST_SKIP() << "pdftoppm (poppler-utils) is not installed";
    RealEngineRoot data;
    ASSERT_TRUE(data.isValid());
    copyExamples(data);
    TForm1 w(data.exePath());
    w.ShutdownPauseMs = 0;
    w.show();
    ASSERT_TRUE(waitFor([&] { return !w.LastDocumentUrl.isEmpty(); }, WaitMs));
    const int index = w.levels.topEntries().indexOf(QStringLiteral("1010_季節の花.html"));
    ASSERT_GE(index, 0);
    w.PBanSave(index);
    w.PageClick(0, true);
    const QString shown = data.url(QStringLiteral("1010_季節の花.html"));
    ASSERT_TRUE(waitFor([&] { return w.LastDocumentUrl == shown; }, WaitMs));

    const QString pdf = files::joinPath(data.folder(), QStringLiteral("page.pdf"));
    platform::setNextPrintPdf(pdf);
    tools::N6Click(w);
    ASSERT_TRUE(waitFor([&] { return QFileInfo(pdf).size() > 1000; }, WaitMs));
    const QImage page = firstPage(pdf, data.folder());
    ASSERT_FALSE(page.isNull());
    const auto [left, right] = blankSides(page);
    // The heading bar spans the page: both margins at least 5 mm (14 pt), and alike.
    EXPECT_GE(left, 14);
    EXPECT_GE(right, 14);
    EXPECT_LE(std::abs(left - right), 3) << "left " << left << " right " << right;
    w.close();
}

namespace {

QByteArray colourPage(const char* title, const char* colour)
{
    return QByteArray("\xEF\xBB\xBF<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">\r\n"
                      "<HTML><HEAD><META http-equiv=\"Content-Type\" content=\"text/html; charset=UTF-8\">"
                      "<TITLE>")
        + title + "</TITLE></HEAD><BODY><DIV style=\"background:" + colour + ";height:300px\">" + title
        + "</DIV></BODY></HTML>\r\n";
}

int countColour(const QImage& image, QRgb colour)
{
    int n = 0;
    for (int y = 0; y < image.height(); y += 2)
        for (int x = 0; x < image.width(); x += 2) {
            const QRgb p = image.pixel(x, y);
            n += qAbs(qRed(p) - qRed(colour)) < 40 && qAbs(qGreen(p) - qGreen(colour)) < 40
                 && qAbs(qBlue(p) - qBlue(colour)) < 40;
        }
    return n;
}

} // namespace

// A page button pressed while the printout is made turns no page under it;
// the cursor says busy meanwhile and is itself again afterwards.
TEST(BrowserPrintPage, PrintsThePageShownWhenAskedWithABusyCursor)
{
    if (QStandardPaths::findExecutable(QStringLiteral("pdftoppm")).isEmpty())
        GTEST_SKIP() << "pdftoppm (poppler-utils) is not installed";
    RealEngineRoot data;
    ASSERT_TRUE(data.put(QStringLiteral("1000_赤.html"), colourPage("1000_赤", "#ff0000")));
    ASSERT_TRUE(data.put(QStringLiteral("1010_緑.html"), colourPage("1010_緑", "#00c000")));
    TForm1 w(data.exePath());
    w.ShutdownPauseMs = 0;
    w.show();
    const QString red = data.url(QStringLiteral("1000_赤.html"));
    ASSERT_TRUE(waitFor([&] { return w.LastDocumentUrl == red; }, WaitMs));

    const QString pdf = files::joinPath(data.folder(), QStringLiteral("page.pdf"));
    platform::setNextPrintPdf(pdf);
    bool busy = false;
    QTimer::singleShot(0, &w, [&] {
        busy = QApplication::overrideCursor() && QApplication::overrideCursor()->shape() == Qt::WaitCursor;
        QWidget* green = w.PageButtons.value(1);
        ASSERT_NE(green, nullptr);
        clickMouse(green, QPointF(4, 4));
    });
    tools::N6Click(w);
    EXPECT_TRUE(busy);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(w.PBan(), 0);
    ASSERT_TRUE(waitFor([&] { return QFileInfo(pdf).size() > 1000; }, WaitMs));
    const QImage page = firstPage(pdf, data.folder());
    ASSERT_FALSE(page.isNull());
    EXPECT_GT(countColour(page, qRgb(255, 0, 0)), 1000);
    EXPECT_EQ(countColour(page, qRgb(0, 192, 0)), 0);
    w.close();
}
