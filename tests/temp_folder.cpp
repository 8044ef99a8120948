#include "temp_folder.h"

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "base/process_paths.h"

namespace corvane::testing {
namespace {

namespace fs = std::filesystem;

fs::path to_fs(std::string_view utf8) { return fs::path(std::u8string(utf8.begin(), utf8.end())); }

std::string from_fs(const fs::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

}  // namespace

temp_folder::temp_folder() {
    static std::atomic<unsigned> counter{0};
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    const fs::path folder =
        fs::temp_directory_path() / ("corvane-test-" + std::to_string(stamp) + "-" + std::to_string(counter++));
    fs::create_directories(folder);
    path_ = from_fs(folder);
}

temp_folder::~temp_folder() { remove_folder(path_); }

std::string temp_folder::file(std::string_view name) const { return join_path(path_, name); }

void write_bytes(const std::string& path, std::string_view bytes) {
    std::ofstream out(to_fs(path), std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) throw std::runtime_error("cannot write " + path);
}

std::string read_bytes(const std::string& path) {
    std::ifstream in(to_fs(path), std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + path);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void remove_folder(const std::string& path) {
    std::error_code ignored;
    // Read-only files would stop remove_all on Windows.
    // Stepped with an error code: a path beyond MAX_PATH stops the walk rather than the test.
    for (fs::recursive_directory_iterator entry(to_fs(path), ignored), end; entry != end; entry.increment(ignored))
        fs::permissions(entry->path(), fs::perms::owner_write, fs::perm_options::add, ignored);
    fs::remove_all(to_fs(path), ignored);
}

void set_modified(const std::string& path, int seconds) {
    static const auto base = fs::file_time_type::clock::now() - std::chrono::hours(24);
    fs::last_write_time(to_fs(path), base + std::chrono::seconds(seconds));
}

void set_read_only(const std::string& path, bool read_only) {
    constexpr auto write = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    fs::permissions(to_fs(path), write, read_only ? fs::perm_options::remove : fs::perm_options::add);
}

application_folder_scope::application_folder_scope() { set_application_folder(folder_.path()); }

application_folder_scope::~application_folder_scope() { set_application_folder({}); }

}  // namespace corvane::testing
