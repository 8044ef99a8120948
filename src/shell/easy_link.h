#pragma once
// Shortcut files: read a shortcut's target and description, rewrite its description and
// icon. The readers give "" or false for a path that names no file or a file that is not a
// shortcut; the writers raise then. Other failures are raised to the caller.

#include <chrono>
#include <string>
#include <string_view>

namespace corvane {

std::string link_target_path(const std::string& path);
std::string link_description(const std::string& path);
// True only for a shortcut whose target is an existing folder within reach (store/reach.h):
// a target on a server that does not answer counts as missing.
bool link_points_to_folder(const std::string& path,
                           std::chrono::steady_clock::time_point now = std::chrono::steady_clock::now());

void set_link_description(const std::string& path, const std::string& description);
// index_text is the icon index as decimal text ("0"); anything else raises type_mismatch
// before the file is touched.
void set_link_icon(const std::string& path, const std::string& icon_path, const std::string& index_text);
void set_link_icon_location(const std::string& path, const std::string& icon_path, int icon_index);
// Both in one rewrite of the file: a folder link is marked as it is made.
void set_link_marks(const std::string& path, const std::string& description, const std::string& icon_path,
                    int icon_index);

// The last four characters are exactly ".lnk".
bool is_link_name(std::string_view name);

// The icon index text as a 32-bit number: optional surrounding spaces, an optional sign,
// decimal digits.
int parse_icon_index(std::string_view text);

}  // namespace corvane
