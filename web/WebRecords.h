// The record table in the browser's storage, shared by every tab of the site.
#pragma once

#include <optional>
#include <string>

#include "RecordStore.h"

class WebRecords : public RecordStore {
public:
    RecordRows load() override;
    std::optional<RecordRows> update(const std::function<bool(RecordRows&)>& change) override;
};

namespace webrecords {
// A name as Data.dat would store it: the same six characters, whatever storage keeps it.
std::string storable(const std::string& name);
// The rows as the page hands them over: ten lines "POINTS<TAB>NAME"; nothing when they are not
// exactly that.
std::optional<RecordRows> parse(const std::string& lines);
std::string line(const ScoreEntry& row);
std::string format(const RecordRows& rows);
}  // namespace webrecords
