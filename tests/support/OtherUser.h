#pragma once

#include <functional>

#include <sys/wait.h>
#include <unistd.h>

// Runs `body` in a forked child as an ordinary account, so that file
// permissions bind it: the superuser drops to "nobody" (65534), anyone else
// stays who they are. Returns what the body returned, or -1 when the child
// did not end normally.
inline int AsOtherUser(const std::function<int()>& body) {
    const pid_t child = ::fork();
    if (child == 0) {
        if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) {
            ::_exit(99);
        }
        ::_exit(body());
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Whether the tests run as the superuser, who may change owners.
inline bool Superuser() {
    return ::geteuid() == 0;
}
