// The tune rendered offline through the system's General MIDI SoundFont, as the game plays it.
#include <fluidsynth.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numeric>
#include <vector>

#include "GeneralMidiSoundFont.h"
#include "TunePlayer.h"

namespace {

TEST(Tune, SoundsThroughoutForOneToTwoMinutesWithoutClipping) {
    constexpr int kRate = 44100;
    fluid_settings_t* settings = new_fluid_settings();
    fluid_settings_setnum(settings, "synth.sample-rate", kRate);
    fluid_settings_setstr(settings, "player.timing-source", "sample");
    fluid_settings_setnum(settings, "synth.gain", TunePlayer::kGain);
    fluid_synth_t* synth = new_fluid_synth(settings);
    ASSERT_NE(fluid_synth_sfload(synth, generalMidiSoundFont().c_str(), 1), FLUID_FAILED);
    fluid_player_t* player = new_fluid_player(synth);
    fluid_player_add(player, TESSARO_TUNE);
    fluid_player_play(player);

    // The loudness (mean square) of each second rendered, and the loudest sample.
    std::vector<double> power;
    float peak = 0;
    for (std::vector<float> s(2 * kRate);
         fluid_player_get_status(player) == FLUID_PLAYER_PLAYING;) {
        fluid_synth_write_float(synth, kRate, s.data(), 0, 2, s.data(), 1, 2);
        power.push_back(std::inner_product(s.begin(), s.end(), s.begin(), 0.0) / s.size());
        for (float x : s) peak = std::max(peak, std::abs(x));
    }
    delete_fluid_player(player);
    delete_fluid_synth(synth);
    delete_fluid_settings(settings);

    EXPECT_GT(std::accumulate(power.begin(), power.end(), 0.0) / power.size(), 0.01 * 0.01)
        << "hardly audible";
    EXPECT_LT(peak, 1.0f) << "the game's gain makes the tune clip";
    // The player lingers a moment after the last note: the tune is the part that sounds, and
    // within it no second falls quiet (below 0.002 RMS).
    const double audible = 0.002 * 0.002;
    const long seconds = power.rend() - std::find_if(power.rbegin(), power.rend(),
                                                     [&](double p) { return p > audible; });
    ASSERT_GE(seconds, 60);
    EXPECT_LE(seconds, 120);
    EXPECT_GT(*std::min_element(power.begin(), power.begin() + seconds), audible);
}

}  // namespace
