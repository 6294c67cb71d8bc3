// Pointer moves: the lit command buttons and the gem marker over a picked card.
#include "Game.h"

void Game::label1MouseMove(int i) {
    if (ended_ || i < 0 || i > 2) return;
    board.Shape1[i].solid = true;
    board.Shape1[i].fill = Rgb{255, 255, 0};
    board.Shape1[i].border = Rgb{0, 0, 255};
}

void Game::frame2MouseMove() {
    if (ended_) return;
    for (int i = 0; i <= 2; ++i) {
        board.Shape1[i].solid = false;
        board.Shape1[i].fill = Rgb{0, 0, 255};
        board.Shape1[i].border = Rgb{0, 0, 0};
    }
}

void Game::image1MouseMove(int i) {
    if (ended_ || i < 0 || i >= kHandSlots) return;
    for (int k = 0; k < kHandSlots; ++k) board.Image3[k].visible = false;
    if (state.picked[i]) {
        board.Image3[i].top = board.Image1[i].top - 360;
        board.Image3[i].visible = true;
    }
}

void Game::image5MouseMove(int i) {
    if (ended_ || i < 0 || i > 1) return;
    for (int k = 0; k < kHandSlots; ++k) board.Image3[k].visible = false;
}
