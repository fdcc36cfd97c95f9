// Header and background pictures: the section texts, the copies into the
// page's folder as "_" + name, and pages that keep them through save and
// reopen; today's date in the heading and the reset "初期化".
#include "editor/editor_date.h"
#include "support/write_bounds.h"
#include "editor/header_background.h"
#include "picture_test_support.h"
#include "store/clock.h"
#include "store/files.h"
#include "store/page_file.h"

#include <QDir>

using namespace editor;

namespace {

const QString kIn = QStringLiteral("<!--HEDDA_IN-->");
const QString kOut = QStringLiteral("<!--HEDDA_OUT-->");

QString headerOf(const QString& name)
{
    return kIn + QStringLiteral("<P align=\"center\" ><IMG src=\"") + name + QStringLiteral("\" border=\"0\"></P>") + kOut;
}

QString pageSource(const QString& header, const QString& bodyTag = QStringLiteral("<BODY>"))
{
    return QStringLiteral("<HTML>\r\n<HEAD>\r\n<META NAME=\"author\" CONTENT=\"Pagora_TEXT_B4\">\r\n<TITLE>T</TITLE>\r\n</HEAD>\r\n")
        + bodyTag + header + QStringLiteral("<!--NOTE_IN-->本文<!--NOTE_OUT--></BODY>\r\n</HTML>\r\n");
}

} // namespace

TEST(HeaderSections, PictureReplacesTheOldHeaderAndKeepsWhatFollows)
{
    EXPECT_EQ(headerWithPicture(kIn + "<P>old</P>" + kOut + "\r\nrest", "_p.jpg"), headerOf("_p.jpg") + "\r\nrest");
    EXPECT_EQ(headerWithPicture("", "_p.jpg"), headerOf("_p.jpg"));
    // An unclosed block gets its closing marker, or the next read loses it.
    EXPECT_EQ(headerWithPicture(kIn, "_p.jpg"), headerOf("_p.jpg"));

    EXPECT_EQ(headerWithoutPicture(headerOf("_p.jpg") + "x"), kIn + kOut + "x");
    EXPECT_EQ(headerWithoutPicture(""), QString());
}

TEST(BodyTagSections, TheBodyTagIsRebuiltWholeAndNothingBeforeItIsLost)
{
    const QString before = QStringLiteral("\r\n<STYLE>p{}</STYLE>\r\n");
    EXPECT_EQ(bodyTagWithBackground(before + "<BODY text=\"red\">", "_b.png"), before + "<BODY background=\"_b.png\">");
    EXPECT_EQ(bodyTagWithBackground(before + "<BODY background=\"_a.png\" text=\"red\">", QString()), before + "<BODY>");
    // Lower case is found too: the style before it stays.
    EXPECT_EQ(bodyTagWithBackground(before + "<body bgcolor=\"x\">", "_b.png"), before + "<BODY background=\"_b.png\">");
    // A section without a BODY tag gets a complete one.
    EXPECT_EQ(bodyTagWithBackground(before, "_b.png"), before + "<BODY background=\"_b.png\">");
    EXPECT_EQ(bodyTagWithBackground("<BODY", "_b.png"), QStringLiteral("<BODY background=\"_b.png\">"));
}

TEST_F(PictureTest, HeaderPictureIsCopiedWithAnUnderscore)
{
    DecorDialogState state;
    platform::setNextFileName(picture("pics/__x.png", 8, 8));
    headerPictureClick(m, folder, state);
    EXPECT_TRUE(QFileInfo(folder + "/_x.png").isFile());
    EXPECT_EQ(m.PageHeaderSection, headerOf("_x.png"));
    // The dialog opens where it was used last.
    EXPECT_EQ(seamEvents("open").value(0).args.value(0), QString());
    EXPECT_EQ(state.lastFolder, tree.path("pics"));

    // The folder's own "_x.png" is not copied onto itself.
    const QByteArray own = tree.read("class1/_x.png");
    platform::setNextFileName(folder + "/_x.png");
    backgroundPictureClick(m, folder, state);
    EXPECT_EQ(tree.read("class1/_x.png"), own);
    EXPECT_EQ(m.PageBodyTagSection, QStringLiteral("<BODY background=\"_x.png\">"));
    EXPECT_EQ(seamEvents("open").value(1).args.value(0), tree.path("pics"));

    // A picture of the folder without "_" gets a second file.
    picture("class1/sea.jpg", 8, 8);
    platform::setNextFileName(folder + "/sea.jpg");
    headerPictureClick(m, folder, state);
    EXPECT_TRUE(QFileInfo(folder + "/sea.jpg").isFile());
    EXPECT_TRUE(QFileInfo(folder + "/_sea.jpg").isFile());

    // Cancelled: the markers stay, the picture goes.
    headerPictureClick(m, folder, state);
    EXPECT_EQ(m.PageHeaderSection, kIn + kOut);
    backgroundPictureClick(m, folder, state);
    EXPECT_EQ(m.PageBodyTagSection, QStringLiteral("<BODY>"));
}

// Header and background pictures of a taken name and other bytes: asked
// about, never overwritten silently.
TEST_F(PictureTest, ATakenHeaderOrBackgroundNameIsAskedAbout)
{
    DecorDialogState state;
    picture("class1/_x.png", 8, 8, Qt::red);
    const QByteArray own = tree.read("class1/_x.png");
    platform::setNextFileName(picture("pics/x.png", 4, 4, Qt::blue));
    platform::setNextAnswer(platform::Answer::No);
    headerPictureClick(m, folder, state);
    EXPECT_EQ(m.PageHeaderSection, headerOf("_x_2.png"));
    EXPECT_EQ(tree.read("class1/_x.png"), own);

    m.PageBodyTagSection = QStringLiteral("<BODY>");
    platform::setNextFileName(picture("pics/x.png", 4, 4, Qt::green));
    platform::setNextAnswer(platform::Answer::Cancel);
    backgroundPictureClick(m, folder, state);
    EXPECT_EQ(m.PageBodyTagSection, QStringLiteral("<BODY>"));
    EXPECT_EQ(tree.read("class1/_x.png"), own);
    EXPECT_EQ(seamEvents("ask").size(), 2);
}

TEST_F(PictureTest, AFailedHeaderCopyChangesNothing)
{
    DecorDialogState state;
    m.PageHeaderSection = headerOf("_old.png");
    m.PageBodyTagSection = QStringLiteral("<BODY text=\"red\">");
    tree.mkdir(QStringLiteral("class1/_p.png"));  // a folder stands where the copy would go
    const QString chosen = picture("pics/p.png", 8, 8);
    platform::setNextFileName(chosen);
    headerPictureClick(m, folder, state);
    platform::setNextFileName(chosen);
    backgroundPictureClick(m, folder, state);
    platform::setNextFileName(picture("pics/q<1>.png", 8, 8));
    headerPictureClick(m, folder, state);
    EXPECT_EQ(m.PageHeaderSection, headerOf("_old.png"));
    EXPECT_EQ(m.PageBodyTagSection, QStringLiteral("<BODY text=\"red\">"));
    EXPECT_EQ(seamEvents("message").size(), 3);
}

TEST_F(PictureTest, HeaderAndBackgroundSurviveTwoSaveAndReadCycles)
{
    tree.writeText(QStringLiteral("class1/1010_apple.html"), pageSource(QString(), QStringLiteral("<BODY text=\"red\">")), true);
    DecorDialogState state;
    m.Memo82 = files::readUtf8(page).value_or(QString());
    store::LoadPageIntoEditor(m, page);
    EXPECT_TRUE(m.PageHeaderSection.isEmpty());

    platform::setNextFileName(picture("pics/top.png", 8, 8));
    headerPictureClick(m, folder, state);
    platform::setNextFileName(picture("pics/back.jpg", 8, 8));
    backgroundPictureClick(m, folder, state);
    ASSERT_TRUE(store::SavePage(m, page, tempBounds()));
    const QByteArray first = files::readBytes(page).value_or(QByteArray());
    const QString text = QString::fromUtf8(first);
    EXPECT_TRUE(text.contains(headerOf("_top.png"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("<BODY background=\"_back.jpg\">")));

    for (int round = 0; round < 2; ++round) {
        store::PageModel again;
        again.Memo82 = files::readUtf8(page).value_or(QString());
        store::LoadPageIntoEditor(again, page);
        EXPECT_EQ(again.PageHeaderSection, headerOf("_top.png"));
        EXPECT_TRUE(again.PageBodyTagSection.endsWith(QStringLiteral("<BODY background=\"_back.jpg\">")));
        ASSERT_TRUE(store::SavePage(again, page, tempBounds()));
        EXPECT_EQ(files::readBytes(page).value_or(QByteArray()), first) << round;
    }
}

TEST(EditorDate, HeadingDateAndReset)
{
    store::clock::setFixed(QDateTime(QDate(2024, 3, 5), QTime(23, 59, 7)));
    EXPECT_EQ(headingDateText(QDate(2024, 12, 31)), QStringLiteral(" 2024年12月31日"));
    EXPECT_EQ(dailyReportSuffix(QDate(2024, 3, 5)), QStringLiteral(":2024/3/5"));

    store::PageModel m;
    m.Memo4 = QStringLiteral("会議 [ 2023年1月9日] 議事");
    dateButtonClick(m);
    EXPECT_EQ(m.Memo4, QStringLiteral("会議 [ 2024年3月5日] 議事"));
    for (const char* heading : {"会議", "a ] b [", ""}) {
        m.Memo4 = QString::fromUtf8(heading);
        dateButtonClick(m);
        EXPECT_EQ(m.Memo4, QStringLiteral("[ 2024年3月5日]")) << heading;
    }

    m.Edit1 = QStringLiteral("日報:2024/3/4");
    m.Memo4 = m.Memo5 = m.Edit5 = m.Edit6 = m.Edit2 = m.Edit3 = m.Memo3 = m.Memo81 = QStringLiteral("x");
    m.Edit7 = QStringLiteral("<IMG src=\"a.png\">");
    m.PageHeaderSection = QStringLiteral("<!--HEDDA_IN--><!--HEDDA_OUT-->");
    resetButtonClick(m, QStringLiteral("/d/2024_日報.html"));
    EXPECT_EQ(m.Edit1, QStringLiteral("日報:2024/3/5"));
    EXPECT_EQ(m.Memo1, QStringLiteral("＜指示・伝達＞"));
    EXPECT_EQ(m.Memo2, QStringLiteral("＜連絡＞"));
    for (const QString* f : {&m.Memo4, &m.Memo5, &m.Edit5, &m.Edit6, &m.Edit2, &m.Edit3, &m.Memo3, &m.Memo81})
        EXPECT_TRUE(f->isEmpty());
    EXPECT_EQ(m.Edit7, QStringLiteral("<IMG src=\"a.png\">"));
    EXPECT_FALSE(m.PageHeaderSection.isEmpty());

    m.Edit1 = QStringLiteral("予定:a:b");
    resetButtonClick(m, QStringLiteral("/d/notes.html"));
    EXPECT_EQ(m.Edit1, QStringLiteral("予定"));
    EXPECT_TRUE(m.Memo1.isEmpty() && m.Memo2.isEmpty());
}
