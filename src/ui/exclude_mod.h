#pragma once
// The banned-folders list: the "[exclude]" section of the INI file named after the
// executable. An entry bans the folder link whose file name it equals, spaces around it
// and letter case aside; an entry that holds "*" or "?" bans every link file name it
// matches as a pattern ("* Temp.lnk").

#include <string>

namespace corvane {

// Reads the file anew on every call, so that a saved edit counts at the next refresh.
// A missing file or section bans nothing.
bool not_excluded(const std::string& link_file_name);

}  // namespace corvane
