// Reading a replay script line: words, numbers and their ranges.
#include "ScriptLine.h"

#include <algorithm>
#include <charconv>
#include <limits>
#include <optional>

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

void readMove(const std::vector<std::string_view>& words, ScriptLine& read) {
    if (words.size() < 2)
        refuse(
            "expected \"move Label1 I\", \"move Frame2\", \"move Image1 I\" or \"move Image5 I\"");
    const std::string_view target = words[1];
    if (target == "Frame2") {
        expectWords(words, 1, "move Frame2");
        read.command = Command::MoveFrame2;
    } else if (target == "Label1") {
        expectWords(words, 2, "move Label1 I");
        read.command = Command::MoveLabel1;
        read.index = static_cast<int>(integerIn(words[2], 0, 2, "Label1"));
    } else if (target == "Image1") {
        expectWords(words, 2, "move Image1 I");
        read.command = Command::MoveImage1;
        read.index = static_cast<int>(integerIn(words[2], 0, 9, "Image1"));
    } else if (target == "Image5") {
        expectWords(words, 2, "move Image5 I");
        read.command = Command::MoveImage5;
        read.index = static_cast<int>(integerIn(words[2], 0, 1, "Image5"));
    } else {
        refuse("the pointer moves over Label1, Frame2, Image1 or Image5, not " + quoted(target));
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
            double r = 0;
            const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), r);
            if (error != std::errc() || end != word.data() + word.size())
                refuse(quoted(word) + " is not a number");
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
        constexpr std::string_view kItems[] = {"new", "music", "gao", "quit", "help", "about"};
        constexpr std::string_view kUsage = "menu new|music|gao|quit|help|about";
        expectWords(words, 1, kUsage);
        if (std::find(std::begin(kItems), std::end(kItems), words[1]) == std::end(kItems))
            refuse("no menu item " + quoted(words[1]) + ": expected \"" + std::string(kUsage) +
                   "\"");
        read.command = Command::Menu;
        read.menu = std::string(words[1]);
    } else if (command == "hand") {
        expectWords(words, 1, "hand K");
        read.command = Command::Hand;
        read.index = static_cast<int>(integerIn(words[1], 0, 9, "hand"));
    } else if (command == "label") {
        expectWords(words, 1, "label I");
        read.command = Command::Label;
        read.index = static_cast<int>(integerIn(words[1], 0, 2, "label"));
    } else if (command == "option") {
        expectWords(words, 1, "option I");
        read.command = Command::Option;
        read.index = static_cast<int>(integerIn(words[1], 0, 3, "option"));
    } else if (command == "key") {
        expectWords(words, 1, "key C");
        read.command = Command::Key;
        read.index = static_cast<int>(integerIn(words[1], 0, 65535, "key"));
    } else if (command == "move") {
        readMove(words, read);
    } else {
        refuse("unknown word " + quoted(command));
    }
    return read;
}
