#include "fatal/g_errors.h"

#include <cstdio>

namespace corvane {

std::string fatal_error_text(std::uint32_t exception_code) {
    std::string message;
    if (exception_code == 0xC0000005u) {
        message = "General Protection Fault (Access Violation)";
    } else if (exception_code == 0xC00000FDu) {
        // Without its closing parenthesis, as it has always been shown.
        message = "General Protection Fault (Stack Overflow";
    } else {
        char digits[9];
        std::snprintf(digits, sizeof digits, "%X", static_cast<unsigned>(exception_code));
        message = std::string("General Protection Fault, Error code h") + digits;
    }
    return "FATAL error => " + message + "\n\nProgram will terminate";
}

}  // namespace corvane
