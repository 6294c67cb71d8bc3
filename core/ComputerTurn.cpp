// The computer's turn: search, draw, lay, win or be stuck; and the pause between two laid cards.
#include "Game.h"
#include "RecordTable.h"

void Game::AI() {
    for (;;) {
        if (searchPair()) {
            layPair();
            closeTurn();
            return;
        }
        const CardValue target = state.tableValue[1];
        for (int k = 0; k < kHandSlots; ++k) {
            if (state.cpuValue[k] == target) {
                laySingle(k);
                closeTurn();
                return;
            }
        }
        const int k = firstEmptyCpuSlot();
        if (k < 0) {
            stuck();
            return;
        }
        state.cpuValue[k] = randomCard();
        board.Image2[k].picture = kCardBack;  // a drawn card is seen face down
        board.Image2[k].visible = true;
    }
}

bool Game::searchPair() {
    state.cpuPick[0] = state.cpuPick[1] = 0;
    bool found = false;
    const CardValue t = state.tableValue[1];
    // Position 9 never leads a pair; the card at the higher position is the left operand.
    for (int i = 0; i <= 8; ++i) {
        const CardValue a = state.cpuValue[i];
        if (a == 0) break;
        for (int j = 0; j < i; ++j) {
            const CardValue b = state.cpuValue[j];
            const bool sum = b == static_cast<CardValue>(t - a);
            const bool difference = b == static_cast<CardValue>(a - t);
            const bool product = static_cast<double>(b) == static_cast<double>(t) / a;
            const bool quotient =
                static_cast<float>(b) == static_cast<float>(a) / static_cast<float>(t);
            if (sum || difference || product || quotient) {
                found = true;
                state.cpuPick[0] = static_cast<std::int16_t>(i);
                state.cpuPick[1] = static_cast<std::int16_t>(j);
            }
        }
    }
    return found;
}

void Game::layPair() {
    const int i = state.cpuPick[0];
    const int j = state.cpuPick[1];
    cardpic(state.cpuValue[i]);
    board.Image4[0] = state.picIndex;
    state.tableValue[0] = state.cpuValue[i];
    removeCpuCard(i);
    board.Image2[firstEmptyCpuSlot()].visible = false;

    // Let the player see the left card for the length of the pause.
    host_.redraw();
    delay(150);

    cardpic(state.cpuValue[j]);
    board.Image4[1] = state.picIndex;
    state.tableValue[1] = state.cpuValue[j];
}

void Game::laySingle(int k) {
    state.tableValue[0] = 0;
    state.tableValue[1] = state.cpuValue[k];
    cardpic(state.cpuValue[k]);
    board.Image4[0] = kCardBack;
    board.Image4[1] = state.picIndex;
    state.cpuPick[1] = static_cast<std::int16_t>(k);
}

void Game::closeTurn() {
    removeCpuCard(state.cpuPick[1]);
    if (state.cpuValue[0] == 0) {
        host_.messageBox("电脑胜利！", "Tessaro", box::kOk);
        state.score -= 20;
        newgame();
    }
    board.Image2[firstEmptyCpuSlot()].visible = false;

    board.Label1Enabled[0] = true;
    state.playerTurn = true;
    state.canPick = true;
    state.cpuPick[0] = state.cpuPick[1] = 0;
    state.pickValue[1] = state.pickValue[2] = 0;
}

void Game::stuck() {
    for (int k = 0; k < kHandSlots; ++k) {
        cardpic(state.cpuValue[k]);
        board.Image2[k].picture = state.picIndex;
    }
    if (host_.messageBox("电脑憋死了！要继续游戏吗？", "问题", box::kYesNoInformation) ==
        box::kAnswerYes) {
        state.score += 10;
        newgame();
        return;
    }
    // Playing on is declined: a record may be entered, which ends the program; otherwise the
    // game simply stops here, with the turn not handed back.
    enterRecord(4);
}

void Game::delay(std::int16_t n) {
    for (int c = 0; c <= n; ++c) {
        const float first = host_.timer();
        do {
            host_.nap();
        } while (host_.timer() == first);
    }
}
