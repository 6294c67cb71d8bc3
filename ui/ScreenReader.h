// What a screen reader says of the window: the names of the cards on the board.
#pragma once

struct Board;
struct Controls;

namespace screenreader {

// Names every card control after the board.
void name(const Controls& controls, const Board& board);

}  // namespace screenreader
