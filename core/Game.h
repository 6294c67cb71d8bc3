// The rules engine: the window-level state, the board, and every handler and routine of Form1.
#pragma once

#include <cstdint>
#include <string>

#include "Board.h"
#include "GameState.h"
#include "Host.h"
#include "MediaControl.h"
#include "RecordStore.h"

class Game {
public:
    Game(Host& host, RecordStore& store, MediaControl& mm1);

    const GameState& state() const { return state_; }
    const Board& board() const { return board_; }

    // Window events.  Once the program has ended they do nothing.
    void load();
    void image1Click(int k);   // a click on hand card k
    void label1Click(int i);   // draw, play, swap
    void option1Click(int i);  // an operator button
    void keyPress(int code);   // a typed character, seen by the window first
    void label1MouseMove(int i);
    void frame2MouseMove();
    void image1MouseMove(int i);
    void image5MouseMove();

    // Menu items.
    void newClick();
    void musicClick();
    void gaoClick();
    void quitClick();
    void helpClick();
    void aboutClick();

    // Window routines.
    void newgame();
    void cardpic(CardValue value);
    void AI();
    void delay(std::int16_t n);

    bool ended() const { return ended_; }
    // Whether the window would deliver a click: hidden cards and greyed labels take none.
    bool canClickImage1(int k) const;
    bool canClickLabel1(int i) const;
    // Returns an empty text when the state and the board agree with the rules, else what is wrong.
    std::string checkInvariants() const;

private:
    friend struct GameTestAccess;  // the rules' tests set up positions directly

    int ask(const Message& message);
    CardValue randomCard();
    bool loneMatch() const;  // a single card equal to the target is the whole answer
    void pickCard(int k);
    void askUndo();
    void unpickCard(int k);
    void play();
    void draw();
    void swapPicks();
    void removeHandCard(int p);
    void removeCpuCard(int p);
    bool searchPair();
    int firstEmptyCpuSlot() const;
    void layPair();
    void laySingle(int k);
    void closeTurn();
    void stuck();
    // Record entry: false when the score does not qualify; otherwise the program has ended.
    bool enterRecord(int nameKeep);
    void endProgram();

    GameState state_;
    Board board_;
    Host& host_;
    RecordStore& store_;
    MediaControl& mm1_;
    bool ended_ = false;
};
