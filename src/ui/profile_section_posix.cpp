#include "store/easy_file.h"
#include "ui/profile_section.h"

namespace corvane {

// Like the system's reader, a file that cannot be read has no sections. The line syntax
// is ASCII, so the file is parsed after its conversion to UTF-8, all at once.
std::vector<std::string> read_profile_section(const std::string& ini_path, const std::string& section_name) {
    return parse_profile_section(read_file(ini_path), section_name);
}

}  // namespace corvane
