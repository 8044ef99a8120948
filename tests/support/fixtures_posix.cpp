#include <sys/xattr.h>

#include <filesystem>
#include <stdexcept>

#include "support/fixtures.h"
#include "support/lnk_samples.h"

namespace corvane::testing {

void make_folder_link(const std::string& link, const std::string& target) {
    std::filesystem::create_directory_symlink(std::u8string(target.begin(), target.end()),
                                              std::u8string(link.begin(), link.end()));
}

void set_online_only(const std::string& path) {
    const char offline[] = "0x1000";
    if (::setxattr(path.c_str(), "user.DOSATTRIB", offline, sizeof offline - 1, 0) != 0)
        throw std::runtime_error("cannot mark " + path + " online only");
}

void set_hiding(const std::string& path, bool hidden, bool system) {
    const std::string attributes = "0x" + std::to_string((hidden ? 2 : 0) + (system ? 4 : 0));
    if (::setxattr(path.c_str(), "user.DOSATTRIB", attributes.data(), attributes.size(), 0) != 0)
        throw std::runtime_error("cannot set the attributes of " + path);
}

std::string short_path(const std::string& path) { return path; }

void save_shortcut(const std::string& path, const std::string& target, const std::string& description) {
    write_bytes(path, make_link({.target = target, .description = description}));
}

}  // namespace corvane::testing
