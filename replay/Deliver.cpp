// Script lines to engine handlers: shared by the replay driver and the page.
#include "Deliver.h"

#include "Menus.h"

bool deliver(Game& game, const ScriptLine& line) {
    bool ignored = false;
    switch (line.command) {
        case Command::Menu:
            (game.*menus::find(line.menu)->click)();
            break;
        case Command::Hand:
            ignored = !game.canClickImage1(line.index);
            game.image1Click(line.index);
            break;
        case Command::Label:
            ignored = !game.canClickLabel1(line.index);
            game.label1Click(line.index);
            break;
        case Command::Option:
            game.option1Click(line.index);
            break;
        case Command::Key:
            game.keyPress(line.index);
            break;
        case Command::MoveLabel1:
            game.label1MouseMove(line.index);
            break;
        case Command::MoveFrame2:
            game.frame2MouseMove();
            break;
        case Command::MoveImage1:
            game.image1MouseMove(line.index);
            break;
        case Command::MoveImage5:
            game.image5MouseMove();
            break;
        default:
            break;
    }
    return ignored;
}
