// The paint button with a stand-in paint program: a script on PATH that
// copies a prepared drawing over the file it is given. Program starts go
// through the seam, which runs the script here and records the start.
#include "editor/image_buttons.h"
#include "support/write_bounds.h"
#include "picture_test_support.h"
#include "store/page_file.h"
#include "store/files.h"

#include <QProcess>
#include <QStandardPaths>

using namespace editor;

namespace {

class PaintTest : public PictureTest {
protected:
    void SetUp() override
    {
        PictureTest::SetUp();
        oldPath = qgetenv("PATH");
        drawing = picture("drawn/result.bmp", 50, 30, Qt::blue);
        const QString bin = tree.mkdir(QStringLiteral("bin"));
        tree.executable(QStringLiteral("bin/kolourpaint"),
                        QByteArray("#!/bin/sh\ncp '") + drawing.toUtf8() + "' \"$1\"\n");
        qputenv("PATH", bin.toLocal8Bit() + ":/usr/bin:/bin");
        platform::setProgramHandler([this](const QString& program, const QStringList& args) {
            handedOver = args.value(0);
            blankAtStart = platform::loadPicture(handedOver);
            bmpHeader = tree.read(QFileInfo(handedOver).absoluteFilePath().mid(tree.path().size() + 1)).left(30);
            return QProcess::execute(program, args) == 0;
        });
    }
    void TearDown() override
    {
        qputenv("PATH", oldPath);
        PictureTest::TearDown();
    }

    QByteArray oldPath;
    QString drawing;
    QString handedOver;
    QImage blankAtStart;
    QByteArray bmpHeader;
};

} // namespace

TEST_F(PaintTest, NewPictureFromTheTextLayoutEndsUpInTheSavedPage)
{
    // An older picture is remembered; the new one must not be mixed up with it.
    picture("class1/older.png", 20, 20);
    m.Memo82 = QStringLiteral("<HTML><HEAD><TITLE>T</TITLE></HEAD><BODY><!--NOTE_IN--><!--NOTE_OUT--></BODY></HTML>");
    store::LoadPageIntoEditor(m, page);
    m.TAIHI1 = QStringLiteral("<P>");
    m.TAIHI2 = QStringLiteral("<IMG src=\"older.png\" width=\"20\" height=\"20\" align=\"center\">");
    m.TAIHI3 = QStringLiteral("older.png");
    v.Panel6Tag = kLayoutNoPicture;

    paintButtonUp(*block, false);

    const QString fresh = folder + QStringLiteral("/_apple.bmp");
    EXPECT_EQ(handedOver, fresh);
    const auto starts = seamEvents("start");
    ASSERT_EQ(starts.size(), 1);
    EXPECT_TRUE(starts[0].text.endsWith(QStringLiteral("/kolourpaint")));
    EXPECT_EQ(starts[0].args, QStringList{fresh});
    // The blank handed over: white, 24 bits, the frame's size.
    ASSERT_FALSE(blankAtStart.isNull());
    EXPECT_EQ(blankAtStart.size(), QSize(20, 20));
    EXPECT_EQ(blankAtStart.pixelColor(5, 5), QColor(Qt::white));
    EXPECT_EQ(bmpHeader.left(2), QByteArray("BM"));
    EXPECT_EQ(quint8(bmpHeader.at(28)), 24);

    EXPECT_EQ(m.Gname, QStringLiteral("_apple.bmp"));
    EXPECT_EQ(m.GX, QStringLiteral("50"));
    EXPECT_EQ(m.GY, QStringLiteral("30"));
    EXPECT_EQ(v.Panel6Tag, kLayoutCentre);
    EXPECT_EQ(syncs, 1);

    ASSERT_TRUE(store::SavePage(m, page, tempBounds()));
    const QString saved = files::readUtf8(page).value_or(QString());
    EXPECT_TRUE(saved.contains(QStringLiteral("src=\"_apple.bmp\""))) << saved.toStdString();
    EXPECT_FALSE(saved.contains(QStringLiteral("older.png")));
    store::PageModel again;
    again.Memo82 = saved;
    store::LoadPageIntoEditor(again, page);
    EXPECT_EQ(again.Gname, QStringLiteral("_apple.bmp"));
    EXPECT_EQ(again.GX, QStringLiteral("50"));
}

TEST_F(PaintTest, NewPictureWithoutAnythingRememberedGetsTheCentreFrame)
{
    paintButtonUp(*block, true);
    EXPECT_EQ(blankAtStart.size(), QSize(600, 400));
    EXPECT_EQ(m.Gname, QStringLiteral("_apple.bmp"));
    EXPECT_TRUE(m.Edit7.contains(QStringLiteral("src=\"_apple.bmp\""))) << m.Edit7.toStdString();
}

TEST_F(PaintTest, RightClickTrashesAnOldDrawingOfTheNewName)
{
    const QString sea = picture("class1/sea.jpg", 64, 48);
    v.Panel6Tag = kLayoutCentre;
    LoadImageIntoEditor(*block, sea);
    const QString old = picture("class1/_apple.bmp", 10, 10, Qt::green);
    paintButtonUp(*block, true);
    const QString trash = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + "/Trash/files";
    EXPECT_TRUE(QFileInfo(trash + "/_apple.bmp").isFile());
    EXPECT_EQ(handedOver, old);
    EXPECT_EQ(blankAtStart.size(), QSize(64, 48));  // the frame of the picture shown
    EXPECT_EQ(m.Gname, QStringLiteral("_apple.bmp"));
    EXPECT_EQ(m.Edit7, QStringLiteral("<IMG src=\"_apple.bmp\" width=\"64\" height=\"48\" vspace=\"4\" hspace=\"4\" align=\"center\">"));
    EXPECT_TRUE(QFileInfo::exists(sea));
}

// Keeping the old drawing is the user's choice: nothing starts, nothing is said.
// A trash that refuses it names the file.
TEST_F(PaintTest, AKeptOldDrawingStopsQuietlyARefusedOneIsNamed)
{
    const QString old = picture("class1/_apple.bmp", 10, 10, Qt::green);
    block->gomi = [](const QString&) { return TrashOutcome::Declined; };
    paintButtonUp(*block, true);
    EXPECT_TRUE(handedOver.isEmpty());
    EXPECT_TRUE(seamEvents("message").isEmpty());
    EXPECT_TRUE(m.Gname.isEmpty());
    EXPECT_EQ(tree.read("class1/_apple.bmp").size(), QFileInfo(old).size());

    block->gomi = [](const QString&) { return TrashOutcome::Refused; };
    paintButtonUp(*block, true);
    EXPECT_TRUE(handedOver.isEmpty());
    ASSERT_EQ(seamEvents("message").size(), 1);
    EXPECT_TRUE(seamEvents("message").first().text.contains(old));
}

TEST_F(PaintTest, LeftClickEditsThePictureAndTakesItsNewSize)
{
    const QString sea = picture("class1/sea.bmp", 64, 48);
    v.Panel6Tag = kLayoutLeft;
    LoadImageIntoEditor(*block, sea);
    paintButtonUp(*block, false);
    EXPECT_EQ(handedOver, sea);
    EXPECT_EQ(m.Gname, QStringLiteral("sea.bmp"));
    EXPECT_EQ(m.GX, QStringLiteral("50"));
    EXPECT_EQ(platform::loadPicture(sea).pixelColor(1, 1), QColor(Qt::blue));
}

TEST_F(PaintTest, AMissingPngGetsNoBlankButStillGoesToThePaintProgram)
{
    m.Gname = QStringLiteral("x.png");
    m.Edit7 = QStringLiteral("<IMG src=\"x.png\">");
    v.Panel6Tag = kLayoutCentre;
    platform::setProgramHandler([this](const QString&, const QStringList& args) {
        handedOver = args.value(0);
        return true;
    });
    paintButtonUp(*block, false);
    EXPECT_EQ(handedOver, folder + QStringLiteral("/x.png"));
    EXPECT_FALSE(QFileInfo::exists(handedOver));
    EXPECT_EQ(m.Gname, QStringLiteral("x.png"));
}

TEST_F(PaintTest, WithoutAPaintProgramTheUserIsTold)
{
    qputenv("PATH", tree.mkdir(QStringLiteral("emptybin")).toLocal8Bit());
    paintButtonUp(*block, true);
    EXPECT_TRUE(seamEvents("start").isEmpty());
    EXPECT_EQ(seamEvents("message").size(), 1);
    EXPECT_EQ(syncs, 1);
}
