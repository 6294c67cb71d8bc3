// What a screen reader says of the window: the names, roles and states of the cards, and what
// the computer did in its turn.
#pragma once

struct Board;
struct Controls;

namespace screenreader {

// Makes the cards known to a reader: hand cards as check boxes, checked while picked, the other
// cards as pictures, the commands as buttons; what is told on a control is gone once the focus
// leaves it. Call once the controls are built.
void install(const Controls& controls);
// Names every card after the board and returns how many names changed. A name or state is set
// only when it changes, as a reader speaks every change it is told of.
int name(const Controls& controls, const Board& board);
// Tells a reader what the computer did in its turn: the cards it drew and laid and the new
// target, or only the target when a box has told how the game went. The first hand card
// carries it and, with `focus`, takes the focus, so that it is heard without moving.
void tellComputersTurn(const Controls& controls, const Board& board, int drawn, bool boxed,
                       bool focus);
// Tells a reader which card was drawn into hand slot `slot`, as a notice that appears.
void tellDrawn(const Controls& controls, const Board& board, int slot);

}  // namespace screenreader
