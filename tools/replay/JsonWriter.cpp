// Writing JSON in order, with UTF-8 strings that always come out valid.
#include "JsonWriter.h"

#include <cstdio>

namespace {

// Length of the valid UTF-8 character at s[i], or 0 when the bytes there are not one.
std::size_t utf8Length(std::string_view s, std::size_t i) {
    const auto lead = static_cast<unsigned char>(s[i]);
    std::size_t n = 0;
    unsigned char low = 0x80, high = 0xBF;
    if (lead < 0x80) return 1;
    if (lead >= 0xC2 && lead <= 0xDF)
        n = 2;
    else if (lead >= 0xE0 && lead <= 0xEF)
        n = 3;
    else if (lead >= 0xF0 && lead <= 0xF4)
        n = 4;
    else
        return 0;
    if (lead == 0xE0) low = 0xA0;   // overlong
    if (lead == 0xED) high = 0x9F;  // surrogates
    if (lead == 0xF0) low = 0x90;   // overlong
    if (lead == 0xF4) high = 0x8F;  // past U+10FFFF
    if (i + n > s.size()) return 0;
    const auto second = static_cast<unsigned char>(s[i + 1]);
    if (second < low || second > high) return 0;
    for (std::size_t k = 2; k < n; ++k)
        if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return 0;
    return n;
}

}  // namespace

void JsonWriter::beforeValue() {
    if (afterKey_) {
        afterKey_ = false;
        return;
    }
    if (!empty_.empty()) {
        if (!empty_.back()) out_ += ", ";
        empty_.back() = false;
    }
}

JsonWriter& JsonWriter::beginObject() {
    beforeValue();
    out_ += '{';
    empty_.push_back(true);
    return *this;
}

JsonWriter& JsonWriter::endObject() {
    out_ += '}';
    empty_.pop_back();
    return *this;
}

JsonWriter& JsonWriter::beginArray() {
    beforeValue();
    out_ += '[';
    empty_.push_back(true);
    return *this;
}

JsonWriter& JsonWriter::endArray() {
    out_ += ']';
    empty_.pop_back();
    return *this;
}

JsonWriter& JsonWriter::key(std::string_view name) {
    beforeValue();
    quote(name);
    out_ += ": ";
    afterKey_ = true;
    return *this;
}

JsonWriter& JsonWriter::string(std::string_view text) {
    beforeValue();
    quote(text);
    return *this;
}

JsonWriter& JsonWriter::number(std::int64_t value) {
    beforeValue();
    out_ += std::to_string(value);
    return *this;
}

JsonWriter& JsonWriter::boolean(bool value) {
    beforeValue();
    out_ += value ? "true" : "false";
    return *this;
}

void JsonWriter::quote(std::string_view text) {
    out_ += '"';
    for (std::size_t i = 0; i < text.size();) {
        const char c = text[i];
        const std::size_t n = utf8Length(text, i);
        if (n == 0) {
            out_ += "\xEF\xBF\xBD";
            ++i;
            continue;
        }
        if (n > 1) {
            out_.append(text, i, n);
            i += n;
            continue;
        }
        ++i;
        switch (c) {
            case '"':
                out_ += "\\\"";
                break;
            case '\\':
                out_ += "\\\\";
                break;
            case '\r':
                out_ += "\\r";
                break;
            case '\n':
                out_ += "\\n";
                break;
            case '\t':
                out_ += "\\t";
                break;
            case '\b':
                out_ += "\\b";
                break;
            case '\f':
                out_ += "\\f";
                break;
            default:
                if (static_cast<unsigned char>(c) < 0x20) {
                    char escaped[8];
                    std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(c));
                    out_ += escaped;
                } else {
                    out_ += c;
                }
        }
    }
    out_ += '"';
}
