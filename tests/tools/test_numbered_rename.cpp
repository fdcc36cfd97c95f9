// Numbered renaming: the dialog's checks, the rename plan with its clashes,
// and the run on a temporary folder.
#include "tools/forms/form17.h"
#include "tools/numbered_rename.h"
#include "tools/numbered_rename_plan.h"
#include "tools/page_order_run.h"

#include "support/temp_tree.h"
#include "store/files.h"
#include "platform/seam.h"

#include <QLineEdit>
#include <gtest/gtest.h>

using namespace tools;

namespace {

QStringList pageMoves(const RenamePlan& plan)
{
    QStringList out;
    for (const RenameUnit& u : plan.units)
        out << u.page.from + " > " + u.page.to;
    return out;
}

NumberedRenameSettings settings(int first = 100, int step = 1, int digits = 3)
{
    return {QStringLiteral("page"), first, step, digits};
}

} // namespace

TEST(NumberedRenamePlan, CurrentPageToTheEndWithDefaults)
{
    TempTree t;
    const QStringList entries = {"a.html", "b.html", "c.html", "d.htm", "e.html"};
    for (const QString& e : entries)
        t.write(e);
    const RenamePlan plan = planNumberedRename(t.path(), entries, 2, 4, settings());
    EXPECT_EQ(pageMoves(plan), QStringList({"c.html > page(100).html", "d.htm > page(101).htm",
                                            "e.html > page(102).html"}));
    NumberedRenameFields f;
    f.from = "3";
    f.to = "5";
    EXPECT_EQ(previewNumber(f).value(), "102");
}

TEST(NumberedRenamePlan, StepDigitsAndMissingPages)
{
    TempTree t;
    for (const char* n : {"a.html", "c.html", "d.html"})
        t.write(n);
    const RenamePlan plan = planNumberedRename(t.path(), {"a.html", "gone.html", "c.html", "d.html"}, 0, 3,
                                               settings(5, 10, 2));
    EXPECT_EQ(pageMoves(plan), QStringList({"a.html > page(05).html", "c.html > page(15).html",
                                            "d.html > page(25).html"}));
    EXPECT_EQ(numberText(7, 3), "007");
    EXPECT_EQ(numberText(1234, 2), "1234");
}

TEST(NumberedRenamePlan, MemoAnswersDrawingAndFolderMoveTheRecordingStays)
{
    TempTree t;
    t.write("a.html", "page");
    t.write("a.%xt", "memo");
    t.write("_a.csv", "answers");
    t.write("_%a.bmp", "drawing");
    t.write("a.wav", "sound");
    t.write("a/pic.png", "pic");
    const RenamePlan plan = planNumberedRename(t.path(), {"a.html"}, 0, 0, settings());
    ASSERT_EQ(plan.units.size(), 1);
    EXPECT_EQ(plan.units.first().companions.size(), 4);
    EXPECT_TRUE(executeRenamePlan(plan).failures.isEmpty());
    EXPECT_EQ(files::readBytes(t.path("_page(100).csv")).value(), "answers");
    EXPECT_EQ(files::readBytes(t.path("_%page(100).bmp")).value(), "drawing");
    EXPECT_EQ(files::readBytes(t.path("page(100).html")).value(), "page");
    EXPECT_EQ(files::readBytes(t.path("page(100).%xt")).value(), "memo");
    EXPECT_EQ(files::readBytes(t.path("page(100)/pic.png")).value(), "pic");
    EXPECT_TRUE(QFileInfo::exists(t.path("a.wav")));
}

TEST(NumberedRenamePlan, StepZeroClashesInsteadOfMarkingWithDollars)
{
    TempTree t;
    t.write("a.html", "a");
    t.write("b.html", "b");
    const RenamePlan plan = planNumberedRename(t.path(), {"a.html", "b.html"}, 0, 1, settings(100, 0));
    EXPECT_EQ(pageMoves(plan), QStringList({"a.html > page(100).html"}));
    EXPECT_EQ(plan.clashes.size(), 1);
    executeRenamePlan(plan);
    EXPECT_EQ(files::listFiles(t.path(), "*.*"), QStringList({"b.html", "page(100).html"}));
}

TEST(NumberedRenamePlan, TakenTargetsOfAnyKindKeepThePageAndEverythingElse)
{
    TempTree t;
    t.write("a.html", "a");
    t.write("b.html", "b");
    t.write("c.html", "c");
    t.write("page(100)/keep.txt", "a folder of someone else");
    t.write("page(101).wav", "a recording of someone else");
    t.write("page(102).html", "another page");
    const RenamePlan plan = planNumberedRename(t.path(), {"a.html", "b.html", "c.html"}, 0, 2, settings());
    EXPECT_TRUE(plan.units.isEmpty());
    EXPECT_EQ(plan.clashes.size(), 3);
    EXPECT_EQ(executeRenamePlan(plan).failures.size(), 3);
    EXPECT_EQ(files::readBytes(t.path("page(100)/keep.txt")).value(), "a folder of someone else");
    EXPECT_EQ(files::readBytes(t.path("page(102).html")).value(), "another page");
    EXPECT_TRUE(QFileInfo::exists(t.path("a.html")));
}

TEST(NumberedRenamePlan, ShiftedNumbersWaitForEachOther)
{
    TempTree t;
    t.write("page(100).html", "first");
    t.write("page(101).html", "second");
    const RenamePlan plan = planNumberedRename(t.path(), {"page(100).html", "page(101).html"}, 0, 1, settings(101));
    EXPECT_TRUE(plan.clashes.isEmpty());
    EXPECT_TRUE(executeRenamePlan(plan).failures.isEmpty());
    EXPECT_EQ(files::readBytes(t.path("page(101).html")).value(), "first");
    EXPECT_EQ(files::readBytes(t.path("page(102).html")).value(), "second");
}

TEST(NumberedRenameChecks, EachFailingCheckCorrectsOneField)
{
    const NumberedRenameLimits limits{5, 2, 1};
    QString why;
    NumberedRenameFields f;
    f.from = "2";
    f.to = "9";
    EXPECT_FALSE(validateNumberedRename(f, limits, why));
    EXPECT_EQ(f.to, "5");
    f.to = "1";
    EXPECT_FALSE(validateNumberedRename(f, limits, why));
    EXPECT_EQ(f.to, "2");
    f.step = "-3";
    EXPECT_FALSE(validateNumberedRename(f, limits, why));
    EXPECT_EQ(f.step, "0");
    f.digits = "12";
    EXPECT_FALSE(validateNumberedRename(f, limits, why));
    EXPECT_EQ(f.digits, "10");
    f.from = "x";
    EXPECT_FALSE(validateNumberedRename(f, limits, why));
    EXPECT_EQ(f.from, "2"); // back to the current page
    EXPECT_TRUE(validateNumberedRename(f, limits, why)) << why.toStdString();
    for (const char* bad : {"a/b", "..", "x$", "#1", "a\tb", "a?b", ""}) {
        f.name = QString::fromUtf8(bad);
        EXPECT_FALSE(validateNumberedRename(f, limits, why)) << bad;
        EXPECT_FALSE(why.isEmpty());
    }
    f.name = "ページ";
    EXPECT_TRUE(validateNumberedRename(f, limits, why));
}

TEST(NumberedRenameDialog, ThisPageOnlyAndBeeps)
{
    platform::setTestMode(true);
    TForm17 f;
    f.Edit5->setText("2");
    f.Edit6->setText("4");
    f.FormShow();
    EXPECT_EQ(f.Edit7->text(), "102");
    f.Edit6->setText("7");
    platform::clearEvents();
    f.SpeedButton1Click();
    EXPECT_EQ(f.SpeedButton1->tag(), 0);
    EXPECT_EQ(f.Edit6->text(), "4");
    ASSERT_FALSE(platform::events().isEmpty());
    EXPECT_EQ(platform::events().last().kind, "beep");
    f.SpeedButton3Click();
    EXPECT_EQ(f.SpeedButton1->tag(), 1);
    EXPECT_EQ(f.Edit5->text(), "2");
    EXPECT_EQ(f.Edit6->text(), "2");
}

#include "viewer/page_display_fixture.h"

class NumberedRenameWindowTest : public PageDisplayTest {};

TEST_F(NumberedRenameWindowTest, AcceptedFieldsRenameTheRangeAndReloadTheList)
{
    writePage("a.html", "a");
    writePage("b.html", "b");
    writePage("c.html", "c");
    writeFile(rootFile("b.%xt"), "memo");
    TForm1& w = start();
    w.PBanSave(1);
    TForm17& f = numberedRenameDialog(w);
    RenamePagesNumbered(w); // the dialog is not answered: nothing changes
    EXPECT_EQ(w.levels.topEntries(), QStringList({"a.html", "b.html", "c.html"}));
    EXPECT_EQ(f.Edit5->text(), "2");
    EXPECT_EQ(f.Edit6->text(), "3");
    f.Edit1->setText("day");
    f.Edit4->setText("1");
    renameNumberedFromDialog(w, f);
    EXPECT_EQ(w.levels.topEntries(), QStringList({"a.html", "day(100).html", "day(101).html"}));
    EXPECT_TRUE(QFileInfo::exists(rootFile("day(100).%xt")));
    EXPECT_EQ(w.SearchCacheKey, "xxx");
}
