#pragma once
// The lines of one section of an INI file, as the system's profile reader gives them.

#include <string>
#include <string_view>
#include <vector>

namespace corvane {

// The section's lines in file order, in the file's own bytes: the first section whose
// name (between "[" and "]", spaces around it ignored) equals section_name regardless of
// ASCII letter case, up to the next section. Blank lines and ";" comment lines are left
// out; spaces and tabs around a line, and around the "=" of a key=value line, are removed;
// a NUL ends a line. No lines for a missing or empty section.
std::vector<std::string> parse_profile_section(std::string_view file_bytes, std::string_view section_name);

// A line as the profile reader gives it back: without the spaces and tabs around it and
// around its first "=".
std::string profile_line(std::string_view line);

// The same for the file at ini_path, texts in UTF-8: the system's profile reader on
// Windows, parse_profile_section over the file's text elsewhere, ANSI or UTF-16 behind its
// byte-order mark, as both read it. A missing or
// unreadable file has no lines. A section too large to read whole raises overflow.
std::vector<std::string> read_profile_section(const std::string& ini_path, const std::string& section_name);

}  // namespace corvane
