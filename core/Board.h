// Every control property that the game changes, named after the window's controls.
// Positions are twips; pictures are numbers of the picture store (card::kNoPicture for none).
#pragma once

#include <string>

#include "Cards.h"
#include "IndexedArray.h"
#include "Layout.h"

struct Rgb {
    int r = 0, g = 0, b = 0;
    bool operator==(const Rgb&) const = default;
};

struct HandPicture {  // Image1(k)
    int picture = card::kNoPicture;
    int top = layout::kHandRestTop;
    bool visible = true;
    bool operator==(const HandPicture&) const = default;
};

struct CpuPicture {  // Image2(k)
    int picture = card::kBack;
    bool visible = true;
    bool operator==(const CpuPicture&) const = default;
};

struct Marker {  // Image3(k)
    int top = layout::place(Control::Image3).top;
    bool visible = true;
    bool operator==(const Marker&) const = default;
};

// Shape1(i): plain, or lit while the pointer is on its label.
struct ButtonFrame {
    bool solid = false;
    Rgb fill{0, 0, 255};
    Rgb border{0, 0, 0};
    bool operator==(const ButtonFrame&) const = default;
};
constexpr ButtonFrame kPlainFrame{};
constexpr ButtonFrame kLitFrame{true, {255, 255, 0}, {0, 0, 255}};

// The indices of the command labels and of the operator buttons.
namespace label {
constexpr int kDraw = 0, kPlay = 1, kSwap = 2;
}
namespace op {
constexpr int kPlus = 0, kMinus = 1, kTimes = 2, kDivide = 3;
}

struct Board {
    IndexedArray<HandPicture, 0, 9> Image1;
    IndexedArray<CpuPicture, 0, 9> Image2;
    IndexedArray<Marker, 0, 9> Image3;
    IndexedArray<int, 0, 1> Image4;  // the table pair
    IndexedArray<int, 0, 2> Image7;  // the selection slots and the spare for the swap
    IndexedArray<bool, 0, 2> Label1Enabled;
    int Option1 = op::kPlus;  // the selected operator button
    bool musicChecked = true;
    IndexedArray<ButtonFrame, 0, 2> Shape1;
    Rgb Frame2Back;     // set as the window loads
    std::string Text1;  // the record table as loaded, shown by gao
    std::string Text2;  // the rules, shown by help

    bool operator==(const Board&) const = default;
};
