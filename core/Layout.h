// Where the window's controls stand, in twips (15 to the pixel at 96 dots per inch), read as
// the window's list of controls. Controls marked "in Frame2" are placed relative to the frame.
#pragma once

#include <cmath>
#include <stdexcept>

struct Twips {
    int left, top, width, height;
};

enum class Control {
    Frame2,
    Option1,
    Label1,
    Shape1,
    Image7,
    Image2,
    Image4,
    Image3,
    Image6,
    Image1,
    Image5
};

namespace layout {

constexpr int kClientWidth = 8250;
constexpr int kClientHeight = 6060;

// Indices first..last of a control array; each index after the first moves the control `step`
// to the right.
struct Row {
    Control control;
    int first, last;
    bool inFrame2;
    int left, top, width, height;
    int step{};
};

// clang-format off
constexpr Row kControls[] = {
    // control         indices  in Frame2  Left   Top  Width Height  step
    {Control::Frame2,   0, 0,   false,     5400, 4200,  2415, 1695},
    {Control::Option1,  0, 3,   true,       240, 1320,   495,  255,   480},
    {Control::Label1,   0, 0,   true,       240,  285,   855,  210},
    {Control::Label1,   1, 1,   true,       240,  645,   855,  225},
    {Control::Label1,   2, 2,   true,       240,  990,   855,  225},
    {Control::Shape1,   0, 0,   true,       240,  255,   870,  240},
    {Control::Shape1,   1, 1,   true,       240,  615,   870,  255},
    {Control::Shape1,   2, 2,   true,       240,  960,   870,  255},
    {Control::Image7,   0, 0,   true,      1320,  240,   615,  735},
    {Control::Image7,   1, 1,   true,      1680,  480,   615,  735},
    {Control::Image7,   2, 2,   false,     7440, 3120,   615,  735},
    {Control::Image2,   0, 9,   false,     6240,  120,  1050, 1440,  -240},
    {Control::Image4,   0, 1,   false,     3960, 2280,  1050, 1440,   480},
    {Control::Image3,   0, 9,   false,      960, 4080,   300,  315,   240},
    {Control::Image6,   0, 0,   false,     -120,    0,  3405, 3690},
    {Control::Image1,   0, 9,   false,      960, 4440,  1110, 1485,   240},
    {Control::Image5,   0, 0,   false,        0, 2520, 15360, 3690},
    {Control::Image5,   1, 1,   false,     -120, -240, 15360, 3690},
};
// clang-format on

constexpr const Row& rowOf(Control control, int index) {
    for (const Row& row : kControls)
        if (row.control == control && index >= row.first && index <= row.last) return row;
    throw std::out_of_range("no such control");
}

constexpr Twips place(Control control, int index = 0) {
    const Row& row = rowOf(control, index);
    return {row.left + row.step * (index - row.first), row.top, row.width, row.height};
}

// A hand card rests at its place and is raised by 290 twips while picked; a gem marker stands
// 360 twips above its card, so its 315 twips end 45 twips above a raised card.
constexpr int kHandRestTop = place(Control::Image1).top;
constexpr int kHandRaisedTop = kHandRestTop - 290;
constexpr int kMarkerAboveCard = 360;

// Twips to pixels, to the nearest pixel (4150 twips are 277 pixels).
constexpr int kTwipsPerPixel = 15;
inline int toPixels(int twips) {
    return static_cast<int>(std::lround(twips / double(kTwipsPerPixel)));
}

}  // namespace layout
