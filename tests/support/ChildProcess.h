// Runs test code in a forked child, to see what a full disk or a kill in the
// middle of a save does to the files it writes. The child shares the parent's
// memory image and ends with _exit, so nothing of the parent's runs twice.
#pragma once

#include <chrono>
#include <csignal>
#include <functional>
#include <pwd.h>
#include <sys/resource.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace orvextest {

// Runs body in a child and gives its result (-1 when the child did not end
// normally). With fileSizeLimit > 0 the child cannot write any file past that
// many bytes, as on a full disk: such writes fail (EFBIG) instead of raising a
// signal.
inline int runInChild(const std::function<int()>& body, long fileSizeLimit = 0) {
    const pid_t pid = ::fork();
    if (pid == 0) {
        if (fileSizeLimit > 0) {
            std::signal(SIGXFSZ, SIG_IGN);
            const rlimit limit{static_cast<rlim_t>(fileSizeLimit),
                               static_cast<rlim_t>(fileSizeLimit)};
            ::setrlimit(RLIMIT_FSIZE, &limit);
        }
        ::_exit(body() & 0xff);
    }
    int status = 0;
    if (pid < 0 || ::waitpid(pid, &status, 0) != pid || !WIFEXITED(status))
        return -1;
    return WEXITSTATUS(status);
}

// Runs body in a child as the ordinary user nobody when the test runs as
// root, who passes over permission bits (as the test's user otherwise), and
// gives its result; 100 when the child cannot become that user.
inline int runAsOrdinaryUser(const std::function<int()>& body) {
    const passwd* nobody = ::getpwnam("nobody");
    const bool asRoot = ::geteuid() == 0;
    return runInChild([&] {
        if (asRoot && (!nobody || ::setgid(nobody->pw_gid) != 0 || ::setuid(nobody->pw_uid) != 0))
            return 100;
        return body();
    });
}

// Starts body in a child, lets it run for the given time, then kills it
// (SIGKILL: no clean-up of any kind) and waits for it.
inline void killChildAfter(const std::function<void()>& body, std::chrono::microseconds delay) {
    const pid_t pid = ::fork();
    if (pid == 0) {
        body();
        ::_exit(0);
    }
    if (pid < 0)
        return;
    std::this_thread::sleep_for(delay);
    ::kill(pid, SIGKILL);
    int status = 0;
    ::waitpid(pid, &status, 0);
}

} // namespace orvextest
