// The player's arithmetic and the computer's search, with every quirk the rules give them.
#include "Answers.h"

#include <algorithm>

namespace {

// The hand grew from `before` by drawn cards, each drawn because the hand had no answer then.
bool drewByTheRules(const std::vector<int>& before, const std::vector<int>& hand, int target) {
    if (hand.size() < before.size() || hand.size() > 10) return false;
    if (!std::equal(before.begin(), before.end(), hand.begin())) return false;
    for (std::size_t m = before.size(); m < hand.size(); ++m) {
        const int drawn = hand[m];
        if (drawn < 1 || drawn > 15) return false;
        const std::vector<int> earlier(hand.begin(), hand.begin() + static_cast<std::ptrdiff_t>(m));
        if (computerAnswer(earlier, target).kind != ComputerAnswer::Kind::None) return false;
    }
    return true;
}

std::vector<int> inserted(std::vector<int> hand, std::size_t at, int value) {
    hand.insert(hand.begin() + static_cast<std::ptrdiff_t>(at), value);
    return hand;
}

}  // namespace

std::int16_t playerResult(int option, std::int16_t a, std::int16_t b) {
    switch (option) {
        case 1:
            return static_cast<std::int16_t>(a - b);
        case 2:
            return static_cast<std::int16_t>(a * b);
        case 3:
            return static_cast<std::int16_t>(a / b);  // C++ truncates toward zero too
        default:
            return static_cast<std::int16_t>(a + b);
    }
}

ComputerAnswer computerAnswer(const std::vector<int>& hand, int target) {
    ComputerAnswer answer;
    // The last match in scan order; position 9 never leads a pair; the later card is the left
    // operand, and a quotient counts only when it is whole.
    const int leads = std::min<int>(static_cast<int>(hand.size()), 9);
    for (int i = 0; i < leads; ++i) {
        for (int j = 0; j < i; ++j) {
            const int a = hand[static_cast<std::size_t>(i)];
            const int b = hand[static_cast<std::size_t>(j)];
            if (a + b == target || a - b == target || a * b == target || a == b * target)
                answer = {ComputerAnswer::Kind::Pair, i, j};
        }
    }
    if (answer.kind != ComputerAnswer::Kind::None) return answer;
    const auto single = std::find(hand.begin(), hand.end(), target);
    if (single != hand.end())
        return {ComputerAnswer::Kind::Single, static_cast<int>(single - hand.begin()), 0};
    return answer;
}

bool computerLaid(const std::vector<int>& before, const std::vector<int>& after, int left,
                  int right, int target) {
    // The hand it laid from is `after` with the laid cards put back where they were; try every
    // place, since equal cards make more than one possible.
    if (left == 0) {
        for (std::size_t k = 0; k <= after.size(); ++k) {
            const std::vector<int> hand = inserted(after, k, right);
            if (drewByTheRules(before, hand, target) &&
                computerAnswer(hand, target) ==
                    ComputerAnswer{ComputerAnswer::Kind::Single, static_cast<int>(k), 0})
                return true;
        }
        return false;
    }
    const std::size_t n = after.size() + 2;
    for (std::size_t i = 1; i < n; ++i) {
        for (std::size_t j = 0; j < i; ++j) {
            const std::vector<int> hand = inserted(inserted(after, j, right), i, left);
            if (drewByTheRules(before, hand, target) &&
                computerAnswer(hand, target) == ComputerAnswer{ComputerAnswer::Kind::Pair,
                                                               static_cast<int>(i),
                                                               static_cast<int>(j)})
                return true;
        }
    }
    return false;
}

bool computerStuck(const std::vector<int>& before, const std::vector<int>& after, int target) {
    return after.size() == 10 && drewByTheRules(before, after, target) &&
           computerAnswer(after, target).kind == ComputerAnswer::Kind::None;
}
