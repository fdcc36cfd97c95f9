// File list and folder list over real temporary folders.
#include "platform/controls.h"
#include "support/temp_tree.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

using namespace platform;

namespace {

// An empty file.
void touch(const QString& folder, const QString& name)
{
    ASSERT_FALSE(TempTree::writeAt(QDir(folder).filePath(name), QByteArray()).isEmpty());
}

} // namespace

TEST(FileListBoxTest, MaskAndOrderFollowTheFileRules)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    for (const char* name : {"b.HTML", "a.htm", "10_x.html", "1_y.html", "c.txt", ".hidden.html", "写真.JPG"})
        touch(dir.path(), QString::fromUtf8(name));
    QDir(dir.path()).mkdir("sub.html");

    FileListBox list(nullptr, "FileListBox1");
    list.setMask("*.ht*;*.jp*;");
    list.setDirectory(dir.path());
    EXPECT_EQ(list.items(), QStringList({"1_y.html", "10_x.html", "a.htm", "b.HTML", "写真.JPG"}));
    EXPECT_EQ(list.count(), 5);
    EXPECT_EQ(list.filePath(2), QDir(dir.path()).filePath("a.htm"));
    EXPECT_EQ(list.item(99), QString());

    touch(dir.path(), "0.html");
    EXPECT_EQ(list.count(), 5) << "the list is read when pointed or updated";
    list.setDirectory(dir.path());
    EXPECT_EQ(list.count(), 5);
    list.update();
    EXPECT_EQ(list.count(), 6);
    EXPECT_EQ(list.item(0), "0.html");

    list.setMask("*.html");
    EXPECT_EQ(list.items(), QStringList({"0.html", "1_y.html", "10_x.html", "b.HTML"}));
}

TEST(FileListBoxTest, AFolderIsReadWhenTheListIsAskedForOrTakenFromAListing)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    touch(dir.path(), "a.html");
    FileListBox list;
    list.setMask("*.html");
    list.setDirectory(dir.path());
    list.update();
    touch(dir.path(), "b.html"); // after the update, before the list is asked for
    EXPECT_EQ(list.items(), QStringList({"a.html", "b.html"}));

    list.setItemIndex(1);
    list.setListing(dir.path(), {"x.html"}); // read elsewhere with the same mask
    EXPECT_EQ(list.items(), QStringList({"x.html"}));
    EXPECT_EQ(list.itemIndex(), 0);
    EXPECT_EQ(list.directory(), dir.path());
    list.update();
    EXPECT_EQ(list.count(), 2);
}

TEST(FileListBoxTest, MissingFolderGivesAnEmptyList)
{
    FileListBox list;
    list.setDirectory("/nonexistent/pagora/folder");
    EXPECT_EQ(list.count(), 0);
}

TEST(DirectoryListBoxTest, ShowsTheChainAndSubFolders)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QDir root(dir.path());
    root.mkpath("data/2年/国語");
    root.mkpath("data/1年");
    root.mkpath("data/.secret");
    const QString data = root.filePath("data");

    DirectoryListBox box(nullptr, "DirectoryListBox1");
    int changes = 0;
    box.onChange = [&] { ++changes; };
    box.setDirectory(data + "/");
    EXPECT_EQ(box.directory(), data);
    EXPECT_EQ(changes, 1);
    const QStringList items = box.items();
    ASSERT_GE(items.size(), 4);
    EXPECT_EQ(items.first(), "/");
    EXPECT_EQ(items.mid(items.size() - 3), QStringList({"data", "1年", "2年"}));
    EXPECT_EQ(box.selectedPath(), data) << "the current folder is selected";

    box.setItemIndex(box.count() - 1);
    EXPECT_EQ(box.selectedPath(), data + "/2年");
    box.openSelected();
    EXPECT_EQ(box.directory(), data + "/2年");
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(box.items().last(), "国語");

    box.setDirectory(data + "/2年");
    EXPECT_EQ(changes, 2) << "the same folder is no change";
}

TEST(DirectoryListBoxTest, AListWithoutRoomAnswersFromTheFolderAsItIsWhenAsked)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QDir root(dir.path());
    root.mkpath("data/1年");
    const QString data = root.filePath("data");

    DirectoryListBox closed(nullptr, "DirectoryListBox1");
    closed.setBounds(0, 0, 0, 300); // a closed pane
    closed.setTop(data);
    EXPECT_EQ(closed.count(), 2) << "asked, it answers";
    root.mkpath("data/2年");
    closed.update();
    closed.setBounds(0, 0, 200, 300); // the pane opens
    EXPECT_EQ(closed.items(), QStringList({"data", "1年", "2年"}));
}

TEST(DirectoryListBoxTest, KeepsWithinItsTop)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QDir root(dir.path());
    root.mkpath("data/2年/国語");
    root.mkpath("beside");
    const QString data = root.filePath("data");

    DirectoryListBox box(nullptr, "DirectoryListBox1");
    box.setDirectory(dir.path());
    box.setTop(data);
    EXPECT_EQ(box.directory(), data) << "a folder above the top gives way to the top";
    EXPECT_EQ(box.items(), QStringList({"data", "2年"}));

    int changes = 0;
    box.onChange = [&] { ++changes; };
    for (const QString& outside : {dir.path(), root.filePath("beside"), QStringLiteral("/")})
        box.setDirectory(outside);
    EXPECT_EQ(box.directory(), data);
    EXPECT_EQ(changes, 0);

    box.setDirectory(data + "/2年/国語");
    EXPECT_EQ(box.items(), QStringList({"data", "2年", "国語"}));
    EXPECT_EQ(changes, 1);
}
