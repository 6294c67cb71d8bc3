// A whole replay script from a stream: one JSON line out per event, the first fault stops it.
#pragma once

#include <cstddef>
#include <iosfwd>

#include "ReplaySession.h"

// Exit statuses of a replay.
namespace replay {
constexpr int kDone = 0;
constexpr int kFailed = 1;    // the program itself failed (a fault in the engine)
constexpr int kBadLine = 2;   // a line that cannot be run
constexpr int kAfterEnd = 3;  // a line after the program has ended

constexpr std::size_t kMaxLineBytes = 1 << 20;  // a longer line is refused
constexpr std::size_t kMaxEchoBytes = 300;      // what a message quotes of a line, at most
}  // namespace replay

// Reads the script to its end and returns the exit status. Errors go to `errors` as
// "tessaro-replay: line N: MESSAGE: LINE".
int runReplay(std::istream& script, std::ostream& out, std::ostream& errors,
              ReplaySession& session);
