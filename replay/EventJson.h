// The output line of one replayed event: what it did, the game state and the board after it.
#pragma once

#include <string>

#include "Game.h"
#include "ReplaySession.h"

// {"event", "ignored", "dialogs", "ended", "state", "board"} in this order, on one line.
std::string eventJson(const EventOutcome& outcome, const Game& game);

// The "state" and "board" objects alone.
std::string stateJson(const GameState& state);
std::string boardJson(const Board& board);
