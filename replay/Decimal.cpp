// Floating-point text through <charconv> where the standard library has it; the browser
// build's library lacks it, so there the C library does the same work.
#include "Decimal.h"

#include <charconv>
#include <cstdio>
#include <cstdlib>

namespace decimal {

#if defined(__cpp_lib_to_chars)

std::string shortest(double value) {
    char digits[32];
    const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    return std::string(digits, end);
}

std::optional<double> read(std::string_view word) {
    double value = 0;
    const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
    if (error != std::errc() || end != word.data() + word.size()) return std::nullopt;
    return value;
}

#else

std::string shortest(double value) {
    char digits[32];
    for (int precision = 1; precision <= 17; ++precision) {
        std::snprintf(digits, sizeof digits, "%.*g", precision, value);
        if (std::strtod(digits, nullptr) == value) break;
    }
    return digits;
}

std::optional<double> read(std::string_view word) {
    // from_chars takes no sign '+', no leading blank and no hexadecimal form; strtod would.
    if (word.empty() || word.front() == '+' || word.find_first_of("xX \t") != word.npos)
        return std::nullopt;
    const std::string text(word);
    char* end = nullptr;
    const double value = std::strtod(text.c_str(), &end);
    if (end != text.c_str() + text.size()) return std::nullopt;
    return value;
}

#endif

}  // namespace decimal
