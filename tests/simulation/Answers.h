// The answers each side may give, worked out here from the rules and not taken from the engine.
#pragma once

#include <cstdint>
#include <vector>

// The player's operators, in 16-bit arithmetic: 0 "+", 1 "-", 2 "*", 3 "\" (truncated).
std::int16_t playerResult(int option, std::int16_t a, std::int16_t b);

// The computer's choice for a hand (packed card values) and a target.
struct ComputerAnswer {
    enum class Kind { None, Pair, Single };
    Kind kind = Kind::None;
    int left = 0;   // the pair's left card (the higher position), or the single card's position
    int right = 0;  // the pair's right card
    bool operator==(const ComputerAnswer&) const = default;
};
ComputerAnswer computerAnswer(const std::vector<int>& hand, int target);

// Whether the computer's turn, from its hand `before` to its hand `after`, can have followed the
// rules: draws only while the hand had no answer, then the rules' choice, which laid `left` and
// `right` (left 0 for a single card).
bool computerLaid(const std::vector<int>& before, const std::vector<int>& after, int left,
                  int right, int target);
// The same for a turn that ended stuck with the ten cards of `after`.
bool computerStuck(const std::vector<int>& before, const std::vector<int>& after, int target);
