#pragma once
// Waiting until the main window's document-complete handler has shown a page.
// A page-button press clears LastDocumentUrl and the handler sets it when it
// takes a completed page (for a local page it writes the caption and the
// counter Panel7 in the same run), so a 1 ms poll of it marks the moment the page counts as shown
// without touching the window's own event wiring.
#include "platform/browser.h"
#include "viewer/main_window.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <QWebEngineView>
#include <algorithm>
#include <functional>
#include <vector>

namespace bench {

inline bool pageShown(const TForm1& w)
{
    return !w.LastDocumentUrl.isEmpty();
}

// Calls done(true) once pageShown(w), or done(false) when timeoutMs passed
// first; the 1 ms poll runs in whatever event loop is running.
inline void watchPageShown(const TForm1& w, int timeoutMs, std::function<void(bool shown)> done)
{
    auto* poll = new QTimer;
    poll->setTimerType(Qt::PreciseTimer);
    poll->setInterval(1);
    QElapsedTimer clock;
    clock.start();
    QObject::connect(poll, &QTimer::timeout, [poll, &w, clock, timeoutMs, done] {
        const bool shown = pageShown(w);
        if (!shown && clock.elapsed() < timeoutMs)
            return;
        poll->stop();
        poll->deleteLater();
        done(shown);
    });
    poll->start();
}

// Runs the event loop until pageShown(w) or timeoutMs passed; false on a time-out.
inline bool waitForPageShown(const TForm1& w, int timeoutMs)
{
    QEventLoop loop;
    bool result = false;
    watchPageShown(w, timeoutMs, [&](bool shown) {
        result = shown;
        loop.quit();
    });
    loop.exec();
    return result;
}

// Shows the main window and waits for its first page with the real engine;
// nullptr when it was shown, else why not (for SkipWithError).
inline const char* showFirstPage(TForm1& w, int timeoutMs)
{
    w.ShutdownPauseMs = 0;
    w.show();
    if (!qobject_cast<QWebEngineView*>(w.WebBrowser1->widget()))
        return "no browser engine";
    if (!waitForPageShown(w, timeoutMs))
        return "the first page did not complete";
    return nullptr;
}

// Median, least and greatest of samples (all 0 when there are none).
struct Spread {
    double median = 0, min = 0, max = 0;
};
inline Spread spreadOf(std::vector<double> samples)
{
    if (samples.empty())
        return {};
    std::sort(samples.begin(), samples.end());
    const size_t n = samples.size();
    const double median = n % 2 ? samples[n / 2] : (samples[n / 2 - 1] + samples[n / 2]) / 2;
    return {median, samples.front(), samples.back()};
}

} // namespace bench
