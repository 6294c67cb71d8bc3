// Numbers of a replay script as text: the shortest decimal that reads back as the same double.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace decimal {

std::string shortest(double value);
// The whole word as a number in from_chars' general format, or nothing.
std::optional<double> read(std::string_view word);

}  // namespace decimal
