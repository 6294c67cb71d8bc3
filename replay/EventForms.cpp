// Script lines from the page's event forms.
#include "EventForms.h"

namespace eventform {

std::string fill(std::string_view form, std::string_view value) {
    std::string line(form);
    if (const auto at = line.find("%1"); at != std::string::npos) line.replace(at, 2, value);
    return line;
}

}  // namespace eventform
