#include "base/process_paths.h"

#include <optional>

#include "base/text.h"

namespace corvane {
namespace {

std::optional<std::string>& bound_application_folder() {
    static std::optional<std::string> folder;
    return folder;
}

}  // namespace

std::string join_path(std::string_view folder, std::string_view name) {
    std::string path(folder);
    path += path_separator;
    path += name;
    return path;
}

std::string child_path(std::string_view folder, std::string_view name) {
    if (!folder.empty() && folder.back() == path_separator) return std::string(folder) + std::string(name);
    return join_path(folder, name);
}

std::string containing_folder(std::string_view path) {
    while (!path.empty() && path.back() == path_separator) path.remove_suffix(1);
    const std::size_t last = path.rfind(path_separator);
    return last == std::string_view::npos ? std::string() : std::string(path.substr(0, last));
}

std::string without_long_path_prefix(const std::string& path) {
    const std::string prefix = std::string(2, path_separator) + "?" + path_separator;
    if (!path.starts_with(prefix)) return path;
    // The object manager takes "UNC" in any case.
    const std::string unc = prefix + "UNC" + path_separator;
    return upper_case(path.substr(0, unc.size())) == unc ? std::string(2, path_separator) + path.substr(unc.size())
                                                         : path.substr(prefix.size());
}

bool path_within(std::string_view path, std::string_view folder) {
    const auto trimmed = [](std::string_view text) {
        while (!text.empty() && text.back() == path_separator) text.remove_suffix(1);
        return upper_case(text);
    };
    const std::string inner = trimmed(path), outer = trimmed(folder);
    if (outer.empty() || !inner.starts_with(outer)) return false;
    return inner.size() == outer.size() || inner[outer.size()] == path_separator;
}

std::string application_folder() {
    if (bound_application_folder()) return *bound_application_folder();
    const std::string exe = executable_path();
    const std::size_t last = exe.rfind(path_separator);
    return last == std::string::npos ? std::string() : exe.substr(0, last);
}

std::string executable_name() {
    const std::string exe = executable_path();
    const std::size_t last = exe.rfind(path_separator);
    std::string name = last == std::string::npos ? exe : exe.substr(last + 1);
    const std::size_t dot = name.rfind('.');
    if (dot != std::string::npos) name.resize(dot);
    return name;
}

void set_application_folder(std::string folder) {
    if (folder.empty()) {
        bound_application_folder().reset();
    } else {
        bound_application_folder() = std::move(folder);
    }
}

}  // namespace corvane
