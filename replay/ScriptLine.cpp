// Reading a replay script line: words, numbers and their ranges.
#include "ScriptLine.h"

#include <algorithm>
#include <charconv>
#include <limits>
#include <optional>

#include "Decimal.h"
#include "Menus.h"

namespace {

constexpr std::string_view kBlanks = " \t";

std::string_view trimmed(std::string_view s) {
    const auto first = s.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) return {};
    return s.substr(first, s.find_last_not_of(kBlanks) - first + 1);
}

std::vector<std::string_view> wordsOf(std::string_view s) {
    std::vector<std::string_view> words;
    while (!(s = trimmed(s)).empty()) {
        const auto end = std::min(s.find_first_of(kBlanks), s.size());
        words.push_back(s.substr(0, end));
        s.remove_prefix(end);
    }
    return words;
}

[[noreturn]] void refuse(const std::string& message) {
    throw ScriptError(ScriptError::Kind::BadLine, message);
}

std::string quoted(std::string_view word) {
    return "\"" + std::string(word) + "\"";
}

long long integer(std::string_view word) {
    long long value = 0;
    const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
    if (error == std::errc::result_out_of_range)
        return word.front() == '-' ? std::numeric_limits<long long>::min()
                                   : std::numeric_limits<long long>::max();
    if (error != std::errc() || end != word.data() + word.size())
        refuse(quoted(word) + " is not a whole number");
    return value;
}

long long integerIn(std::string_view word, long long low, long long high, std::string_view what) {
    const long long value = integer(word);
    if (value < low || value > high)
        refuse(quoted(word) + " is out of range: " + std::string(what) + " takes " +
               std::to_string(low) + " to " + std::to_string(high));
    return value;
}

// The words after the command, exactly `count` of them.
void expectWords(const std::vector<std::string_view>& words, std::size_t count,
                 std::string_view usage) {
    if (words.size() != count + 1) refuse("expected \"" + std::string(usage) + "\"");
}

std::optional<ScriptLine> inputLine(std::string_view line) {
    const auto start = line.find_first_not_of(kBlanks);
    if (start == std::string_view::npos) return std::nullopt;
    std::string_view rest = line.substr(start);
    constexpr std::string_view kWord = "input";
    if (rest.substr(0, kWord.size()) != kWord) return std::nullopt;
    rest.remove_prefix(kWord.size());
    if (!rest.empty() && kBlanks.find(rest.front()) == std::string_view::npos) return std::nullopt;
    // The text is taken as written, comment signs and blanks included, after one separator.
    if (!rest.empty()) rest.remove_prefix(1);
    ScriptLine read;
    read.command = Command::Input;
    read.text = "input";
    read.input = std::string(rest);
    return read;
}

// The events that name one control of an array, or a character: the words before the number,
// the line's usage, what the range message calls the number, the command and its highest value.
struct IndexedEvent {
    std::string_view words;
    std::string_view usage;
    std::string_view name;
    Command command;
    int high;
};

constexpr IndexedEvent kIndexedEvents[] = {
    {"hand", "hand K", "hand", Command::Hand, 9},
    {"label", "label I", "label", Command::Label, 2},
    {"option", "option I", "option", Command::Option, 3},
    {"key", "key C", "key", Command::Key, 65535},
    {"move Label1", "move Label1 I", "Label1", Command::MoveLabel1, 2},
    {"move Image1", "move Image1 I", "Image1", Command::MoveImage1, 9},
    {"move Image5", "move Image5 I", "Image5", Command::MoveImage5, 1},
};

// Reads "hand K", "move Image1 I" and the like; false when the line is none of them.
bool readIndexed(const std::vector<std::string_view>& words, ScriptLine& read) {
    for (const IndexedEvent& event : kIndexedEvents) {
        const std::vector<std::string_view> leading = wordsOf(event.words);
        if (words.size() < leading.size() ||
            !std::equal(leading.begin(), leading.end(), words.begin()))
            continue;
        expectWords(words, leading.size(), event.usage);
        read.command = event.command;
        read.index = static_cast<int>(integerIn(words.back(), 0, event.high, event.name));
        return true;
    }
    return false;
}

void readMove(const std::vector<std::string_view>& words, ScriptLine& read) {
    if (words.size() < 2)
        refuse(
            "expected \"move Label1 I\", \"move Frame2\", \"move Image1 I\" or \"move Image5 I\"");
    if (words[1] == "Frame2") {
        expectWords(words, 1, "move Frame2");
        read.command = Command::MoveFrame2;
    } else if (!readIndexed(words, read)) {
        refuse("the pointer moves over Label1, Frame2, Image1 or Image5, not " + quoted(words[1]));
    }
}

}  // namespace

ScriptLine readScriptLine(std::string_view line) {
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (auto input = inputLine(line)) return *input;

    ScriptLine read;
    read.text = std::string(trimmed(line.substr(0, line.find('#'))));
    const std::vector<std::string_view> words = wordsOf(read.text);
    if (words.empty()) return read;

    const std::string_view command = words[0];
    if (command == "seed") {
        expectWords(words, 1, "seed N");
        read.command = Command::Seed;
        read.seed = static_cast<std::uint32_t>(
            integerIn(words[1], 0, std::numeric_limits<std::uint32_t>::max(), "seed"));
    } else if (command == "rand") {
        if (words.size() < 2) refuse("expected \"rand R R ...\" with at least one number");
        read.command = Command::Rand;
        for (std::size_t i = 1; i < words.size(); ++i) {
            const std::string_view word = words[i];
            const std::optional<double> number = decimal::read(word);
            if (!number) refuse(quoted(word) + " is not a number");
            const double r = *number;
            if (!(r >= 0.0 && r < 1.0))
                refuse(quoted(word) + " is out of range: rand takes [0, 1)");
            read.randoms.push_back(r);
        }
    } else if (command == "answer") {
        if (words.size() < 2) refuse("expected \"answer N N ...\" with at least one answer");
        read.command = Command::Answer;
        for (std::size_t i = 1; i < words.size(); ++i) {
            const long long a = integer(words[i]);
            if (a != 6 && a != 7) refuse(quoted(words[i]) + " is no answer: 6 is Yes, 7 is No");
            read.answers.push_back(static_cast<int>(a));
        }
    } else if (command == "load" || command == "close") {
        expectWords(words, 0, std::string(command));
        read.command = command == "load" ? Command::Load : Command::Close;
    } else if (command == "menu") {
        std::string usage;
        for (const Menu& m : menus::kMenus)
            for (const MenuItem& item : m.items)
                if (item.click) usage += (usage.empty() ? "menu " : "|") + std::string(item.name);
        expectWords(words, 1, usage);
        if (!menus::find(words[1]))
            refuse("no menu item " + quoted(words[1]) + ": expected \"" + usage + "\"");
        read.command = Command::Menu;
        read.menu = std::string(words[1]);
    } else if (command == "move") {
        readMove(words, read);
    } else if (!readIndexed(words, read)) {
        refuse("unknown word " + quoted(command));
    }
    return read;
}
