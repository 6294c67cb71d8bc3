// Readable test failures: a row prints as its quoted name and points.
#pragma once

#include <ostream>

#include "ScoreEntry.h"

inline void PrintTo(const ScoreEntry& row, std::ostream* out) {
    *out << '"' << row.name << "\"," << row.points;
}
