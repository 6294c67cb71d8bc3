// Where the record table is kept between runs.
#pragma once

#include <functional>
#include <optional>

#include "ScoreEntry.h"

class RecordStore {
public:
    virtual ~RecordStore() = default;
    // Reads the ten rows; when no table exists yet, creates one of default rows and returns it.
    // Never fails: unreadable rows come back as default rows.
    virtual RecordRows load() = 0;
    // Reads the table as it is stored now, lets `change` change it, and saves it when `change`
    // returns true, with no other writer in between. Returns the rows as they now stand, or
    // nothing when the table could not be read, locked or saved: then nothing was written.
    virtual std::optional<RecordRows> update(const std::function<bool(RecordRows&)>& change) = 0;
};
