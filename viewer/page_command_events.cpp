// Binds the main window's events whose handlers belong to the page commands.

#include "viewer/main_window.h"

#include "platform/browser.h"
#include "platform/controls.h"
#include "store/log.h"

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
                qCWarning(lcPagora) << "deciding the navigation to" << r.url << "failed:" << store::log::currentException();
                return false;
            }
        });
    }
    if (WebBrowser1)
        WebBrowser1->setDocumentComplete([this](const QString& url) {
            try {
                WebBrowser1DocumentComplete(url);
            } catch (...) {
                qCWarning(lcPagora) << "handling the loaded page" << url << "failed:" << store::log::currentException();
            }
        });
    if (WebBrowser2)
        WebBrowser2->setDocumentComplete([this](const QString& url) {
            try {
                WebBrowser2DocumentComplete(url);
            } catch (...) {
                qCWarning(lcPagora) << "handling the lower loaded page" << url << "failed:" << store::log::currentException();
            }
        });
    Timer1->onTimer = [this] { Timer1Timer(); };
    Image6->onClick = [this] { Image6Click(); };
    Image7->onClick = [this] { Image7Click(); };
    DirectoryListBox1->onClick = [this] { DirectoryListBox1Click(); };
}
