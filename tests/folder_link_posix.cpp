#include <filesystem>

#include "temp_folder.h"

namespace corvane::testing {

void make_folder_link(const std::string& link, const std::string& target) {
    std::filesystem::create_directory_symlink(std::u8string(target.begin(), target.end()),
                                              std::u8string(link.begin(), link.end()));
}

void remove_folder_link(const std::string& link) { std::filesystem::remove(std::u8string(link.begin(), link.end())); }

}  // namespace corvane::testing
