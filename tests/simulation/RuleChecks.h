// What must hold after every simulated event: the engine's own invariants, a board that mirrors
// the state, and the event's effect as the rules describe it, worked out here independently.
#pragma once

#include <string>
#include <vector>

#include "Game.h"
#include "MemoryRecords.h"
#include "ReplaySession.h"

class RuleChecks {
public:
    // Takes note of the game before an event.
    void before(const Game& game, const MemoryRecords& store);
    // What went wrong in the event: empty when it followed the rules.
    std::vector<std::string> after(const ScriptLine& line, const EventOutcome& outcome,
                                   const Game& game, const MemoryRecords& store) const;

private:
    GameState state_;
    Board board_;
    int saves_ = 0;
};
