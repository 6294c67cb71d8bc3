// One row of the record table: a six-character name and its points.
#pragma once

#include <array>
#include <cstdint>
#include <string>

struct ScoreEntry {
    std::string name;  // UTF-8, exactly six characters (space-padded)
    std::int16_t points = 0;

    bool operator==(const ScoreEntry&) const = default;
};

using RecordRows = std::array<ScoreEntry, 10>;
