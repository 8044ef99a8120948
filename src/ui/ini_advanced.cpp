#include "ui/ini_advanced.h"

#include "base/process_paths.h"
#include "state/globals.h"
#include "ui/profile_section.h"

namespace corvane {

std::string ini_path;

std::vector<std::string> read_ini_section(const std::string& section_name) {
    ini_path = join_path(application_folder(), globals::exe_name + ".ini");
    return read_profile_section(ini_path, section_name);
}

}  // namespace corvane
