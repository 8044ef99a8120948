#include "shell/strings.h"

#include "base/text.h"

namespace corvane {

bool same_text(std::string_view a, std::string_view b) {
    return upper_case(trim_spaces(a)) == upper_case(trim_spaces(b));
}

}  // namespace corvane
