// Reading a script line by line, numbering the lines for the messages and flushing each answer.
#include "ReplayRunner.h"

#include <exception>
#include <istream>
#include <ostream>
#include <string>

#include "EventJson.h"

int runReplay(std::istream& script, std::ostream& out, std::ostream& errors,
              ReplaySession& session) {
    std::string line;
    int number = 0;
    while (std::getline(script, line)) {
        ++number;
        const auto fail = [&](const std::string& message) {
            std::string shown = line;
            if (!shown.empty() && shown.back() == '\r') shown.pop_back();
            errors << "tessaro-replay: line " << number << ": " << message << ": " << shown
                   << std::endl;
        };
        try {
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
