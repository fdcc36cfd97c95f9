// The file tool's plans, read before anything touches the disk: what a page
// delete offers and sends to the trash, the numbered picture names with the
// references that follow them, and the clean-up list of a folder.
#include "store/files.h"
#include "support/write_bounds.h"
#include "support/temp_tree.h"
#include "tools/delete_plan.h"
#include "tools/page_reference_updates.h"
#include "tools/picture_rename.h"
#include "tools/unlinked_files.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QStringEncoder>
#include <gtest/gtest.h>

using namespace tools;

namespace {

QString trashed(const QString& name)
{
    return files::joinPath(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation),
                           "Trash/files/" + name);
}

// Writes first, then sets the time: a time set before the bytes reach the
// disk would be replaced by the write.
void setModified(const QString& path, const QDateTime& time)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    ASSERT_TRUE(f.setFileTime(time, QFileDevice::FileModificationTime));
}

} // namespace

// ---- delete ----

TEST(DeletePlan, OnlyAbsoluteFilesEachOnce)
{
    TempTree t;
    const QString a = t.write("a.html");
    t.mkdir("folder");
    EXPECT_EQ(planDeletion({a, "relative.html", t.path("folder"), "C:\\x.jpg", a, t.path("gone.png")}),
              QStringList({a, t.path("gone.png")}));
}

TEST(DeletePlan, TrashNeverDeletesAndAGoneFileCountsAsDone)
{
    TempTree t;
    const QString a = t.write("to-trash-1.html", "page");
    const QString gone = t.path("already-gone.png");
    const TrashResult r = trashFiles({a, gone});
    EXPECT_EQ(r.trashed, QStringList({a, gone}));
    EXPECT_TRUE(r.failed.isEmpty());
    EXPECT_FALSE(QFileInfo::exists(a));
    QFile inTrash(trashed("to-trash-1.html"));
    ASSERT_TRUE(inTrash.open(QIODevice::ReadOnly));
    EXPECT_EQ(inTrash.readAll(), "page");
    EXPECT_TRUE(trashFailureMessage({}).isEmpty());
    EXPECT_TRUE(trashFailureMessage({a}).contains(a));
}

TEST(DeletePlan, APageDeleteLeavesSharedFilesUnselected)
{
    TempTree t;
    t.write("0010_a.html", "<IMG src=\"_own.jpg\"><IMG src=\"_shared.jpg\">");
    t.write("0020_b.html", "<IMG src=\"_shared.jpg\">");
    t.write("0010_a.wav");
    t.write("_own.jpg");
    t.write("_shared.jpg");
    const FileToolList l = planPageDeletion(t.path("0010_a.html"), t.path(), "Pagora");
    EXPECT_EQ(l.files, t.paths({"0010_a.html", "0010_a.wav", "_own.jpg", "_shared.jpg"}));
    EXPECT_EQ(l.notPreselected, t.paths({"_shared.jpg"}));
    EXPECT_TRUE(deletionQuestion(l.files).contains(t.path("_own.jpg")));
}

TEST(DeletePlan, OtherPagesAndWhatPagesOfOtherFoldersUseAreNotPreselected)
{
    TempTree t;
    // Pictures that are no entries of a page list ("_" names): entries count as pages.
    t.write("0010_a.html", "<A href=\"sub/b.html\">b</A><IMG src=\"sub/_own.png\"><IMG src=\"sub/_shared.png\">"
                           "<IFRAME src=\"_part.html\"></IFRAME>");
    t.write("0010_a.%xt");
    t.write("_part.html", "<IMG src=\"_part.png\">");
    t.write("_part.png");
    t.write("sub/b.html", "<IMG src=\"_shared.png\">");
    t.write("sub/b.%xt");
    t.write("sub/_own.png");
    t.write("sub/_shared.png");
    const FileToolList l = planPageDeletion(t.path("0010_a.html"), t.path(), "Pagora");
    const auto names = [&](const QStringList& paths) { return paths.join(' ').remove(t.path() + '/').toStdString(); };
    EXPECT_EQ(names(l.files), "0010_a.html 0010_a.%xt sub/_own.png sub/_shared.png _part.html sub/b.html _part.png");
    // An embedded page is another page: it and what it shows stay unless selected.
    EXPECT_EQ(names(l.notPreselected), "sub/_shared.png _part.html sub/b.html _part.png");
}

TEST(DeletePlan, PicturesShownThroughEscapesCssOrAnotherCharsetAreNotPreselected)
{
    TempTree t;
    t.writeText("A/0010_a.html", QStringLiteral("<IMG src=\"_花.png\"><IMG src=\"_bg.png\"><IMG src=\"_葉.png\">"
                                                "<IMG src=\"_own.png\">"));
    t.write("A/0020_b.html", "<IMG src=\"_%E8%8A%B1.png?v=2\"><DIV style=\"background:url('_bg.png')\">x</DIV>");
    // An old page from Unix: EUC-JP without a declaration, as the program shows it.
    QStringEncoder euc("EUC-JP");
    t.write("B/0010_c.html", euc.encode(QStringLiteral("<P>春の葉っぱ</P><IMG src=\"../A/_葉.png\">")));
    for (const QString& n : {QStringLiteral("A/_花.png"), QStringLiteral("A/_bg.png"), QStringLiteral("A/_葉.png"),
                             QStringLiteral("A/_own.png")})
        t.write(n);
    const FileToolList l = planPageDeletion(t.path("A/0010_a.html"), t.path("A"), "Pagora", t.path());
    EXPECT_EQ(l.notPreselected, t.paths({QStringLiteral("A/_花.png"), "A/_bg.png", QStringLiteral("A/_葉.png")}));
}

TEST(DeletePlan, LongListsAreShortenedInTheQuestion)
{
    QStringList many;
    for (int i = 0; i < 300; ++i)
        many << QStringLiteral("/x/%1.png").arg(i);
    const QString q = deletionQuestion(many);
    EXPECT_TRUE(q.contains("300"));
    EXPECT_TRUE(q.contains(QStringLiteral("ほか 280 件")));
}

// ---- picture renaming ----

TEST(PictureRename, NumbersSkipTakenNamesPerExtension)
{
    TempTree t;
    t.write("pic0.jpg");
    const QString a = t.write("a.jpg");
    const QString b = t.write("B.JPG");
    const QString c = t.write("c.png");
    const QString page = t.write("p.html");
    const QList<PictureRename> plan = planPictureRenames({a, page, b, c}, "pic");
    ASSERT_EQ(plan.size(), 3);
    EXPECT_EQ(plan[0].to, t.path("pic1.jpg"));
    EXPECT_EQ(plan[1].to, t.path("pic2.JPG"));
    EXPECT_EQ(plan[2].to, t.path("pic0.png"));
    // Nothing has moved yet.
    EXPECT_TRUE(QFileInfo::exists(a));
}

TEST(PictureRename, ABaseWithAnExtensionPutsTheNumberBeforeIt)
{
    TempTree t;
    const QString a = t.write("a.jpg");
    const QString b = t.write("b.jpg");
    const QList<PictureRename> plan = planPictureRenames({a, b}, "pic.x");
    ASSERT_EQ(plan.size(), 2);
    EXPECT_EQ(plan[0].to, t.path("pic.x0.jpg"));
    EXPECT_EQ(plan[1].to, t.path("pic1.x.jpg"));
}

TEST(PictureRename, NamesTakenInAnyCaseAreSkippedAndFreedNamesReused)
{
    TempTree t;
    t.write("PIC0.jpg");
    const QString p0 = t.path("PIC0.jpg");
    const QString a = t.write("a.jpg");
    const QList<PictureRename> plan = planPictureRenames({p0, a}, "pic");
    ASSERT_EQ(plan.size(), 2);
    EXPECT_EQ(plan[0].to, t.path("pic1.jpg"));
    EXPECT_EQ(plan[1].to, t.path("pic0.jpg")); // freed by the first rename
    const QList<PictureRename> done = carryOutPictureRenames(plan, tempBounds());
    EXPECT_EQ(done.size(), 2);
    EXPECT_TRUE(QFileInfo::exists(t.path("pic1.jpg")));
    EXPECT_TRUE(QFileInfo::exists(t.path("pic0.jpg")));
}

TEST(PictureRename, ReferencesFollowOnlyTheRenamedFile)
{
    TempTree t;
    const QString a = t.write("a.jpg");
    t.write("data.jpg");
    const QDateTime old = QDateTime::currentDateTime().addDays(-3);
    const QString p1 = t.write("p1.html", "\xEF\xBB\xBF<IMG src=\"a.jpg\"><IMG SRC=\"./A.JPG\"><IMG src=\"data.jpg\">"
                                          "<A href=\"a.jpg\">a.jpg</A><TITLE>\"a.jpg\"x</TITLE>", old);
    const QString p2 = t.write("p2.html", "<IMG src=\"data.jpg\">", old);
    const QString p3 = t.write("sub/p3.htm", "<IMG src=\"../a.jpg\"><IMG src=\"a.jpg\">", old);
    const QList<PictureRename> plan = planPictureRenames({a}, "pic");
    ASSERT_EQ(carryOutPictureRenames(plan, tempBounds()).size(), 1);
    const ReferenceUpdates u = ReplaceNameInSelectedPages({p1, p2, p3, a}, plan);
    ASSERT_EQ(u.pages.size(), 2);
    EXPECT_EQ(u.pages[0].bytes, "\xEF\xBB\xBF<IMG src=\"pic0.jpg\"><IMG SRC=\"./pic0.jpg\"><IMG src=\"data.jpg\">"
                                "<A href=\"pic0.jpg\">a.jpg</A><TITLE>\"pic0.jpg\"x</TITLE>");
    EXPECT_EQ(u.pages[1].path, p3);
    EXPECT_EQ(u.pages[1].bytes, "<IMG src=\"../pic0.jpg\"><IMG src=\"a.jpg\">");
    setModified(p2, old);
    EXPECT_TRUE(writePageRewrites(u.pages, tempBounds()).isEmpty());
    // The page without a reference keeps its bytes and its time.
    EXPECT_EQ(t.read("p2.html"), "<IMG src=\"data.jpg\">");
    EXPECT_EQ(QFileInfo(p2).lastModified().toSecsSinceEpoch(), old.toSecsSinceEpoch());
}

TEST(PictureRename, ADifferentFileOfAnotherCaseKeepsItsReferences)
{
    TempTree t;
    const QString lower = t.write("a.jpg");
    t.write("A.jpg");
    const QString page = t.write("p.html", "<IMG src=\"a.jpg\"><IMG src=\"A.jpg\">");
    const QList<PictureRename> plan = planPictureRenames({lower}, "pic");
    carryOutPictureRenames(plan, tempBounds());
    const ReferenceUpdates u = ReplaceNameInSelectedPages({page}, plan);
    ASSERT_EQ(u.pages.size(), 1);
    EXPECT_EQ(u.pages[0].bytes, "<IMG src=\"pic0.jpg\"><IMG src=\"A.jpg\">");
}

TEST(PictureRename, ShiftJisPagesBecomeUtf8AndOtherCharsetsAreLeftAlone)
{
    TempTree t;
    const QString a = t.write("a.jpg");
    const QString sjis = t.write("p.html", "<IMG src=\"a.jpg\">\x82\xA0");
    const QString euc = t.write("q.html", "<META charset=\"EUC-JP\"><IMG src=\"a.jpg\">\xA4\xA2");
    const QString broken = t.write("r.html", "<IMG src=\"a.jpg\">\x82\xA0\xFF\xFE");
    const QList<PictureRename> plan = planPictureRenames({a}, "pic");
    const ReferenceUpdates u = ReplaceNameInSelectedPages({sjis, euc, broken}, plan);
    ASSERT_EQ(u.pages.size(), 1);
    EXPECT_EQ(u.pages[0].bytes, QByteArray("\xEF\xBB\xBF<IMG src=\"pic0.jpg\">") + QStringLiteral("あ").toUtf8());
    EXPECT_EQ(u.notUtf8, QStringList({euc, broken}));
}

TEST(PictureRename, EveryFormTheEngineFollowsIsRewrittenAsItWasWritten)
{
    TempTree t;
    const QString a = t.write("a.png");
    const QString flower = t.write(QStringLiteral("花.png"));
    t.write("sub/a.png"); // another folder's own picture of the same name
    const QString page = t.writeText(
        "p.html",
        QStringLiteral("<IMG src='a.png'><IMG src=a.png><IMG src = \"a.png\"><IMG src=\"a.png?v=2\">"
                       "<A href=\"a.png#top\">a.png</A><IMG src=\"%E8%8A%B1.png\"><OBJECT data=a.png></OBJECT>"
                       "<DIV style=\"background:url(a.png)\"><STYLE>p{background:url('a.png')}</STYLE>"
                       "<IMG srcset=\"a.png 1x, 花.png 2x\"><IMG src=\"sub/a.png\"><SCRIPT>i.src=\"a.png\"</SCRIPT>"),
        true);
    const QList<PictureRename> plan = planPictureRenames({a, flower}, "pic");
    ASSERT_EQ(carryOutPictureRenames(plan, tempBounds()).size(), 2);
    const ReferenceUpdates u = ReplaceNameInSelectedPages({page}, plan);
    ASSERT_EQ(u.pages.size(), 1);
    EXPECT_EQ(u.pages[0].bytes.mid(3), QStringLiteral("<IMG src='pic0.png'><IMG src=pic0.png><IMG src = \"pic0.png\">"
                             "<IMG src=\"pic0.png?v=2\"><A href=\"pic0.png#top\">a.png</A><IMG src=\"pic1.png\">"
                             "<OBJECT data=pic0.png></OBJECT><DIV style=\"background:url(pic0.png)\">"
                             "<STYLE>p{background:url('pic0.png')}</STYLE><IMG srcset=\"pic0.png 1x, pic1.png 2x\">"
                             "<IMG src=\"sub/a.png\"><SCRIPT>i.src=\"a.png\"</SCRIPT>")
                                             .toUtf8());
}

TEST(PictureRename, PagesTheEngineReadsOtherwiseAreNamedNotRewritten)
{
    TempTree t;
    const QString a = t.write("a.jpg");
    // Half-width katakana that are valid UTF-8 too ("ýɰ"): shown as Shift_JIS.
    const QString kana = t.write("k.html", "<META charset=\"Shift_JIS\"><IMG src=\"a.jpg\">\xC3\xBD\xC9\xB0");
    // UTF-16 without a byte-order mark: its bytes are valid UTF-8 too.
    QStringEncoder utf16("UTF-16LE");
    const QString wide = t.write("w.html", utf16.encode(QStringLiteral("<META charset=\"UTF-16\"><IMG src=\"a.jpg\">")));
    // EUC-JP that names the picture in its own bytes.
    QStringEncoder euc("EUC-JP");
    const QString flower = t.write(QStringLiteral("花.jpg"));
    const QString eucPage = t.write("e.html", "<META charset=\"EUC-JP\"><IMG src=\""
                                                  + QByteArray(euc.encode(QStringLiteral("花.jpg"))) + "\">");
    const QString unrelated = t.write("u.html", "<META charset=\"EUC-JP\"><IMG src=\"b.jpg\">\xA4\xA2");
    const QList<PictureRename> plan = planPictureRenames({a, flower}, "pic");
    const QStringList pages{kana, wide, eucPage, unrelated};
    EXPECT_EQ(pagesNamingButNotRewritable(pages, plan), QStringList({kana, wide, eucPage}));
    const ReferenceUpdates u = ReplaceNameInSelectedPages(pages, plan);
    EXPECT_TRUE(u.pages.isEmpty());
    EXPECT_EQ(u.notUtf8, QStringList({kana, wide, eucPage}));
    EXPECT_TRUE(pageNamesAny(eucPage, plan));
    EXPECT_FALSE(pageNamesAny(unrelated, plan));
}

TEST(PictureRename, ARefusedRenameStopsTheRun)
{
    TempTree t;
    const QString a = t.write("a.jpg");
    const QString b = t.write("b.jpg");
    QList<PictureRename> plan = planPictureRenames({a, b}, "pic");
    ASSERT_EQ(plan.size(), 2);
    t.write("pic1.jpg"); // taken after the plan was made: never replaced
    PictureRename failed;
    const QList<PictureRename> done = carryOutPictureRenames(plan, tempBounds(), &failed);
    EXPECT_EQ(done.size(), 1);
    EXPECT_EQ(failed.from, b);
    EXPECT_EQ(t.read("pic1.jpg"), "x");
    EXPECT_TRUE(QFileInfo::exists(b));
}

// ---- clean-up ----

TEST(UnlinkedFiles, WhatNoPageOfTheFolderUses)
{
    TempTree t;
    t.write("0010_a.html", "<IMG src=\"./img.png\"><BODY background=\"_bg.jpg\">");
    t.write("_help.html", "<IMG src=\"_helppic.png\">");
    t.write("_Edit.txt");
    t.write("index_x.html", "<IMG src=\"_fromindex.png\">");
    for (const char* n : {"img.png", "_bg.jpg", "_helppic.png", "_fromindex.png", "_unused.png", "notes.txt"})
        t.write(n);
    const FileToolList l = planUnlinkedFiles(t.path(), "Pagora", "_help.html");
    EXPECT_EQ(l.files, t.paths({"_unused.png", "notes.txt"}));
    EXPECT_TRUE(l.notPreselected.isEmpty());
}

TEST(UnlinkedFiles, StoredDataIsListedButNotPreselected)
{
    TempTree t;
    t.write("0010_q.html", "<A href=\"/$JS value.js a=1,$NEXT\">x</A>");
    for (const char* n : {"_0010_q.csv", "_%0010_q.bmp", "_%html", "value.js", "_old.png"})
        t.write(n);
    const FileToolList l = planUnlinkedFiles(t.path(), "Pagora", "_help.html");
    EXPECT_EQ(l.files, t.paths({"_%0010_q.bmp", "_%html", "_0010_q.csv", "_old.png", "value.js"}));
    EXPECT_EQ(l.notPreselected, t.paths({"_%0010_q.bmp", "_%html", "_0010_q.csv", "value.js"}));
    EXPECT_FALSE(l.commandLinkMessages.isEmpty());
}

TEST(UnlinkedFiles, AFolderWhoseFilesAreAllUsedGivesNothing)
{
    TempTree t;
    t.write("0010_a.html", "<IMG src=\"_a.png\">");
    t.write("_a.png");
    t.write("_help.html");
    EXPECT_TRUE(planUnlinkedFiles(t.path(), "Pagora", "_help.html").files.isEmpty());
}
