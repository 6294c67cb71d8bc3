// Pointer moves: the lit command buttons and the gem marker over a picked card.
#include "Game.h"

void Game::label1MouseMove(int i) {
    if (ended_) return;
    board_.Shape1[i] = kLitFrame;
}

void Game::frame2MouseMove() {
    if (ended_) return;
    for (int i = 0; i <= 2; ++i) board_.Shape1[i] = kPlainFrame;
}

void Game::image1MouseMove(int i) {
    if (ended_) return;
    for (int k = 0; k < kHandSlots; ++k) board_.Image3[k].visible = false;
    if (state_.picked[i]) {
        board_.Image3[i].top = board_.Image1[i].top - layout::kMarkerAboveCard;
        board_.Image3[i].visible = true;
    }
}

void Game::image5MouseMove() {
    if (ended_) return;
    for (int k = 0; k < kHandSlots; ++k) board_.Image3[k].visible = false;
}
