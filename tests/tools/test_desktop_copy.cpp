// Copies into the desktop copy folder, without a window: the older copy kept
// under a day-stamped name, the programming files and their sounds, a file
// that already is its own copy, and the whole-folder copy's refusals.
#include "support/folder_swapper.h"
#include "support/temp_tree.h"
#include "tools/desktop_copy.h"
#include "tools/folder_copy.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <fcntl.h>

using namespace tools;

namespace {

const QDate kDay(2020, 4, 14);

} // namespace

TEST(DesktopCopy, TheOlderCopyIsKeptOncePerDay)
{
    TempTree t;
    const QString source = t.write("pages/a.html", "v1");
    const QString copyFolder = t.mkdir("Desktop/【Pagora】");
    EXPECT_EQ(dayStampedName(QStringLiteral("a.html"), QDate(2020, 4, 3)), QStringLiteral("元ファイル(03日)a.html"));

    platform::CopyFailures failures;
    EXPECT_EQ(copyKeepingOlder(source, copyFolder, kDay, failures), t.path("Desktop/【Pagora】/a.html"));
    EXPECT_EQ(t.list("Desktop/【Pagora】"), QStringList{"a.html"});

    // The pupil changed the copy; the next right click keeps that one.
    t.write("Desktop/【Pagora】/a.html", "pupil's work");
    t.write("pages/a.html", "v2");
    copyKeepingOlder(source, copyFolder, kDay, failures);
    EXPECT_EQ(t.read("Desktop/【Pagora】/元ファイル(14日)a.html"), QByteArray("pupil's work"));
    EXPECT_EQ(t.read("Desktop/【Pagora】/a.html"), QByteArray("v2"));
    copyKeepingOlder(source, copyFolder, kDay, failures);
    EXPECT_EQ(t.list("Desktop/【Pagora】").size(), 2);

    // Another day adds a copy stamped with that day.
    copyKeepingOlder(source, copyFolder, kDay.addDays(1), failures);
    EXPECT_EQ(t.list("Desktop/【Pagora】"),
              (QStringList{"a.html", "元ファイル(14日)a.html", "元ファイル(15日)a.html"}));
    EXPECT_TRUE(failures.isEmpty());
}

TEST(DesktopCopy, AFileThatIsItsOwnCopyIsLeftAlone)
{
    TempTree t;
    const QString copyFolder = t.mkdir("Desktop/【Pagora】");
    const QString shown = t.write("Desktop/【Pagora】/a.html", "only copy");
    platform::CopyFailures failures;
    EXPECT_EQ(copyKeepingOlder(shown, copyFolder, kDay, failures), shown);
    copyShownFile(shown, copyFolder, false, failures);
    EXPECT_TRUE(failures.isEmpty());
    EXPECT_EQ(t.read("Desktop/【Pagora】/a.html"), QByteArray("only copy"));
    EXPECT_EQ(t.list("Desktop/【Pagora】"), QStringList{"a.html"});

    // Reached through a link to the copy folder: still the same file.
    t.symlink("link", copyFolder);
    copyShownFile(t.path("link/a.html"), copyFolder, false, failures);
    EXPECT_TRUE(failures.isEmpty());
    EXPECT_EQ(t.read("Desktop/【Pagora】/a.html"), QByteArray("only copy"));
}

TEST(DesktopCopy, ProgrammingFilesBringTheirSoundsWhileTheButtonIsOn)
{
    TempTree t;
    const QString program = t.write("zorb/turtle.ZBX", "program");
    t.write("zorb/beep.wav", "wav");
    t.write("zorb/TUNE.MID", "mid");
    t.write("zorb/notes.txt", "text");
    t.write("zorb/.hidden.wav", "hidden");
    const QString copyFolder = t.mkdir("copy");
    EXPECT_TRUE(isProgrammingFile(program, true));
    EXPECT_TRUE(isProgrammingFile(QStringLiteral("/x/a.zba"), true));
    EXPECT_FALSE(isProgrammingFile(program, false));
    EXPECT_FALSE(isProgrammingFile(QStringLiteral("/x/a.zbxx"), true));

    platform::CopyFailures failures;
    copyShownFile(program, copyFolder, true, failures);
    EXPECT_EQ(t.list("copy"), (QStringList{"TUNE.MID", "beep.wav"})); // the program itself stays
    EXPECT_TRUE(failures.isEmpty());

    TempTree u;
    copyShownFile(program, u.mkdir("copy"), false, failures);
    EXPECT_EQ(u.list("copy"), QStringList{"turtle.ZBX"});
}

TEST(FolderCopy, CopiesTheTreeButNoLinks)
{
    TempTree t;
    t.write("pages/lesson/a.html", "a");
    t.write("pages/lesson/pic/b.jpg", "b");
    t.write("secret/key", "secret");
    t.symlink("pages/lesson/out", t.path("secret"));
    t.symlink("pages/lesson/key.txt", t.path("secret/key"));
    const QString copyFolder = t.mkdir("Desktop/【Pagora】");
    t.write("Desktop/【Pagora】/lesson/a.html", "older copy");

    platform::CopyFailures failures;
    const FolderCopyOutcome outcome = copyFolderInto(t.path("pages/lesson"), copyFolder, failures);
    EXPECT_TRUE(outcome.refusal.isEmpty());
    EXPECT_EQ(outcome.copied, 2);
    EXPECT_TRUE(failures.isEmpty());
    EXPECT_EQ(t.read("Desktop/【Pagora】/lesson/a.html"), QByteArray("a"));
    EXPECT_EQ(t.read("Desktop/【Pagora】/lesson/pic/b.jpg"), QByteArray("b"));
    EXPECT_EQ(t.list("Desktop/【Pagora】/lesson"), (QStringList{"a.html", "pic"}));
}

TEST(FolderCopy, RefusesATargetInsideItsSourceAndCopiesNothing)
{
    TempTree t;
    t.write("home/a.html", "a");
    const QString copyFolder = t.mkdir("home/Desktop/【Pagora】");
    platform::CopyFailures failures;
    // The selected folder holds the desktop: the copy would chase its tail.
    FolderCopyOutcome outcome = copyFolderInto(t.path("home"), copyFolder, failures);
    EXPECT_FALSE(outcome.refusal.isEmpty());
    EXPECT_TRUE(t.list("home/Desktop/【Pagora】").isEmpty());
    // The copy folder itself, and a folder inside it copied onto itself.
    outcome = copyFolderInto(copyFolder, copyFolder, failures);
    EXPECT_FALSE(outcome.refusal.isEmpty());
    t.write("home/Desktop/【Pagora】/lesson/x.html", "x");
    outcome = copyFolderInto(t.path("home/Desktop/【Pagora】/lesson"), copyFolder, failures);
    EXPECT_FALSE(outcome.refusal.isEmpty());
    EXPECT_EQ(t.read("home/Desktop/【Pagora】/lesson/x.html"), QByteArray("x"));
    // A folder that is not there.
    outcome = copyFolderInto(t.path("missing"), copyFolder, failures);
    EXPECT_FALSE(outcome.refusal.isEmpty());
    EXPECT_TRUE(failures.isEmpty());
}

TEST(FolderCopy, ALinkPlantedInTheCopyFolderLeadsNothingOut)
{
    TempTree t;
    t.write("pages/lesson/a.html", "a");
    t.write("pages/lesson/pic/b.jpg", "b");
    t.write("pages/lesson/pic/deep/c.jpg", "c");
    const QString copyFolder = t.mkdir("copy");
    t.mkdir("elsewhere");
    t.symlink("copy/lesson/pic", t.path("elsewhere"));

    platform::CopyFailures failures;
    const FolderCopyOutcome outcome = copyFolderInto(t.path("pages/lesson"), copyFolder, failures);
    EXPECT_TRUE(outcome.refusal.isEmpty());
    EXPECT_TRUE(t.list("elsewhere").isEmpty());
    EXPECT_EQ(t.read("copy/lesson/a.html"), QByteArray("a"));
    // The folders that could not be made and the files left out are named.
    EXPECT_EQ(failures.names(), (QStringList{t.path("pages/lesson/pic"), t.path("pages/lesson/pic/deep"),
                                             t.path("pages/lesson/pic/b.jpg"), t.path("pages/lesson/pic/deep/c.jpg")}))
        << failures.names().join(QLatin1Char(' ')).toStdString();
}

// A second thread swaps a folder of the copy for a link to outside while
// copies run: every folder and file lands inside the copy folder or fails.
TEST(FolderCopy, AFolderLinkSwappedInWhileCopyingLeadsNothingOut)
{
    TempTree t;
    t.write("pages/lesson/a.html", "a"); // beside the swapped folder: always copied
    for (int i = 0; i < 20; ++i) {
        t.write("pages/lesson/pic/p" + QString::number(i) + ".jpg", "p");
        t.write("pages/lesson/pic/deep" + QString::number(i) + "/d.jpg", "d");
    }
    const QString copyFolder = t.mkdir("copy");
    t.mkdir("copy/lesson/pic");
    const QString outside = t.mkdir("outside");
    t.symlink("copy/lesson/away", outside);
    FolderSwapper swapper(t.path("copy/lesson/pic"), t.path("copy/lesson/away"));
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    for (int i = 0; (i < 200 || swapper.swaps() < 100) && std::chrono::steady_clock::now() < until; ++i) {
        platform::CopyFailures failures;
        copyFolderInto(t.path("pages/lesson"), copyFolder, failures);
        EXPECT_FALSE(failures.names().contains(t.path("pages/lesson/a.html")));
    }
    swapper.stop();
    EXPECT_GT(swapper.swaps(), 10);
    EXPECT_EQ(t.read("copy/lesson/a.html"), QByteArray("a"));
    EXPECT_EQ(t.list("outside"), QStringList());
}
