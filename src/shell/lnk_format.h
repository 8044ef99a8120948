#pragma once
// The shell link (.lnk) binary format: ShellLinkHeader, LinkTargetIDList, LinkInfo,
// StringData, ExtraData. Reads the target path, the description and the icon location, and
// rewrites the description or the icon location while keeping every other byte.

#include <optional>
#include <string>
#include <string_view>

namespace corvane::lnk {

struct link_view {
    std::string target_path;    // from LinkInfo; "" when the link has none
    std::string description;    // NAME_STRING
    std::string icon_location;  // ICON_LOCATION
    int icon_index = 0;         // the header's IconIndex
};

// Nothing for bytes that are not a whole, well-formed shell link.
std::optional<link_view> parse(std::string_view bytes);

// The link with its description, or its icon location and index, replaced. Raises
// invalid_file_format for bytes that are not a shell link, overflow for a text longer than
// the format holds.
std::string with_description(std::string_view bytes, std::string_view text);
std::string with_icon_location(std::string_view bytes, std::string_view icon_path, int icon_index);

}  // namespace corvane::lnk
