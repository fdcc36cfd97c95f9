// With the real browser engine: pages whose file names hold "$" are shown as
// pages at start-up and from their page buttons; nothing of their names runs,
// nothing starts, nothing is written.
#include "platform/browser.h"
#include "platform/controls.h"
#include "platform/seam.h"
#include "support/wait_for.h"
#include "viewer/main_window.h"
#include "viewer/real_window_fixture.h"

#include <QFileInfo>

#include <gtest/gtest.h>

namespace {

constexpr int WaitMs = EngineWaitMs;

class BrowserDollarNames : public RealWindowTest {
protected:
    // Waits until the page view has shown name and its load has completed.
    bool shows(const QString& name)
    {
        const QString address = url(name);
        const bool ok = waitFor([&] {
            return w->WebBrowser1->locationUrl() == address && w->caption() == address
                && w->LastDocumentUrl == address;
        }, WaitMs);
        if (!ok)
            ADD_FAILURE() << "shows " << w->WebBrowser1->locationUrl().toStdString() << " caption "
                          << w->caption().toStdString() << " instead of " << address.toStdString();
        return ok;
    }
    void expectNothingRan()
    {
        waitMs(300); // anything queued after the load would have run by now
        EXPECT_FALSE(QFileInfo::exists(inRoot("pwned.txt")));
        for (const platform::SeamEvent& e : platform::events())
            EXPECT_NE(e.kind, "start") << e.text.toStdString();
    }
};

} // namespace

TEST_F(BrowserDollarNames, ShownPagesNeverRunTheirNames)
{
    const QString first = QStringLiteral("index$file:python3 .p.py,.html");
    const QString second = QStringLiteral("index$JS pwned.txt a=1,.html");
    put(first, "<html><body>first</body></html>");
    put(second, "<html><body>second</body></html>");
    put(".p.py", "open('ran', 'w')\n");
    platform::clearEvents();
    start();
    ASSERT_TRUE(shows(first));
    platform::MouseArgs left;
    left.button = Qt::LeftButton;
    w->PageButtonMouseDown(1, w->PageButtonGeneration, left);
    ASSERT_TRUE(shows(second));
    w->PageButtonMouseDown(0, w->PageButtonGeneration, left);
    ASSERT_TRUE(shows(first));
    expectNothingRan();
}
