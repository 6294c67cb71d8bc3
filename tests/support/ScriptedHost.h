// A host for driving the engine in tests: queued answers and random numbers, a recorded log.
#pragma once

#include <deque>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "Game.h"
#include "Host.h"
#include "MediaControl.h"
#include "RecordStore.h"
#include "RecordTable.h"

struct Dialog {
    std::string kind;  // "message" or "input"
    std::string text;
    std::string title;
    int code = 0;
    std::string answer;
};

class ScriptedHost : public Host {
public:
    std::deque<double> randoms;  // served first, then the generator
    std::deque<int> answers;     // for Yes/No boxes; empty means No
    std::deque<std::string> inputs;
    std::vector<Dialog> dialogs;
    std::vector<std::string> mediaLog;  // filled by ScriptedMedia
    std::mt19937 generator{1};
    float clock = 1000.0f;
    int clockReadings = 0;
    int redraws = 0;
    bool endedProgram = false;
    std::function<void()> onMessage;  // runs while a message box is open

    int messageBox(const std::string& text, const std::string& title, int code) override {
        if (onMessage) onMessage();
        int answer = box::kAnswerOk;
        if (code == box::kYesNoQuestion || code == box::kYesNoInformation) {
            answer = box::kAnswerNo;
            if (!answers.empty()) {
                answer = answers.front();
                answers.pop_front();
            }
        }
        dialogs.push_back({"message", text, title, code, std::to_string(answer)});
        return answer;
    }
    std::string inputBox(const std::string& prompt, const std::string& title,
                         const std::string&) override {
        std::string text;
        if (!inputs.empty()) {
            text = inputs.front();
            inputs.pop_front();
        }
        dialogs.push_back({"input", prompt, title, 0, text});
        return text;
    }
    void redraw() override { ++redraws; }
    void endProgram() override { endedProgram = true; }
    void randomize() override {}
    double rnd() override {
        if (!randoms.empty()) {
            const double r = randoms.front();
            randoms.pop_front();
            return r;
        }
        return std::uniform_real_distribution<double>(0.0, 1.0)(generator);
    }
    float timer() override {
        ++clockReadings;
        clock += 0.01f;
        return clock;
    }
    void nap() override {}
    std::string appPath() override { return "/opt/tessaro"; }

    // Queues the random number that makes card value v (1..15).
    void card(int v) { randoms.push_back((v - 1 + 0.5) / 15.0); }
    // Queues the random number that makes suit s (0..3).
    void suit(int s) { randoms.push_back((s + 0.5) / 4.0); }
};

class MemoryStore : public RecordStore {
public:
    RecordRows rows = records::defaultRows();
    int saves = 0;
    bool failSaves = false;
    RecordRows load() override { return rows; }
    bool save(const RecordRows& r) override {
        ++saves;
        if (failSaves) return false;
        rows = r;
        return true;
    }
};

class ScriptedMedia : public MediaControl {
public:
    explicit ScriptedMedia(std::vector<std::string>& log) : log_(log) {}
    void setFileName(const std::string& path) override { log_.push_back("file " + path); }
    void command(const std::string& verb) override { log_.push_back(verb); }

private:
    std::vector<std::string>& log_;
};

// A loaded game with a scripted host, ready for a test to deal or set hands by hand.
struct Table {
    ScriptedHost host;
    MemoryStore store;
    ScriptedMedia media{host.mediaLog};
    Game game{host, store, media};

    Table() { game.load(); }

    // Deals a game whose five player cards, five computer cards and target are as given.
    void deal(const std::vector<int>& hand, const std::vector<int>& cpu, int target) {
        for (int i = 0; i < 5; ++i) {
            host.card(hand[static_cast<std::size_t>(i)]);
            host.card(cpu[static_cast<std::size_t>(i)]);
            host.suit(0);
        }
        host.card(target);
        host.suit(0);
        game.newgame();
    }
    // Puts exactly these values in a hand (faces shown for the player's), the rest empty.
    void setHand(const std::vector<int>& values) {
        for (int k = 0; k < kHandSlots; ++k) {
            const int v =
                k < static_cast<int>(values.size()) ? values[static_cast<std::size_t>(k)] : 0;
            game.state.handValue[k] = static_cast<CardValue>(v);
            game.board.Image1[k].visible = v != 0;
            game.board.Image1[k].picture = v == 0 ? 0 : v <= 13 ? 4 * (v - 1) + 1 : 39 + v;
        }
    }
    void setCpu(const std::vector<int>& values) {
        for (int k = 0; k < kHandSlots; ++k) {
            const int v =
                k < static_cast<int>(values.size()) ? values[static_cast<std::size_t>(k)] : 0;
            game.state.cpuValue[k] = static_cast<CardValue>(v);
            game.board.Image2[k].visible = v != 0;
        }
    }
    std::vector<int> hand() const {
        std::vector<int> v;
        for (int k = 0; k < kHandSlots && game.state.handValue[k] != 0; ++k)
            v.push_back(game.state.handValue[k]);
        return v;
    }
    std::vector<int> cpu() const {
        std::vector<int> v;
        for (int k = 0; k < kHandSlots && game.state.cpuValue[k] != 0; ++k)
            v.push_back(game.state.cpuValue[k]);
        return v;
    }
};
