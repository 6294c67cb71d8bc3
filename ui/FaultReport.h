// The report a fault in the rules leaves behind: the record table and the game so far, as a
// replay script that brings the fault back.
#pragma once

#include <string>

#include "ScoreEntry.h"
#include "ScriptWriter.h"

class FaultReport {
public:
    // The record table the game started with.
    void startWith(const RecordRows& records);
    // The game so far, written as it is played.
    ScriptWriter& script() { return script_; }
    // Saves the report of a fault `what` in `event` in the program's data folder and returns
    // the box's text, which says where it went or that it could not be saved.
    std::string save(const std::string& event, const char* what) const;

private:
    ScriptWriter script_;
    std::string tableAtLoad_;
};
