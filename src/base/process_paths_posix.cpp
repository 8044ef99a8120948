#include <cstdlib>
#include <filesystem>

#include "base/process_paths.h"

namespace corvane {

const char path_separator = '/';

std::string executable_path() {
    std::error_code ignored;
    return std::filesystem::read_symlink("/proc/self/exe", ignored).string();
}

std::string default_staging_folder() {
    std::error_code ignored;
    std::string folder = (std::filesystem::temp_directory_path(ignored) / "Quillon Corvane" / "vantrel").string();
    return folder + path_separator;
}

std::string shell_desktop_folder() { return {}; }

std::vector<std::string> temporary_folders() {
    std::error_code ignored;
    return {std::filesystem::temp_directory_path(ignored).string()};
}

std::string internet_cache_folder() { return {}; }

std::string profile_folder() { return environment_variable("HOME"); }

std::string long_path_name(const std::string& path) { return path; }

std::string expand_environment(const std::string& text) { return text; }

std::string environment_variable(const std::string& name) {
    const char* value = std::getenv(name.c_str());
    return value ? value : "";
}

}  // namespace corvane
