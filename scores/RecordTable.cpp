// The rules of the record table.
#include "RecordTable.h"

#include <algorithm>
#include <limits>

#include "Utf8.h"

namespace records {

std::string fitName(const std::string& text, int keep) {
    keep = std::clamp(keep, 0, kNameLength);
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
