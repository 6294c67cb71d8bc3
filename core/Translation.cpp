// The engine's hook into the player's language.
#include "Translation.h"

namespace text {

namespace {
Translator installed = nullptr;
}

void setTranslator(Translator translator) {
    installed = translator;
}

std::string tr(const char* source) {
    return installed ? installed(source) : std::string(source);
}

std::string fill(std::string_view templ, std::initializer_list<std::string_view> args) {
    std::string out;
    for (std::size_t i = 0; i < templ.size(); ++i) {
        const char next = i + 1 < templ.size() ? templ[i + 1] : '\0';
        const auto n = static_cast<std::size_t>(next - '1');
        if (templ[i] == '%' && next >= '1' && next <= '9' && n < args.size()) {
            out += args.begin()[n];
            ++i;
        } else {
            out += templ[i];
        }
    }
    return out;
}

}  // namespace text
