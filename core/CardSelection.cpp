// The hand click: picking, validating and taking back the player's answer.
#include "Game.h"

namespace {

// The player's operators in 16-bit arithmetic; "\" truncates toward zero.
CardValue combine(int option, CardValue a, CardValue b) {
    switch (option) {
        case 1:
            return static_cast<CardValue>(a - b);
        case 2:
            return static_cast<CardValue>(a * b);
        case 3:
            return b == 0 ? CardValue{0} : static_cast<CardValue>(a / b);
        default:
            return static_cast<CardValue>(a + b);
    }
}

}  // namespace

void Game::image1Click(int k) {
    if (!canClickImage1(k)) return;
    if (!state.picked[k] && state.canPick && state.playerTurn)
        pickCard(k);
    else if (!state.canPick && state.playerTurn)
        askUndo();
    else
        unpickCard(k);
}

bool Game::loneMatch() const {
    return state.playerTurn && state.canPick && state.pickSlot[1] == -1 && state.pickValue[2] != 0;
}

void Game::pickCard(int k) {
    board.Image1[k].top = kHandRaisedTop;
    state.picked[k] = true;

    if (state.pickValue[1] == 0) {
        state.pickValue[1] = state.handValue[k];
        state.pickSlot[0] = static_cast<std::int16_t>(k);
        board.Image7[0] = board.Image1[k].picture;
        if (state.pickValue[1] == state.tableValue[1]) {
            board.Label1Enabled[0] = false;
            board.Label1Enabled[2] = false;
            state.pickValue[2] = state.handValue[k];
            state.pickSlot[1] = -1;
            board.Image7[0] = kCardBack;
            board.Image7[1] = board.Image1[k].picture;
            board.Label1Enabled[1] = true;
        }
        return;
    }

    const CardValue result = combine(board.Option1, state.pickValue[1], state.handValue[k]);
    if (result != state.tableValue[1]) {
        host_.messageBox("你应该再想想！", "Tessaro", box::kOk);
        board.Image1[k].top = kHandRestTop;
        state.picked[k] = false;
        return;
    }

    // A pair completed after a lone match stands exactly like a pair picked the ordinary way.
    if (loneMatch()) {
        board.Image7[0] = board.Image1[state.pickSlot[0]].picture;
        board.Label1Enabled[0] = true;
    }
    state.canPick = false;
    state.pickValue[2] = state.handValue[k];
    state.pickSlot[1] = static_cast<std::int16_t>(k);
    board.Image7[1] = board.Image1[k].picture;
    board.Label1Enabled[1] = true;
    board.Label1Enabled[2] = true;
}

void Game::askUndo() {
    if (host_.messageBox("您是否要撤销已经选好的牌？", "提示", box::kYesNoQuestion) !=
        box::kAnswerYes)
        return;
    for (int i = 0; i < kHandSlots; ++i) {
        board.Image1[i].top = kHandRestTop;
        state.picked[i] = false;
    }
    board.Label1Enabled[1] = false;
    board.Label1Enabled[2] = false;
    state.pickValue[1] = state.pickValue[2] = 0;
    state.pickSlot[0] = state.pickSlot[1] = 0;
    board.Image7[0] = 0;
    board.Image7[1] = 0;
    state.canPick = true;
}

void Game::unpickCard(int k) {
    const bool wasLone = loneMatch();
    board.Image1[k].top = kHandRestTop;
    state.picked[k] = false;
    state.pickValue[1] = 0;
    state.pickSlot[0] = 0;
    board.Image7[0] = 0;
    if (wasLone) {
        state.pickValue[2] = 0;
        state.pickSlot[1] = 0;
        board.Image7[1] = 0;
        board.Label1Enabled[1] = false;
        board.Label1Enabled[0] = true;
    }
}
