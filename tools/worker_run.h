#pragma once
// Long work (renaming a folder of thousands of pages) done on a worker thread
// while the window keeps answering: its thread only paints and shows a
// progress window once the work has taken a moment. Questions the work must
// ask go through onWindowThread, so every box still comes from the seam on
// the window's thread.

#include <QString>
#include <atomic>
#include <functional>

namespace tools {

// Runs work(done) on a worker thread and returns when it is over; done
// counts the steps of total that are finished. Input to the windows waits
// meanwhile (the progress window has no button: the work must not stop half-way).
void runOffTheWindowThread(const QString& label, int total, const std::function<void(std::atomic<int>& done)>& work);

// Runs f on the window's thread and waits for it (directly when called there).
void onWindowThread(const std::function<void()>& f);

} // namespace tools
