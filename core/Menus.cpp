// The menu items: new, music, gao, quit, help and about.
#include "Game.h"
#include "Translation.h"

void Game::newClick() {
    if (ended_) return;
    newgame();
    mm1_.setFileName(host_.appPath() + "/r07.mid");
    mm1_.command("open");
    mm1_.command("play");
}

void Game::musicClick() {
    if (ended_) return;
    if (board_.musicChecked) {
        mm1_.command("stop");
        board_.musicChecked = false;
    } else {
        mm1_.command("play");
        board_.musicChecked = true;
    }
}

void Game::gaoClick() {
    if (ended_) return;
    host_.messageBox(board_.Text1, text::tr(text::kRecordsTitle), box::kOk);
}

void Game::quitClick() {
    if (ended_) return;
    if (ask(text::kQuit) != box::kAnswerYes) {
        newgame();
        return;
    }
    if (!enterRecord(6)) endProgram();
}

void Game::helpClick() {
    if (ended_) return;
    host_.messageBox(board_.Text2, text::tr(text::kAppTitle), box::kOk);
}

void Game::aboutClick() {
    if (ended_) return;
    host_.messageBox(text::tr(text::kCredits), text::tr(text::kAppTitle), box::kOk);
}
