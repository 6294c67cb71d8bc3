// Keeps the sound libraries from writing to the terminal.
#pragma once

// Silences FluidSynth's log at every level and ALSA's own error printing, for the whole
// process: a missing sound device is an ordinary state for the game, not news.
void quietAudioLibraries();
