// The engine's shared pieces: construction, chance, the hands' packing and the end of the program.
#include "Game.h"

#include <algorithm>

#include "RecordTable.h"

const char* const Game::kRules =
    "规则:\r\n"
    "用你手中的牌任意组合成电脑出的牌\r\n"
    "你可以出一张也可以两张但是必须能\r\n"
    "够通过Tessaro形成电脑出的牌，最\r\n"
    "多可以摸十张牌，如果实在无法算出\r\n"
    "就输了．\r\n"
    "快捷键：\r\n"
    "+（ｚ或ｎｕｍ+）\r\n"
    "-（ｘ或ｎｕｍ-）\r\n"
    "*（ｃ或ｎｕｍ*）\r\n"
    "/（ｖ或ｎｕｍ/）\r\n";

const char* const Game::kCredits = "Tessaro 1.07 特别版，由 Tessaro 开发组以 C++ 与 Qt 重新制作。";

Game::Game(Host& host, RecordStore& store, MediaControl& mm1)
    : host_(host), store_(store), mm1_(mm1) {
    state.records = records::defaultRows();
    board.Text2 = kRules;
    board.Image4[0] = board.Image4[1] = kCardBack;
    // The hand row carries sample faces until loading turns them into card backs.
    for (int k = 0; k < kHandSlots; ++k) board.Image1[k].picture = 1 + 4 * k;
}

CardValue Game::randomCard() {
    // The integer part of r x 15, plus 1: every value from ace to coloured joker equally likely.
    const int v = static_cast<int>(host_.rnd() * 15) + 1;
    return static_cast<CardValue>(std::clamp(v, 1, 15));
}

void Game::removeHandCard(int p) {
    for (int j = p; j <= 8; ++j) {
        board.Image1[j].picture = board.Image1[j + 1].picture;
        state.handValue[j] = state.handValue[j + 1];
        state.handValue[j + 1] = 0;
    }
    if (p == 9) state.handValue[9] = 0;
}

void Game::removeCpuCard(int p) {
    // The pictures move with the values: a hand shown face up stays true to its cards.
    for (int j = p; j <= 8; ++j) {
        board.Image2[j].picture = board.Image2[j + 1].picture;
        state.cpuValue[j] = state.cpuValue[j + 1];
        state.cpuValue[j + 1] = 0;
    }
    if (p == 9) state.cpuValue[9] = 0;
}

int Game::firstEmptyCpuSlot() const {
    for (int k = 0; k < kHandSlots; ++k)
        if (state.cpuValue[k] == 0) return k;
    return -1;
}

bool Game::canClickImage1(int k) const {
    return !ended_ && k >= 0 && k < kHandSlots && board.Image1[k].visible;
}

bool Game::canClickLabel1(int i) const {
    return !ended_ && i >= 0 && i <= 2 && board.Label1Enabled[i];
}

void Game::endProgram() {
    ended_ = true;
    host_.endProgram();
}
