// The replay's host: dialogs answered from queues, chance from a queue and a fixed generator.
#include "ReplayHost.h"

#include <utility>

ReplayHost::ReplayHost(std::string appPath) : appPath_(std::move(appPath)) {}

void ReplayHost::seed(std::uint32_t seed) {
    generator_.seed(seed);
}

std::vector<ShownDialog> ReplayHost::takeDialogs() {
    return std::exchange(dialogs_, {});
}

int ReplayHost::messageBox(const std::string& text, const std::string& title, int code) {
    int answer = box::kAnswerOk;
    if (box::isYesNo(code)) {
        answer = box::kAnswerNo;
        if (!answers_.empty()) {
            answer = answers_.front();
            answers_.pop_front();
        }
    }
    dialogs_.push_back({ShownDialog::Kind::Message, text, title, code, answer, {}});
    return answer;
}

std::string ReplayHost::inputBox(const std::string& prompt, const std::string& title,
                                 const std::string&) {
    std::string text;
    if (!inputs_.empty()) {
        text = std::move(inputs_.front());
        inputs_.pop_front();
    }
    dialogs_.push_back({ShownDialog::Kind::Input, prompt, title, 0, 0, text});
    return text;
}

double ReplayHost::rnd() {
    if (!randoms_.empty()) {
        const double r = randoms_.front();
        randoms_.pop_front();
        return r;
    }
    // Exact in a double and always below 1.
    return static_cast<double>(generator_()) / 4294967296.0;
}

float ReplayHost::timer() {
    // Counted in whole hundredths so that the reading changes every time, also late in a long
    // run; like the clock it stands for, it starts again at midnight.
    constexpr std::int64_t kDay = 24 * 60 * 60 * 100;
    hundredths_ = (hundredths_ + 1) % kDay;
    return static_cast<float>(hundredths_) / 100.0f;
}
