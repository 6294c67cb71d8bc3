// The three command labels: draw, play and swap.
#include <utility>

#include "Game.h"

void Game::label1Click(int i) {
    if (!canClickLabel1(i)) return;
    if (i == label::kDraw) draw();
    if (i == label::kPlay) play();
    if (i == label::kSwap) swapPicks();
}

void Game::play() {
    for (int i = 0; i <= 2; ++i) board_.Label1Enabled[i] = false;
    state_.playerTurn = false;

    board_.Image4[0] = board_.Image7[0];
    board_.Image4[1] = board_.Image7[1];
    state_.tableValue[1] = state_.pickValue[2];
    state_.tableValue[0] = state_.pickValue[1];

    for (int k = 0; k < kHandSlots; ++k) {
        board_.Image1[k].top = layout::kHandRestTop;
        state_.picked[k] = false;
    }
    removeHandCard(state_.pickSlot[0]);
    if (state_.pickSlot[1] > state_.pickSlot[0]) --state_.pickSlot[1];
    if (state_.pickSlot[1] >= 0) removeHandCard(state_.pickSlot[1]);

    if (state_.handValue[0] == 0) {
        ask(text::kPlayerWins);
        state_.score += 20;
        newgame();
    }

    // Hide the one or two slots that the laid cards have vacated; those beyond are hidden already.
    for (int k = 0; k < kHandSlots; ++k)
        if (state_.handValue[k] == 0) board_.Image1[k].visible = false;
    board_.Image7[0] = board_.Image7[1] = card::kNoPicture;

    AI();
}

void Game::draw() {
    int k = 0;
    while (k < kHandSlots && state_.handValue[k] != 0) ++k;
    if (k == kHandSlots) {
        if (ask(text::kHandFull) == box::kAnswerYes) {
            ask(text::kGaveUp);
            state_.score -= 10;
            newgame();
        }
        return;
    }
    state_.handValue[k] = randomCard();
    cardpic(state_.handValue[k]);
    board_.Image1[k].visible = true;
    board_.Image1[k].picture = state_.picIndex;
}

void Game::swapPicks() {
    board_.Image7[2] = board_.Image7[0];
    board_.Image7[0] = board_.Image7[1];
    board_.Image7[1] = board_.Image7[2];
    std::swap(state_.pickValue[1], state_.pickValue[2]);
}
