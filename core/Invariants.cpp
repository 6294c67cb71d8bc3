// The rules that the state and the board keep after every handler, as one check.
#include <sstream>

#include "Game.h"

namespace {

bool packed(const IndexedArray<CardValue, 0, 9>& hand) {
    bool gap = false;
    for (int k = 0; k < kHandSlots; ++k) {
        if (hand[k] < 0 || hand[k] > 15) return false;
        if (hand[k] == 0)
            gap = true;
        else if (gap)
            return false;
    }
    return true;
}

bool isFaceOf(int picture, CardValue value) {
    if (value >= 1 && value <= 13) return picture >= 4 * (value - 1) + 1 && picture <= 4 * value;
    return (value == 14 && picture == 53) || (value == 15 && picture == 54);
}

}  // namespace

std::string Game::checkInvariants() const {
    std::ostringstream out;
    if (!packed(state.handValue)) out << "the player's hand is not packed; ";
    if (!packed(state.cpuValue)) out << "the computer's hand is not packed; ";
    if (state.playerTurn && (state.tableValue[1] < 1 || state.tableValue[1] > 15))
        out << "the target is " << state.tableValue[1] << " on the player's turn; ";

    // Before the first deal every hand picture is a visible card back.
    const bool dealt = state.handValue[0] != 0;
    for (int k = 0; k < kHandSlots; ++k) {
        const HandPicture& card = board.Image1[k];
        const CardValue value = state.handValue[k];
        if (state.picked[k] && value == 0) out << "empty slot " << k << " is picked; ";
        if (card.top != (state.picked[k] ? kHandRaisedTop : kHandRestTop))
            out << "Image1(" << k << ") stands at " << card.top << "; ";
        if (dealt) {
            if (card.visible != (value != 0)) out << "Image1(" << k << ") visibility; ";
            if (value != 0 && !isFaceOf(card.picture, value))
                out << "Image1(" << k << ") shows " << card.picture << " for " << value << "; ";
            if (board.Image2[k].visible != (state.cpuValue[k] != 0))
                out << "Image2(" << k << ") visibility; ";
        } else if (!card.visible || card.picture != kCardBack) {
            out << "Image1(" << k << ") before the first game; ";
        }
    }
    if (state.pickSlot[0] < 0 || state.pickSlot[0] > 9 || state.pickSlot[1] < -1 ||
        state.pickSlot[1] > 9)
        out << "a pick slot is out of range; ";
    if (state.cpuPick[0] != 0 || state.cpuPick[1] != 0) out << "cpuPick outside a turn; ";
    if (board.Option1 < 0 || board.Option1 > 3) out << "no operator button is set; ";
    return out.str();
}
