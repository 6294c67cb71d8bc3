// Where the background music goes: the audio drivers to try and the SoundFont to play it with.
#pragma once

#include <string>
#include <vector>

struct MusicOutput {
    // FluidSynth audio drivers, tried in order until one opens. PipeWire desktops serve
    // PulseAudio. "file" writes raw 16-bit stereo to fileName in real time (tests,
    // measurements); an empty list keeps the music silent.
    std::vector<std::string> drivers{"pulseaudio", "alsa"};
    // Empty: the first General MIDI SoundFont found among Debian's usual places.
    std::string soundFont;
    std::string fileName;
};
