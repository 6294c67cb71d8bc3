// Running script lines against the engine, as the window would deliver them.
#include "ReplaySession.h"

#include <utility>

#include "Deliver.h"

ReplaySession::ReplaySession(RecordStore& store, std::string appPath)
    : host_(std::move(appPath)), game_(host_, store, media_) {}

std::optional<EventOutcome> ReplaySession::run(std::string_view line) {
    return run(readScriptLine(line));
}

std::optional<EventOutcome> ReplaySession::run(const ScriptLine& line) {
    if (line.command == Command::Blank) return std::nullopt;
    if (ended())
        throw ScriptError(ScriptError::Kind::AfterEnd,
                          "the program has already ended; nothing can follow");
    switch (line.command) {
        case Command::Seed:
            host_.seed(line.seed);
            return std::nullopt;
        case Command::Rand:
            for (const double r : line.randoms) host_.queueRandom(r);
            return std::nullopt;
        case Command::Answer:
            for (const int a : line.answers) host_.queueAnswer(a);
            return std::nullopt;
        case Command::Input:
            host_.queueInput(line.input);
            return std::nullopt;
        default:
            break;
    }

    if (line.command == Command::Load) {
        if (loaded_) throw ScriptError(ScriptError::Kind::BadLine, "the window has already loaded");
    } else if (!loaded_) {
        throw ScriptError(ScriptError::Kind::BadLine,
                          "the window has not loaded yet: \"load\" must come first");
    }

    EventOutcome outcome;
    outcome.event = line.text;
    switch (line.command) {
        case Command::Load:
            game_.load();
            loaded_ = true;
            break;
        // The close box has no handler: the program just ends, with no question and no save.
        case Command::Close:
            closed_ = true;
            break;
        default:
            outcome.ignored = deliver(game_, line);
            break;
    }
    outcome.dialogs = host_.takeDialogs();
    outcome.ended = ended();
    return outcome;
}
