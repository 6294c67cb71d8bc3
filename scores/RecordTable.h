// The rules of the record table: names, qualification, entry and the display text.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "ScoreEntry.h"

namespace records {

constexpr int kNameLength = 6;

// The first `keep` characters (not bytes) of a UTF-8 text, padded with spaces to six.
// Invalid UTF-8 sequences count as one character each and are kept as U+FFFD.
std::string fitName(const std::string& text, int keep = kNameLength);

// The six characters a name is stored as, wherever the table is kept: the table's lines have no
// escapes, so a double quote, which would end the name early, becomes a full-width one and a
// control character a space; a character that `holds` says the table cannot hold becomes "?".
// Every name this yields is stored as it is.
std::string storableName(const std::string& text, const std::function<bool(char32_t)>& holds);

ScoreEntry defaultRow();
RecordRows defaultRows();

// A score enters the table only when it beats the last row.
bool qualifies(const RecordRows& rows, std::int32_t score);
// Puts a qualifying score with its name below every row it does not beat, moving the rows
// below down and dropping the last; false, and nothing changed, when the score does not qualify.
bool enter(RecordRows& rows, std::int32_t score, const std::string& name);
// A running score as stored in a row: held to the 16-bit range, never wrapped.
std::int16_t clampPoints(std::int64_t score);

}  // namespace records
