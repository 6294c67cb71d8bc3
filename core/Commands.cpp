// The three command labels: draw, play and swap.
#include <utility>

#include "Game.h"

void Game::label1Click(int i) {
    if (!canClickLabel1(i)) return;
    switch (i) {
        case 0:
            draw();
            break;
        case 1:
            play();
            break;
        case 2:
            swapPicks();
            break;
        default:
            break;
    }
}

void Game::play() {
    for (int i = 0; i <= 2; ++i) board.Label1Enabled[i] = false;
    state.playerTurn = false;

    board.Image4[0] = board.Image7[0];
    board.Image4[1] = board.Image7[1];
    state.tableValue[1] = state.pickValue[2];
    state.tableValue[0] = state.pickValue[1];

    for (int k = 0; k < kHandSlots; ++k) {
        board.Image1[k].top = kHandRestTop;
        state.picked[k] = false;
    }
    removeHandCard(state.pickSlot[0]);
    if (state.pickSlot[1] > state.pickSlot[0]) --state.pickSlot[1];
    if (state.pickSlot[1] >= 0) removeHandCard(state.pickSlot[1]);

    if (state.handValue[0] == 0) {
        host_.messageBox("祝贺你！你赢了！", "获胜", box::kOkInformation);
        state.score += 20;
        newgame();
    }

    // Hide the one or two slots that the laid cards have vacated.
    for (int k = 0; k < kHandSlots; ++k) {
        if (state.handValue[k] != 0) continue;
        board.Image1[k].visible = false;
        if (k < 9) board.Image1[k + 1].visible = false;
        break;
    }
    board.Image7[0] = 0;
    board.Image7[1] = 0;

    AI();
}

void Game::draw() {
    int k = 0;
    while (k < kHandSlots && state.handValue[k] != 0) ++k;
    if (k == kHandSlots) {
        if (host_.messageBox("您已经不能再摸牌了！要重新再来吗？", "提示",
                             box::kYesNoInformation) == box::kAnswerYes) {
            host_.messageBox("电脑胜利！", "胜利", box::kOkInformation);
            state.score -= 10;
            newgame();
        }
        return;
    }
    state.handValue[k] = randomCard();
    cardpic(state.handValue[k]);
    board.Image1[k].visible = true;
    board.Image1[k].picture = state.picIndex;
}

void Game::swapPicks() {
    board.Image7[2] = board.Image7[0];
    board.Image7[0] = board.Image7[1];
    board.Image7[1] = board.Image7[2];
    std::swap(state.pickValue[1], state.pickValue[2]);
}
