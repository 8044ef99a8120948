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

void save_shortcut(const std::string& path, const std::string& target, const std::string& description) {
    write_bytes(path, make_link({.target = target, .description = description}));
}

}  // namespace corvane::testing
