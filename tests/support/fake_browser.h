#pragma once
// A browser view without a browser engine, for tests: it records every
// navigate/refresh/stop/back/forward call, keeps a history, lets the test
// raise the before-navigate and document-complete events, and answers
// scripts and finds from values the test sets. Answers come at once (inside
// the runScript/findText call), not later as the real view's do.

#include "platform/browser.h"

#include <QList>
#include <QStringList>

namespace platform {

class FakeBrowser : public Browser {
    Q_OBJECT
public:
    struct Call {
        QString kind; // "navigate", "refresh", "stop", "back", "forward"
        QString url;  // the navigate argument, else the location at the call
    };

    explicit FakeBrowser(QObject* parent = nullptr);

    QWidget* widget() override { return nullptr; }
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

    // Raises before-navigate as a click in the page would; returns the cancel.
    bool raiseNavigation(const QString& url, const QString& sourceUrl = QString(),
                         bool programInitiated = false, bool mainFrame = true);
    // Raises document-complete with url, or with the location when url is "".
    void completeDocument(const QString& url = QString());
    // The arguments of the navigate calls, in order.
    QStringList navigated() const;

    QList<Call> calls;
    QStringList history;   // locations visited, as URL texts
    int historyIndex = -1; // current entry of history
    // When set, navigate() and refresh() raise before-navigate (as the
    // program's own navigation) and, unless cancelled, document-complete.
    bool autoEvents = false;

    QStringList scripts; // scripts run, in order
    QVariant scriptResult;
    std::function<QVariant(const QString& script)> scriptAnswer; // wins over scriptResult
    QStringList finds;   // texts searched, in order
    bool findResult = false;
    std::function<bool(const QString& text)> findAnswer;         // wins over findResult

private:
    void record(const QString& kind, const QString& url);
    bool loadWithEvents(const QString& url);
};

// Installs (on) or removes (off) the factory that makes every browser view
// of the windows a FakeBrowser.
void useFakeBrowsers(bool on);

} // namespace platform
