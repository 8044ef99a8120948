#include "base/error.h"
#include "base/text.h"
#include "store/file_system.h"
#include "ui/profile_section.h"

namespace corvane {

std::vector<std::string> read_profile_section(const std::string& ini_path, const std::string& section_name) {
    std::string bytes;
    try {
        bytes = read_file_bytes(ini_path);
    } catch (const error&) {
        // Like the system's reader: a file that cannot be read has no sections.
        return {};
    }
    std::vector<std::string> lines = parse_profile_section(bytes, utf8_to_ansi(section_name));
    for (std::string& line : lines) line = ansi_to_utf8(line);
    return lines;
}

}  // namespace corvane
