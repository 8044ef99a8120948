// Shortcuts read and written directly in the shell link format.

#include "base/error.h"
#include "shell/easy_link.h"
#include "shell/lnk_format.h"
#include "store/file_system.h"

namespace corvane {
namespace {

// Shortcuts are small; a larger file is not one.
constexpr std::size_t largest_link = 1 << 20;

std::optional<lnk::link_view> read_link(const std::string& path) {
    if (!file_exists(path)) return std::nullopt;
    const std::string bytes = read_file_bytes(path);
    if (bytes.size() > largest_link) return std::nullopt;
    return lnk::parse(bytes);
}

std::string existing_link_bytes(const std::string& path) {
    if (!file_exists(path)) throw error(error_number::file_not_found, "No shortcut at \"" + path + "\"");
    return read_file_bytes(path);
}

}  // namespace

std::string link_target_path(const std::string& path) {
    const auto link = read_link(path);
    return link ? link->target_path : std::string();
}

std::string link_description(const std::string& path) {
    const auto link = read_link(path);
    return link ? link->description : std::string();
}

void set_link_description(const std::string& path, const std::string& description) {
    overwrite_file_bytes(path, lnk::with_description(existing_link_bytes(path), description));
}

void set_link_icon_location(const std::string& path, const std::string& icon_path, int icon_index) {
    overwrite_file_bytes(path, lnk::with_icon_location(existing_link_bytes(path), icon_path, icon_index));
}

void set_link_marks(const std::string& path, const std::string& description, const std::string& icon_path,
                    int icon_index) {
    const std::string described = lnk::with_description(existing_link_bytes(path), description);
    overwrite_file_bytes(path, lnk::with_icon_location(described, icon_path, icon_index));
}

}  // namespace corvane
