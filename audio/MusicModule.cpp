// Makes the player the music thread uses.
#include "MusicModule.h"

#include "TunePlayer.h"

std::unique_ptr<MusicPlayer> loadMusicPlayer(const MusicOutput& output) {
    return std::make_unique<TunePlayer>(output);
}
