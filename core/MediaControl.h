// The hidden multimedia control MM1: a file name and the commands "open", "play" and "stop".
#pragma once

#include <string>

class MediaControl {
public:
    virtual ~MediaControl() = default;
    virtual void setFileName(const std::string& path) = 0;
    // "open", "play" or "stop"; no result is ever read.
    virtual void command(const std::string& verb) = 0;
};
