// What must hold after every simulated event: the engine's own invariants, a score that moves only
// when a game ends, and a few rules between two events that the invariants cannot see.
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
    // What went wrong in the event: empty when it kept the rules.
    std::vector<std::string> after(const ScriptLine& line, const EventOutcome& outcome,
                                   const Game& game, const MemoryRecords& store) const;

private:
    GameState state_;
    Board board_;
    int saves_ = 0;
};
