// The menu items: new, music, gao, quit, help and about.
#include "Game.h"

void Game::newClick() {
    if (ended_) return;
    newgame();
    mm1_.setFileName(host_.appPath() + "/r07.mid");
    mm1_.command("open");
    mm1_.command("play");
}

void Game::musicClick() {
    if (ended_) return;
    if (board.musicChecked) {
        mm1_.command("stop");
        board.musicChecked = false;
    } else {
        board.musicChecked = false;
        mm1_.command("play");
        board.musicChecked = true;
    }
}

void Game::gaoClick() {
    if (ended_) return;
    host_.messageBox(board.Text1, "高分记录", box::kOk);
}

void Game::quitClick() {
    if (ended_) return;
    if (host_.messageBox("此次操作将使程序退出！继续吗？", "退出", box::kYesNoInformation) !=
        box::kAnswerYes) {
        newgame();
        return;
    }
    if (!enterRecord(6)) endProgram();
}

void Game::helpClick() {
    if (ended_) return;
    host_.messageBox(board.Text2, "Tessaro", box::kOk);
}

void Game::aboutClick() {
    if (ended_) return;
    host_.messageBox(kCredits, "Tessaro", box::kOk);
}
