// The FluidSynth synthesizer, MIDI player and audio driver: the music module's player.
#pragma once

#include <fluidsynth.h>

#include <chrono>
#include <string>

#include "MusicPlayer.h"

class TunePlayer : public MusicPlayer {
public:
    // Output level of the synthesizer: loud enough to be heard at a normal system volume,
    // low enough that the full arrangement never clips.
    static constexpr double kGain = 0.4;

    explicit TunePlayer(MusicOutput output);
    ~TunePlayer() override;
    TunePlayer(const TunePlayer&) = delete;
    TunePlayer& operator=(const TunePlayer&) = delete;

    void open(const std::string& path) override;
    void play() override;
    void stop() override;
    void releaseIfEnded() override;
    std::string driver() const override { return driverName_; }

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
