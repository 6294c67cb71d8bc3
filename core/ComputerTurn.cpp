// The computer's turn: search, draw, lay, win or be stuck; and the pause between two laid cards.
#include "Game.h"

void Game::AI() {
    for (;;) {
        if (searchPair()) {
            layPair();
            closeTurn();
            return;
        }
        for (int k = 0; k < kHandSlots; ++k) {
            if (state_.cpuValue[k] == state_.tableValue[1]) {
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
        state_.cpuValue[k] = randomCard();
        board_.Image2[k].picture = card::kBack;  // a drawn card is seen face down
        board_.Image2[k].visible = true;
    }
}

bool Game::searchPair() {
    // cpuPick is 0, 0 whenever a search starts: a turn begins with it so and a search that finds
    // nothing leaves it so.
    bool found = false;
    const CardValue t = state_.tableValue[1];
    // Position 9 never leads a pair; the card at the higher position is the left operand.
    for (int i = 0; i <= 8; ++i) {
        const CardValue a = state_.cpuValue[i];
        if (a == 0) break;
        for (int j = 0; j < i; ++j) {
            const CardValue b = state_.cpuValue[j];
            const bool sum = b == static_cast<CardValue>(t - a);
            const bool difference = b == static_cast<CardValue>(a - t);
            const bool product = static_cast<double>(b) == static_cast<double>(t) / a;
            const bool quotient =
                static_cast<float>(b) == static_cast<float>(a) / static_cast<float>(t);
            if (sum || difference || product || quotient) {
                found = true;
                state_.cpuPick[0] = static_cast<std::int16_t>(i);
                state_.cpuPick[1] = static_cast<std::int16_t>(j);
            }
        }
    }
    return found;
}

void Game::layPair() {
    const int i = state_.cpuPick[0];
    const int j = state_.cpuPick[1];
    cardpic(state_.cpuValue[i]);
    board_.Image4[0] = state_.picIndex;
    state_.tableValue[0] = state_.cpuValue[i];
    removeCpuCard(i);
    board_.Image2[firstEmptyCpuSlot()].visible = false;

    // Let the player see the left card for the length of the pause.
    host_.redraw();
    delay(150);

    cardpic(state_.cpuValue[j]);
    board_.Image4[1] = state_.picIndex;
    state_.tableValue[1] = state_.cpuValue[j];
}

void Game::laySingle(int k) {
    state_.tableValue[0] = 0;
    state_.tableValue[1] = state_.cpuValue[k];
    cardpic(state_.cpuValue[k]);
    board_.Image4[0] = card::kBack;
    board_.Image4[1] = state_.picIndex;
    state_.cpuPick[1] = static_cast<std::int16_t>(k);
}

void Game::closeTurn() {
    removeCpuCard(state_.cpuPick[1]);
    if (state_.cpuValue[0] == 0) {
        ask(text::kComputerWins);
        state_.score -= 20;
        newgame();
    }
    board_.Image2[firstEmptyCpuSlot()].visible = false;

    board_.Label1Enabled[label::kDraw] = true;
    state_.playerTurn = true;
    state_.canPick = true;
    state_.cpuPick[0] = state_.cpuPick[1] = 0;
    state_.pickValue[1] = state_.pickValue[2] = 0;
}

void Game::stuck() {
    for (int k = 0; k < kHandSlots; ++k) {
        cardpic(state_.cpuValue[k]);
        board_.Image2[k].picture = state_.picIndex;
    }
    if (ask(text::kStuck) == box::kAnswerYes) {
        state_.score += 10;
        newgame();
        return;
    }
    // Playing on is declined: a record may be entered, which ends the program; otherwise the
    // game simply stops here, with the turn not handed back.
    enterRecord(4);
}

void Game::delay(std::int16_t n) {
    // Counts n + 1 changes of the clock reading; the pause takes no input.
    for (int c = 0; c <= n; ++c) {
        const float first = host_.timer();
        do {
            host_.nap();
        } while (host_.timer() == first);
    }
}
