// With the real browser engine: a quiz page is shown, its command link is
// clicked in the page, the counter changes and the lower pane is asked to
// find the feedback mark.
#include "support/real_engine_root.h"
#include "support/write_bounds.h"
#include "platform/browser.h"
#include "support/fake_browser.h"
#include "platform/seam.h"
#include "support/wait_for.h"
#include "store/files.h"
#include "viewer/main_window.h"

#include <QDir>
#include <QUrl>
#include <gtest/gtest.h>

namespace {

constexpr int WaitMs = EngineWaitMs;

const char* kQuizPage =
    "<html><head><meta charset=\"utf-8\"></head><body>"
    "<p>問題 【△】</p><a id=\"q\" href=\"/$-1,$<-1[_【×】][_【△】]\">答え</a>"
    "</body></html>";

} // namespace

TEST(BrowserQuizLink, ClickedCommandLinkCountsAndFindsTheFeedback)
{
    RealEngineRoot data;
    ASSERT_TRUE(data.isValid());
    const QString root = data.root();
    ASSERT_TRUE(files::writeBytes(files::joinPath(root, "0010_quiz.html"), kQuizPage, tempBounds()));

    TForm1 w(data.exePath());
    w.ShutdownPauseMs = 0;
    // The lower pane is watched through a stand-in; the page itself is real.
    auto* lower = new platform::FakeBrowser(&w);
    w.WebBrowser2 = lower;
    w.show();
    ASSERT_EQ(w.PBan(), 0);

    const QString quizUrl = QUrl::fromLocalFile(files::joinPath(root, "0010_quiz.html")).toString();
    ASSERT_TRUE(waitFor([&] { return w.caption() == quizUrl && !lower->navigated().isEmpty(); }, WaitMs))
        << "caption: " << w.caption().toStdString();
    EXPECT_EQ(lower->navigated().first(), w.ShownUrl); // the quiz's feedback pane
    EXPECT_EQ(w.PageCounter, 0);

    w.WebBrowser1->runScript("document.getElementById('q').click();");
    ASSERT_TRUE(waitFor([&] { return w.PageCounter == -1 && !lower->finds.isEmpty(); }, WaitMs));
    EXPECT_EQ(lower->finds.first(), "【△】");
    EXPECT_EQ(w.PBan(), 0);
    w.close();
}
