// Finds a General MIDI SoundFont installed by the system's packages.
#pragma once

#include <string>

// The path of the first General MIDI SoundFont found, or an empty string when there is none.
std::string generalMidiSoundFont();
