// The INI section reader over arbitrary bytes. Every line it gives is non-empty, holds no
// line break or NUL, has no blanks around it, and reads back the same when written out
// as a section of its own.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "ui/profile_section.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    for (const char* section : {"exclude", "other"}) {
        const std::vector<std::string> lines = corvane::parse_profile_section(bytes, section);
        std::string rewritten = "[exclude]\r\n";
        for (const std::string& line : lines) {
            if (line.empty() || line.find_first_of(std::string("\r\n\0", 3)) != std::string::npos) std::abort();
            if (line.front() == ' ' || line.front() == '\t' || line.back() == ' ' || line.back() == '\t') std::abort();
            rewritten += line + "\r\n";
        }
        if (corvane::parse_profile_section(rewritten, "exclude") != lines) std::abort();
    }
    return 0;
}
