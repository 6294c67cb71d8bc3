// The tune rendered offline through the system's General MIDI SoundFont, as the game plays it.
#include <fluidsynth.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <iterator>
#include <string>
#include <vector>

#include "GeneralMidiSoundFont.h"
#include "QuietAudio.h"
#include "TunePlayer.h"

namespace {

constexpr int kRate = 44100;

struct Rendering {
    double rms = 0;
    float peak = 0;
    std::vector<double> rmsPerSecond;
};

Rendering render(const char* tune, const std::string& soundFont) {
    quietAudioLibraries();
    fluid_settings_t* settings = new_fluid_settings();
    fluid_settings_setstr(settings, "player.timing-source", "sample");
    fluid_settings_setnum(settings, "synth.sample-rate", kRate);
    fluid_settings_setnum(settings, "synth.gain", TunePlayer::kGain);
    fluid_synth_t* synth = new_fluid_synth(settings);
    Rendering out;
    if (fluid_synth_sfload(synth, soundFont.c_str(), 1) != FLUID_FAILED) {
        fluid_player_t* player = new_fluid_player(synth);
        fluid_player_add(player, tune);
        fluid_player_play(player);
        std::vector<float> left(kRate), right(kRate);
        double total = 0;
        long frames = 0;
        while (fluid_player_get_status(player) == FLUID_PLAYER_PLAYING) {
            fluid_synth_write_float(synth, kRate, left.data(), 0, 1, right.data(), 0, 1);
            double second = 0;
            for (int i = 0; i < kRate; ++i) {
                second += left[i] * left[i] + right[i] * right[i];
                out.peak = std::max({out.peak, std::abs(left[i]), std::abs(right[i])});
            }
            total += second;
            frames += kRate;
            out.rmsPerSecond.push_back(std::sqrt(second / (2.0 * kRate)));
        }
        out.rms = frames ? std::sqrt(total / (2.0 * frames)) : 0;
        delete_fluid_player(player);
    }
    delete_fluid_synth(synth);
    delete_fluid_settings(settings);
    return out;
}

TEST(Tune, IsAMidiFileThatSoundsThroughoutForOneToTwoMinutes) {
    ASSERT_TRUE(fluid_is_midifile(TESSARO_TUNE));
    const std::string soundFont = generalMidiSoundFont();
    ASSERT_FALSE(soundFont.empty()) << "no General MIDI SoundFont installed";

    const Rendering tune = render(TESSARO_TUNE, soundFont);
    EXPECT_GT(tune.rms, 0.01);
    EXPECT_LT(tune.peak, 1.0f) << "the game's gain makes the tune clip";
    // The player lingers a moment after the last note: the tune is the part that sounds,
    // and within it no second falls quiet.
    constexpr double kAudible = 0.002;
    const auto& level = tune.rmsPerSecond;
    const auto lastAudible =
        std::find_if(level.rbegin(), level.rend(), [&](double rms) { return rms > kAudible; });
    const auto seconds = std::distance(lastAudible, level.rend());
    EXPECT_GE(seconds, 60);
    EXPECT_LE(seconds, 120);
    for (long s = 0; s < seconds; ++s) EXPECT_GT(level[s], kAudible) << "second " << s;
}

}  // namespace
