// What the editor window shows, decided without the window: style looks,
// alignment from the tag fields, the src value of a tag, the heights of the
// upper text area and the grid geometry.
#include "editor/editor_layout.h"

#include <QApplication>
#include <gtest/gtest.h>

using namespace editor;

TEST(EditorStyleLook, TableOfTheFiveStyles)
{
    const QPalette pal = QApplication::palette();
    const QColor white(255, 255, 255), black(0, 0, 0);
    struct Row {
        int style, h1, h2, text, cells, pressed;
        QColor h1Back, h1Text, rule, h2Back, h2Text, textBack;
        bool linkRaised;
    };
    const QColor face = pal.color(QPalette::Button);
    const Row rows[] = {
        {0, 18, 15, 14, 10, 0, white, black, scrollBarColor(pal), white, black, white, true},
        {1, 18, 15, 15, 15, 15, teal(), white, teal(), white, black, white, false},
        {2, 22, 20, 20, 20, 14, teal(), white, teal(), white, teal(), white, false},
        {3, 22, 22, 22, 22, 18, skyBlue(), black, white, face, black, face, false},
        {4, 24, 22, 22, 22, 13, skyBlue(), black, white, face, black, face, false},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.style);
        const auto look = pageStyleLook(r.style, pal);
        ASSERT_TRUE(look);
        EXPECT_EQ(look->headingPt, r.h1);
        EXPECT_EQ(look->subheadingPt, r.h2);
        EXPECT_EQ(look->textPt, r.text);
        EXPECT_EQ(look->cellPt, r.cells);
        EXPECT_EQ(look->pressedStyleButton, r.pressed);
        EXPECT_EQ(look->headingBack, r.h1Back);
        EXPECT_EQ(look->headingText, r.h1Text);
        EXPECT_EQ(look->ruleColor, r.rule);
        EXPECT_EQ(look->subheadingBack, r.h2Back);
        EXPECT_EQ(look->subheadingText, r.h2Text);
        EXPECT_EQ(look->textBack, r.textBack);
        EXPECT_EQ(look->linkButtonRaised, r.linkRaised);
    }
    EXPECT_EQ(teal(), QColor(0, 128, 128));
    EXPECT_EQ(skyBlue(), QColor(166, 202, 240));
    EXPECT_FALSE(pageStyleLook(5, pal));
    EXPECT_FALSE(pageStyleLook(-1, pal));
}

TEST(EditorAlignment, FromTheTagFields)
{
    struct Case {
        const char* h1;
        const char* p1;
        const char* hyo;
        int h1Button;
        Qt::Alignment h1Align;
        int frameButton;
        FramePlacement frame;
        std::optional<Qt::Alignment> text;
    };
    const Case cases[] = {
        {"", "<P>", "", 4, Qt::AlignLeft, 19, FramePlacement::Left, std::nullopt},
        {"<H1 ALIGN=\"CENTER\">", "<P align=\"center\">", "align=\"center\"", 5, Qt::AlignHCenter, 20,
         FramePlacement::Centre, Qt::AlignHCenter},
        {"<H1 align=\"right\">", "<P align=\"left\">", "align=\"right\"", 6, Qt::AlignRight, 21,
         FramePlacement::Right, Qt::AlignLeft},
        {"<H1 align=\"left\">", "<P align=\"left\">", "align=\"left\"", 4, Qt::AlignLeft, 19, FramePlacement::Left,
         Qt::AlignLeft},
        // A frame aligned right wins over a centred paragraph.
        {"<H1>", "<P align=\"center\">", "align=\"right\"", 4, Qt::AlignLeft, 21, FramePlacement::Right,
         Qt::AlignLeft},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.p1);
        store::PageModel m;
        m.ETAGH1 = QString::fromUtf8(c.h1);
        m.ETAGH2 = m.ETAGH1;
        m.ETAGH2.replace(QStringLiteral("H1"), QStringLiteral("H2"));
        m.ETAGP1 = QString::fromUtf8(c.p1);
        m.ETAGHYO1 = QString::fromUtf8(c.hyo);
        const AlignmentView v = alignmentFromTags(m);
        EXPECT_EQ(v.headingButton, c.h1Button);
        EXPECT_EQ(v.headingAlign, c.h1Align);
        EXPECT_EQ(v.subheadingButton, c.h1Button + 3);
        EXPECT_EQ(v.subheadingAlign, c.h1Align);
        EXPECT_EQ(v.frameButton, c.frameButton);
        EXPECT_EQ(v.frame, c.frame);
        EXPECT_EQ(v.textAlign, c.text);
    }
}

TEST(EditorAlignment, SrcValueOfATag)
{
    EXPECT_EQ(ExtractSrcValue(QStringLiteral("<IMG src=\"Sea.JPG\" width=\"4\">")), QStringLiteral("Sea.JPG"));
    EXPECT_EQ(ExtractSrcValue(QStringLiteral("<IMG SRC=\"写真 (1).jpg\">")), QStringLiteral("写真 (1).jpg"));
    EXPECT_EQ(ExtractSrcValue(QStringLiteral("<IMG width=\"4\">")), QString());
    EXPECT_EQ(ExtractSrcValue(QString()), QString());
    // An unquoted value loses its first character; no closing quote: nothing.
    EXPECT_EQ(ExtractSrcValue(QStringLiteral("<IMG src=abc.png width=\"4\">")), QStringLiteral("bc.png width="));
    EXPECT_EQ(ExtractSrcValue(QStringLiteral("<IMG src=\"abc.png>")), QString());
}

TEST(EditorTextArea, HeightsGrowWithTheLines)
{
    const AreaHeights title = headingGrown(3, 47, 4, 100);
    EXPECT_EQ(title.memo, 117);
    EXPECT_EQ(title.panel11, 117 + 47 + 4);
    EXPECT_EQ(title.panel7, 117 + 47 + 4 + 100);
    const AreaHeights sub = subheadingGrown(1, 59, 4, 80);
    EXPECT_EQ(sub.memo, 47);
    EXPECT_EQ(sub.panel11, 47 + 59 + 4);
    EXPECT_EQ(sub.panel7, 47 + 59 + 4 + 80);
    EXPECT_EQ(framedTextPanel7Height(2, 110), 2 * 21 + 110 + 40);
    EXPECT_EQ(openingPanel7Height(1, 1, 1, 4), 29 + 22 + 21 + 4 + 95);
    EXPECT_EQ(centredLeft(800, 686), 57);
    EXPECT_EQ(centredLeft(600, 906), -153);  // toward zero
    EXPECT_EQ(fitPageWidth(1265, 112), 1153);
}

TEST(EditorGrid, GeometryOfTheKnownPanel)
{
    const auto r = gridCellRects(598, 571);
    // a = 40, c = 74, b = 59
    EXPECT_EQ(r[0], QRect(0, 0, 74, 40));
    EXPECT_EQ(r[1], QRect(74, 0, 74, 40));
    EXPECT_EQ(r[2], QRect(148, 0, 59, 40));
    EXPECT_EQ(r[7], QRect(443, 0, 155, 40));
    EXPECT_EQ(r[15], QRect(443, 40, 155, 40));  // row 1, column 7 (Memo20)
    EXPECT_EQ(r[64], QRect(0, 320, 74, 40));     // row 8 (Memo69)
    EXPECT_EQ(r[66], QRect(148, 320, 450, 40));
    EXPECT_EQ(r[76], QRect(0, 480, 598, 91));    // Memo81
}

TEST(EditorGrid, CellsTileEveryPanel)
{
    const QSize sizes[] = {{598, 571}, {814, 465}, {1153, 700}, {80, 28}, {13, 13}, {1, 1}, {0, 0}};
    const int rowStarts[] = {0, 8, 16, 24, 32, 40, 48, 56, 64, 67, 70, 73, 76, 77};
    for (const QSize& s : sizes) {
        SCOPED_TRACE(QStringLiteral("%1x%2").arg(s.width()).arg(s.height()).toStdString());
        const auto r = gridCellRects(s.width(), s.height());
        const QRect panel(0, 0, s.width(), s.height());
        for (int row = 0; row < 13; ++row) {
            int x = 0;
            for (int i = rowStarts[row]; i < rowStarts[row + 1]; ++i) {
                EXPECT_EQ(r[size_t(i)].left(), x) << "cell " << i;
                EXPECT_GE(r[size_t(i)].width(), 0);
                EXPECT_EQ(r[size_t(i)].top(), r[size_t(rowStarts[row])].top());
                if (!r[size_t(i)].isEmpty()) {
                    EXPECT_TRUE(panel.contains(r[size_t(i)])) << "cell " << i;
                }
                x += r[size_t(i)].width();
            }
            EXPECT_EQ(x, s.width()) << "row " << row;
        }
        EXPECT_EQ(r[76].top() + r[76].height(), s.height());
    }
}
