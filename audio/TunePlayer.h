// The FluidSynth synthesizer, MIDI player and audio driver behind MM1, used from one thread.
#pragma once

#include <fluidsynth.h>

#include <chrono>
#include <string>

#include "MusicOutput.h"

class TunePlayer {
public:
    // Output level of the synthesizer: loud enough to be heard at a normal system volume,
    // low enough that the full arrangement never clips.
    static constexpr double kGain = 0.4;

    explicit TunePlayer(MusicOutput output);
    ~TunePlayer();
    TunePlayer(const TunePlayer&) = delete;
    TunePlayer& operator=(const TunePlayer&) = delete;

    // Closes whatever was open and opens path from its start; a file that is not a
    // Standard MIDI File leaves nothing open.
    void open(const std::string& path);
    // Sounds the open tune: resumes where "stop" left it, or starts over once it has ended.
    void play();
    // Silences the tune and lets the audio driver go, so that a stopped tune costs nothing.
    void stop();
    // Lets the audio driver go once the tune has ended and its last notes have died away.
    void releaseIfEnded();

    // The audio driver sounding the tune, or empty when silent.
    const std::string& driver() const { return driverName_; }

private:
    bool startSynth();
    bool startPlayer();
    void deletePlayer();
    void deleteDriver();

    MusicOutput output_;
    std::string path_;  // the open tune, empty when none
    bool synthFailed_ = false;
    fluid_settings_t* settings_ = nullptr;
    fluid_synth_t* synth_ = nullptr;
    fluid_player_t* player_ = nullptr;
    fluid_audio_driver_t* driver_ = nullptr;
    std::string driverName_;
    std::chrono::steady_clock::time_point endedAt_{};
};
