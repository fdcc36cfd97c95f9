// A renaming run that is killed at any moment is put right by the next
// start: every reference shows what it showed before and no file is lost.
#include "tools/page_order.h"
#include "tools/page_order_run.h"
#include "tools/numbered_rename_plan.h"
#include "tools/rename_journal.h"
#include "tools/rename_run.h"

#include "support/temp_tree.h"
#include "store/files.h"
#include "platform/seam.h"

#include <QDirIterator>
#include <QElapsedTimer>
#include <QHash>
#include <QRegularExpression>
#include <QThread>
#include <QTimer>

#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <random>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

using namespace tools;

namespace {

// A folder of pages, each with its memo and picture, the pictures being
// entries too, and pages of another folder that show them through "../".
QStringList writeFolders(const TempTree& t, int pages)
{
    QStringList entries;
    for (int i = 0; i < pages; ++i) {
        const QString name = QStringLiteral("%1_p%2").arg(1000 + 10 * i).arg(i);
        t.write("f/" + name + ".html", QStringLiteral("<P>page %1</P><IMG src=\"pic%1.png\">").arg(i).toUtf8());
        t.write("f/" + name + ".%xt", "memo " + QByteArray::number(i));
        t.write(QStringLiteral("f/pic%1.png").arg(i), "picture " + QByteArray::number(i));
        entries << name + ".html" << QStringLiteral("pic%1.png").arg(i);
        if (i % 4 == 0)
            t.write(QStringLiteral("g/other%1.html").arg(i),
                    QStringLiteral("<P>other %1</P><IMG src=\"../f/pic%1.png\">").arg(i).toUtf8());
    }
    files::sortNames(entries);
    return entries;
}

// Every file below the root (hidden ones too) with its bytes.
QHash<QString, QByteArray> contents(const TempTree& t)
{
    QHash<QString, QByteArray> out;
    QDirIterator it(t.path(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        out.insert(path.mid(t.path().size() + 1), files::readBytes(path).value_or("?"));
    }
    return out;
}

// For each page (known by its text before the first "<IMG"), what its
// picture reference shows.
QHash<QByteArray, QByteArray> shown(const TempTree& t)
{
    static const QRegularExpression src(QStringLiteral("src=\"([^\"]+)\""));
    QHash<QByteArray, QByteArray> out;
    const QHash<QString, QByteArray> all = contents(t);
    for (auto it = all.begin(); it != all.end(); ++it) {
        if (!it.key().endsWith(".html"))
            continue;
        const QString text = QString::fromUtf8(it.value());
        const QString value = src.match(text).captured(1);
        const QString picture = QDir::cleanPath(QFileInfo(t.path(it.key())).path() + "/" + value);
        out.insert(it.value().left(it.value().indexOf("<IMG")), files::readBytes(picture).value_or("nothing"));
    }
    return out;
}

QMultiHash<QByteArray, int> byteCounts(const QHash<QString, QByteArray>& files)
{
    QMultiHash<QByteArray, int> out;
    for (const QByteArray& b : files)
        if (!b.contains("<IMG")) // pages change their text
            out.insert(b, 1);
    return out;
}

} // namespace

// The renumbering in a child process that tells, one byte each, of every
// page put at its new name.
pid_t renumberInChild(const TempTree& t, const QStringList& order, int report)
{
    const pid_t child = ::fork();
    if (child == 0) {
        ::alarm(30);
        carryOutRenamePlan(planRenumber(t.path("f"), order), [report] { (void)!::write(report, "x", 1); }, t.path());
        ::_exit(0);
    }
    return child;
}

TEST(RenameRun, AKilledRenumberingIsPutRightAtTheNextStart)
{
    const int pages = 80;
    int pipe[2];
    ASSERT_EQ(::pipe(pipe), 0);
    qint64 whole = 0; // how long an uncut run takes
    {
        TempTree t;
        const QStringList entries = writeFolders(t, pages);
        QElapsedTimer clock;
        clock.start();
        const pid_t child = renumberInChild(t, moveEntry(entries, 1, 0), pipe[1]);
        ::waitpid(child, nullptr, 0);
        whole = clock.nsecsElapsed() / 1000;
        char drain[4096];
        while (::read(pipe[0], drain, sizeof drain) == sizeof drain) {
        }
    }
    std::mt19937 random(7);
    for (int round = 0; round < 16; ++round) {
        TempTree t;
        const QStringList entries = writeFolders(t, pages);
        const QHash<QByteArray, QByteArray> before = shown(t);
        const QMultiHash<QByteArray, int> kept = byteCounts(contents(t));
        const pid_t child = renumberInChild(t, moveEntry(entries, int(entries.size()) - 1, 0), pipe[1]);
        ASSERT_GT(child, 0);
        // Half the rounds cut at any moment, half while the files are put in place.
        if (round % 2 == 0) {
            ::usleep(useconds_t(std::uniform_int_distribution<qint64>(0, whole * 12 / 10)(random)));
        } else {
            int placed = std::uniform_int_distribution<int>(1, pages * 2)(random);
            char byte;
            pollfd ready{pipe[0], POLLIN, 0};
            while (placed-- > 0 && ::poll(&ready, 1, 5000) == 1 && ::read(pipe[0], &byte, 1) == 1) {
            }
        }
        ::kill(child, SIGKILL);
        ::waitpid(child, nullptr, 0);
        char drain[4096];
        ::fcntl(pipe[0], F_SETFL, O_NONBLOCK);
        while (::read(pipe[0], drain, sizeof drain) > 0) {
        }
        ::fcntl(pipe[0], F_SETFL, 0);

        EXPECT_TRUE(finishInterruptedRenames(t.path()).isEmpty()) << round;
        EXPECT_EQ(shown(t), before) << round;
        const QHash<QString, QByteArray> after = contents(t);
        EXPECT_EQ(byteCounts(after), kept) << round;
        for (const QString& name : after.keys())
            EXPECT_FALSE(QFileInfo(name).fileName().startsWith('.')) << qPrintable(name) << " " << round;
    }
    ::close(pipe[0]);
    ::close(pipe[1]);
}

TEST(RenameRun, ACutOffRunIsUndoneWhileParkingAndFinishedOnceParked)
{
    for (const auto phase : {RenameJournal::Phase::Parking, RenameJournal::Phase::Placing}) {
        TempTree t;
        t.write("a.png", "A");
        t.write("b.png", "B");
        t.write("page.html", "<IMG src=\"a.png\">");
        t.write(".pagora-x1.tmp", "left by a cut-off write");
        t.write(".pagora-staged-r-0.tmp", "<IMG src=\"b.png\">");
        // a and b trade names; a is parked, b was not yet.
        RenameJournal j{phase, "r",
                        {{t.path("a.png"), t.path(".pagora-moving-r-0"), t.path("b.png")},
                         {t.path("b.png"), t.path(".pagora-moving-r-1"), t.path("a.png")}},
                        {{t.path(".pagora-staged-r-0.tmp"), t.path("page.html")}}};
        ASSERT_TRUE(QFile::rename(t.path("a.png"), t.path(".pagora-moving-r-0")));
        if (phase == RenameJournal::Phase::Placing) {
            ASSERT_TRUE(QFile::rename(t.path("b.png"), t.path(".pagora-moving-r-1")));
        }
        ASSERT_TRUE(writeJournal(t.path(), j));

        EXPECT_TRUE(finishInterruptedRenames(t.path()).isEmpty());
        const bool finished = phase == RenameJournal::Phase::Placing;
        EXPECT_EQ(files::readBytes(t.path("a.png")).value(), finished ? "B" : "A");
        EXPECT_EQ(files::readBytes(t.path("b.png")).value(), finished ? "A" : "B");
        EXPECT_EQ(files::readBytes(t.path("page.html")).value(), finished ? "<IMG src=\"b.png\">" : "<IMG src=\"a.png\">");
        EXPECT_EQ(QDir(t.path()).entryList(QDir::Files | QDir::Hidden), QStringList({"a.png", "b.png", "page.html"}));
    }
}

TEST(RenameRun, APageInAnotherCharsetIsNamedBeforeAnythingMoves)
{
    TempTree t;
    t.write("a.html", "<IMG src=\"flower.png\">");
    t.write("flower.png", "png");
    t.write("euc.html", "<META charset=\"EUC-JP\"><IMG src=\"flower.png\">\xA4\xA2");
    t.write("euc-other.html", "<META charset=\"EUC-JP\"><IMG src=\"leaf.png\">\xA4\xA2"); // shows nothing renamed
    const RenamePlan plan = planRenumber(t.path(), {"a.html", "flower.png"});
    QStringList named;
    bool movedBeforeAsking = true;
    const RenameOutcome stopped = carryOutRenamePlan(plan, {}, QString(), [&](const QStringList& pages) {
        named = pages;
        movedBeforeAsking = !QFileInfo::exists(t.path("flower.png"));
        return false;
    });
    EXPECT_EQ(named, QStringList({t.path("euc.html")}));
    EXPECT_FALSE(movedBeforeAsking);
    EXPECT_TRUE(stopped.stopped);
    EXPECT_TRUE(QFileInfo::exists(t.path("flower.png")));
    EXPECT_EQ(files::readBytes(t.path("a.html")).value(), "<IMG src=\"flower.png\">");

    const RenameOutcome went = carryOutRenamePlan(plan, {}, QString(), [](const QStringList&) { return true; });
    EXPECT_EQ(went.failures.size(), 1);
    EXPECT_EQ(files::readBytes(t.path("1010_flower.png")).value(), "png");
}

TEST(RenameRun, APageThatCannotBeWrittenKeepsEveryNameAndSaysSo)
{
    TempTree t;
    const QByteArray page = "<IMG src=\"flower.png\">" + QByteArray(8000, ' ');
    t.write("a.html", page);
    t.write("flower.png", "png");
    const RenamePlan plan = planNumberedRename(t.path(), {"a.html", "flower.png"}, 1, 1, {"page", 103, 1, 3});
    ASSERT_EQ(plan.units.size(), 1);
    // A full disk: no file may grow past 4 KB.
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit old{};
    ::getrlimit(RLIMIT_FSIZE, &old);
    rlimit small = old;
    small.rlim_cur = 4096;
    ::setrlimit(RLIMIT_FSIZE, &small);
    const RenameOutcome o = carryOutRenamePlan(plan, {}, t.path());
    ::setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_EQ(files::readBytes(t.path("flower.png")).value(), "png");
    EXPECT_FALSE(QFileInfo::exists(t.path("page(103).png")));
    EXPECT_EQ(files::readBytes(t.path("a.html")).value(), page);
    ASSERT_EQ(o.failures.size(), 1);
    EXPECT_TRUE(o.failures.first().contains("a.html")) << qPrintable(o.failures.first());
    EXPECT_TRUE(o.failures.first().contains(QStringLiteral("名前も変えませんでした")));
    EXPECT_EQ(QDir(t.path()).entryList(QDir::Files | QDir::Hidden), QStringList({"a.html", "flower.png"}));
}

TEST(RenameRun, TheWorkLeavesTheWindowThreadFreeAndItsQuestionComesBackThere)
{
    platform::setTestMode(true);
    platform::clearEvents();
    TempTree t;
    t.write("a.html", "<IMG src=\"flower.png\">");
    t.write("flower.png", "png");
    t.write("euc.html", "<META charset=\"EUC-JP\"><IMG src=\"flower.png\">\xA4\xA2");
    QThread* planned = nullptr;
    int ticks = 0;
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, [&] { ++ticks; });
    tick.start(5);
    const QString folder = t.path();
    const auto makePlan = [&] {
        planned = QThread::currentThread();
        QThread::msleep(100); // a large folder's listing
        return planRenumber(folder, {"a.html", "flower.png"});
    };
    platform::setNextAnswer(platform::Answer::No);
    const RenameOutcome outcome = runRenamePlan(makePlan, 2, t.path());
    EXPECT_NE(planned, QThread::currentThread());
    EXPECT_GE(ticks, 5); // the window's thread kept answering
    EXPECT_TRUE(outcome.stopped);
    ASSERT_FALSE(platform::events().isEmpty());
    EXPECT_EQ(platform::events().first().kind, "ask");
    EXPECT_TRUE(platform::events().first().text.contains("euc.html"));
    EXPECT_TRUE(QFileInfo::exists(t.path("flower.png")));
}
