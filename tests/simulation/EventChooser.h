// The simulated player: random window events, half of them aimed at playing the game well enough
// to reach its ends, half of them anywhere at all.
#pragma once

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "ReplaySession.h"

class EventChooser {
public:
    explicit EventChooser(std::uint32_t seed) : random_(seed) {}

    // The script lines for the next step: settings for the host (an answer, a name, random
    // numbers) where needed, then one event, always last.
    std::vector<std::string> next(const ReplaySession& session);

    // The first line of a new run, naming the seed of the game's own chance.
    std::string seedLine() { return "seed " + std::to_string(random_()); }

private:
    std::string aimed(const Game& game);
    std::string anywhere();
    std::string name();
    std::string operatorKey(int option);
    bool chance(double p) { return std::bernoulli_distribution(p)(random_); }
    int upTo(int n) { return std::uniform_int_distribution<int>(0, n)(random_); }

    std::mt19937 random_;
};
