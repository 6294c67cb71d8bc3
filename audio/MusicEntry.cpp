// The music module's entry point: the FluidSynth player behind the MusicPlayer interface.
#include "MusicPlayer.h"
#include "TunePlayer.h"

extern "C" __attribute__((visibility("default"))) MusicPlayer* tessaro_music_player_1(
    const MusicOutput* output) {
    return new TunePlayer(*output);
}
