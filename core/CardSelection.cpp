// The hand click: picking, validating and taking back the player's answer.
#include "Game.h"

namespace {

// The player's operators in 16-bit arithmetic; "\" truncates toward zero.
CardValue combine(int option, CardValue a, CardValue b) {
    switch (option) {
        case op::kMinus:
            return static_cast<CardValue>(a - b);
        case op::kTimes:
            return static_cast<CardValue>(a * b);
        case op::kDivide:
            return static_cast<CardValue>(a / b);  // b is a card: never 0
        default:
            return static_cast<CardValue>(a + b);
    }
}

}  // namespace

void Game::image1Click(int k) {
    if (!canClickImage1(k)) return;
    if (!state_.picked[k] && state_.canPick && state_.playerTurn)
        pickCard(k);
    else if (!state_.canPick && state_.playerTurn)
        askUndo();
    else
        unpickCard(k);
}

bool Game::loneMatch() const {
    return state_.playerTurn && state_.canPick && state_.pickSlot[1] == -1 &&
           state_.pickValue[2] != 0;
}

void Game::pickCard(int k) {
    board_.Image1[k].top = layout::kHandRaisedTop;
    state_.picked[k] = true;

    if (state_.pickValue[1] == 0) {
        state_.pickValue[1] = state_.handValue[k];
        state_.pickSlot[0] = static_cast<std::int16_t>(k);
        board_.Image7[0] = board_.Image1[k].picture;
        // Swap is greyed already: it is lit only while a pair is complete.
        if (state_.pickValue[1] == state_.tableValue[1]) {
            board_.Label1Enabled[label::kDraw] = false;
            state_.pickValue[2] = state_.handValue[k];
            state_.pickSlot[1] = -1;
            board_.Image7[0] = card::kBack;
            board_.Image7[1] = board_.Image1[k].picture;
            board_.Label1Enabled[label::kPlay] = true;
        }
        return;
    }

    const CardValue result = combine(board_.Option1, state_.pickValue[1], state_.handValue[k]);
    if (result != state_.tableValue[1]) {
        ask(text::kThinkAgain);
        board_.Image1[k].top = layout::kHandRestTop;
        state_.picked[k] = false;
        return;
    }

    // A pair completed after a lone match stands exactly like a pair picked the ordinary way.
    if (loneMatch()) {
        board_.Image7[0] = board_.Image1[state_.pickSlot[0]].picture;
        board_.Label1Enabled[label::kDraw] = true;
    }
    state_.canPick = false;
    state_.pickValue[2] = state_.handValue[k];
    state_.pickSlot[1] = static_cast<std::int16_t>(k);
    board_.Image7[1] = board_.Image1[k].picture;
    board_.Label1Enabled[label::kPlay] = true;
    board_.Label1Enabled[label::kSwap] = true;
}

void Game::askUndo() {
    if (ask(text::kUndo) != box::kAnswerYes) return;
    for (int i = 0; i < kHandSlots; ++i) {
        board_.Image1[i].top = layout::kHandRestTop;
        state_.picked[i] = false;
    }
    board_.Label1Enabled[label::kPlay] = false;
    board_.Label1Enabled[label::kSwap] = false;
    state_.pickValue[1] = state_.pickValue[2] = 0;
    state_.pickSlot[0] = state_.pickSlot[1] = 0;
    board_.Image7[0] = board_.Image7[1] = card::kNoPicture;
    state_.canPick = true;
}

void Game::unpickCard(int k) {
    const bool wasLone = loneMatch();
    board_.Image1[k].top = layout::kHandRestTop;
    state_.picked[k] = false;
    state_.pickValue[1] = 0;
    state_.pickSlot[0] = 0;
    board_.Image7[0] = card::kNoPicture;
    if (wasLone) {
        state_.pickValue[2] = 0;
        state_.pickSlot[1] = 0;
        board_.Image7[1] = card::kNoPicture;
        board_.Label1Enabled[label::kPlay] = false;
        board_.Label1Enabled[label::kDraw] = true;
    }
}
