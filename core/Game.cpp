// The engine's shared pieces: construction, boxes, chance, the hands' packing and the end.
#include "Game.h"

#include "RecordTable.h"
#include "Translation.h"

Game::Game(Host& host, RecordStore& store, MediaControl& mm1)
    : host_(host), store_(store), mm1_(mm1) {
    state_.records = records::defaultRows();
    board_.Text2 = text::tr(text::kRules);
    // The table shows two card backs until the first deal.
    board_.Image4[0] = board_.Image4[1] = card::kBack;
}

int Game::ask(const Message& message) {
    return host_.messageBox(text::tr(message.text), text::tr(message.title), message.code);
}

CardValue Game::randomCard() {
    // The integer part of r x 15, plus 1, r in [0, 1): every value from ace to coloured joker
    // equally likely.
    return static_cast<CardValue>(static_cast<int>(host_.rnd() * card::kColourJoker) + 1);
}

void Game::removeHandCard(int p) {
    for (int j = p; j <= 8; ++j) {
        board_.Image1[j].picture = board_.Image1[j + 1].picture;
        state_.handValue[j] = state_.handValue[j + 1];
    }
    state_.handValue[9] = 0;
}

void Game::removeCpuCard(int p) {
    // The pictures move with the values: after a win the new deal's computer may be stuck at
    // once and, kept face up, play on with its cards shown.
    for (int j = p; j <= 8; ++j) {
        board_.Image2[j].picture = board_.Image2[j + 1].picture;
        state_.cpuValue[j] = state_.cpuValue[j + 1];
    }
    state_.cpuValue[9] = 0;
}

int Game::firstEmptyCpuSlot() const {
    for (int k = 0; k < kHandSlots; ++k)
        if (state_.cpuValue[k] == 0) return k;
    return -1;
}

bool Game::canClickImage1(int k) const {
    return !ended_ && board_.Image1[k].visible;
}

bool Game::canClickLabel1(int i) const {
    return !ended_ && board_.Label1Enabled[i];
}

void Game::endProgram() {
    ended_ = true;
    host_.endProgram();
}
