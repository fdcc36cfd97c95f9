// The order dialog's third button: its caption is drawn whole, "_" included.
#include "tools/forms/form5.h"

#include <QImage>

#include <gtest/gtest.h>

namespace {

// The lowest row of the button image holding a dark pixel, -1 when none.
int lowestInkRow(platform::SpeedButton& b, const QString& caption)
{
    b.setCaption(caption);
    const QImage image = b.grab().toImage();
    for (int y = image.height() - 3; y >= 2; --y) // inside the button's frame
        for (int x = 2; x < image.width() - 2; ++x)
            if (qGray(image.pixel(x, y)) < 100)
                return y;
    return -1;
}

} // namespace

TEST(OrderDialog, TheUnderscoreBetweenKanjiIsDrawn)
{
    TForm5 f;
    EXPECT_EQ(f.SpeedButton1->caption(), QStringLiteral("順番数字_　の削除"));
    const int withUnderscore = lowestInkRow(*f.SpeedButton1, QStringLiteral("順番数字_　の削除"));
    const int without = lowestInkRow(*f.SpeedButton1, QStringLiteral("順番数字　の削除"));
    ASSERT_GT(without, 0);
    EXPECT_GT(withUnderscore, without); // the "_" sits below the kanji
}
