// The system calls of the table's saves, each made through one hook that a test may set to make
// that call fail, or to act at that moment as another process or a crash would.
#pragma once

#include <cerrno>
#include <functional>

namespace syscalls {

// Told each call's name before the call; a non-zero errno it returns makes the call fail with
// that error instead of being made. Unset in the game.
inline std::function<int(const char* call)> hook;

template <class Call>
auto made(const char* name, Call&& call) -> decltype(call()) {
    if (hook)
        if (const int error = hook(name)) {
            errno = error;
            return -1;
        }
    return call();
}

}  // namespace syscalls
