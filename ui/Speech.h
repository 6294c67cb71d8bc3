// What a screen reader says of a card picture: its suit, rank and value, a joker, or the back.
#pragma once

#include <QString>

namespace speech {

// "红桃 7", "黑桃 K 13", "小王 14", "背面", or "空" for no picture.
QString card(int picture);

}  // namespace speech
