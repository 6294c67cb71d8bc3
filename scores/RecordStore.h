// Where the record table is kept between runs.
#pragma once

#include "ScoreEntry.h"

class RecordStore {
public:
    virtual ~RecordStore() = default;
    // Reads the ten rows; when no table exists yet, creates one of default rows and returns it.
    // Never fails: unreadable rows come back as default rows.
    virtual RecordRows load() = 0;
    // Writes the ten rows; false when they could not be saved.
    virtual bool save(const RecordRows& rows) = 0;
};
