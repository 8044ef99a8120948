#include "shell/easy_link.h"

#include "base/error.h"
#include "base/text.h"
#include "store/file_system.h"
#include "store/reach.h"

namespace corvane {

bool link_points_to_folder(const std::string& path, std::chrono::steady_clock::time_point now) {
    const std::string target = link_target_path(path);
    return !target.empty() && folder_within_reach(target, now);
}

void set_link_icon(const std::string& path, const std::string& icon_path, const std::string& index_text) {
    set_link_icon_location(path, icon_path, parse_icon_index(index_text));
}

bool is_link_name(std::string_view name) { return name.size() >= 4 && name.substr(name.size() - 4) == ".lnk"; }

int parse_icon_index(std::string_view text) {
    std::int32_t value = 0;
    const std::errc problem = parse_int32(text, value);
    if (problem == std::errc::result_out_of_range)
        throw error(error_number::overflow, "Icon index out of range: \"" + std::string(text) + "\"");
    if (problem != std::errc())
        throw error(error_number::type_mismatch, "Icon index is not a number: \"" + std::string(text) + "\"");
    return value;
}

}  // namespace corvane
