#pragma once
// Work done by several processes at once, for what two instances of the
// program on one data root do to the same files. The children start together
// (they wait at a gate the parent opens once all exist) and end without
// running the test program's exit handlers.

#include <functional>
#include <vector>

#include <sys/wait.h>
#include <unistd.h>

// Runs work(index) in count child processes at once; true when every child
// returned true.
inline bool runInProcesses(int count, const std::function<bool(int index)>& work)
{
    int gate[2];
    if (::pipe(gate) != 0)
        return false;
    std::vector<pid_t> children;
    for (int i = 0; i < count; ++i) {
        const pid_t pid = ::fork();
        if (pid == 0) {
            ::close(gate[1]);
            char c;
            while (::read(gate[0], &c, 1) > 0) {
            } // the parent's close opens the gate for all at once
            ::_exit(work(i) ? 0 : 1);
        }
        if (pid > 0)
            children.push_back(pid);
    }
    ::close(gate[0]);
    ::close(gate[1]);
    bool ok = int(children.size()) == count;
    for (const pid_t pid : children) {
        int status = 0;
        ok = ::waitpid(pid, &status, 0) == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0 && ok;
    }
    return ok;
}
