// Records through the page: it reads and writes the storage and takes the lock that keeps two
// tabs from entering records over each other.
#include "WebRecords.h"

#include <emscripten.h>

#include <cstdlib>

#include "RecordTable.h"

// clang-format off
// Returns malloc'ed rows text, "" for anything unreadable, or a null pointer when nothing is
// stored yet.
EM_JS(char*, pageReadRecords, (), {
    const lines = Module.page.readRecords();
    if (lines === null) return 0;
    const size = lengthBytesUTF8(lines) + 1;
    const out = _malloc(size);
    stringToUTF8(lines, out, size);
    return out;
});
EM_JS(int, pageWriteRecords, (const char* lines), {
    return Module.page.writeRecords(UTF8ToString(lines)) ? 1 : 0;
});
EM_ASYNC_JS(int, pageLockRecords, (), { return await Module.page.lockRecords(); });
EM_JS(void, pageUnlockRecords, (), { Module.page.unlockRecords(); });
// clang-format on

namespace webrecords {

std::optional<RecordRows> parse(const std::string& lines) {
    RecordRows rows;
    std::size_t i = 0;
    // Line by line without a stream, which would add its library to the page's module.
    for (std::size_t start = 0, end; start < lines.size(); start = end + 1, ++i) {
        end = lines.find('\n', start);
        if (end == std::string::npos) end = lines.size();
        const std::string line = lines.substr(start, end - start);
        const auto tab = line.find('\t');
        if (i == rows.size() || tab == std::string::npos || tab == 0) return std::nullopt;
        char* digitsEnd = nullptr;
        const long points = std::strtol(line.c_str(), &digitsEnd, 10);
        if (digitsEnd != line.c_str() + tab || points != records::clampPoints(points))
            return std::nullopt;
        rows[i] = {records::fitName(line.substr(tab + 1)), static_cast<std::int16_t>(points)};
    }
    if (i != rows.size()) return std::nullopt;
    return rows;
}

std::string format(const RecordRows& rows) {
    std::string lines;
    for (const ScoreEntry& row : rows) lines += std::to_string(row.points) + "\t" + row.name + "\n";
    return lines;
}

}  // namespace webrecords

namespace {

// Nothing stored yet gives default rows, which are then stored; anything unreadable gives
// nothing.
std::optional<RecordRows> readStored() {
    char* stored = pageReadRecords();
    if (!stored) {
        const RecordRows rows = records::defaultRows();
        pageWriteRecords(webrecords::format(rows).c_str());
        return rows;
    }
    const std::string lines(stored);
    std::free(stored);
    return webrecords::parse(lines);
}

}  // namespace

RecordRows WebRecords::load() {
    return readStored().value_or(records::defaultRows());
}

std::optional<RecordRows> WebRecords::update(const std::function<bool(RecordRows&)>& change) {
    if (!pageLockRecords()) return std::nullopt;
    std::optional<RecordRows> rows = readStored();
    if (rows && change(*rows) && !pageWriteRecords(webrecords::format(*rows).c_str())) rows.reset();
    pageUnlockRecords();
    return rows;
}
