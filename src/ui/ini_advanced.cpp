#include "ui/ini_advanced.h"

#include "base/error.h"
#include "base/process_paths.h"
#include "state/globals.h"
#include "ui/profile_section.h"

namespace corvane {

std::string ini_path;

std::vector<std::string> read_ini_section(const std::string& section_name, const std::string& file_name, bool quiet) {
    ini_path = join_path(application_folder(), file_name.empty() ? globals::exe_name + ".ini" : file_name);
    std::vector<std::string> lines = read_profile_section(ini_path, section_name);
    if (lines.empty() && !quiet)
        throw error(error_number::ini_section_not_found,
                    "Fehler beim Lesen eines ini-Datei-Eintrags. Die ini-Datei " + ini_path + " oder die Section " +
                        section_name + " wurde nicht gefunden");
    return lines;
}

}  // namespace corvane
