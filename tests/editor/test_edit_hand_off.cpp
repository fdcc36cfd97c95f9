// What an edit hands a file to, which addresses are never edited, and the
// backup kept beside the page before every edit.
#include "editor/edit_dispatch.h"
#include "support/write_bounds.h"
#include "support/temp_tree.h"

#include <QFile>
#include <gtest/gtest.h>
#include <unistd.h>

using namespace editor;

namespace {

const QString kPage = QStringLiteral("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">\r\n<HTML>");

} // namespace

TEST(EditDispatch, KindByExtensionAndContent)
{
    // Pictures by extension in any letter case; other pictures are not.
    EXPECT_EQ(editKindFor(QStringLiteral("/p/a.JPG"), QString()), EditKind::Picture);
    EXPECT_EQ(editKindFor(QStringLiteral("/p/a.jpeg"), QString()), EditKind::Picture);
    EXPECT_EQ(editKindFor(QStringLiteral("/p/a.Bmp"), QString()), EditKind::Picture);
    EXPECT_EQ(editKindFor(QStringLiteral("/p/a.png"), QString()), EditKind::Associated);
    EXPECT_EQ(editKindFor(QStringLiteral("/p/a.gif"), QString()), EditKind::Associated);
    // A page in the fixed layout goes to the editor, whatever its extension.
    EXPECT_EQ(editKindFor(QStringLiteral("/p/a.html"), kPage), EditKind::Editor);
    EXPECT_EQ(editKindFor(QStringLiteral("/p/a.txt"), kPage), EditKind::Editor);
    // Without the document type line, or a generated work page: spreadsheet.
    EXPECT_EQ(editKindFor(QStringLiteral("/p/a.html"), QStringLiteral("<html>")), EditKind::Spreadsheet);
    EXPECT_EQ(editKindFor(QStringLiteral("/p/a.html"),
                          kPage + QStringLiteral("<META NAME=\"author\" CONTENT=\"WORK_Pagora_TEXT\">")),
              EditKind::Spreadsheet);
    EXPECT_EQ(editKindFor(QStringLiteral("/p/a.mht"), QString()), EditKind::Spreadsheet);
    EXPECT_EQ(editKindFor(QStringLiteral("/p/a.htm"), QStringLiteral("<!doctype html public")), EditKind::Spreadsheet);
    // A folder's name does not turn its files into spreadsheets.
    EXPECT_EQ(editKindFor(QStringLiteral("/p/old.html/a.pdf"), QString()), EditKind::Associated);
    EXPECT_EQ(editKindFor(QStringLiteral("/p/README"), QStringLiteral("text")), EditKind::Associated);
}

TEST(EditDispatch, WebAddressesAreNeverEdited)
{
    for (const char* web : {"http://host/a.html", "HTTPS://host/a.html", "Http://x", "ftp://host/a", "file:///p/a.html"})
        EXPECT_TRUE(isWebAddress(QString::fromUtf8(web))) << web;
    for (const char* local : {"/p/a.html", "/p/http/a.html", "/p/a:b.html", ""})
        EXPECT_FALSE(isWebAddress(QString::fromUtf8(local))) << local;
}

TEST(EditBackup, OneCopyPerExtensionAndFolder)
{
    TempTree t;
    EXPECT_EQ(editBackupPath(t.path("a.html")), t.path("_%.html"));
    EXPECT_EQ(editBackupPath(t.path("pic.tar.gz")), t.path("_%.gz"));
    EXPECT_EQ(editBackupPath(t.path("README")), t.path("_%"));

    const QString a = t.write("a.html", "old a");
    const QString b = t.write("b.html", "old b");
    t.write("c.JPG", "picture");
    EXPECT_EQ(makeEditBackup(a, tempBounds()), BackupResult::Made);
    EXPECT_EQ(t.read("_%.html"), QByteArray("old a"));
    EXPECT_EQ(makeEditBackup(b, tempBounds()), BackupResult::Made);
    EXPECT_EQ(t.read("_%.html"), QByteArray("old b"));
    EXPECT_EQ(makeEditBackup(t.path("c.JPG"), tempBounds()), BackupResult::Made);
    EXPECT_EQ(t.read("_%.JPG"), QByteArray("picture"));
    EXPECT_EQ(t.read("_%.html"), QByteArray("old b"));
    // A new page has nothing to keep.
    EXPECT_EQ(makeEditBackup(t.path("new.html"), tempBounds()), BackupResult::NoFile);
    EXPECT_FALSE(t.exists("_%"));
    // The backup itself, edited, stays as it is.
    EXPECT_EQ(makeEditBackup(t.path("_%.html"), tempBounds()), BackupResult::Made);
    EXPECT_EQ(t.read("_%.html"), QByteArray("old b"));
}

TEST(EditBackup, AFailedBackupLeavesTheOldOneWhole)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "folder permissions do not bind the superuser";
    TempTree t;
    const QString a = t.write("a.html", "new text");
    t.write("_%.html", "earlier backup");
    // The folder cannot take the temporary file the copy goes through.
    QFile::setPermissions(t.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    const BackupResult result = makeEditBackup(a, tempBounds());
    QFile::setPermissions(t.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    EXPECT_EQ(result, BackupResult::Failed);
    EXPECT_EQ(t.read("_%.html"), QByteArray("earlier backup"));
}
