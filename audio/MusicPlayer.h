// The synthesizer as the music thread sees it: the interface the music module implements.
#pragma once

#include <string>

#include "MusicOutput.h"

// Used from one thread only, the one that made it. Any call may block for as long as the sound
// server does; nothing else waits on it.
class MusicPlayer {
public:
    virtual ~MusicPlayer() = default;
    // Closes whatever was open and opens path from its start; a file that is not a Standard
    // MIDI File leaves nothing open.
    virtual void open(const std::string& path) = 0;
    // Sounds the open tune: resumes where "stop" left it, or starts over once it has ended.
    virtual void play() = 0;
    // Silences the tune and lets the audio driver go, so that a stopped tune costs nothing.
    virtual void stop() = 0;
    // Lets the audio driver go once the tune has ended and its last notes have died away.
    virtual void releaseIfEnded() = 0;
    // The audio driver sounding the tune, or empty when silent.
    virtual std::string driver() const = 0;
};

// The module's one exported function, looked up by its C name. The name carries the
// interface's version, so that a module built against another version is not found, rather
// than called. The caller owns the player it returns.
#define TESSARO_MUSIC_ENTRY "tessaro_music_player_1"
using MakeMusicPlayer = MusicPlayer* (*)(const MusicOutput* output);
