// What a screen reader says of a card picture: its suit, rank and value, a joker, or the back.
#pragma once

#include <string>

namespace names {

// "红桃 7", "黑桃 K 13", "小王 14", "背面", or "空" for no picture, in the player's language
// (UTF-8).
std::string card(int picture);
// The card the player drew: "摸到 梅花 7".
std::string drawn(int picture);
// A card where it lies, from a template of Texts.h such as kImage4Names: "目标：黑桃 5".
std::string place(const char* placeTemplate, const std::string& cardName);
// What the computer did in its turn: how many cards it drew, then the one or two pictures it
// laid (the left one the back when it laid one), which leave the right one as the new target.
std::string computerTurn(int drawn, int left, int right);

}  // namespace names
