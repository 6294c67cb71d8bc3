// Writes the replay script of a game as it is played: before each event, the random numbers,
// answers and names it used, so that tessaro-replay plays the very same game.
#pragma once

#include <string>

class ScriptWriter {
public:
    void random(double r);
    void answer(int answer);  // Yes/No boxes only: OK boxes take no answer
    void input(const std::string& text);
    // Ends an event: its settings, then its line.
    void event(const std::string& line);
    // The script so far, with the settings of an event that has not ended.
    std::string text() const {
        return text_ + (randoms_.empty() ? "" : randoms_ + "\n") + settings_;
    }

private:
    std::string text_;
    std::string randoms_;  // "rand ..." of the event under way
    std::string settings_;
};
