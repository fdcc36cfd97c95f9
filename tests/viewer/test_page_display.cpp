// The choice of view by address and extension.
#include "viewer/page_display.h"

#include <gtest/gtest.h>

using namespace viewer;

TEST(PageView, WebAddressesInAnyCaseGoToTheBrowser)
{
    EXPECT_EQ(chooseView("https://example.com/movie.mp4", ".mp4"), PageView::Browser);
    EXPECT_EQ(chooseView("Http://example.com/a.jpg", ".jpg"), PageView::Browser);
}

TEST(PageView, FilesByLowerCasedExtension)
{
    for (const char* e : {".html", ".htm", ".txt", ".pdf", ".jtd", ".mht"})
        EXPECT_EQ(chooseView("/d/a", e), PageView::Browser) << e;
    for (const char* e : {".mp4", ".doc", ".xls", ".zbx", ""})
        EXPECT_EQ(chooseView("/d/a", e), PageView::External) << e;
    EXPECT_EQ(chooseView("/d/Photo.JPG", lowerExtension("/d/Photo.JPG")), PageView::Picture);
    EXPECT_EQ(lowerExtension("/d.x/name"), QString()); // a dot in a folder is no extension
    EXPECT_TRUE(offersPosting(".html"));
    EXPECT_FALSE(offersPosting(".htm"));
}
