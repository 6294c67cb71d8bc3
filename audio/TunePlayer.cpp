// The FluidSynth synthesizer, MIDI player and audio driver: the music module's player.
#include "TunePlayer.h"

#include <utility>

#include "GeneralMidiSoundFont.h"
#include "QuietAudio.h"

namespace {
// Notes still ringing after the last event get this long before the driver is let go.
constexpr std::chrono::seconds kLongestTail{4};
}  // namespace

TunePlayer::TunePlayer(MusicOutput output) : output_(std::move(output)) {
    quietAudioLibraries();
}

TunePlayer::~TunePlayer() {
    // The driver's thread renders the synthesizer and so runs the player: it goes first.
    deleteDriver();
    deletePlayer();
    if (synth_) delete_fluid_synth(synth_);
    if (settings_) delete_fluid_settings(settings_);
}

bool TunePlayer::startSynth() {
    if (synth_) return true;
    if (synthFailed_) return false;
    synthFailed_ = true;
    const std::string soundFont =
        output_.soundFont.empty() ? generalMidiSoundFont() : output_.soundFont;
    if (soundFont.empty()) return false;

    settings_ = new_fluid_settings();
    if (!settings_) return false;
    // The player's clock is the audio rendered: without a driver pulling samples the tune
    // stands still, so "stop" keeps its place and no timer thread runs while silent.
    fluid_settings_setstr(settings_, "player.timing-source", "sample");
    fluid_settings_setnum(settings_, "synth.gain", kGain);
    // Background music needs no low latency; larger periods wake the driver less often.
    fluid_settings_setint(settings_, "audio.period-size", 1024);
    fluid_settings_setint(settings_, "audio.periods", 4);
    fluid_settings_setstr(settings_, "audio.file.type", "raw");
    if (!output_.fileName.empty())
        fluid_settings_setstr(settings_, "audio.file.name", output_.fileName.c_str());

    synth_ = new_fluid_synth(settings_);
    if (!synth_) return false;
    if (fluid_synth_sfload(synth_, soundFont.c_str(), 1) == FLUID_FAILED) {
        delete_fluid_synth(synth_);
        synth_ = nullptr;
        return false;
    }
    synthFailed_ = false;
    return true;
}

bool TunePlayer::startPlayer() {
    deletePlayer();
    player_ = new_fluid_player(synth_);
    if (!player_) return false;
    if (fluid_player_add(player_, path_.c_str()) != FLUID_OK ||
        fluid_player_play(player_) != FLUID_OK) {
        deletePlayer();
        return false;
    }
    endedAt_ = {};
    return true;
}

void TunePlayer::deletePlayer() {
    if (!player_) return;
    // With no driver left nothing renders, so the player has no callback in flight.
    fluid_player_stop(player_);
    delete_fluid_player(player_);
    player_ = nullptr;
}

void TunePlayer::deleteDriver() {
    if (!driver_) return;
    delete_fluid_audio_driver(driver_);
    driver_ = nullptr;
    driverName_.clear();
}

void TunePlayer::open(const std::string& path) {
    deleteDriver();
    deletePlayer();
    path_.clear();
    if (synth_) fluid_synth_system_reset(synth_);
    // fluid_player_add takes any name without looking: check the file ourselves.
    if (!fluid_is_midifile(path.c_str())) return;
    path_ = path;
}

void TunePlayer::play() {
    if (path_.empty() || driver_ || !startSynth()) return;
    if (!player_ || fluid_player_get_status(player_) == FLUID_PLAYER_DONE) {
        fluid_synth_system_reset(synth_);
        if (!startPlayer()) return;
    }
    for (const std::string& name : output_.drivers) {
        fluid_settings_setstr(settings_, "audio.driver", name.c_str());
        driver_ = new_fluid_audio_driver(settings_, synth_);
        if (driver_) {
            driverName_ = name;
            return;
        }
    }
}

void TunePlayer::stop() {
    deleteDriver();
}

void TunePlayer::releaseIfEnded() {
    if (!driver_ || fluid_player_get_status(player_) != FLUID_PLAYER_DONE) return;
    const auto now = std::chrono::steady_clock::now();
    if (endedAt_ == std::chrono::steady_clock::time_point{}) endedAt_ = now;
    if (fluid_synth_get_active_voice_count(synth_) == 0 || now - endedAt_ >= kLongestTail)
        deleteDriver();
}
