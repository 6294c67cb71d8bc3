// The start of the program and of each game: loading, cardpic and newgame.
#include <algorithm>

#include "Game.h"
#include "RecordTable.h"

void Game::load() {
    if (ended_) return;
    state.score = 100;
    state.records = store_.load();
    // Built from whatever the table holds, also in the run that has just created the file, so
    // that gao never shows an empty box.
    board.Text1 = records::displayText(state.records);
    host_.randomize();
    state.playerTurn = false;

    board.Frame2Back = Rgb{200, 107, 14};
    for (int i = 0; i <= 2; ++i) board.Label1Enabled[i] = false;
    for (int i = 0; i < kHandSlots; ++i) {
        board.Image1[i].picture = kCardBack;
        board.Image3[i].visible = false;
    }
}

void Game::cardpic(CardValue value) {
    // The suit is drawn for every value, jokers included, so the order of draws never shifts.
    const int s = std::min(static_cast<int>(host_.rnd() * 4), 3);
    if (value >= 1 && value <= 13)
        state.picIndex = static_cast<std::int16_t>(4 * (value - 1) + 1 + s);
    else if (value == 14)
        state.picIndex = 53;
    else if (value == 15)
        state.picIndex = 54;
}

void Game::newgame() {
    for (int i = 0; i < kHandSlots; ++i) {
        board.Image2[i].picture = kCardBack;
        board.Image1[i].picture = 0;
        board.Image1[i].visible = false;
        board.Image2[i].visible = i <= 4;
        state.handValue[i] = 0;
        state.cpuValue[i] = 0;
        state.picked[i] = false;
        board.Image1[i].top = kHandRestTop;
    }
    board.Label1Enabled[0] = true;
    board.Label1Enabled[1] = false;
    board.Label1Enabled[2] = false;

    for (int i = 0; i <= 1; ++i) {
        board.Image4[i] = board.Image2[0].picture;
        board.Image7[i] = 0;
        state.pickValue[i + 1] = 0;
        state.pickSlot[i] = 0;
        state.tableValue[i] = 0;
    }

    for (int i = 0; i <= 4; ++i) {
        state.handValue[i] = randomCard();
        state.cpuValue[i] = randomCard();
        cardpic(state.handValue[i]);
        board.Image1[i].picture = state.picIndex;
        board.Image1[i].visible = true;
    }

    state.tableValue[1] = randomCard();
    cardpic(state.tableValue[1]);
    board.Image4[1] = state.picIndex;

    state.canPick = true;
    state.playerTurn = true;
}
