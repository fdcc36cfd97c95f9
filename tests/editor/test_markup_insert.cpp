// The markup buttons over four stand-in memos: only the marked memo
// changes, at the selection it had when the button was pressed, even when a
// dialog takes the focus (and the mark) meanwhile.
#include "editor/markup_insert.h"
#include "support/write_bounds.h"
#include "picture_test_support.h"

using namespace editor;

namespace {

struct FakeMemos : MarkupMemos {
    std::array<MemoText, kCount> memos;
    std::array<bool, kCount> marks{};
    bool marked(int i) const override { return marks[size_t(i)]; }
    MemoText memo(int i) const override { return memos[size_t(i)]; }
    void setMemo(int i, const MemoText& m) override { memos[size_t(i)] = m; }
    // The memo with "Tokyo" selected in "in Tokyo now", marked.
    void select(int i)
    {
        memos[size_t(i)] = {QStringLiteral("in Tokyo now"), 3, 5};
        marks[size_t(i)] = true;
    }
};

} // namespace

TEST(MarkupText, SelectionReplacedAndClamped)
{
    const MemoText m{QStringLiteral("abcdef"), 2, 2};
    EXPECT_EQ(selectedText(m), QStringLiteral("cd"));
    const MemoText r = replaceSelection(m, QStringLiteral("XY Z"));
    EXPECT_EQ(r.text, QStringLiteral("abXY Zef"));
    EXPECT_EQ(r.selStart, 6);
    EXPECT_EQ(r.selLength, 0);
    EXPECT_EQ(selectedText({QStringLiteral("abc"), 2, 10}), QStringLiteral("c"));
    EXPECT_EQ(selectedText({QStringLiteral("abc"), 7, 1}), QString());
    EXPECT_EQ(replaceSelection({QStringLiteral("abc"), -3, -1}, QStringLiteral("x")).text, QStringLiteral("xabc"));
    // Positions are UTF-16 units: a character outside the BMP counts two.
    const MemoText wide{QStringLiteral("a😀b"), 1, 2};
    EXPECT_EQ(wrapInMemo(wide, *wrapTagsFor(25))->text, QStringLiteral("a<u>😀</u>b"));
}

TEST(MarkupButtons, WrapActsOnTheMarkedMemoOnly)
{
    FakeMemos memos;
    memos.select(0);
    memos.memos[1] = {QStringLiteral("other"), 0, 5};
    wrapButtonClick(memos, 24);
    EXPECT_EQ(memos.memos[0].text, QStringLiteral("in <font color=\"#ff0000\">Tokyo</font> now"));
    EXPECT_EQ(memos.memos[1].text, QStringLiteral("other"));

    memos.memos[0] = {QStringLiteral("in Tokyo now"), 3, 0};
    wrapButtonClick(memos, 32);
    EXPECT_EQ(memos.memos[0].text, QStringLiteral("in Tokyo now"));

    // The focus went to an edit field: no memo is marked.
    memos.select(2);
    memos.marks = {};
    wrapButtonClick(memos, 25);
    EXPECT_EQ(memos.memos[2].text, QStringLiteral("in Tokyo now"));
}

TEST(MarkupButtons, RubyAsksForTheReadingOfTheSelection)
{
    FakeMemos memos;
    memos.select(3);
    QString asked;
    rubyButtonClick(memos, [&](const QString& base) {
        asked = base;
        // The dialog takes the focus: the memo loses its mark and selection.
        memos.marks = {};
        memos.memos[3].selLength = 0;
        return QStringLiteral("とうきょう");
    });
    EXPECT_EQ(asked, QStringLiteral("Tokyo"));
    EXPECT_EQ(memos.memos[3].text, QStringLiteral("in <ruby>Tokyo<rt>とうきょう</ruby> now"));

    memos.select(3);
    rubyButtonClick(memos, [](const QString&) { return QString(); });
    EXPECT_EQ(memos.memos[3].text, QStringLiteral("in Tokyo now"));

    memos.memos[3].selLength = 0;
    bool shown = false;
    rubyButtonClick(memos, [&](const QString&) {
        shown = true;
        return QStringLiteral("x");
    });
    EXPECT_FALSE(shown);
}

TEST(MarkupButtons, LinkGoesBeforeTheSelection)
{
    FakeMemos memos;
    int asked = 0;
    QString target = QStringLiteral("/docs/plan.pdf");
    auto ask = [&] {
        ++asked;
        memos.marks = {};
        return target;
    };
    linkButtonClick(memos, ask);
    EXPECT_EQ(asked, 0);  // no memo marked: no dialog

    memos.select(1);
    linkButtonClick(memos, ask);
    EXPECT_EQ(memos.memos[1].text, QStringLiteral("in <A href=\"/docs/plan.pdf\">plan.pdfへのリンク</A>Tokyo now"));

    memos.memos[1] = {QStringLiteral("ab"), 1, 0};
    memos.marks[1] = true;
    target = QStringLiteral("/home/u/docs");
    linkButtonClick(memos, ask);
    EXPECT_EQ(memos.memos[1].text, QStringLiteral("a<A href=\"/home/u/\">docsへのリンク</A>b"));

    platform::setTestMode(true);
    memos.select(1);
    for (const char* refused : {"", "/x/a\"b.pdf"}) {
        target = QString::fromUtf8(refused);
        memos.marks[1] = true;
        linkButtonClick(memos, ask);
        EXPECT_EQ(memos.memos[1].text, QStringLiteral("in Tokyo now")) << refused;
    }
    EXPECT_EQ(platform::events().size(), 1);  // the refusal was said
    platform::setTestMode(false);
}

TEST_F(PictureTest, PictureInsertionCopiesAndTagsTheChosenFile)
{
    FakeMemos memos;
    memos.select(0);
    const QString chosen = picture("pics/sea.png", 64, 48);
    platform::setNextFileName(chosen);
    pictureButtonClick(memos, folder, tempBounds());
    EXPECT_TRUE(QFileInfo(folder + "/sea.png").isFile());
    EXPECT_EQ(memos.memos[0].text,
              QStringLiteral("in <img src=\"sea.png\" width=\"64\" height=\"48\" align=\"middle\">Tokyo now"));
    EXPECT_EQ(seamEvents("open").value(0).args.value(0), folder);

    // Copied even with no memo marked; a cancelled dialog does nothing.
    memos.marks = {};
    platform::setNextFileName(picture("pics/b.bmp", 3, 2));
    pictureButtonClick(memos, folder, tempBounds());
    EXPECT_TRUE(QFileInfo(folder + "/b.bmp").isFile());
    memos.select(0);
    pictureButtonClick(memos, folder, tempBounds());
    EXPECT_EQ(memos.memos[0].text, QStringLiteral("in Tokyo now"));

    // Another picture of a taken name is asked about; keeping both inserts
    // the new one under its free name and leaves the old one as it was.
    const QByteArray seaBefore = tree.read("class1/sea.png");
    platform::clearEvents();
    platform::setNextAnswer(platform::Answer::No);
    platform::setNextFileName(picture("pics/other/sea.png", 5, 4, Qt::blue));
    pictureButtonClick(memos, folder, tempBounds());
    EXPECT_EQ(seamEvents("ask").size(), 1);
    EXPECT_EQ(tree.read("class1/sea.png"), seaBefore);
    EXPECT_EQ(memos.memos[0].text,
              QStringLiteral("in <img src=\"sea_2.png\" width=\"5\" height=\"4\" align=\"middle\">Tokyo now"));
    memos.memos[0].text = QStringLiteral("in Tokyo now");

    // A failed copy inserts nothing and says so.
    tree.mkdir(QStringLiteral("class1/c.png"));
    platform::clearEvents();
    platform::setNextFileName(picture("pics/c.png", 3, 2));
    pictureButtonClick(memos, folder, tempBounds());
    EXPECT_EQ(memos.memos[0].text, QStringLiteral("in Tokyo now"));
    EXPECT_EQ(seamEvents("message").size(), 1);
}
