// The rules of the record table.
#include "RecordTable.h"

#include <algorithm>
#include <limits>

#include "Texts.h"
#include "Utf8.h"

namespace records {

std::string fitName(const std::string& text, int keep) {
    std::string out;
    int count = 0;
    for (std::size_t i = 0; i < text.size() && count < keep; ++count) {
        const std::size_t n = utf8Length(text, i);
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

std::string storableName(const std::string& text, const std::function<bool(char32_t)>& holds) {
    std::string out;
    int count = 0;
    for (std::size_t i = 0, n = 0; i < text.size() && count < kNameLength; i += n, ++count) {
        n = utf8Length(text, i);
        char32_t c = 0xFFFD;  // an invalid byte, which no table holds
        if (n == 0)
            n = 1;
        else
            c = decodeUtf8(text, i, n);
        if (c == U'"')
            out += "\xEF\xBC\x82";  // U+FF02
        else if (c < 0x20 || c == 0x7F)
            out += ' ';
        else if (c != 0xFFFD && holds(c))
            out.append(text, i, n);
        else
            out += '?';
    }
    return fitName(out);
}

ScoreEntry defaultRow() {
    return ScoreEntry{fitName(text::kNoRecordName), 0};
}

RecordRows defaultRows() {
    RecordRows rows;
    rows.fill(defaultRow());
    return rows;
}

bool qualifies(const RecordRows& rows, std::int32_t score) {
    return score > rows[9].points;
}

bool enter(RecordRows& rows, std::int32_t score, const std::string& name) {
    if (!qualifies(rows, score)) return false;
    // The first row the score beats, scanning from the bottom: equal scores stay above it.
    std::size_t pos = 9;
    for (std::size_t k = 9; k-- > 0;)
        if (score > rows[k].points) pos = k;
    std::move_backward(rows.begin() + static_cast<std::ptrdiff_t>(pos), rows.end() - 1, rows.end());
    rows[pos] = {fitName(name), clampPoints(score)};
    return true;
}

std::int16_t clampPoints(std::int64_t score) {
    return static_cast<std::int16_t>(std::clamp<std::int64_t>(
        score, std::numeric_limits<std::int16_t>::min(), std::numeric_limits<std::int16_t>::max()));
}

}  // namespace records
