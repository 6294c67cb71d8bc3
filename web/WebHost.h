// The engine's outside world in a page: dialogs, redraws, chance, the clock and the music, all
// through the page's script.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <random>
#include <string>

#include "Host.h"
#include "MediaControl.h"
#include "ScriptWriter.h"

class WebHost : public Host {
public:
    // With a seed, chance is tessaro-replay's "seed N"; without, the time of day seeds it.
    explicit WebHost(std::optional<std::uint32_t> seed);

    int messageBox(const std::string& text, const std::string& title, int code) override;
    std::string inputBox(const std::string& prompt, const std::string& title,
                         const std::string& defaultText) override;
    void redraw() override;
    void endProgram() override { ended_ = true; }
    void randomize() override;
    double rnd() override;
    float timer() override;
    void nap() override;
    std::string appPath() override { return "."; }

    bool ended() const { return ended_; }
    int boxes() const { return boxes_; }  // how many boxes the engine has shown
    ScriptWriter& script() { return script_; }
    // What the page shows after an event and before a dialog or the pause.
    std::function<std::string()> view;

private:
    std::mt19937 generator_{1};
    bool seeded_;
    bool ended_ = false;
    int boxes_ = 0;
    ScriptWriter script_;
};

class WebMusic : public MediaControl {
public:
    void setFileName(const std::string& path) override { fileName_ = path; }
    void command(const std::string& verb) override;

private:
    std::string fileName_;
};
