// The rules of the record table.
#include "RecordTable.h"

#include <algorithm>
#include <limits>

namespace records {
namespace {

// Length in bytes of the UTF-8 character starting at s[i]; 0 when the bytes there are invalid.
// Overlong forms, surrogates and code points past U+10FFFF are invalid: the second byte's range
// depends on the lead byte.
std::size_t charLength(const std::string& s, std::size_t i) {
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

}  // namespace

std::string fitName(const std::string& text, int keep) {
    keep = std::clamp(keep, 0, kNameLength);
    std::string out;
    int count = 0;
    for (std::size_t i = 0; i < text.size() && count < keep; ++count) {
        const std::size_t n = charLength(text, i);
        if (n == 0) {
            out += "\xEF\xBF\xBD";
            ++i;
        } else {
            out.append(text, i, n);
            i += n;
        }
    }
    out.append(static_cast<std::size_t>(kNameLength - count), ' ');
    return out;
}

ScoreEntry defaultRow() {
    return ScoreEntry{fitName("无记录"), 0};
}

RecordRows defaultRows() {
    RecordRows rows;
    rows.fill(defaultRow());
    return rows;
}

bool qualifies(const RecordRows& rows, std::int32_t score) {
    return score > rows[9].points;
}

int insertionPlace(const RecordRows& rows, std::int32_t score) {
    int pos = 9;
    for (int k = 9; k >= 0; --k)
        if (score > rows[static_cast<std::size_t>(k)].points) pos = k;
    return pos;
}

void insert(RecordRows& rows, int pos, const ScoreEntry& entry) {
    pos = std::clamp(pos, 0, 9);
    for (int k = 8; k >= pos; --k)
        rows[static_cast<std::size_t>(k + 1)] = rows[static_cast<std::size_t>(k)];
    rows[static_cast<std::size_t>(pos)] = entry;
}

std::int16_t clampPoints(std::int64_t score) {
    return static_cast<std::int16_t>(std::clamp<std::int64_t>(
        score, std::numeric_limits<std::int16_t>::min(), std::numeric_limits<std::int16_t>::max()));
}

std::string displayText(const RecordRows& rows) {
    std::string text;
    for (std::size_t k = 0; k < rows.size(); ++k) {
        text += "【" + std::to_string(k) + "】" + rows[k].name + std::string(14, ' ') +
                std::to_string(rows[k].points) + "\r\n";
    }
    return text;
}

}  // namespace records
