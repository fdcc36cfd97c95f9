#pragma once
// The real browser view: a QWebEngineView whose page hands every navigation
// to the before-navigate handler and reports finished loads as
// document-complete. Pages without a declared charset are read as
// Shift_JIS, local pages may read local files and show pictures from web
// addresses (web pages never read local files), a redirect, refresh or
// frame navigation is marked as raised by no known local document, and a
// crashed page process is reloaded (three times at most). Who raised a link,
// form or script aimed at the top frame is told by its address, not here: the
// engine lets no web document ask for a file: address.

#include "platform/browser.h"

#include <QPointer>
#include <QWebEnginePage>

class QWebEngineView;

namespace platform {

class WebView;

// Hands navigation requests to its view's handler; decides at once.
class WebPage : public QWebEnginePage {
    Q_OBJECT
public:
    WebPage(WebView* owner, QObject* parent);

protected:
    bool acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) override;

private:
    QPointer<WebView> owner_;
};

class WebView : public Browser {
    Q_OBJECT
public:
    // The view becomes a child of parent; this object lives as long as it.
    explicit WebView(QWidget* parent);

    QWidget* widget() override;
    void navigate(const QString& urlOrPath) override;
    void refresh() override;
    void stop() override;
    void goBack() override;
    void goForward() override;
    bool canGoBack() const override;
    bool canGoForward() const override;
    QString locationUrl() const override;
    void runScript(const QString& script, ScriptResult done = {}) override;
    void findText(const QString& text, std::function<void(bool found)> done = {}) override;

    QWebEnginePage* page() const { return page_; }

private:
    friend class WebPage;
    bool handleNavigation(const QUrl& url, QWebEnginePage::NavigationType type, bool isMainFrame);
    void onLoadFinished(bool ok);
    void onRenderProcessTerminated(QWebEnginePage::RenderProcessTerminationStatus status);

    QPointer<QWebEngineView> view_;
    WebPage* page_ = nullptr;
    bool programNavigation_ = false; // navigate()/refresh() not yet requested
    bool cancelledNavigation_ = false; // the handler cancelled the last request
    bool stoppedLoad_ = false; // the load in progress was stopped or superseded
    int crashReloads_ = 0;
};

} // namespace platform
