// Binds the main window's events whose handlers belong to the page commands.

#include "viewer/main_window.h"

#include "platform/browser.h"
#include "platform/controls.h"

void TForm1::bindPageCommandEvents()
{
    for (platform::Browser* view : {WebBrowser1, WebBrowser2}) {
        if (!view)
            continue;
        view->setBeforeNavigate([this, view](const platform::NavigationRequest& r) {
            try {
                return WebBrowser1BeforeNavigate2(view, r.url, r.sourceUrl, r.programInitiated,
                                                  r.requesterUnknown);
            } catch (...) {
                return false;
            }
        });
    }
    if (WebBrowser1)
        WebBrowser1->setDocumentComplete([this](const QString& url) {
            try {
                WebBrowser1DocumentComplete(url);
            } catch (...) {
            }
        });
    if (WebBrowser2)
        WebBrowser2->setDocumentComplete([this](const QString& url) {
            try {
                WebBrowser2DocumentComplete(url);
            } catch (...) {
            }
        });
    Timer1->onTimer = [this] { Timer1Timer(); };
    Image6->onClick = [this] { Image6Click(); };
    Image7->onClick = [this] { Image7Click(); };
    DirectoryListBox1->onClick = [this] { DirectoryListBox1Click(); };
}
