#pragma once
// Reads the lines of one section of an INI file in the application folder.

#include <string>
#include <vector>

namespace corvane {

// The path the last read_ini_section used; the banned-list editor reads and writes it.
extern std::string ini_path;

// The section's lines in file order, from the executable's name + ".ini". The path goes
// into ini_path before the file is read. A missing file or section gives no lines.
std::vector<std::string> read_ini_section(const std::string& section_name);

}  // namespace corvane
