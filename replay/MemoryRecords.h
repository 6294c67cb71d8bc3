// A record table kept in memory, as a new program directory would start it.
#pragma once

#include "RecordStore.h"
#include "RecordTable.h"

class MemoryRecords : public RecordStore {
public:
    RecordRows load() override { return rows; }
    std::optional<RecordRows> update(const std::function<bool(RecordRows&)>& change) override {
        if (failSaves) return std::nullopt;
        RecordRows changed = rows;
        if (change(changed)) {
            rows = changed;
            ++saves;
        }
        return rows;
    }

    RecordRows rows = records::defaultRows();
    int saves = 0;
    bool failSaves = false;  // as a table that cannot be written
};
