// Names that are not valid UTF-8 (from Windows archives) cannot be opened,
// renamed or deleted by the name a list would show: listings leave them out
// and a folder holding them is noticed once.
#include "store/files.h"
#include "support/raw_names.h"
#include "support/temp_tree.h"

#include <gtest/gtest.h>

TEST(UnreadableNames, AreLeftOutOfListingsAndNoticedOnce)
{
    TempTree t;
    t.write("1040_a.html");
    t.write("1070_b.html");
    t.write("sub/page.html");
    RawNames raw(t.path());
    raw.file("1050_\x83\x65\x83\x58\x83\x67.html"); // "テスト" in Shift_JIS
    raw.file("1060_\xff.png");
    raw.folder("\x8c\xc3\x82\xa2");
    EXPECT_EQ(files::listFiles(t.path(), "*.*"), QStringList({"1040_a.html", "1070_b.html"}));
    EXPECT_EQ(files::listFolders(t.path()), QStringList({"sub"}));
    EXPECT_TRUE(files::firstNoticeOfUnreadableNames(t.path()));
    EXPECT_FALSE(files::firstNoticeOfUnreadableNames(t.path()));
    files::listFiles(t.path(), "*.*");
    EXPECT_FALSE(files::firstNoticeOfUnreadableNames(t.path())); // once per folder
    EXPECT_FALSE(files::firstNoticeOfUnreadableNames(t.path("sub")));
}

TEST(UnreadableNames, ValidNamesWithAnyCharacterStay)
{
    TempTree t;
    t.write(QStringLiteral("季節の花.html"));
    t.write(QStringLiteral("x\uFFFDy.html")); // a real replacement character is a valid name
    t.write(QStringLiteral("folder\uFFFD/p.html"));
    EXPECT_EQ(files::listFiles(t.path(), "*.html").size(), 2);
    EXPECT_EQ(files::listFolders(t.path()), QStringList({QStringLiteral("folder\uFFFD")}));
    EXPECT_FALSE(files::firstNoticeOfUnreadableNames(t.path()));
}
