// The engine's hook into the player's language: every text it shows passes through here.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

namespace text {

// Gives the player's own words for a source text of Texts.h, or the source text itself.
using Translator = std::string (*)(const char* source);

// The front end installs its catalog once, before the game starts; nullptr keeps the source
// texts (the replay driver never installs one, so its output stays the reference).
void setTranslator(Translator translator);
std::string tr(const char* source);

// Puts the arguments in place of %1 to %9 in a template; a translation may reorder them.
std::string fill(std::string_view templ, std::initializer_list<std::string_view> args);

}  // namespace text
