// Finds the music module and makes its player, so that only the music thread ever loads
// FluidSynth and the sound libraries it brings.
#pragma once

#include <memory>

#include "MusicPlayer.h"

// Looks beside the executable (the build tree), then in the game's installed private folder,
// found from the executable's folder and by its configured path. The module stays loaded for
// the rest of the process. Null when the module, or a library it needs, is missing: the music
// is then silent, and nothing is printed.
std::unique_ptr<MusicPlayer> loadMusicPlayer(const MusicOutput& output);
