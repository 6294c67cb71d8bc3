// The tune rendered offline through the system's General MIDI SoundFont, as the game plays it.
#include <fluidsynth.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "GeneralMidiSoundFont.h"
#include "QuietAudio.h"
#include "TunePlayer.h"

namespace {

TEST(Tune, SoundsThroughoutForOneToTwoMinutesWithoutClipping) {
    ASSERT_TRUE(fluid_is_midifile(TESSARO_TUNE));
    const std::string soundFont = generalMidiSoundFont();
    ASSERT_FALSE(soundFont.empty()) << "no General MIDI SoundFont installed";

    constexpr int kRate = 44100;
    quietAudioLibraries();
    fluid_settings_t* settings = new_fluid_settings();
    fluid_settings_setstr(settings, "player.timing-source", "sample");
    fluid_settings_setnum(settings, "synth.sample-rate", kRate);
    fluid_settings_setnum(settings, "synth.gain", TunePlayer::kGain);
    fluid_synth_t* synth = new_fluid_synth(settings);
    ASSERT_NE(fluid_synth_sfload(synth, soundFont.c_str(), 1), FLUID_FAILED);
    fluid_player_t* player = new_fluid_player(synth);
    fluid_player_add(player, TESSARO_TUNE);
    fluid_player_play(player);

    // Loudness of each second rendered and of the whole, and the loudest sample.
    std::vector<double> rms;
    double total = 0;
    float peak = 0;
    std::vector<float> left(kRate), right(kRate);
    while (fluid_player_get_status(player) == FLUID_PLAYER_PLAYING) {
        fluid_synth_write_float(synth, kRate, left.data(), 0, 1, right.data(), 0, 1);
        double sum = 0;
        for (int i = 0; i < kRate; ++i) {
            sum += left[i] * left[i] + right[i] * right[i];
            peak = std::max({peak, std::abs(left[i]), std::abs(right[i])});
        }
        total += sum;
        rms.push_back(std::sqrt(sum / (2.0 * kRate)));
    }
    delete_fluid_player(player);
    delete_fluid_synth(synth);
    delete_fluid_settings(settings);

    EXPECT_GT(std::sqrt(total / (2.0 * kRate * rms.size())), 0.01) << "hardly audible";
    EXPECT_LT(peak, 1.0f) << "the game's gain makes the tune clip";
    // The player lingers a moment after the last note: the tune is the part that sounds, and
    // within it no second falls quiet.
    constexpr double kAudible = 0.002;
    const auto seconds =
        rms.rend() - std::find_if(rms.rbegin(), rms.rend(), [](double r) { return r > kAudible; });
    EXPECT_GE(seconds, 60);
    EXPECT_LE(seconds, 120);
    for (long s = 0; s < seconds; ++s) EXPECT_GT(rms[s], kAudible) << "second " << s;
}

}  // namespace
