// The operator buttons and their shortcut characters, seen by the window before any control.
#include "Game.h"

void Game::option1Click(int i) {
    if (ended_) return;
    board_.Option1 = i;
}

void Game::keyPress(int code) {
    if (ended_) return;
    // Lower-case letters only: "Z" and the like choose nothing.
    if (code == 'z') board_.Option1 = op::kPlus;
    if (code == 'x') board_.Option1 = op::kMinus;
    if (code == 'c') board_.Option1 = op::kTimes;
    if (code == 'v') board_.Option1 = op::kDivide;
    if (code == '+') board_.Option1 = op::kPlus;
    if (code == '-') board_.Option1 = op::kMinus;
    if (code == '*') board_.Option1 = op::kTimes;
    if (code == '/') board_.Option1 = op::kDivide;
}
