// Writes whose folder is swapped for a link to somewhere else while they run:
// the data root's "sub" (the current folder, itself named as a bound) keeps
// trading places with a link that leads outside. Nothing may land outside,
// nothing outside may be renamed or removed, and a listing converts its pages
// only in the folder it opened.
#include "store/confine.h"
#include "store/files.h"
#include "store/page_levels.h"
#include "store/templates.h"
#include "support/folder_swapper.h"
#include "support/temp_tree.h"
#include "qt_print.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>

#include <chrono>
#include <cstdio>
#include <fcntl.h>
#include <functional>

namespace {

// data/sub is a folder, data/away a link to outside/er; the swapper trades
// the two places. within names the data root and the current folder, as the
// commands' bounds do.
struct SwappedSub {
    TempTree t;
    QString data = t.mkdir("data");
    QString sub = t.mkdir("data/sub");
    QString outside = t.mkdir("outside/er");
    QStringList within{data, sub};
    SwappedSub() { t.symlink("data/away", outside); }
};

// Runs write(i) over and over while the swap goes on; how many succeeded.
int whileSwapping(SwappedSub& s, const std::function<bool(int)>& write)
{
    FolderSwapper swapper(s.sub, s.data + "/away");
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(4);
    int landed = 0;
    for (int i = 0; i < 600 && std::chrono::steady_clock::now() < until; ++i)
        landed += write(i) ? 1 : 0;
    swapper.stop();
    EXPECT_GT(swapper.swaps(), 10);
    return landed;
}

QByteArray shiftJisPage(int i)
{
    const QString text = QStringLiteral("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01//EN\">\r\n<HTML><HEAD>"
                                        "<META http-equiv=\"Content-Type\" content=\"text/html; charset=Shift_JIS\">"
                                        "<TITLE>ページ%1</TITLE></HEAD><BODY>かえる</BODY></HTML>\r\n")
                             .arg(i);
    return files::encodeShiftJis(text);
}

} // namespace

TEST(BoundedWrites, EveryKindOfWriteStaysInsideWhileItsFolderIsSwapped)
{
    struct Kind {
        const char* name;
        std::function<bool(SwappedSub&, int)> write;
    };
    const std::vector<Kind> kinds{
        {"whole file", [](SwappedSub& s, int i) { return files::writeBytes(s.sub + QString("/w%1.txt").arg(i), "x", s.within); }},
        {"text", [](SwappedSub& s, int i) { return files::writeTextNoBom(s.sub + QString("/v%1.txt").arg(i), "a=1", s.within); }},
        {"append", [](SwappedSub& s, int i) { return files::appendBytes(s.sub + QString("/a%1.csv").arg(i), "x", s.within); }},
        {"copy", [](SwappedSub& s, int i) {
             return files::copyFileOver(s.t.path("data/source.txt"), s.sub + QString("/c%1.txt").arg(i), s.within);
         }},
        {"folder", [](SwappedSub& s, int i) { return files::makeFolder(s.sub + QString("/m%1/n").arg(i), s.within); }},
        {"placeholder page", [](SwappedSub& s, int) {
             return store::NEWHTMLSAVE(s.sub + "/" + store::kPlaceholderPageName, "待って", s.within);
         }},
    };
    for (const Kind& kind : kinds) {
        SwappedSub s;
        s.t.write("data/source.txt", "source");
        const int landed = whileSwapping(s, [&](int i) { return kind.write(s, i); });
        EXPECT_GT(landed, 0) << kind.name;
        EXPECT_EQ(s.t.list("outside/er"), QStringList()) << kind.name;
    }
}

TEST(BoundedWrites, RenamesAndRemovalsNeverReachTheFolderALinkLeadsTo)
{
    SwappedSub s;
    for (int i = 0; i < 600; ++i) {
        s.t.write(QString("outside/er/r%1.txt").arg(i), "theirs");
        s.t.write(QString("data/sub/r%1.txt").arg(i), "ours");
    }
    const QStringList theirs = s.t.list("outside/er");
    int done = whileSwapping(s, [&](int i) {
        return files::renameNoReplace(s.sub + QString("/r%1.txt").arg(i), s.sub + QString("/renamed%1.txt").arg(i),
                                      s.within);
    });
    done += whileSwapping(s, [&](int i) { return files::removeOwnFile(s.sub + QString("/r%1.txt").arg(i), s.within); });
    EXPECT_GT(done, 0);
    EXPECT_EQ(s.t.list("outside/er"), theirs);
}

// Listing "sub" converts its Shift_JIS pages; with the folder swapped for a
// link while it is listed and converted, no converted page and no temporary
// file ever lands outside.
TEST(BoundedWrites, AListingConvertsOnlyInTheFolderItOpened)
{
    SwappedSub s;
    store::PageLevels levels;
    levels.WriteBounds = {s.data};
    int swaps = 0;
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(8);
    for (int round = 0; round < 12 && std::chrono::steady_clock::now() < until; ++round) {
        // Pages are converted once: every round lists fresh Shift_JIS pages.
        if (QFileInfo(s.sub).isSymLink())
            ::renameat2(AT_FDCWD, QFile::encodeName(s.sub).constData(), AT_FDCWD,
                        QFile::encodeName(s.data + "/away").constData(), RENAME_EXCHANGE);
        for (int i = 0; i < 150; ++i)
            s.t.write(QString("data/sub/%1_page.html").arg(1000 + i), shiftJisPage(i));
        FolderSwapper swapper(s.sub, s.data + "/away");
        levels.OpenFolder(s.sub, 0, true);
        swapper.stop();
        swaps += swapper.swaps();
    }
    EXPECT_GT(swaps, 10);
    EXPECT_EQ(s.t.list("outside/er"), QStringList());
    // Settled again, the folder converts its pages where they are.
    const QString real = QFileInfo(s.sub).isSymLink() ? s.data + "/away" : s.sub;
    levels.OpenFolder(real, 0, true);
    EXPECT_EQ(levels.topTitles().value(0), QStringLiteral("ページ0"));
    EXPECT_TRUE(s.t.read("data/" + QFileInfo(real).fileName() + "/1000_page.html").startsWith("\xEF\xBB\xBF"));
}

// A listed folder outside every bound is only read: its titles show, its
// pages stay as they are.
TEST(BoundedWrites, AListingOutsideItsBoundsConvertsNothing)
{
    SwappedSub s;
    s.t.write("outside/er/1000_page.html", shiftJisPage(7));
    store::PageLevels levels;
    levels.WriteBounds = {s.data};
    levels.OpenFolder(s.data + "/away", 0, true);
    EXPECT_EQ(s.t.read("outside/er/1000_page.html"), shiftJisPage(7));
    levels.WriteBounds = {};
    s.t.write("data/sub/1001_page.html", shiftJisPage(8));
    levels.OpenFolder(s.sub, 0, true);
    EXPECT_EQ(s.t.read("data/sub/1001_page.html"), shiftJisPage(8));
}

TEST(BoundedWrites, AWriteWithoutAFolderToStayInWritesNothing)
{
    TempTree t;
    EXPECT_FALSE(files::writeBytes(t.path("a.txt"), "x", {}));
    EXPECT_FALSE(files::appendBytes(t.path("a.csv"), "x", {}));
    EXPECT_FALSE(files::makeFolder(t.path("m"), {}));
    const QString source = t.write("s.txt", "s");
    EXPECT_FALSE(files::copyFileOver(source, t.path("c.txt"), {}));
    EXPECT_FALSE(files::renameNoReplace(source, t.path("r.txt"), {}));
    EXPECT_EQ(t.list(""), QStringList{"s.txt"});
}

// The desktop copy folder may itself be a link the person made: named
// before the desktop it is a place of its own; the current folder, named
// after the data root, never carries a link along.
TEST(BoundedWrites, OnlyAFolderNamedAfterAnEnclosingOneIsNoPlaceOfItsOwn)
{
    TempTree t;
    const QString desktop = t.mkdir("desktop");
    t.mkdir("elsewhere");
    const QString copy = t.symlink("desktop/copy", t.path("elsewhere"));
    EXPECT_TRUE(confine::liesInsideAny(copy + "/a.txt", {copy, desktop}));
    EXPECT_FALSE(confine::liesInsideAny(copy + "/a.txt", {desktop, copy}));
    EXPECT_TRUE(confine::liesInsideAny(desktop + "/a.txt", {desktop, copy}));
}
