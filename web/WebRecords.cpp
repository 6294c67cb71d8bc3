// Records through the page: it reads and writes the storage and takes the lock that keeps two
// tabs from entering records over each other; where it has no lock, each record is added on its
// own and never written over.
#include "WebRecords.h"

#include <emscripten.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "RecordTable.h"

// clang-format off
// Returns malloc'ed text, or a null pointer for a null string.
EM_JS(char*, pageText, (int which), {
    const lines = which ? Module.page.readEntries() : Module.page.readRecords();
    if (lines === null) return 0;
    const size = lengthBytesUTF8(lines) + 1;
    const out = _malloc(size);
    stringToUTF8(lines, out, size);
    return out;
});
EM_JS(int, pageWriteRecords, (const char* lines), {
    return Module.page.writeRecords(UTF8ToString(lines)) ? 1 : 0;
});
EM_JS(int, pageAddRecord, (const char* line), {
    return Module.page.addRecord(UTF8ToString(line)) ? 1 : 0;
});
EM_ASYNC_JS(int, pageLockRecords, (), { return await Module.page.lockRecords(); });
EM_JS(void, pageUnlockRecords, (), { Module.page.unlockRecords(); });
EM_JS(int, pageHoldsInGbk, (char32_t code), { return Module.page.holdsInGbk(code) ? 1 : 0; });
// clang-format on

namespace {

constexpr int kLocked = 1, kAddOnly = 2;

// Rows "POINTS<TAB>NAME", one a line, each name as Data.dat would store it; nothing when a line
// is not that.
std::optional<std::vector<ScoreEntry>> parseLines(const std::string& lines) {
    std::vector<ScoreEntry> rows;
    // Line by line without a stream, which would add its library to the page's module.
    for (std::size_t start = 0, end; start < lines.size(); start = end + 1) {
        end = lines.find('\n', start);
        if (end == std::string::npos) end = lines.size();
        const std::string line = lines.substr(start, end - start);
        const auto tab = line.find('\t');
        if (tab == std::string::npos || tab == 0) return std::nullopt;
        char* digitsEnd = nullptr;
        const long points = std::strtol(line.c_str(), &digitsEnd, 10);
        if (digitsEnd != line.c_str() + tab || points != records::clampPoints(points))
            return std::nullopt;
        rows.push_back(
            {webrecords::storable(line.substr(tab + 1)), static_cast<std::int16_t>(points)});
    }
    return rows;
}

std::optional<std::string> pageLines(int which) {
    char* text = pageText(which);
    if (!text) return std::nullopt;
    std::string lines(text);
    std::free(text);
    return lines;
}

}  // namespace

namespace webrecords {

std::string storable(const std::string& name) {
    return records::storableName(name, [](char32_t c) { return pageHoldsInGbk(c) != 0; });
}

std::optional<RecordRows> parse(const std::string& lines) {
    const auto read = parseLines(lines);
    if (!read || read->size() != RecordRows().size()) return std::nullopt;
    RecordRows rows;
    std::copy(read->begin(), read->end(), rows.begin());
    return rows;
}

std::string line(const ScoreEntry& row) {
    return std::to_string(row.points) + "\t" + row.name + "\n";
}

std::string format(const RecordRows& rows) {
    std::string lines;
    for (const ScoreEntry& row : rows) lines += line(row);
    return lines;
}

}  // namespace webrecords

namespace {

// The table, with the records added on their own entered in the order they came; nothing
// stored yet gives default rows, which are then stored; anything unreadable gives nothing.
std::optional<RecordRows> readStored() {
    const auto stored = pageLines(0);
    if (!stored) pageWriteRecords(webrecords::format(records::defaultRows()).c_str());
    auto rows = stored ? webrecords::parse(*stored) : records::defaultRows();
    const auto added = parseLines(pageLines(1).value_or(""));
    if (!rows || !added) return std::nullopt;
    for (const ScoreEntry& entry : *added) records::enter(*rows, entry.points, entry.name);
    return rows;
}

// What `change` added to the table: the rows of `after` that `before` has not.
std::vector<ScoreEntry> addedRows(RecordRows before, const RecordRows& after) {
    std::vector<ScoreEntry> added;
    for (const ScoreEntry& row : after) {
        const auto old = std::find(before.begin(), before.end(), row);
        if (old == before.end())
            added.push_back(row);
        else
            old->name.clear();  // each row of `before` matches once
    }
    return added;
}

}  // namespace

RecordRows WebRecords::load() {
    return readStored().value_or(records::defaultRows());
}

std::optional<RecordRows> WebRecords::update(const std::function<bool(RecordRows&)>& change) {
    const int lock = pageLockRecords();
    if (!lock) return std::nullopt;
    std::optional<RecordRows> rows = readStored();
    RecordRows changed = rows.value_or(records::defaultRows());
    if (rows && change(changed)) {
        for (ScoreEntry& row : changed) row.name = webrecords::storable(row.name);
        bool saved = lock == kLocked && pageWriteRecords(webrecords::format(changed).c_str());
        if (lock == kAddOnly) {
            saved = true;
            for (const ScoreEntry& row : addedRows(*rows, changed))
                saved = pageAddRecord(webrecords::line(row).c_str()) && saved;
        }
        rows = saved ? std::optional(changed) : std::nullopt;
    }
    pageUnlockRecords();
    return rows;
}
