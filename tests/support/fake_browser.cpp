#include "support/fake_browser.h"

#include <QWidget>

namespace platform {

FakeBrowser::FakeBrowser(QObject* parent) : Browser(parent) {}

void FakeBrowser::record(const QString& kind, const QString& url)
{
    calls.append(Call{kind, url});
}

// Before-navigate, then document-complete unless the handler cancelled.
bool FakeBrowser::loadWithEvents(const QString& url)
{
    if (!autoEvents)
        return true;
    NavigationRequest request;
    request.url = url;
    request.programInitiated = true;
    if (raiseBeforeNavigate(request))
        return false;
    raiseDocumentComplete(url);
    return true;
}

void FakeBrowser::navigate(const QString& urlOrPath)
{
    record(QStringLiteral("navigate"), urlOrPath);
    const QString url = toNavigableUrl(urlOrPath).toString();
    if (autoEvents) {
        NavigationRequest request;
        request.url = url;
        request.programInitiated = true;
        if (raiseBeforeNavigate(request))
            return;
    }
    history = history.mid(0, historyIndex + 1);
    history.append(url);
    historyIndex = int(history.size()) - 1;
    if (autoEvents)
        raiseDocumentComplete(url);
}

void FakeBrowser::refresh()
{
    record(QStringLiteral("refresh"), locationUrl());
    if (historyIndex >= 0)
        loadWithEvents(locationUrl());
}

void FakeBrowser::stop()
{
    record(QStringLiteral("stop"), locationUrl());
}

void FakeBrowser::goBack()
{
    record(QStringLiteral("back"), locationUrl());
    if (canGoBack()) {
        --historyIndex;
        loadWithEvents(locationUrl());
    }
}

void FakeBrowser::goForward()
{
    record(QStringLiteral("forward"), locationUrl());
    if (canGoForward()) {
        ++historyIndex;
        loadWithEvents(locationUrl());
    }
}

bool FakeBrowser::canGoBack() const { return historyIndex > 0; }
bool FakeBrowser::canGoForward() const { return historyIndex + 1 < history.size(); }

QString FakeBrowser::locationUrl() const
{
    return historyIndex >= 0 && historyIndex < history.size() ? history.at(historyIndex) : QString();
}

void FakeBrowser::runScript(const QString& script, ScriptResult done)
{
    scripts.append(script);
    const QVariant result = scriptAnswer ? scriptAnswer(script) : scriptResult;
    if (done)
        done(result);
}

void FakeBrowser::findText(const QString& text, std::function<void(bool found)> done)
{
    finds.append(text);
    const bool found = findAnswer ? findAnswer(text) : findResult;
    if (done)
        done(found);
}

bool FakeBrowser::raiseNavigation(const QString& url, const QString& sourceUrl,
                                  bool programInitiated, bool mainFrame)
{
    NavigationRequest request;
    request.url = url;
    request.sourceUrl = sourceUrl;
    request.programInitiated = programInitiated;
    request.mainFrame = mainFrame;
    // As the real view: a frame's navigation has no known requester.
    request.requesterUnknown = !programInitiated && !mainFrame;
    return raiseBeforeNavigate(request);
}

void FakeBrowser::completeDocument(const QString& url)
{
    raiseDocumentComplete(url.isEmpty() ? locationUrl() : url);
}

QStringList FakeBrowser::navigated() const
{
    QStringList urls;
    for (const Call& call : calls) {
        if (call.kind == QLatin1String("navigate"))
            urls.append(call.url);
    }
    return urls;
}

} // namespace platform

namespace platform {

void useFakeBrowsers(bool on)
{
    if (on)
        setBrowserFactory([](QWidget* parent) -> Browser* { return new FakeBrowser(static_cast<QObject*>(parent)); });
    else
        setBrowserFactory({});
}

} // namespace platform
