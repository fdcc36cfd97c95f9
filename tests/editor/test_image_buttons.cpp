// The image block's buttons with queued dialog answers: a chosen picture is
// copied into the page's folder (or nothing changes when it cannot be), a
// right click sends it to the trash, the link takes a relative path, and a
// double click opens the picture.
#include "editor/image_buttons.h"
#include "picture_test_support.h"

#include "editor/picture_files.h"
#include "store/files.h"
#include "store/resource_limits.h"

#include <QDir>
#include <QStandardPaths>
#include <QUrl>

using namespace editor;

namespace {

QString trashFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/Trash/files");
}

} // namespace

TEST_F(PictureTest, LoadCopiesThePictureIntoThePagesFolder)
{
    const QString chosen = picture("pics/sea.jpg", 640, 480);
    platform::setNextFileName(chosen);
    loadButtonUp(*block, false);

    const QString copy = folder + QStringLiteral("/sea.jpg");
    EXPECT_TRUE(QFileInfo(copy).isFile());
    EXPECT_TRUE(QFileInfo(chosen).isFile());
    EXPECT_EQ(m.Gname, QStringLiteral("sea.jpg"));
    EXPECT_EQ(m.GX, QStringLiteral("640"));
    EXPECT_EQ(m.GY, QStringLiteral("480"));
    EXPECT_EQ(m.Edit7, QStringLiteral("<IMG src=\"sea.jpg\" width=\"640\" height=\"480\" align=\"center\">"));
    EXPECT_EQ(v.Panel6Tag, kLayoutCentre);
    EXPECT_EQ(syncs, 1);
    const auto opened = seamEvents("open");
    ASSERT_EQ(opened.size(), 1);
    EXPECT_EQ(opened[0].args.value(0), folder + u'/');

    // The saved copy names this picture: a layout switch keeps its tag.
    textOnlyButtonUp(*block, false);
    pictureLayoutClick(*block, kLayoutLeft);
    EXPECT_EQ(m.Edit7, QStringLiteral("<IMG src=\"sea.jpg\" width=\"640\" height=\"480\" align=\"left\">"));
}

TEST_F(PictureTest, LoadReplacesAnEarlierPictureInASideLayout)
{
    picture("class1/old.png", 100, 100);
    v.Panel6Tag = kLayoutRight;
    LoadImageIntoEditor(*block, folder + "/old.png");
    platform::setNextFileName(picture("pics/new.png", 40, 20));
    loadButtonUp(*block, false);
    EXPECT_EQ(m.Edit7, QStringLiteral("<IMG src=\"new.png\" width=\"40\" height=\"20\" align=\"right\">"));
    EXPECT_EQ(m.TAIHI3, QStringLiteral("new.png"));
    EXPECT_EQ(v.Panel6Width, 40);
}

TEST_F(PictureTest, APictureAlreadyInTheFolderIsNeverCopiedOntoItself)
{
    const QString own = picture("class1/sea.jpg", 64, 48);
    const QByteArray before = tree.read("class1/sea.jpg");
    // Another spelling of the same file.
    platform::setNextFileName(folder + QStringLiteral("/../class1/sea.jpg"));
    loadButtonUp(*block, false);
    EXPECT_EQ(tree.read("class1/sea.jpg"), before);
    EXPECT_EQ(m.Gname, QStringLiteral("sea.jpg"));
    EXPECT_TRUE(seamEvents("message").isEmpty());
    EXPECT_EQ(QDir(folder).entryList(QDir::Files).size(), 1);
    (void)own;
}

// A picture whose name another picture of the folder has: the same bytes
// are used as they are; other bytes are never overwritten without the user's
// word: keep both (a free name), replace (the old one to the trash) or stop.
TEST_F(PictureTest, APictureOfATakenNameIsReusedOrAskedAbout)
{
    const QString own = picture("class1/flower.png", 30, 20, Qt::red);
    const QByteArray ownBytes = tree.read("class1/flower.png");
    const QString same = picture("pics/same/flower.png", 30, 20, Qt::red);
    const QString other = picture("pics/other/flower.png", 8, 6, Qt::blue);
    const QByteArray otherBytes = tree.read("pics/other/flower.png");

    platform::setNextFileName(same);
    loadButtonUp(*block, false);
    EXPECT_EQ(m.Gname, QStringLiteral("flower.png"));
    EXPECT_TRUE(seamEvents("ask").isEmpty());
    EXPECT_EQ(QDir(folder).entryList(QDir::Files).size(), 1);

    // Cancelled: nothing changes.
    platform::setNextFileName(other);
    platform::setNextAnswer(platform::Answer::Cancel);
    loadButtonUp(*block, false);
    ASSERT_EQ(seamEvents("ask").size(), 1);
    EXPECT_TRUE(seamEvents("ask")[0].text.contains(QStringLiteral("flower_2.png")));
    EXPECT_EQ(m.Gname, QStringLiteral("flower.png"));
    EXPECT_EQ(m.GX, QStringLiteral("30"));
    EXPECT_EQ(QDir(folder).entryList(QDir::Files).size(), 1);

    // Keep both: the new one under a free name, the old one untouched.
    platform::setNextFileName(other);
    platform::setNextAnswer(platform::Answer::No);
    loadButtonUp(*block, false);
    EXPECT_EQ(m.Gname, QStringLiteral("flower_2.png"));
    EXPECT_EQ(m.Edit7, QStringLiteral("<IMG src=\"flower_2.png\" width=\"8\" height=\"6\" align=\"center\">"));
    EXPECT_EQ(tree.read("class1/flower.png"), ownBytes);
    EXPECT_EQ(tree.read("class1/flower_2.png"), otherBytes);

    // Replace: the old one goes to the trash first.
    platform::setNextFileName(other);
    platform::setNextAnswer(platform::Answer::Yes);
    loadButtonUp(*block, false);
    EXPECT_EQ(m.Gname, QStringLiteral("flower.png"));
    EXPECT_EQ(tree.read("class1/flower.png"), otherBytes);
    EXPECT_EQ(files::readBytes(trashFolder() + "/flower.png").value_or(QByteArray()), ownBytes);
    EXPECT_EQ(seamEvents("ask").size(), 3);
    (void)own;
}

TEST_F(PictureTest, AFailedCopyOrAnUnusablePictureChangesNothing)
{
    m.Gname = QStringLiteral("keep.png");
    m.Edit7 = QStringLiteral("<IMG src=\"keep.png\">");
    // A folder of the picture's name stands where the copy would go.
    tree.mkdir(QStringLiteral("class1/sea.jpg"));
    const QStringList chosen = {picture("pics/sea.jpg", 64, 48), picture("pics/a\"b.png", 8, 8),
                                tree.write("pics/junk.png", "no picture")};
    for (const QString& c : chosen) {
        platform::clearEvents();
        platform::setNextFileName(c);
        loadButtonUp(*block, false);
        EXPECT_EQ(m.Gname, QStringLiteral("keep.png")) << c.toStdString();
        EXPECT_EQ(m.Edit7, QStringLiteral("<IMG src=\"keep.png\">")) << c.toStdString();
        EXPECT_EQ(seamEvents("message").size(), 1) << c.toStdString();
    }
    EXPECT_TRUE(QFileInfo(folder + "/sea.jpg").isDir());
    EXPECT_FALSE(QFileInfo(folder + "/a\"b.png").exists());
    EXPECT_EQ(syncs, 0);
}

TEST_F(PictureTest, CancelledDialogOnlyRefreshesTheWindow)
{
    loadButtonUp(*block, false);
    EXPECT_EQ(syncs, 1);
    EXPECT_TRUE(m.Gname.isEmpty());
}

TEST_F(PictureTest, RightClickSendsThePictureToTheTrash)
{
    const QString sea = picture("class1/sea.jpg", 64, 48);
    v.Panel6Tag = kLayoutCentre;
    LoadImageIntoEditor(*block, sea);
    m.Edit2 = m.Edit3 = QStringLiteral("a.pdf");
    loadButtonUp(*block, true);
    EXPECT_FALSE(QFileInfo::exists(sea));
    EXPECT_TRUE(QFileInfo(trashFolder() + "/sea.jpg").isFile());
    EXPECT_TRUE(m.Gname.isEmpty());
    EXPECT_EQ(m.GXTag, 0);
    EXPECT_TRUE(m.Edit2.isEmpty() && m.Edit3.isEmpty());
    EXPECT_TRUE(seamEvents("open").isEmpty());

    // No picture file: the right click chooses one, as the left does.
    loadButtonUp(*block, true);
    EXPECT_EQ(seamEvents("open").size(), 1);
}

// A refusal by the trash names the file; the user's own no says nothing.
TEST_F(PictureTest, ARefusedTrashKeepsTheBlockAndSaysSoADeclinedOneQuietly)
{
    const QString sea = picture("class1/sea.jpg", 64, 48);
    LoadImageIntoEditor(*block, sea);
    block->gomi = [](const QString&) { return TrashOutcome::Refused; };
    loadButtonUp(*block, true);
    EXPECT_TRUE(QFileInfo::exists(sea));
    EXPECT_EQ(m.Gname, QStringLiteral("sea.jpg"));
    ASSERT_EQ(seamEvents("message").size(), 1);
    EXPECT_TRUE(seamEvents("message").first().text.contains(sea));

    platform::clearEvents();
    block->gomi = [](const QString&) { return TrashOutcome::Declined; };
    loadButtonUp(*block, true);
    EXPECT_TRUE(QFileInfo::exists(sea));
    EXPECT_EQ(m.Gname, QStringLiteral("sea.jpg"));
    EXPECT_TRUE(seamEvents("message").isEmpty());
    EXPECT_TRUE(seamEvents("open").isEmpty());
}

TEST_F(PictureTest, LinksAreRelativeInsideTheFolderAndRemovedByTheRightButton)
{
    EXPECT_EQ(linkPathFor(folder + "/docs/a.pdf", folder), QStringLiteral("docs/a.pdf"));
    EXPECT_EQ(linkPathFor("/elsewhere/x.pdf", folder), QStringLiteral("/elsewhere/x.pdf"));
    EXPECT_EQ(linkPathFor(folder + "1/x.pdf", folder), folder + "1/x.pdf");

    platform::setNextFileName(tree.write("class1/docs/a.pdf"));
    linkPictureToFile(*block);
    EXPECT_EQ(m.Edit2, QStringLiteral("docs/a.pdf"));
    EXPECT_EQ(m.Edit3, QStringLiteral("docs/a.pdf"));
    platform::setNextFileName(tree.write("class1/b\"c.pdf"));
    linkPictureToFile(*block);
    EXPECT_EQ(m.Edit2, QStringLiteral("docs/a.pdf"));
    unlinkPicture(*block);
    EXPECT_TRUE(m.Edit2.isEmpty() && m.Edit3.isEmpty());
}

TEST_F(PictureTest, DoubleClickOpensThePicture)
{
    openPicture(*block);
    EXPECT_TRUE(seamEvents("openUrl").isEmpty());
    m.Gname = QStringLiteral("sea #1.jpg");
    openPicture(*block);
    const auto opened = seamEvents("openUrl");
    ASSERT_EQ(opened.size(), 1);
    EXPECT_EQ(QUrl(opened[0].text).toLocalFile(), folder + QStringLiteral("/sea #1.jpg"));
}

// Replacing a picture on a disk that fills up: the new one is copied before
// the old one goes, so the old one stays and nothing half-made is left. The
// question says that the old picture goes to the trash at once.
TEST_F(PictureTest, AReplacementThatCannotBeCopiedKeepsTheOldPicture)
{
    const QString own = tree.write("class1/rose.png", QByteArray(1000, 'o'));
    const QString other = tree.write("pics/rose.png", QByteArray(64 * 1024, 'n'));
    std::optional<QString> result = QStringLiteral("unset");
    withFileSizeLimit(4096, [&](bool limited) {
        ASSERT_TRUE(limited);
        platform::setNextAnswer(platform::Answer::Yes);
        result = copyIntoFolder(other, folder, QStringLiteral("rose.png"), {folder});
    });
    EXPECT_FALSE(result);
    EXPECT_EQ(tree.read("class1/rose.png"), QByteArray(1000, 'o'));
    EXPECT_FALSE(QFileInfo::exists(trashFolder() + "/rose.png"));
    EXPECT_EQ(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList{"rose.png"});
    ASSERT_EQ(seamEvents("ask").size(), 1);
    EXPECT_TRUE(seamEvents("ask")[0].text.contains(QStringLiteral("「はい」を選ぶと、今ある画像はすぐにごみ箱に移ります。")));
    ASSERT_EQ(seamEvents("message").size(), 1);
    EXPECT_TRUE(seamEvents("message")[0].text.contains(QStringLiteral("そのまま残っています")));

    // With room on the disk the same answer replaces it.
    platform::setNextAnswer(platform::Answer::Yes);
    EXPECT_EQ(copyIntoFolder(other, folder, QStringLiteral("rose.png"), {folder}), QStringLiteral("rose.png"));
    EXPECT_EQ(tree.read("class1/rose.png"), QByteArray(64 * 1024, 'n'));
    EXPECT_EQ(files::readBytes(trashFolder() + "/rose.png").value_or(QByteArray()), QByteArray(1000, 'o'));
    EXPECT_EQ(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList{"rose.png"});
    (void)own;
}
