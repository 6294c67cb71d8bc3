// The window events a page sends for its controls, its menus and its keys, as script lines: one
// table the page composes every line from (given to it by the web glue), and which the tests
// read back through the script reader, so that no pointer, tap or key can make a line the engine
// cannot read.
#pragma once

#include <string>
#include <string_view>

namespace eventform {

// "%1" stands for the control's index, the menu item's name or the character's code.
struct ControlForms {
    const char* control;  // the control's name, in the order of layout::Control
    const char* move;     // the pointer over it; nullptr: the window has no event for that
    const char* click;    // a click or a tap on it, or Space or Enter while it has the focus
};

// clang-format off
inline constexpr ControlForms kControls[] = {
    {"Frame2",  "move Frame2",    nullptr},
    {"Option1", nullptr,          "option %1"},
    {"Label1",  "move Label1 %1", "label %1"},
    {"Shape1",  nullptr,          nullptr},
    {"Image7",  nullptr,          nullptr},
    {"Image2",  nullptr,          nullptr},
    {"Image4",  nullptr,          nullptr},
    {"Image3",  nullptr,          nullptr},
    {"Image6",  nullptr,          nullptr},
    {"Image1",  "move Image1 %1", "hand %1"},
    {"Image5",  "move Image5 %1", nullptr},
};
// clang-format on

inline constexpr const char* kMenu = "menu %1";
// A typed character, one UTF-16 unit as the window takes it: the page sends none above this.
inline constexpr const char* kKey = "key %1";
inline constexpr int kHighestKey = 0xFFFF;

// The form with "%1" replaced by `value`.
std::string fill(std::string_view form, std::string_view value);

}  // namespace eventform
