// Every control property that the game changes, named after the window's controls.
// Positions are twips (15 to the pixel); picture numbers are 0 (none) or 1..55 of ImageList1.
#pragma once

#include <cstdint>
#include <string>

#include "IndexedArray.h"

constexpr int kCardBack = 55;
constexpr int kHandRestTop = 4440;
constexpr int kHandRaisedTop = 4150;
constexpr int kMarkerTop = 4080;

struct Rgb {
    int r = 0, g = 0, b = 0;
    bool operator==(const Rgb&) const = default;
};

struct HandPicture {  // Image1(k)
    int picture = 0;
    int top = kHandRestTop;
    bool visible = true;
    bool operator==(const HandPicture&) const = default;
};

struct CpuPicture {  // Image2(k)
    int picture = kCardBack;
    bool visible = true;
    bool operator==(const CpuPicture&) const = default;
};

struct Marker {  // Image3(k)
    int top = kMarkerTop;
    bool visible = true;
    bool operator==(const Marker&) const = default;
};

struct ButtonFrame {  // Shape1(i)
    bool solid = false;
    Rgb fill{0, 0, 255};
    Rgb border{0, 0, 0};
    bool operator==(const ButtonFrame&) const = default;
};

struct Board {
    IndexedArray<HandPicture, 0, 9> Image1;
    IndexedArray<CpuPicture, 0, 9> Image2;
    IndexedArray<Marker, 0, 9> Image3;
    IndexedArray<int, 0, 1> Image4;  // the table pair
    IndexedArray<int, 0, 2> Image7;  // the selection slots and the spare for the swap
    IndexedArray<bool, 0, 2> Label1Enabled;
    int Option1 = 0;  // the selected operator button
    bool musicChecked = true;
    IndexedArray<ButtonFrame, 0, 2> Shape1;
    Rgb Frame2Back{0, 128, 0};
    std::string Text1;  // the record table as loaded, shown by gao
    std::string Text2;  // the rules, shown by help

    // Left edges that never change, in twips.
    static constexpr int image1Left(int k) { return 960 + 240 * k; }
    static constexpr int image3Left(int k) { return 960 + 240 * k; }
    static constexpr int image2Left(int k) { return 6240 - 240 * k; }
};
