// Copy and move of a page: the plan (what is copied where, what is refused),
// carrying it out, and which sources a move may then send to the trash.
#include "store/resource_limits.h"
#include "support/temp_tree.h"
#include "tools/page_copy_plan.h"

#include <QFileInfo>
#include <gtest/gtest.h>

using namespace tools;

namespace {

QStringList targets(const QList<FileCopy>& copies)
{
    QStringList list;
    for (const FileCopy& c : copies)
        list << c.target;
    return list;
}

} // namespace

TEST(PageCopyPlan, PageCompanionsBackgroundAndSources)
{
    TempTree from, to;
    from.write("p.html", "<STYLE>BODY{background-color:red}</STYLE><BODY background=\"_bg.jpg\">"
                         "<IMG src=\"img/a.png\"><IMG SRC=\"b.png\"><IMG src=\"a2.png\"><IMG src=\"img/a.png\">");
    for (const char* n : {"p.%xt", "p.wav", "_bg.jpg", "img/a.png", "b.png"})
        from.write(n, n);
    const PageCopyPlan plan = planPageCopy(from.path("p.html"), to.path("q.html"));
    ASSERT_TRUE(plan.refusal.isEmpty());
    EXPECT_TRUE(plan.html);
    EXPECT_FALSE(plan.targetExists);
    // Missing files (a2.png) are not planned; each target once.
    EXPECT_EQ(targets(plan.copies), QStringList({to.path("q.html"), to.path("q.%xt"), to.path("q.wav"),
                                                 to.path("_bg.jpg"), to.path("img/a.png"), to.path("b.png")}));
    EXPECT_EQ(plan.foldersToCreate, QStringList({to.path("img")}));
    EXPECT_TRUE(to.list().isEmpty()); // a plan touches nothing

    const PageCopyResult r = carryOutPageCopy(plan);
    EXPECT_EQ(r.copied.size(), 6);
    EXPECT_TRUE(r.failed.isEmpty());
    EXPECT_EQ(to.read("img/a.png"), "img/a.png");
    EXPECT_EQ(to.read("q.%xt"), "p.%xt");
}

TEST(PageCopyPlan, WhatThePageShowsInAnyFormTravelsWithIt)
{
    TempTree from, to;
    from.write("p.html", "<STYLE>body{background:url('img/bg.png')}</STYLE><IMG src='%E8%8A%B1.png?v=2'>"
                         "<IMG srcset=\"s1.png 1x, s2.png 2x\"><A href=\"linked.png\">l</A>");
    for (const QString& n : {QStringLiteral("img/bg.png"), QStringLiteral("花.png"), QStringLiteral("s1.png"),
                             QStringLiteral("s2.png"), QStringLiteral("linked.png")})
        from.write(n);
    const PageCopyPlan plan = planPageCopy(from.path("p.html"), to.path("q.html"));
    EXPECT_EQ(targets(plan.copies), QStringList({to.path("q.html"), to.path("img/bg.png"), to.path(QStringLiteral("花.png")),
                                                 to.path("s1.png"), to.path("s2.png")}));
}

TEST(PageCopyPlan, OtherPagesTravelWithTheirCompanionsOnly)
{
    TempTree from, to;
    from.write("doc.jtd", "src=\"a.png\"");
    from.write("a.png");
    from.write("doc.%xt");
    const PageCopyPlan plan = planPageCopy(from.path("doc.jtd"), to.path("doc.jtd"));
    EXPECT_FALSE(plan.html);
    EXPECT_EQ(targets(plan.copies), QStringList({to.path("doc.jtd"), to.path("doc.%xt")}));
}

TEST(PageCopyPlan, TheSameFileInAnySpellingIsRefused)
{
    TempTree t;
    const QString p = t.write("p.html", "page");
    t.symlink("alias.html", p);
    for (const QString& target : {p, t.path("./p.html"), t.path("sub/../p.html"), t.path("alias.html")}) {
        const PageCopyPlan plan = planPageCopy(p, target);
        EXPECT_FALSE(plan.refusal.isEmpty()) << qPrintable(target);
        EXPECT_TRUE(plan.copies.isEmpty());
        EXPECT_TRUE(carryOutPageCopy(plan).copied.isEmpty());
    }
    EXPECT_EQ(t.read("p.html"), "page");
    EXPECT_FALSE(planPageCopy(p, t.path("nofolder/x.html")).refusal.isEmpty());
    EXPECT_FALSE(planPageCopy(t.path("missing.html"), t.path("x.html")).refusal.isEmpty());
}

TEST(PageCopyPlan, HostileValuesAreNeverCopiedNorDeleted)
{
    TempTree root;
    root.write("outside.png", "keep");
    root.write("pages/p.html", "<IMG src=\"../outside.png\"><IMG src=\"/etc/passwd\"><IMG src=\"http://x/a.png\">"
                               "<IMG src=\"C:\\a.png\"><IMG src=\"file:///etc/hosts\"><IMG src=\"ok.png\">"
                               "<IMG src=\"sub/../../outside.png\">");
    root.write("pages/ok.png");
    root.mkdir("copy");
    const PageCopyPlan plan = planPageCopy(root.path("pages/p.html"), root.path("copy/p.html"));
    ASSERT_TRUE(plan.refusal.isEmpty());
    EXPECT_EQ(targets(plan.copies), QStringList({root.path("copy/p.html"), root.path("copy/ok.png")}));
    const PageCopyResult r = carryOutPageCopy(plan);
    const QStringList remove = planSourceRemoval(plan, r, {});
    EXPECT_EQ(remove, QStringList({root.path("pages/p.html"), root.path("pages/ok.png")}));
    EXPECT_TRUE(QFileInfo::exists("/etc/passwd"));
    EXPECT_EQ(root.read("outside.png"), "keep");
}

TEST(PageCopyPlan, AMoveWithinTheFolderKeepsSharedPictures)
{
    TempTree t;
    const QString p = t.write("p.html", "<IMG src=\"_pic.jpg\">");
    t.write("_pic.jpg", "pic");
    t.write("p.wav", "sound");
    const PageCopyPlan plan = planPageCopy(p, t.path("q.html"));
    ASSERT_TRUE(plan.refusal.isEmpty());
    EXPECT_EQ(targets(plan.copies), QStringList({t.path("q.html"), t.path("q.wav")}));
    ASSERT_EQ(plan.onItself.size(), 1);
    const PageCopyResult r = carryOutPageCopy(plan);
    const QStringList remove = planSourceRemoval(plan, r, {t.path("_pic.jpg")});
    EXPECT_EQ(remove, QStringList({p, t.path("p.wav")}));
}

TEST(PageCopyPlan, AMoveKeepsWhatOtherPagesUse)
{
    TempTree from, to;
    const QString p = from.write("p.html", "<IMG src=\"_a.jpg\"><IMG src=\"_b.jpg\">");
    from.write("_a.jpg");
    from.write("_b.jpg");
    const PageCopyPlan plan = planPageCopy(p, to.path("p.html"));
    const PageCopyResult r = carryOutPageCopy(plan);
    EXPECT_EQ(planSourceRemoval(plan, r, {from.path("_B.JPG")}), QStringList({p, from.path("_a.jpg")}));
}

TEST(PageCopyPlan, AnExistingTargetAndItsStaleCompanions)
{
    TempTree from, to;
    const QString p = from.write("p.html", "new");
    from.write("p.%xt", "memo");
    to.write("p.html", "old");
    to.write("p.wav", "old sound");
    to.write("p.%xt", "old memo");
    const PageCopyPlan plan = planPageCopy(p, to.path("p.html"));
    EXPECT_TRUE(plan.targetExists);
    EXPECT_EQ(plan.staleCompanions, QStringList({to.path("p.wav")}));
    const PageCopyResult r = carryOutPageCopy(plan);
    EXPECT_EQ(to.read("p.html"), "new");
    EXPECT_EQ(to.read("p.%xt"), "memo");
    EXPECT_FALSE(to.exists("p.wav")); // to the trash, not kept beside a page it does not belong to
    EXPECT_TRUE(r.staleNotTrashed.isEmpty());
}

TEST(PageCopyPlan, ACopyThatFailsMidwayDeletesOnlyWhatArrived)
{
    TempTree from, to;
    const QString p = from.write("p.html", "<IMG src=\"small.png\"><IMG src=\"big.png\">");
    from.write("small.png", "s");
    from.write("big.png", QByteArray(64 * 1024, 'b'));
    const PageCopyPlan plan = planPageCopy(p, to.path("p.html"));
    ASSERT_EQ(plan.copies.size(), 3);
    PageCopyResult r;
    withFileSizeLimit(16 * 1024, [&](bool limited) {
        ASSERT_TRUE(limited);
        r = carryOutPageCopy(plan);
    });
    ASSERT_EQ(r.failed.size(), 1);
    EXPECT_EQ(r.failed[0].source, from.path("big.png"));
    EXPECT_FALSE(to.exists("big.png")); // no half file left behind
    EXPECT_EQ(planSourceRemoval(plan, r, {}), QStringList({p, from.path("small.png")}));
}

TEST(PageCopyPlan, WithoutThePageNothingElseIsCopied)
{
    TempTree from, to;
    const QString p = from.write("p.html", QByteArray(64 * 1024, 'p') + "<IMG src=\"a.png\">");
    from.write("a.png", "a");
    const PageCopyPlan plan = planPageCopy(p, to.path("p.html"));
    PageCopyResult r;
    withFileSizeLimit(16 * 1024, [&](bool) { r = carryOutPageCopy(plan); });
    EXPECT_FALSE(r.pageCopied());
    EXPECT_TRUE(to.list().isEmpty());
    EXPECT_TRUE(planSourceRemoval(plan, r, {}).isEmpty());
}

TEST(PageCopyPlan, CopyableValues)
{
    EXPECT_EQ(copyableValue("img\\a.png"), "img/a.png");
    EXPECT_EQ(copyableValue("./a.png"), "a.png");
    for (const char* v : {"", "../a.png", "a/../../b", "/abs.png", "C:\\a.png", "http://x/a.png", "."})
        EXPECT_TRUE(copyableValue(v).isEmpty()) << v;
}

// Links planted on either side: a folder beside the target that leads
// elsewhere (a desktop's autostart folder), a picture that is a link to a
// file elsewhere, a source folder that leads elsewhere. Nothing is made or
// written outside the target's folder, nothing is read from outside the
// page's folder, and each refused file is reported.
TEST(PageCopyPlan, PlantedLinksLeadNoCopyOut)
{
    TempTree from, to, outside;
    const QString p = from.write("p.html", "<IMG src=\"img/evil.desktop\"><IMG src=\"img/new/a.png\">"
                                           "<IMG src=\"linked.png\"><IMG src=\"pics/b.png\"><IMG src=\"ok.png\">");
    for (const char* n : {"img/evil.desktop", "img/new/a.png", "ok.png"})
        from.write(n, n);
    outside.write("secret.png", "secret");
    outside.write("pics/b.png", "b");
    from.symlink("linked.png", outside.path("secret.png"));
    from.symlink("pics", outside.path("pics"));
    outside.mkdir("autostart");
    to.symlink("img", outside.path("autostart"));

    const PageCopyResult r = carryOutPageCopy(planPageCopy(p, to.path("p.html")));
    EXPECT_TRUE(outside.list("autostart").isEmpty());
    EXPECT_EQ(to.read("ok.png"), "ok.png");
    EXPECT_FALSE(to.exists("linked.png"));
    EXPECT_FALSE(to.exists("pics/b.png"));
    QStringList failed;
    for (const FileCopy& c : r.failed)
        failed << QFileInfo(c.source).fileName();
    failed.sort();
    EXPECT_EQ(failed, QStringList({"a.png", "b.png", "evil.desktop", "linked.png"}));
}
