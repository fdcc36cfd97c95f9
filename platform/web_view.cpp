#include "platform/web_view.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QTimer>
#include <QWebEngineLoadingInfo>
#include <QWebEngineHistory>
#include <QWebEngineSettings>
#include <QWebEngineView>

namespace platform {

namespace {
constexpr int MaxCrashReloads = 3;

} // namespace

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
    connect(page_, &QWebEnginePage::loadingChanged, this, [this](const QWebEngineLoadingInfo& info) {
        if (info.status() == QWebEngineLoadingInfo::LoadStoppedStatus)
            stoppedLoad_ = true;
        else if (info.status() == QWebEngineLoadingInfo::LoadStartedStatus)
            stoppedLoad_ = false;
    });
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
// An address loaded by the view itself (only navigate() does so), a step
// through the history and a reload show a page: they follow no link, even
// when a second navigate() overtook the first before the engine asked.
bool WebView::handleNavigation(const QUrl& url, QWebEnginePage::NavigationType type, bool isMainFrame)
{
    const bool redirect = type == QWebEnginePage::NavigationTypeRedirect;
    const bool showsAgain = type == QWebEnginePage::NavigationTypeTyped
        || type == QWebEnginePage::NavigationTypeBackForward || type == QWebEnginePage::NavigationTypeReload;
    NavigationRequest request;
    request.url = navigationText(url);
    request.programInitiated = isMainFrame && !redirect && (programNavigation_ || showsAgain);
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

// A load that was stopped or superseded ends with ok == false while url()
// may still name it: that page is not the one being shown, so it completes
// nothing.
// A load that ends while the program's own navigation is still to be
// requested began before it: it completes nothing, and the request to come
// is still the program's.
void WebView::onLoadFinished(bool ok)
{
    if (programNavigation_)
        return;
    const bool abandoned = !ok && (cancelledNavigation_ || stoppedLoad_);
    cancelledNavigation_ = false;
    stoppedLoad_ = false;
    if (abandoned)
        return;
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
    stoppedLoad_ = false;
    programNavigation_ = true;
    page_->load(toNavigableUrl(urlOrPath));
}

void WebView::refresh()
{
    cancelledNavigation_ = false;
    programNavigation_ = true;
    page_->triggerAction(QWebEnginePage::Reload);
}

void WebView::stop()
{
    stoppedLoad_ = page_->isLoading();
    page_->triggerAction(QWebEnginePage::Stop);
}
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

// Every find starts afresh from the top of the document and selects the
// match (the engine's own find would go on from its last match and pass
// over an earlier one).
void WebView::findText(const QString& text, std::function<void(bool found)> done)
{
    const QString quoted = QString::fromUtf8(QJsonDocument(QJsonArray{text}).toJson(QJsonDocument::Compact));
    const QString script = QStringLiteral(
        "(function(t){var s=window.getSelection();s.removeAllRanges();window.scrollTo(0,0);"
        "if(!t||!window.find(t,false,false,false))return false;"
        "var n=s.rangeCount?s.getRangeAt(0).startContainer:null;"
        "var e=n&&n.nodeType===1?n:(n?n.parentElement:null);if(e)e.scrollIntoView();return true;})(%1[0])")
                               .arg(quoted);
    page_->runJavaScript(script, [done](const QVariant& found) {
        if (done)
            done(found.toBool());
    });
}

} // namespace platform
