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
// The rows as the page hands them over: ten lines "POINTS<TAB>NAME"; nothing when they are not
// exactly that.
std::optional<RecordRows> parse(const std::string& lines);
std::string format(const RecordRows& rows);
}  // namespace webrecords
