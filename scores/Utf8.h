// Walking UTF-8 text character by character: names are cut by characters, never by bytes.
#pragma once

#include <cstddef>
#include <string_view>

// Length in bytes of the UTF-8 character starting at s[i]; 0 when the bytes there are invalid.
// Overlong forms, surrogates and code points past U+10FFFF are invalid: the second byte's range
// depends on the lead byte.
inline std::size_t utf8Length(std::string_view s, std::size_t i) {
    const auto lead = static_cast<unsigned char>(s[i]);
    std::size_t n = 0;
    unsigned char low = 0x80, high = 0xBF;
    if (lead < 0x80) return 1;
    if (lead >= 0xC2 && lead <= 0xDF)
        n = 2;
    else if (lead >= 0xE0 && lead <= 0xEF)
        n = 3;
    else if (lead >= 0xF0 && lead <= 0xF4)
        n = 4;
    else
        return 0;
    if (lead == 0xE0) low = 0xA0;
    if (lead == 0xED) high = 0x9F;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;
    if (i + n > s.size()) return 0;
    const auto second = static_cast<unsigned char>(s[i + 1]);
    if (second < low || second > high) return 0;
    for (std::size_t k = 2; k < n; ++k)
        if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return 0;
    return n;
}

// The code point of the valid UTF-8 character of `n` bytes at s[i].
inline char32_t decodeUtf8(std::string_view s, std::size_t i, std::size_t n) {
    constexpr unsigned char kLeadBits[] = {0, 0x7F, 0x1F, 0x0F, 0x07};
    char32_t c = static_cast<unsigned char>(s[i]) & kLeadBits[n];
    for (std::size_t k = 1; k < n; ++k) c = c << 6 | (static_cast<unsigned char>(s[i + k]) & 0x3F);
    return c;
}
