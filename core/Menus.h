// The menu bar: each menu and item with its name, caption, shortcut and handler.
#pragma once

#include <span>

#include "Game.h"
#include "Texts.h"

struct MenuItem {
    const char* name;
    const char* caption;   // nullptr for a separator line
    const char* shortcut;  // as Qt's portable key text, "" for none
    void (Game::*click)();
    bool checkable = false;
};

struct Menu {
    const char* name;
    const char* caption;
    std::span<const MenuItem> items;
};

namespace menus {

inline constexpr MenuItem kGameItems[] = {
    {"new", N_("新的开始"), "Ctrl+N", &Game::newClick},
    {"music", N_("游戏音乐"), "Ctrl+M", &Game::musicClick, true},
    {"gao", N_("高分记录"), "Ctrl+G", &Game::gaoClick},
    {"a", nullptr, "", nullptr},
    {"quit", N_("退出游戏"), "Ctrl+Q", &Game::quitClick},
};
inline constexpr MenuItem kAboutItems[] = {
    {"help", N_("游戏帮助"), "", &Game::helpClick},
    {"about", N_("关于……"), "", &Game::aboutClick},
};
inline constexpr Menu kMenus[] = {{"game", N_("游戏"), kGameItems},
                                  {"about1", N_("关于"), kAboutItems}};

// The item of that name, or nullptr (separators have no handler and are not items).
inline const MenuItem* find(std::string_view name) {
    for (const Menu& menu : kMenus)
        for (const MenuItem& item : menu.items)
            if (item.click && name == item.name) return &item;
    return nullptr;
}

}  // namespace menus
