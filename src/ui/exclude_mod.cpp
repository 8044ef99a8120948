#include "ui/exclude_mod.h"

#include "shell/strings.h"
#include "state/globals.h"
#include "ui/ini_advanced.h"

namespace corvane {

bool not_excluded(const std::string& link_file_name) {
    for (const std::string& entry : read_ini_section("exclude", globals::exe_name + ".ini", true))
        if (same_text(entry, link_file_name)) return false;
    return true;
}

}  // namespace corvane
