// Reading a script line by line, numbering the lines for the messages and flushing each answer.
#include "ReplayRunner.h"

#include <exception>
#include <istream>
#include <ostream>
#include <string>

#include "EventJson.h"
#include "Utf8.h"

namespace {

// Reads one line without its LF into `line`; false at the end. A line longer than the limit is
// read to its end but not kept: `whole` says whether it was.
bool readLine(std::istream& in, std::string& line, bool& whole) {
    line.clear();
    whole = true;
    for (int c; (c = in.get()) != std::char_traits<char>::eof();) {
        if (c == '\n') return true;
        if (line.size() < replay::kMaxLineBytes)
            line += static_cast<char>(c);
        else
            whole = false;
    }
    return !line.empty() || !whole;
}

// What a message echoes of a line or a word: a few hundred bytes, cut between characters.
std::string capped(std::string text) {
    if (text.size() <= replay::kMaxEchoBytes) return text;
    std::size_t end = 0;
    while (end < replay::kMaxEchoBytes) end += std::max<std::size_t>(1, utf8Length(text, end));
    return text.substr(0, end) + "…";
}

}  // namespace

int runReplay(std::istream& script, std::ostream& out, std::ostream& errors,
              ReplaySession& session) {
    std::string line;
    int number = 0;
    for (bool whole = true; readLine(script, line, whole);) {
        ++number;
        const auto fail = [&](const std::string& message) {
            if (!line.empty() && line.back() == '\r') line.pop_back();
            errors << "tessaro-replay: line " << number << ": " << capped(message) << ": "
                   << capped(line) << std::endl;
        };
        try {
            if (!whole)
                throw ScriptError(ScriptError::Kind::BadLine, "the line is longer than 1 MiB");
            if (const auto outcome = session.run(line))
                out << eventJson(*outcome, session.game()) << '\n' << std::flush;
        } catch (const ScriptError& e) {
            fail(e.what());
            return e.kind() == ScriptError::Kind::AfterEnd ? replay::kAfterEnd : replay::kBadLine;
        } catch (const std::exception& e) {
            // The engine checks its arrays' bounds; a fault there must not pass as a result.
            fail(std::string("the game failed: ") + e.what());
            return replay::kFailed;
        }
    }
    return replay::kDone;
}
