// The rules that the state and the board keep after every handler, as one check.
#include <sstream>

#include "Game.h"

namespace {

bool packed(const IndexedArray<CardValue, 0, 9>& hand) {
    bool gap = false;
    for (int k = 0; k < kHandSlots; ++k) {
        if (hand[k] < 0 || hand[k] > card::kColourJoker) return false;
        if (hand[k] == 0)
            gap = true;
        else if (gap)
            return false;
    }
    return true;
}

}  // namespace

std::string Game::checkInvariants() const {
    std::ostringstream out;
    const GameState& s = state_;
    const Board& b = board_;
    if (!packed(s.handValue)) out << "the player's hand is not packed; ";
    if (!packed(s.cpuValue)) out << "the computer's hand is not packed; ";
    if (s.playerTurn && (s.tableValue[1] < 1 || s.tableValue[1] > card::kColourJoker))
        out << "the target is " << s.tableValue[1] << " on the player's turn; ";
    if (s.playerTurn && (card::valueOf(b.Image4[0]) != s.tableValue[0] ||
                         card::valueOf(b.Image4[1]) != s.tableValue[1]))
        out << "the table shows other cards than tableValue; ";

    // Before the first deal every picture of both rows is a visible card back.
    const bool dealt = s.handValue[0] != 0;
    for (int k = 0; k < kHandSlots; ++k) {
        const HandPicture& card = b.Image1[k];
        const CardValue value = s.handValue[k];
        if (s.picked[k] && value == 0) out << "empty slot " << k << " is picked; ";
        if (card.top != (s.picked[k] ? layout::kHandRaisedTop : layout::kHandRestTop))
            out << "Image1(" << k << ") stands at " << card.top << "; ";
        if (dealt) {
            if (card.visible != (value != 0)) out << "Image1(" << k << ") visibility; ";
            if (value != 0 && card::valueOf(card.picture) != value)
                out << "Image1(" << k << ") shows " << card.picture << " for " << value << "; ";
            if (b.Image2[k].visible != (s.cpuValue[k] != 0))
                out << "Image2(" << k << ") visibility; ";
        } else if (!card.visible || card.picture != card::kBack || !b.Image2[k].visible) {
            out << "slot " << k << " of a row before the first game; ";
        }
        if (s.cpuValue[k] != 0 && b.Image2[k].picture != card::kBack &&
            card::valueOf(b.Image2[k].picture) != s.cpuValue[k])
            out << "Image2(" << k << ") shows another card; ";
    }
    if (s.pickSlot[0] < 0 || s.pickSlot[0] > 9 || s.pickSlot[1] < -1 || s.pickSlot[1] > 9)
        out << "a pick slot is out of range; ";
    if (s.cpuPick[0] != 0 || s.cpuPick[1] != 0) out << "cpuPick outside a turn; ";
    if (b.Option1 < op::kPlus || b.Option1 > op::kDivide) out << "no operator button is set; ";
    return out.str();
}
