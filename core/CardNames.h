// What a screen reader says of a card picture: its suit, rank and value, a joker, or the back.
#pragma once

#include <string>

namespace names {

// "红桃 7", "黑桃 K 13", "小王 14", "背面", or "空" for no picture. UTF-8.
std::string card(int picture);

}  // namespace names
