// A record table kept in memory, as a new program directory would start it.
#pragma once

#include "RecordStore.h"
#include "RecordTable.h"

class MemoryRecords : public RecordStore {
public:
    RecordRows load() override { return rows; }
    bool save(const RecordRows& saved) override {
        rows = saved;
        ++saves;
        return true;
    }

    RecordRows rows = records::defaultRows();
    int saves = 0;
};
