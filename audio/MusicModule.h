// Makes the player the music thread uses.
#pragma once

#include <memory>

#include "MusicPlayer.h"

// The FluidSynth player.
std::unique_ptr<MusicPlayer> loadMusicPlayer(const MusicOutput& output);
