// Choosing simulated events: a player who mostly knows the rules, and clicks that land anywhere.
#include "EventChooser.h"

#include <array>

namespace {

// The player's operators in 16-bit arithmetic: 0 "+", 1 "-", 2 "*", 3 "\" (truncated).
std::int16_t playerResult(int option, int a, int b) {
    const std::array<int, 4> results = {a + b, a - b, a * b, a / b};  // b is a card: never 0
    return static_cast<std::int16_t>(results[static_cast<std::size_t>(option)]);
}

int handCount(const GameState& s) {
    int n = 0;
    while (n < kHandSlots && s.handValue[n] != 0) ++n;
    return n;
}

// A card k that completes the first pick with some operator: {k, option}, or {-1, -1}.
std::pair<int, int> partner(const GameState& s, int first, int preferredOption) {
    std::pair<int, int> found{-1, -1};
    for (int k = 0; k < handCount(s); ++k) {
        if (k == first || s.picked[k]) continue;
        for (int option = 0; option < 4; ++option) {
            if (playerResult(option, s.handValue[first], s.handValue[k]) != s.tableValue[1])
                continue;
            if (option == preferredOption) return {k, option};
            found = {k, option};
        }
    }
    return found;
}

}  // namespace

std::vector<std::string> EventChooser::next(const ReplaySession& session) {
    std::vector<std::string> lines;
    const ReplayHost& host = session.host();
    if (host.queuedAnswers() == 0) lines.push_back(chance(0.5) ? "answer 6" : "answer 7");
    if (host.queuedInputs() == 0) lines.push_back("input " + name());
    // Now and then the extremes of the random source, which the generator hardly ever gives.
    if (chance(0.01)) {
        std::string rand = "rand";
        for (int i = upTo(3); i >= 0; --i) rand += chance(0.5) ? " 0" : " 0.99999999999";
        lines.push_back(rand);
    }
    if (!session.loaded())
        lines.push_back("load");
    else
        lines.push_back(chance(0.55) ? aimed(session.game()) : anywhere());
    return lines;
}

std::string EventChooser::aimed(const Game& game) {
    const GameState& s = game.state;
    if (!s.playerTurn) return "menu new";  // before the first game, or after a stopped one
    const int n = handCount(s);
    const int target = s.tableValue[1];
    const bool lone = s.canPick && s.pickSlot[1] == -1 && s.pickValue[2] != 0;

    if (!s.canPick) return chance(0.15) ? "label 2" : "label 1";
    if (s.pickValue[1] != 0) {
        const int first = s.pickSlot[0];
        const auto [k, option] = partner(s, first, game.board.Option1);
        if (k >= 0 && (!lone || chance(0.3))) {
            if (option != game.board.Option1) return operatorKey(option);
            return "hand " + std::to_string(k);
        }
        if (lone) return "label 1";
        return chance(0.5) ? "hand " + std::to_string(first) : "label 0";
    }

    // Nothing picked: lead a pair, or a lone card, or draw.
    std::vector<int> leads, singles;
    for (int i = 0; i < n; ++i) {
        if (s.handValue[i] == target) singles.push_back(i);
        if (partner(s, i, game.board.Option1).first >= 0) leads.push_back(i);
    }
    const auto pick = [&](const std::vector<int>& from) {
        return "hand " +
               std::to_string(
                   from[static_cast<std::size_t>(upTo(static_cast<int>(from.size()) - 1))]);
    };
    if (!leads.empty() && (singles.empty() || chance(0.6))) return pick(leads);
    if (!singles.empty()) return pick(singles);
    return "label 0";
}

std::string EventChooser::anywhere() {
    // Each kind of event with its weight and the highest index it takes (-1: none). Clicks land
    // on hidden cards and greyed labels too.
    static const std::array<const char*, 15> kKinds = {
        "hand",        "label",       "option",      "key",       "move Label1",
        "move Frame2", "move Image1", "move Image5", "menu new",  "menu music",
        "menu gao",    "menu help",   "menu about",  "menu quit", "close"};
    static const std::array<double, 15> kWeights = {25,  15, 3,   6,   3,   3,   4,   2,
                                                    1.5, 1,  0.5, 0.3, 0.3, 0.5, 0.08};
    static const std::array<int, 15> kHighest = {9,  2,  3,  -1, 2,  -1, 9, 1,
                                                 -1, -1, -1, -1, -1, -1, -1};
    const auto kind = static_cast<std::size_t>(
        std::discrete_distribution<int>(kWeights.begin(), kWeights.end())(random_));
    const std::string line = kKinds[kind];
    if (line == "key") {
        static const std::array<int, 12> kKeys = {'z', 'x', 'c', 'v', '+',  '-',
                                                  '*', '/', 'Z', 'V', '\\', 'n'};
        const int code = chance(0.7) ? kKeys[static_cast<std::size_t>(upTo(11))] : upTo(65535);
        return "key " + std::to_string(code);
    }
    return kHighest[kind] < 0 ? line : line + " " + std::to_string(upTo(kHighest[kind]));
}

std::string EventChooser::operatorKey(int option) {
    static const std::array<const char*, 4> kLetters = {"122", "120", "99", "118"};
    static const std::array<const char*, 4> kSigns = {"43", "45", "42", "47"};
    if (chance(0.2)) return "option " + std::to_string(option);
    const auto i = static_cast<std::size_t>(option);
    return std::string("key ") + (chance(0.5) ? kLetters[i] : kSigns[i]);
}

std::string EventChooser::name() {
    // Names of every length, with wide characters, blanks and comment signs; only characters
    // that Data.dat keeps as they are, so that a table printed with a failure can be rebuilt.
    static const std::array<const char*, 8> kPieces = {"a", "Z", "7", " ", "#", "张", "三", "ｚ"};
    std::string text;
    for (int i = upTo(8); i > 0; --i) text += kPieces[static_cast<std::size_t>(upTo(7))];
    return text;
}
