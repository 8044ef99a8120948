#pragma once
// The refresh: turns recent shortcuts into folder links on the desktop.

#include <string>

namespace corvane {

// The icon file for a folder link. A name keeps the icon it was first given; a new name
// gets the icon the fewest desktop links use now (of equals, the one listed last) and
// that choice is stored at once. An empty icons folder gives, and stores, "".
std::string choose_link_icon(const std::string& link_file_name);

}  // namespace corvane
