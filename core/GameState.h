// The window-level variables of the game, with their types and bounds.
#pragma once

#include <cstdint>

#include "Cards.h"
#include "IndexedArray.h"
#include "ScoreEntry.h"

constexpr int kHandSlots = 10;

struct GameState {
    IndexedArray<CardValue, 0, 9> handValue;
    IndexedArray<CardValue, 0, 9> cpuValue;
    IndexedArray<CardValue, 0, 1> tableValue;
    IndexedArray<bool, 0, 9> picked;
    IndexedArray<CardValue, 1, 2> pickValue;
    IndexedArray<std::int16_t, 0, 1> pickSlot;
    bool canPick = false;
    bool playerTurn = false;
    IndexedArray<std::int16_t, 0, 1> cpuPick;
    std::int16_t picIndex = 0;
    std::int32_t score{};  // set as the window loads
    RecordRows records;    // row 0 the best

    bool operator==(const GameState&) const = default;
};
