// The records list as the player reads it.
#pragma once

#include <string>

#include "ScoreEntry.h"

namespace records {

// One row a line: "【k】", the six-character name, fourteen spaces and the points, each line
// ending in CR LF, from the row template in the player's language.
std::string shownText(const RecordRows& rows);

}  // namespace records
