// The hidden multimedia control MM1: plays the background tune on a thread of its own.
#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <thread>

#include "MediaControl.h"
#include "MusicModule.h"

// Commands return at once: a worker thread carries them out in order, loading the music module
// and the SoundFont on the first "play" that has a tune to sound. "open" closes whatever was
// open and opens the file from its start (so "open" of the same file restarts it); "play"
// resumes where "stop" left the tune, or starts it over once it has played to its end.
// Anything that fails (no module, no file, not a MIDI file, no SoundFont, no sound device)
// leaves the music silent, quietly. Nothing on the caller's side ever waits for the player
// longer than close() allows: a sound server that stops answering holds up only the worker.
class MM1 : public MediaControl {
public:
    using MakePlayer = std::function<std::unique_ptr<MusicPlayer>(const MusicOutput&)>;

    // How long the destructor waits for the worker to let the player go.
    static constexpr std::chrono::seconds kCloseBound{1};

    MM1() : MM1(MusicOutput{}) {}
    // `make` is called on the worker thread, at most once.
    explicit MM1(MusicOutput output, MakePlayer make = loadMusicPlayer);
    // Closes within kCloseBound, unless close() was called before.
    ~MM1() override;
    MM1(const MM1&) = delete;
    MM1& operator=(const MM1&) = delete;

    void setFileName(const std::string& path) override;
    void command(const std::string& verb) override;

    // Where a file named to setFileName is looked for when it does not exist as named: the
    // installed game keeps its tune in its data folder, not beside the program.
    void setFallbackDir(const std::string& dir) { fallbackDir_ = dir; }

    // Drops the commands not yet carried out, stops the worker and waits at most `bound` for it
    // to let the player go. True when it did; else the worker is left to finish on its own, and
    // the caller should leave the process without waiting for it. Later calls wait no more.
    bool close(std::chrono::milliseconds bound);

    // For tests and measurements: waits until every command sent so far has been carried out,
    // then names the audio driver sounding the tune, or answers "" when it is silent.
    std::string settle();

private:
    struct Shared;

    std::string fileName_;
    std::string fallbackDir_;
    // Kept alive by the worker as well, so that a worker still stuck in the player when MM1 is
    // gone finds it intact.
    std::shared_ptr<Shared> shared_;
    std::thread worker_;
    std::optional<bool> closed_;  // what close() answered
};
