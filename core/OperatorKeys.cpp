// The operator buttons and their shortcut characters, seen by the window before any control.
#include "Game.h"

void Game::option1Click(int i) {
    if (ended_ || i < 0 || i > 3) return;
    board.Option1 = i;
}

void Game::keyPress(int code) {
    if (ended_) return;
    // Lower-case letters only: "Z" and the like choose nothing.
    if (code == 'z') board.Option1 = 0;
    if (code == 'x') board.Option1 = 1;
    if (code == 'c') board.Option1 = 2;
    if (code == 'v') board.Option1 = 3;
    if (code == '+') board.Option1 = 0;
    if (code == '-') board.Option1 = 1;
    if (code == '*') board.Option1 = 2;
    if (code == '/') board.Option1 = 3;
}
