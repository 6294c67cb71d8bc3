// The hidden multimedia control MM1: plays the background tune through FluidSynth.
#pragma once

#include <condition_variable>
#include <deque>
#include <mutex>
#include <string>
#include <thread>

#include "MediaControl.h"
#include "MusicOutput.h"

// Commands return at once: a worker thread owns the synthesizer and carries them out in order,
// loading the SoundFont on the first "play". "open" closes whatever was open and opens the
// file from its start (so "open" of the same file restarts it); "play" resumes where "stop"
// left the tune, or starts it over once it has played to its end. Anything that fails (no
// file, not a MIDI file, no SoundFont, no sound device) leaves the music silent, quietly.
class MM1 : public MediaControl {
public:
    MM1() : MM1(MusicOutput{}) {}
    explicit MM1(MusicOutput output);
    ~MM1() override;
    MM1(const MM1&) = delete;
    MM1& operator=(const MM1&) = delete;

    void setFileName(const std::string& path) override;
    void command(const std::string& verb) override;

    // Where a file named to setFileName is looked for when it does not exist as named: the
    // installed game keeps its tune in its data folder, not beside the program.
    void setFallbackDir(const std::string& dir) { fallbackDir_ = dir; }

    // For tests and measurements: waits until every command sent so far has been carried out,
    // then names the audio driver sounding the tune, or answers "" when it is silent.
    std::string settle();

private:
    enum class Verb { Open, Play, Stop };
    struct Request {
        Verb verb;
        std::string path;
    };

    void run();

    const MusicOutput output_;
    std::string fileName_;
    std::string fallbackDir_;

    std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable settled_;
    std::deque<Request> queue_;
    bool busy_ = false;
    bool quit_ = false;
    std::string driver_;
    std::thread worker_;
};
