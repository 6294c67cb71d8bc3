// What a screen reader says of a card picture.
#include "CardNames.h"

#include "Cards.h"
#include "Texts.h"

namespace names {

std::string card(int picture) {
    const CardValue value = card::valueOf(picture);
    if (picture == card::kBack) return text::kBackName;
    if (value == 0) return text::kNoCardName;
    const std::string number = std::to_string(value);
    if (value > card::kKing)
        return std::string(value == card::kBlackJoker ? text::kBlackJokerName
                                                      : text::kColourJokerName) +
               " " + number;
    const std::string suit = text::kSuitNames[card::suitOf(picture)];
    // An ace and the court cards say their letter, then the value they count.
    const int court = value == 1 ? 0 : value > 10 ? value - 10 : -1;
    if (court < 0) return suit + " " + number;
    return suit + " " + text::kCourtNames[court] + " " + number;
}

std::string computerTurn(int drawn, int left, int right) {
    std::string said = text::kComputer;
    if (drawn > 0) {
        const std::string drew = text::kComputerDrew;
        const auto n = drew.find("%d");
        said += drew.substr(0, n) + std::to_string(drawn) + drew.substr(n + 2);
    }
    said += text::kComputerLaid;
    if (left != card::kBack) said += card(left) + text::kAnd;
    return said + card(right) + text::kNewTarget + card(right);
}

}  // namespace names
