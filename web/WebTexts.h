// What only the page shows: its menu keys, its dialog buttons and the words of its end.
#pragma once

#include <string>
#include <string_view>
#include <utility>

#include "Texts.h"

namespace webtext {

// A browser keeps Ctrl+N, Ctrl+Q and Ctrl+W for itself: the page's menu keys take Alt instead.
// TRANSLATORS: the key of a menu item in the browser; translate only the name of the Alt key.
inline constexpr std::pair<const char*, const char*> kShortcuts[] = {
    {"new", N_("Alt+N")}, {"music", N_("Alt+M")}, {"gao", N_("Alt+G")}, {"quit", N_("Alt+Q")}};

inline const char* shortcutOf(std::string_view item) {
    for (const auto& [name, keys] : kShortcuts)
        if (item == name) return keys;
    return "";
}

// TRANSLATORS: the buttons of the page's boxes: yes, no, OK and cancel.
inline constexpr std::pair<const char*, const char*> kButtons[] = {
    {"yes", N_("是")}, {"no", N_("否")}, {"ok", N_("确定")}, {"cancel", N_("取消")}};

// A page cannot close itself: at the end it says so and offers a new start.
// TRANSLATORS: the end of the game in a page, and the download of a fault's replay script.
inline constexpr std::pair<const char*, const char*> kPageTexts[] = {
    {"ended", N_("游戏已经结束。")},
    {"again", N_("重新开始")},
    {"download", N_("下载重现这次错误的记录")},
};

// A browser player has no Data.dat: the page says in its own words that a record was not kept.
// TRANSLATORS: a record that the browser's storage for the site could not keep.
inline constexpr char kRecordsNotSaved[] = N_("高分记录无法保存在这个浏览器中，此次记录将会丢失。");

// The text the page translates in place of one of the engine's.
inline const char* pageSource(const char* source) {
    return std::string_view(source) == text::kNotSaved.text ? kRecordsNotSaved : source;
}

// Each name in the records list stands between U+2068 and U+2069, so that no character of it
// changes the direction of the row number or the points around it.
inline std::string isolateNames(const char* source, std::string words) {
    const auto name = words.find("%2");
    if (std::string_view(source) == text::kRecordRow && name != std::string::npos)
        words.replace(name, 2, "\u2068%2\u2069");
    return words;
}

}  // namespace webtext
