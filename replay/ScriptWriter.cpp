// Writes the replay script of a game as it is played.
#include "ScriptWriter.h"

#include "Decimal.h"

void ScriptWriter::random(double r) {
    randoms_ += (randoms_.empty() ? "rand " : " ") + decimal::shortest(r);
}

void ScriptWriter::answer(int answer) {
    settings_ += "answer " + std::to_string(answer) + "\n";
}

void ScriptWriter::input(const std::string& text) {
    // A name cannot hold a line break in the script; the box's single line has none anyway.
    std::string line = text;
    for (char& c : line)
        if (c == '\n' || c == '\r') c = ' ';
    settings_ += "input " + line + "\n";
}

void ScriptWriter::event(const std::string& line) {
    if (!randoms_.empty()) randoms_ += "\n";
    text_ += randoms_ + settings_ + line + "\n";
    randoms_.clear();
    settings_.clear();
}
