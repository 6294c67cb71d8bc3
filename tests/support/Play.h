// A game for the rules' tests, driven by replay script lines and summed up in one line.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "MemoryRecords.h"
#include "ReplaySession.h"

// Sets up positions that play would take long to reach.
struct GameTestAccess {
    static GameState& state(Game& game) { return game.state_; }
    static Board& board(Game& game) { return game.board_; }
};

// The replay line "rand ..." that deals "H H H H H / C C C C C / T": the player's faces are of
// the four suits in turn from clubs, the target's a spade.
std::string dealLine(std::string_view deal);

class Play {
public:
    Play();

    // Runs steps separated by ';': replay script lines, or these shorthands:
    //   deal H H H H H / C C C C C / T   queues the numbers of a deal, then menu new
    //   next H H H H H / C C C C C / T   only queues them, for a deal that some event starts
    //   draws V V ...                    queues the player's draws: each a value and a suit
    //   cards V V ...                    queues bare values, as the computer draws them
    //   set hand|cpu V V ...             puts exactly these cards in a hand
    //   set points P P ...               the stored records' points, from row 0
    //   set score N
    //   set failing                      the table cannot be saved
    void run(std::string_view steps);

    // The position in one line:
    //   hand 7^ 2 | cpu 3 5 up | table B 5 | sel 7 - | pick 7 0 @0 0 | D-- | you | op - |
    //   gem 3@3790 | lit 1 | 100 | <box text> <code> ... | ended | saved <rows not default>
    // A raised card has ^; "up" when the computer's cards show faces; table and sel show each
    // picture as a value, B for the back or - for none; labels D, P, S when enabled; the turn is
    // you, done (a pair is complete) or off. sel, pick, op, gem and lit show only when set.
    // A broken invariant ends the line with what is broken, unless in the middle of a turn.
    std::string summary(bool checked = true) const;

    MemoryRecords store;
    ReplaySession session{store, "/opt/tessaro"};
    Game& game = session.game();
    std::vector<ShownDialog> boxes;  // shown by the last run
    std::string pause;               // the summary where the window redraws before its pause
};
