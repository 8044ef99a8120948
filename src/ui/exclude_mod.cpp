#include "ui/exclude_mod.h"

#include "shell/strings.h"
#include "ui/ini_advanced.h"
#include "ui/profile_section.h"

namespace corvane {

bool not_excluded(const std::string& link_file_name) {
    // Compared in the form the reader gives the lines, so that "x = y Data.lnk" can be banned.
    const std::string name = profile_line(link_file_name);
    for (const std::string& entry : read_ini_section("exclude")) {
        // No file name holds a wildcard, so no list written before patterns changes meaning.
        if (is_name_pattern(entry) ? matches_name_pattern(entry, name) : same_text(entry, name)) return false;
    }
    return true;
}

}  // namespace corvane
