// The choice of view by address and extension.
#include "viewer/page_display.h"

#include <gtest/gtest.h>

using namespace viewer;

TEST(PageView, WebAddressesAnyCaseGoToTheBrowser)
{
    EXPECT_EQ(chooseView("https://example.com/movie.mp4", ".mp4"), PageView::Browser);
    EXPECT_EQ(chooseView("Http://example.com/", ""), PageView::Browser);
}

TEST(PageView, FilesByExtension)
{
    EXPECT_EQ(chooseView("/d/a.html", ".html"), PageView::Browser);
    EXPECT_EQ(chooseView("/d/a.htm", ".htm"), PageView::Browser);
    EXPECT_EQ(chooseView("/d/a.txt", ".txt"), PageView::Browser);
    EXPECT_EQ(chooseView("/d/a.pdf", ".pdf"), PageView::Browser);
    EXPECT_EQ(chooseView("/d/a.jtd", ".jtd"), PageView::Browser);
    for (const char* e : {".mp4", ".doc", ".xls", ".zbx", ""})
        EXPECT_EQ(chooseView("/d/a", e), PageView::External) << e;
    for (const char* e : {".bmp", ".jpeg", ".jpg", ".png", ".gif"})
        EXPECT_EQ(chooseView("/d/a", e), PageView::Picture) << e;
}

TEST(PageView, ExtensionIsLowerCasedAndTakenAfterTheLastSlash)
{
    EXPECT_EQ(lowerExtension("/d/Photo.JPG"), QStringLiteral(".jpg"));
    EXPECT_EQ(lowerExtension("/d.x/name"), QString());
    EXPECT_EQ(lowerExtension("/d/a.b.HTML"), QStringLiteral(".html"));
    EXPECT_TRUE(offersPosting(".html"));
    EXPECT_FALSE(offersPosting(".htm"));
    EXPECT_FALSE(offersPosting(".txt"));
}
