// A JSON text on one line, written in order: keys stay where they are written.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Items are separated by ", " and keys by ": ", as Python's json module writes them. Strings go
// out as UTF-8; quotes, backslashes and control characters are escaped, and bytes that are not
// UTF-8 become U+FFFD, so the text is always valid JSON.
class JsonWriter {
public:
    JsonWriter& beginObject();
    JsonWriter& endObject();
    JsonWriter& beginArray();
    JsonWriter& endArray();
    JsonWriter& key(std::string_view name);
    JsonWriter& string(std::string_view text);
    JsonWriter& number(std::int64_t value);
    JsonWriter& boolean(bool value);

    const std::string& text() const { return out_; }

private:
    void beforeValue();
    void quote(std::string_view text);

    std::string out_;
    std::vector<bool> empty_;  // per open object or array: nothing written in it yet
    bool afterKey_ = false;
};
