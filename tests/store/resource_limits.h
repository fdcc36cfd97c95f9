#pragma once
// Runs a step under a tight process limit, so that writes fail the way a
// full disk or an exhausted system makes them fail, even for root.
#include <csignal>
#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

// Files cannot grow past `bytes` while step runs (a disk that fills up
// midway); the signal that would end the process is ignored meanwhile.
template <class Step>
void withFileSizeLimit(rlim_t bytes, Step step)
{
    rlimit saved{};
    ::getrlimit(RLIMIT_FSIZE, &saved);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit tight = saved;
    tight.rlim_cur = bytes;
    const bool limited = ::setrlimit(RLIMIT_FSIZE, &tight) == 0;
    step(limited);
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);
}

// No new file can be opened while step runs: every descriptor below the
// limit is taken (a temporary file for a save cannot be made).
template <class Step>
void withoutFreeDescriptors(Step step)
{
    const int lowestFree = ::open("/dev/null", O_RDONLY | O_CLOEXEC);
    ::close(lowestFree);
    rlimit saved{};
    ::getrlimit(RLIMIT_NOFILE, &saved);
    rlimit none = saved;
    none.rlim_cur = rlim_t(lowestFree);
    const bool limited = lowestFree >= 0 && ::setrlimit(RLIMIT_NOFILE, &none) == 0;
    step(limited);
    ::setrlimit(RLIMIT_NOFILE, &saved);
}
