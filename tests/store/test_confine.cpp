// Where a path really leads, and writes that stay where they were allowed
// even when links are planted on the way or swapped in while they run.
#include "store/confine.h"
#include "store/files.h"
#include "support/folder_swapper.h"
#include "support/temp_tree.h"
#include "qt_print.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>

#include <chrono>
#include <cstdio>
#include <fcntl.h>

namespace {

// data/l -> outside/deep/er and data/evil -> "l/..": the text of
// "data/evil/x" says data/x, the kernel reaches outside/deep/x.
struct ClimbingLinks {
    TempTree t;
    QString data = t.mkdir("data");
    QString er = t.mkdir("outside/deep/er");
    QString deep = t.path("outside/deep");
    ClimbingLinks()
    {
        t.symlink("data/l", er);
        t.symlink("data/evil", "l/..");
        t.mkdir("data/sub");
    }
    // Everything in the outside tree but the folder the links lead to.
    QStringList strays() const
    {
        QStringList found = t.list("outside/deep");
        found.removeAll("er");
        return found + t.list("outside/deep/er");
    }
};

} // namespace

TEST(Confine, DotDotAfterALinkIsAppliedWhereTheKernelAppliesIt)
{
    ClimbingLinks c;
    using confine::settledPath;
    EXPECT_EQ(settledPath(c.data + "/evil/x"), c.deep + "/x");
    EXPECT_EQ(settledPath(c.data + "/l/../x"), c.deep + "/x");
    EXPECT_EQ(settledPath(c.data + "/evil"), c.deep);
    // The kernel agrees wherever the path exists.
    for (const QString& p : {c.data + "/evil", c.data + "/l/..", c.data + "/sub/../l", c.data + "/./sub"})
        EXPECT_EQ(settledPath(p), QFileInfo(p).canonicalFilePath()) << p.toStdString();
    EXPECT_FALSE(confine::liesInside(c.data + "/evil/pwned.txt", c.data));
    EXPECT_FALSE(confine::liesInside(c.data + "/l/new/deeper.txt", c.data));
    EXPECT_TRUE(confine::liesInside(c.data + "/sub/../inside.txt", c.data));
    EXPECT_TRUE(confine::liesInside(c.data + "/new/deeper/a.txt", c.data));
    EXPECT_TRUE(confine::liesInside(c.data, c.data));
    // A relative target counts from the link's own folder, and links chain.
    c.t.symlink("data/sub/up", "../../outside");
    c.t.symlink("data/chain", "sub/up/deep");
    EXPECT_EQ(settledPath(c.data + "/chain/er"), c.er);
    EXPECT_FALSE(confine::liesInside(c.data + "/chain/er/a.txt", c.data));
    // A root reached through a link is the same root.
    c.t.symlink("alias", c.data);
    EXPECT_TRUE(confine::liesInside(c.data + "/sub/a.txt", c.t.path("alias")));
    EXPECT_TRUE(confine::liesInsideAny(c.t.path("alias/sub/a.txt"), {c.er, c.data}));
}

TEST(Confine, UnresolvablePathsLieNowhere)
{
    ClimbingLinks c;
    c.t.symlink("data/loop", "loop");
    EXPECT_EQ(confine::settledPath(c.data + "/loop/a.txt"), QString());
    EXPECT_FALSE(confine::liesInside(c.data + "/loop/a.txt", c.data));
    // Nothing could be made at "missing/..": the kernel would not go there.
    EXPECT_EQ(confine::settledPath(c.data + "/missing/../a.txt"), QString());
    EXPECT_EQ(confine::settledPath("relative/a.txt"), QString());
    EXPECT_EQ(confine::settledPath(QString()), QString());
    EXPECT_FALSE(confine::liesInside(c.data + "/a.txt", QString()));
}

TEST(Confine, NoWriteCopyOrFolderGoesThroughALinkThatLeadsOut)
{
    ClimbingLinks c;
    const QStringList within{c.data};
    const QString source = c.t.write("data/note.txt", "note");
    for (const QString& via : {QString("evil"), QString("l"), QString("evil/er/..")}) {
        const QString folder = c.data + "/" + via;
        EXPECT_FALSE(files::writeBytes(folder + "/pwned.txt", "x", within)) << via.toStdString();
        EXPECT_FALSE(files::writeTextNoBom(folder + "/pwned.txt", "a=1", within)) << via.toStdString();
        EXPECT_FALSE(files::appendBytes(folder + "/pwned.csv", "x", within)) << via.toStdString();
        EXPECT_FALSE(files::copyFileOver(source, folder + "/copied.txt", within)) << via.toStdString();
        EXPECT_FALSE(files::makeFolder(folder + "/made/deeper", within)) << via.toStdString();
    }
    EXPECT_EQ(c.strays(), QStringList());
    // Inside, all of them work, folders included.
    EXPECT_TRUE(files::makeFolder(c.data + "/made/deeper", within));
    EXPECT_TRUE(files::writeBytes(c.data + "/made/deeper/a.txt", "a", within));
    EXPECT_TRUE(files::copyFileOver(source, c.data + "/sub/copied.txt", within));
    EXPECT_TRUE(files::appendBytes(c.data + "/sub/a.csv", "row\r\n", within));
    EXPECT_EQ(c.t.read("data/made/deeper/a.txt"), "a");
}

// A second thread swaps data/sub between a folder and a link to outside
// while checked writes run: every write lands inside or fails.
TEST(Confine, ALinkSwappedInAfterTheCheckIsNotFollowed)
{
    ClimbingLinks c;
    c.t.symlink("data/away", c.er);
    FolderSwapper swapper(c.data + "/sub", c.data + "/away");
    const QStringList within{c.data};
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    int landed = 0;
    for (int i = 0; i < 3000 && std::chrono::steady_clock::now() < until; ++i) {
        const QString name = c.data + "/sub/f" + QString::number(i);
        landed += files::writeBytes(name + ".txt", "x", within) ? 1 : 0;
        landed += files::makeFolder(name + "_folder", within) ? 1 : 0;
        landed += files::appendBytes(name + ".csv", "x", within) ? 1 : 0;
    }
    swapper.stop();
    EXPECT_GT(swapper.swaps(), 10);
    EXPECT_GT(landed, 0);
    EXPECT_EQ(c.strays(), QStringList());
}
