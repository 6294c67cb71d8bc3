// One run of the program without a window: script lines in, the engine's answers out.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "Game.h"
#include "RecordStore.h"
#include "ReplayHost.h"
#include "ReplayMedia.h"
#include "ScriptLine.h"

// What one event did.
struct EventOutcome {
    std::string event;     // the line as reported: without its comment and surrounding blanks
    bool ignored = false;  // a click that the window would not deliver
    std::vector<ShownDialog> dialogs;
    bool ended = false;  // the program has ended, by this event or before
};

class ReplaySession {
public:
    // `appPath` is the program's directory, without a trailing separator.
    ReplaySession(RecordStore& store, std::string appPath);

    // Runs one line. Settings and blank lines give nothing; an event gives its outcome.
    // Throws ScriptError for a line that cannot be run: a bad line, an event before "load",
    // a second "load" (BadLine), or any line once the program has ended (AfterEnd).
    std::optional<EventOutcome> run(std::string_view line);
    std::optional<EventOutcome> run(const ScriptLine& line);

    const Game& game() const { return game_; }
    Game& game() { return game_; }
    const ReplayHost& host() const { return host_; }
    ReplayHost& host() { return host_; }
    const ReplayMedia& media() const { return media_; }
    bool loaded() const { return loaded_; }
    bool ended() const { return game_.ended() || closed_; }

private:
    ReplayHost host_;
    ReplayMedia media_;
    Game game_;
    bool loaded_ = false;
    bool closed_ = false;
};
