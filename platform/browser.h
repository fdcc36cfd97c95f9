#pragma once
// A browser view as the windows see it: navigate, refresh, stop, back and
// forward, the current location, the before-navigate and document-complete
// events, and asynchronous reading of the loaded document. WebView (over
// QWebEngineView) is the real one; FakeBrowser records navigations and lets
// tests raise the events without a browser engine.

#include <QObject>
#include <QString>
#include <QUrl>
#include <QVariant>
#include <functional>

class QWidget;

namespace platform {

struct NavigationRequest {
    QString url;          // the handler's text (navigationText of the QUrl)
    QString sourceUrl;    // location of the page that raised it ("" for our own)
    // The view shows a page rather than following a link: the program's own
    // navigate() or refresh(), or a step back or forward through its history.
    bool programInitiated = false;
    bool mainFrame = true;
    // No document of the top frame raised it by a link or a form: a server's
    // redirect, a refresh, a frame's navigation or one of unknown origin.
    // Such a request has the trust of a web page, whatever its address.
    bool requesterUnknown = false;
};

class Browser : public QObject {
    Q_OBJECT
public:
    using BeforeNavigate = std::function<bool(const NavigationRequest&)>; // true = cancel
    using DocumentComplete = std::function<void(const QString& url)>;
    using ScriptResult = std::function<void(const QVariant&)>;

    explicit Browser(QObject* parent = nullptr) : QObject(parent) {}
    ~Browser() override = default;

    virtual QWidget* widget() = 0; // nullptr for the stand-in
    virtual void navigate(const QString& urlOrPath) = 0; // file path, file: URL or web URL
    virtual void refresh() = 0;
    virtual void stop() = 0;
    virtual void goBack() = 0;
    virtual void goForward() = 0;
    virtual bool canGoBack() const = 0;
    virtual bool canGoForward() const = 0;
    virtual QString locationUrl() const = 0;
    // Runs script in the loaded document; result arrives later on the GUI thread.
    virtual void runScript(const QString& script, ScriptResult done = {}) = 0;
    // Finds text in the document and scrolls it into view (find-in-page).
    virtual void findText(const QString& text, std::function<void(bool found)> done = {}) = 0;
    void setBeforeNavigate(BeforeNavigate h) { beforeNavigate_ = std::move(h); }
    void setDocumentComplete(DocumentComplete h) { documentComplete_ = std::move(h); }

protected:
    bool raiseBeforeNavigate(const NavigationRequest& r) { return beforeNavigate_ ? beforeNavigate_(r) : false; }
    void raiseDocumentComplete(const QString& url) { if (documentComplete_) documentComplete_(url); }

private:
    BeforeNavigate beforeNavigate_;
    DocumentComplete documentComplete_;
};

// The text that the link handler works on, from a navigation URL: UTF-8 byte
// escapes and %22 %3C %3E %60 %7B %7D decoded, every other escape kept.
QString navigationText(const QUrl& url);
// A navigable URL for a file path, a file: URL or a web address.
QUrl toNavigableUrl(const QString& urlOrPath);
// text as a script string literal (JSON-escaped, with its quotes), for
// passing texts into runScript safely.
QString scriptString(const QString& text);

// Creates the views the windows use: real ones unless a factory was
// installed (tests and benchmarks install one that makes stand-ins).
using BrowserFactory = std::function<Browser*(QWidget* parent)>;
Browser* createBrowser(QWidget* parent);
// An empty factory restores the real views.
void setBrowserFactory(BrowserFactory factory);

} // namespace platform
