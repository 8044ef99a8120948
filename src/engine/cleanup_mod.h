#pragma once
// The last step of a refresh: the program's own desktop links that the refresh did not make
// again are deleted, their icon positions remembered first.

#include <string>

namespace corvane {

// Raises whatever fails; the desktop files not yet examined stay.
void remove_stale_links();

// The file's shortcut description is the link marker, spaces around it and letter case
// aside. False for a file that is not a shortcut.
bool is_own_link(const std::string& path);

}  // namespace corvane
