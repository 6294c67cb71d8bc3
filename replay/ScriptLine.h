// One line of a replay script, read and checked: a setting for the host or a window event.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

enum class Command {
    Blank,  // empty or only a comment
    // Settings: they queue what the host hands out later.
    Seed,
    Rand,
    Answer,
    Input,
    // Window events.
    Load,
    Menu,
    Hand,
    Label,
    Option,
    Key,
    MoveLabel1,
    MoveFrame2,
    MoveImage1,
    MoveImage5,
    Close,
};

// A line that cannot be run. The message says why, without the line's number, which only the
// reader of the whole script knows.
class ScriptError : public std::runtime_error {
public:
    enum class Kind { BadLine, AfterEnd };
    ScriptError(Kind kind, const std::string& message) : std::runtime_error(message), kind_(kind) {}
    Kind kind() const { return kind_; }

private:
    Kind kind_;
};

struct ScriptLine {
    Command command = Command::Blank;
    // The line without its comment and surrounding blanks, as an event is reported.
    std::string text;
    int index = 0;                // the slot, label, button, character code or pointer target
    std::string menu;             // menu: new, music, gao, quit, help or about
    std::uint32_t seed = 1;       // seed
    std::vector<double> randoms;  // rand
    std::vector<int> answers;     // answer: 6 Yes, 7 No
    std::string input;            // input: the rest of the line, verbatim

    bool isEvent() const { return command >= Command::Load; }
};

// Reads one line (a trailing CR is dropped). Throws ScriptError (BadLine) when the line is not
// one of the script's forms.
ScriptLine readScriptLine(std::string_view line);
