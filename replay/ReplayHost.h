// The engine's outside world for a replay: queued answers, names and random numbers, a clock that
// costs nothing, and a record of every dialog shown.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "Host.h"

struct ShownDialog {
    enum class Kind { Message, Input };
    Kind kind = Kind::Message;
    std::string text;  // the message, or the input box's prompt
    std::string title;
    int code = 0;       // message boxes only
    int answer = 0;     // message boxes: 1 OK, 6 Yes, 7 No
    std::string input;  // input boxes: the text entered

    bool is(const Message& m) const { return text == m.text && title == m.title && code == m.code; }
};

class ReplayHost : public Host {
public:
    explicit ReplayHost(std::string appPath);

    // The generator behind the queued numbers: std::mt19937 seeded with `seed`, each number its
    // next output divided by 2^32, so any tool can compute the same sequence.
    void seed(std::uint32_t seed);
    void queueRandom(double r) { randoms_.push_back(r); }
    void queueAnswer(int answer) { answers_.push_back(answer); }
    void queueInput(std::string text) { inputs_.push_back(std::move(text)); }
    std::size_t queuedAnswers() const { return answers_.size(); }
    std::size_t queuedInputs() const { return inputs_.size(); }
    std::size_t queuedRandoms() const { return randoms_.size(); }

    // The dialogs shown since the last call, in order.
    std::vector<ShownDialog> takeDialogs();
    bool programEnded() const { return programEnded_; }
    // Runs where the window would show the board without taking input: before the pause.
    std::function<void()> onRedraw;

    int messageBox(const std::string& text, const std::string& title, int code) override;
    std::string inputBox(const std::string& prompt, const std::string& title,
                         const std::string& defaultText) override;
    void redraw() override {
        if (onRedraw) onRedraw();
    }
    void endProgram() override { programEnded_ = true; }
    // The script's seed stands for the time of day.
    void randomize() override {}
    double rnd() override;
    float timer() override;
    void nap() override {}
    std::string appPath() override { return appPath_; }

private:
    std::string appPath_;
    std::mt19937 generator_{1};
    std::deque<double> randoms_;
    std::deque<int> answers_;
    std::deque<std::string> inputs_;
    std::vector<ShownDialog> dialogs_;
    std::int64_t hundredths_ = 0;  // since midnight, one more at each reading
    bool programEnded_ = false;
};
