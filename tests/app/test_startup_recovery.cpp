// A renaming cut off by a kill is put right by the next start, before the
// first page shows.
#include "app/startup_fixture.h"

#include "tools/rename_journal.h"

TEST_F(StartUpTest, ARunCutOffOnceEveryFileSteppedAsideIsFinishedBeforeTheFirstPage)
{
    // flower.png was parked on its way to 1010_flower.png; a.html's new text waits beside it.
    ASSERT_TRUE(put(QStringLiteral("a.html"), "<IMG src=\"flower.png\">"));
    ASSERT_TRUE(put(QStringLiteral(".pagora-moving-r-0"), "png"));
    ASSERT_TRUE(put(QStringLiteral(".pagora-staged-r-0.tmp"), "<IMG src=\"1010_flower.png\">"));
    ASSERT_TRUE(put(QStringLiteral(".pagora-x.tmp"), "a write cut off"));
    tools::RenameJournal j{tools::RenameJournal::Phase::Placing, QStringLiteral("r"),
                           {{files::joinPath(root, "flower.png"), files::joinPath(root, ".pagora-moving-r-0"),
                             files::joinPath(root, "1010_flower.png")}},
                           {{files::joinPath(root, ".pagora-staged-r-0.tmp"), files::joinPath(root, "a.html")}}};
    ASSERT_TRUE(tools::writeJournal(root, j));

    ASSERT_NE(start(), nullptr);
    EXPECT_EQ(files::readBytes(files::joinPath(root, "a.html")).value_or(""), "<IMG src=\"1010_flower.png\">");
    EXPECT_EQ(files::readBytes(files::joinPath(root, "1010_flower.png")).value_or(""), "png");
    const QStringList left = QDir(root).entryList(QDir::Files | QDir::Hidden);
    EXPECT_EQ(left, QStringList({"1010_flower.png", "a.html"}));
}
