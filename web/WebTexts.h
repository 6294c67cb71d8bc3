// What only the page shows: its menu keys, its dialog buttons and the words of its end.
#pragma once

#include <string_view>
#include <utility>

namespace webtext {

// A browser keeps Ctrl+N, Ctrl+Q and Ctrl+W for itself: the page's menu keys take Alt instead.
inline constexpr std::pair<const char*, const char*> kShortcuts[] = {
    {"new", "Alt+N"}, {"music", "Alt+M"}, {"gao", "Alt+G"}, {"quit", "Alt+Q"}};

inline const char* shortcutOf(std::string_view item) {
    for (const auto& [name, keys] : kShortcuts)
        if (item == name) return keys;
    return "";
}

inline constexpr std::pair<const char*, const char*> kButtons[] = {
    {"yes", "是"}, {"no", "否"}, {"ok", "确定"}, {"cancel", "取消"}};

inline constexpr std::pair<const char*, const char*> kPageTexts[] = {
    {"ended", "游戏已经结束。"},
    {"again", "重新开始"},
    {"download", "下载重现这次错误的记录"},
};

}  // namespace webtext
