// The start of the program and of each game: loading, cardpic and newgame.
#include "Game.h"
#include "RecordTable.h"
#include "RecordsText.h"

void Game::load() {
    if (ended_) return;
    state_.score = 100;
    state_.records = store_.load();
    // Built from whatever the table holds, also in the run that has just created the file, so
    // that gao never shows an empty box.
    board_.Text1 = records::shownText(state_.records);
    host_.randomize();

    board_.Frame2Back = Rgb{200, 107, 14};  // the command labels start greyed
    for (int i = 0; i < kHandSlots; ++i) {
        board_.Image1[i].picture = card::kBack;
        board_.Image3[i].visible = false;
    }
}

void Game::cardpic(CardValue value) {
    // The suit is drawn for every value, jokers included, so the order of draws never shifts.
    const int s = static_cast<int>(host_.rnd() * card::kSuits);
    state_.picIndex = static_cast<std::int16_t>(card::faceOf(value, s));
}

void Game::newgame() {
    for (int i = 0; i < kHandSlots; ++i) {
        board_.Image2[i].picture = card::kBack;
        // No picture: a hand emptied by a win shows its vacated slots blank while its box is
        // open, not a face of an earlier game or the back it had at load.
        board_.Image1[i].picture = card::kNoPicture;
        board_.Image1[i].visible = false;  // until a deal or a draw gives it a face
        board_.Image2[i].visible = i <= 4;
        state_.handValue[i] = 0;
        state_.cpuValue[i] = 0;
        state_.picked[i] = false;
        board_.Image1[i].top = layout::kHandRestTop;
    }
    board_.Label1Enabled[label::kDraw] = true;
    board_.Label1Enabled[label::kPlay] = false;
    board_.Label1Enabled[label::kSwap] = false;

    for (int i = 0; i <= 1; ++i) {
        board_.Image4[i] = board_.Image2[0].picture;
        board_.Image7[i] = card::kNoPicture;
        state_.pickValue[i + 1] = 0;
        state_.pickSlot[i] = 0;
        state_.tableValue[i] = 0;
    }

    for (int i = 0; i <= 4; ++i) {
        state_.handValue[i] = randomCard();
        state_.cpuValue[i] = randomCard();
        cardpic(state_.handValue[i]);
        board_.Image1[i].picture = state_.picIndex;
        board_.Image1[i].visible = true;
    }

    state_.tableValue[1] = randomCard();
    cardpic(state_.tableValue[1]);
    board_.Image4[1] = state_.picIndex;

    state_.canPick = true;
    state_.playerTurn = true;
}
