// The music control of a replay: nothing sounds, the commands are only written down.
#pragma once

#include <string>
#include <vector>

#include "MediaControl.h"

class ReplayMedia : public MediaControl {
public:
    void setFileName(const std::string& path) override { log.push_back("file " + path); }
    void command(const std::string& verb) override { log.push_back(verb); }

    std::vector<std::string> log;
};
