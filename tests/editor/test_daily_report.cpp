// The daily-report archive: the name of the day's copy, the companions and
// pictures that go with it, and linked names that must not lead anywhere
// outside the page's folder or the store.
#include "editor/daily_report_archive.h"
#include "support/temp_tree.h"

#include <QFile>
#include <gtest/gtest.h>

using namespace editor;

namespace {

const QDate kDay(2020, 4, 14);

QByteArray report(const QByteArray& body)
{
    return "\xEF\xBB\xBF<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">\r\n<HTML><BODY>" + body
           + "</BODY></HTML>\r\n";
}

} // namespace

TEST(DailyReportArchive, WhichPagesAndTheDaysName)
{
    EXPECT_TRUE(isDailyReportPage(QStringLiteral("/p/日報.html")));
    EXPECT_TRUE(isDailyReportPage(QStringLiteral("/p/1000_日報.html")));
    EXPECT_FALSE(isDailyReportPage(QStringLiteral("/p/日報.htm")));
    // The folder's name does not make its pages daily reports.
    EXPECT_FALSE(isDailyReportPage(QStringLiteral("/p/日報/a.html")));
    EXPECT_FALSE(isDailyReportPage(QStringLiteral("/p/x.html/日報.txt")));

    EXPECT_EQ(dailyReportArchiveName(QStringLiteral("/p/日報.html"), kDay), QStringLiteral(" 2020年04月14日日報.html"));
    EXPECT_EQ(dailyReportArchiveName(QStringLiteral("/p/1000_日報.html"), QDate(2021, 1, 2)),
              QStringLiteral(" 2021年01月02日1000_日報.html"));
}

TEST(DailyReportArchive, LinkedNamesInsideThePageFolderOnly)
{
    TempTree t;
    t.write("page/pic/a.jpg");
    t.write("page/B.PNG");
    t.write("secret.jpg");
    t.symlink("page/out.jpg", t.path("secret.jpg"));
    const QString text = QStringLiteral(
        "<BODY background=\"B.PNG\"><IMG SRC=\"pic/a.jpg\"><img src=\"../secret.jpg\"><img src=\"../../x.jpg\">"
        "<img src=\"/etc/passwd\"><img src=\"http://host/y.jpg\"><img src=\"C:\\z.jpg\"><img src=\"out.jpg\">"
        "<img src=\"pic/a.jpg\"><img src=\"b.png\">");
    EXPECT_EQ(linkedFileNames(text),
              (QStringList{"B.PNG", "pic/a.jpg", "../secret.jpg", "../../x.jpg", "/etc/passwd", "http://host/y.jpg",
                           "C:\\z.jpg", "out.jpg", "b.png"}));
    const QString folder = t.path("page");
    EXPECT_EQ(linkedFileInside(folder, QStringLiteral("pic/a.jpg")), t.path("page/pic/a.jpg"));
    EXPECT_EQ(linkedFileInside(folder, QStringLiteral("pic\\a.jpg")), t.path("page/pic/a.jpg"));
    // Pages from Windows do not keep letter case.
    EXPECT_EQ(linkedFileInside(folder, QStringLiteral("b.png")), t.path("page/B.PNG"));
    for (const char* hostile : {"../secret.jpg", "../../x.jpg", "/etc/passwd", "http://host/y.jpg", "C:\\z.jpg",
                                "out.jpg", "pic/../../secret.jpg", "file:///etc/passwd", "missing.jpg", ""})
        EXPECT_TRUE(linkedFileInside(folder, QString::fromUtf8(hostile)).isEmpty()) << hostile;
}

TEST(DailyReportArchive, CopiesPageCompanionsAndPicturesIntoTheStore)
{
    TempTree t;
    const QString page = t.write("root/日報.html",
                                 report("<IMG src=\"pic/a.jpg\"><TABLE background=\"bg.gif\"><img src=\"../outside.jpg\">"
                                        "<img src=\"/etc/passwd\">"));
    t.write("root/日報.%xt", "memo");
    t.write("root/日報.wav", "wave");
    t.write("root/pic/a.jpg", "jpeg");
    t.write("root/bg.gif", "gif");
    t.write("outside.jpg", "secret");
    const QString store = t.path("root/00_日報の保存");

    EXPECT_TRUE(archiveDailyReport(page, store, kDay).isEmpty());
    EXPECT_EQ(t.read("root/00_日報の保存/ 2020年04月14日日報.html"), t.read("root/日報.html"));
    EXPECT_EQ(t.read("root/00_日報の保存/ 2020年04月14日日報.%xt"), QByteArray("memo"));
    EXPECT_EQ(t.read("root/00_日報の保存/ 2020年04月14日日報.wav"), QByteArray("wave"));
    EXPECT_EQ(t.read("root/00_日報の保存/pic/a.jpg"), QByteArray("jpeg")); // sub-folder made
    EXPECT_EQ(t.read("root/00_日報の保存/bg.gif"), QByteArray("gif"));
    EXPECT_FALSE(t.exists("root/outside.jpg"));
    EXPECT_FALSE(t.exists("root/00_日報の保存/passwd"));
    EXPECT_FALSE(t.exists("root/00_日報の保存/etc"));
    EXPECT_EQ(t.read("outside.jpg"), QByteArray("secret"));

    // Another day adds its own archive and leaves the first one alone.
    t.write("root/日報.html", report("next day"));
    EXPECT_TRUE(archiveDailyReport(page, store, kDay.addDays(1)).isEmpty());
    EXPECT_EQ(t.read("root/00_日報の保存/ 2020年04月15日日報.html"), report("next day"));
    EXPECT_NE(t.read("root/00_日報の保存/ 2020年04月14日日報.html"), report("next day"));
}

TEST(DailyReportArchive, FailedCopiesAreNamedAndNothingLeavesTheStore)
{
    TempTree t;
    const QString page =
        t.write("root/日報.html", report("<img src=\"pic/a.jpg\"><img src=\"sub/b.jpg\"><img src=\"ok.jpg\">"
                                         "<img src=\"sub/deeper/c.jpg\">"));
    t.write("root/pic/a.jpg", "a");
    t.write("root/sub/b.jpg", "b");
    t.write("root/sub/deeper/c.jpg", "c");
    t.write("root/ok.jpg", "ok");
    // A file stands where the store needs the folder "pic", and the store's
    // "sub" is a link to a folder elsewhere.
    t.write("store/pic", "file, not a folder");
    t.mkdir("elsewhere");
    t.symlink("store/sub", t.path("elsewhere"));

    const QStringList failed = archiveDailyReport(page, t.path("store"), kDay);
    EXPECT_EQ(failed, (QStringList{"pic/a.jpg", "sub/b.jpg", "sub/deeper/c.jpg"}));
    EXPECT_EQ(t.read("store/ok.jpg"), QByteArray("ok"));
    EXPECT_TRUE(t.list("elsewhere").isEmpty()); // not even an empty folder
    EXPECT_EQ(t.read("store/pic"), QByteArray("file, not a folder"));
}
