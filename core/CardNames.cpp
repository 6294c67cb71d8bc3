// What a screen reader says of a card picture, in the player's language.
#include "CardNames.h"

#include "Cards.h"
#include "Texts.h"
#include "Translation.h"

namespace names {

std::string card(int picture) {
    const CardValue value = card::valueOf(picture);
    if (picture == card::kBack) return text::tr(text::kBackName);
    if (value == 0) return text::tr(text::kNoCardName);
    const std::string number = std::to_string(value);
    if (value > card::kKing)
        return text::fill(
            text::tr(value == card::kBlackJoker ? text::kBlackJokerName : text::kColourJokerName),
            {number});
    const int suit = card::suitOf(picture);
    // An ace and the court cards say their rank, then the value they count.
    const int court = value == 1 ? 0 : value > 10 ? value - 10 : -1;
    if (court < 0) return text::fill(text::tr(text::kSuitCardNames[suit]), {number});
    return text::fill(text::tr(text::kSuitCourtNames[suit]),
                      {text::tr(text::kCourtNames[court]), number});
}

std::string drawn(int picture) {
    return text::fill(text::tr(text::kDrawnName), {card(picture)});
}

std::string place(const char* placeTemplate, const std::string& cardName) {
    return text::fill(text::tr(placeTemplate), {cardName});
}

std::string computerTurn(int drawn, int left, int right) {
    const bool pair = left != card::kBack;
    return text::fill(text::tr(text::kComputerTurn[(drawn > 0 ? 2 : 0) + (pair ? 1 : 0)]),
                      {pair ? card(left) : std::string(), card(right), std::to_string(drawn)});
}

}  // namespace names
