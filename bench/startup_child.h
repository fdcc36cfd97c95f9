#pragma once
// One cold start of the program in a process of its own, for bench_startup:
// the browser engine starts once per process, so only a fresh process shows
// what a person waits for after launching the program.
#include <QtGlobal>

namespace bench {

inline constexpr char kChildFlag[] = "--child";
inline constexpr int kChildTimeoutMs = 60000;
// Set to "1" by the parent, which has pointed HOME and XDG_* at a temporary
// folder; without it the child refuses to run (it would write into a home).
inline constexpr char kChildMarker[] = "PAGORA_BENCH_CHILD";

// Nanoseconds on the system-wide monotonic clock, comparable across processes.
qint64 monotonicNs();

// argv: <program> --child <exe-path> <t0>. Runs the program's start-up for the
// executable exe-path (its data root is exe-path.data) and, once the main
// browser's first document-complete has been handled, prints one line
//   first_page_ms=<ms> application_ms=<ms> windows_ms=<ms> counter=<Panel7>
// with the times since t0 (monotonicNs of the parent just before it started
// the child), closes the program and returns 0. With PAGORA_BENCH_PHASES=1
// the start-up steps are run one by one and the line also carries, before
// counter=, the time after each: fonts_ms splash_ms main_window_ms created_ms
// shown_ms load_started_ms (the main view's loadStarted). Prints "timeout" and returns 3
// when no page was shown within kChildTimeoutMs, and 4 when the page shown
// first was not the data root's first page.
int runStartupChild(int argc, char** argv);

// The yardstick for the cold start: the least a program can do to show the
// same page, one bare browser view and nothing else.
inline constexpr char kBareFlag[] = "--bare";
// argv: <program> --bare <page-path> <t0>. Same window-system preparation and
// application object as the program, then one QWebEngineView on page-path;
// at its first loadFinished prints one line
//   bare_page_ms=<ms> application_ms=<ms> window_ms=<ms> ok=<0|1>
// (times since t0) and returns 0; "timeout" and 3 when nothing finished
// within kChildTimeoutMs.
int runBareViewChild(int argc, char** argv);

} // namespace bench
