#include "platform/web_view.h"

#include <QTimer>
#include <QWebEngineFindTextResult>
#include <QWebEngineHistory>
#include <QWebEngineSettings>
#include <QWebEngineView>

namespace platform {

namespace {
constexpr int MaxCrashReloads = 3;
}

WebPage::WebPage(WebView* owner, QObject* parent) : QWebEnginePage(parent), owner_(owner) {}

bool WebPage::acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame)
{
    return owner_ ? owner_->handleNavigation(url, type, isMainFrame) : true;
}

WebView::WebView(QWidget* parent) : Browser(nullptr)
{
    view_ = new QWebEngineView(parent);
    setParent(view_); // dies with its view
    page_ = new WebPage(this, view_);
    QWebEngineSettings* settings = page_->settings();
    settings->setDefaultTextEncoding(QStringLiteral("Shift_JIS"));
    settings->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, true);
    settings->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, true);
    view_->setPage(page_);
    connect(page_, &QWebEnginePage::loadFinished, this, &WebView::onLoadFinished);
    connect(page_, &QWebEnginePage::renderProcessTerminated, this,
            [this](QWebEnginePage::RenderProcessTerminationStatus status, int) {
                onRenderProcessTerminated(status);
            });
}

QWidget* WebView::widget() { return view_; }

// The handler decides by string tests only and must not start a nested
// event loop here: the engine waits for this answer.
// While a redirect is requested the page's url() is still the document
// that asked for the first address, so only a link or form of the main
// frame's document counts as raised by that document.
bool WebView::handleNavigation(const QUrl& url, QWebEnginePage::NavigationType type, bool isMainFrame)
{
    const bool redirect = type == QWebEnginePage::NavigationTypeRedirect;
    NavigationRequest request;
    request.url = navigationText(url);
    request.programInitiated = programNavigation_ && isMainFrame && !redirect;
    if (isMainFrame && !redirect)
        programNavigation_ = false;
    request.sourceUrl = request.programInitiated ? QString() : page_->url().toString();
    request.mainFrame = isMainFrame;
    const bool byDocument = isMainFrame
        && (type == QWebEnginePage::NavigationTypeLinkClicked
            || type == QWebEnginePage::NavigationTypeFormSubmitted);
    request.requesterUnknown = !request.programInitiated && !byDocument;
    const bool cancel = raiseBeforeNavigate(request);
    if (isMainFrame)
        cancelledNavigation_ = cancel;
    return !cancel;
}

void WebView::onLoadFinished(bool ok)
{
    programNavigation_ = false;
    if (!ok && cancelledNavigation_) {
        cancelledNavigation_ = false;
        return;
    }
    cancelledNavigation_ = false;
    raiseDocumentComplete(page_->url().toString());
}

void WebView::onRenderProcessTerminated(QWebEnginePage::RenderProcessTerminationStatus status)
{
    if (status == QWebEnginePage::NormalTerminationStatus || crashReloads_ >= MaxCrashReloads)
        return;
    ++crashReloads_;
    QTimer::singleShot(0, this, [this] {
        programNavigation_ = true;
        page_->triggerAction(QWebEnginePage::Reload);
    });
}

void WebView::navigate(const QString& urlOrPath)
{
    crashReloads_ = 0;
    cancelledNavigation_ = false;
    programNavigation_ = true;
    page_->load(toNavigableUrl(urlOrPath));
}

void WebView::refresh()
{
    cancelledNavigation_ = false;
    programNavigation_ = true;
    page_->triggerAction(QWebEnginePage::Reload);
}

void WebView::stop() { page_->triggerAction(QWebEnginePage::Stop); }
void WebView::goBack() { page_->triggerAction(QWebEnginePage::Back); }
void WebView::goForward() { page_->triggerAction(QWebEnginePage::Forward); }
bool WebView::canGoBack() const { return page_->history()->canGoBack(); }
bool WebView::canGoForward() const { return page_->history()->canGoForward(); }
QString WebView::locationUrl() const { return page_->url().toString(); }

void WebView::runScript(const QString& script, ScriptResult done)
{
    page_->runJavaScript(script, [done](const QVariant& result) {
        if (done)
            done(result);
    });
}

void WebView::findText(const QString& text, std::function<void(bool found)> done)
{
    page_->findText(text, {}, [done](const QWebEngineFindTextResult& result) {
        if (done)
            done(result.numberOfMatches() > 0);
    });
}

} // namespace platform
