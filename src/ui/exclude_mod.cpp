#include "ui/exclude_mod.h"

#include "base/text.h"
#include "shell/strings.h"
#include "ui/ini_advanced.h"
#include "ui/profile_section.h"

namespace corvane {
namespace {

// Lists saved by versions that wrote the ANSI code page alone hold a "?" for each letter it
// lacked ("????? Work.lnk"): a word of question marks alone, without a "*", is such a name,
// which bans what it always banned rather than every name of its shape.
bool is_pattern_line(const std::string& entry) {
    if (!is_name_pattern(entry)) return false;
    if (entry.find('*') != std::string::npos) return true;
    for (const std::string_view word : split(entry, " "))
        if (word.size() >= 2 && word.find_first_not_of('?') == std::string_view::npos) return false;
    return true;
}

}  // namespace

bool not_excluded(const std::string& link_file_name) {
    // Compared in the form the reader gives the lines, so that "x = y Data.lnk" can be banned.
    const std::string name = profile_line(link_file_name);
    for (const std::string& entry : read_ini_section("exclude")) {
        // No file name holds a wildcard, so no list written before patterns changes meaning.
        if (is_pattern_line(entry) ? matches_name_pattern(entry, name) : same_text(entry, name)) return false;
    }
    return true;
}

}  // namespace corvane
