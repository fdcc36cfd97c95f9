#pragma once
// Long work of the search window off the thread that asked for it: the
// asking thread keeps handling its events (its windows repaint, timers run,
// progress shows) until the work is done.

#include <functional>

namespace tools {

// Runs work on a thread of its own and returns when it is done, passing on
// anything it threw. Meanwhile the calling thread handles its events and
// calls tick about every 30 ms, and once more at the end.
void runAside(const std::function<void()>& work, const std::function<void()>& tick);

} // namespace tools
