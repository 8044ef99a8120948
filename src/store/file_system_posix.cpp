#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <thread>

#include "base/error.h"
#include "base/owner.h"
#include "base/process_paths.h"
#include "base/text.h"
#include "store/file_system.h"

namespace corvane {
namespace {

// A server that does not answer, played for tests and benchmarks.
struct slow_folders {
    std::mutex mutex;
    std::string prefix;
    std::chrono::milliseconds delay{0};
};
// Never destroyed: a check still waiting when the process ends reads it.
slow_folders& slow_folder_checks() {
    static auto* slow = new slow_folders;
    return *slow;
}
std::chrono::milliseconds slow_folder_delay(const std::string& path) {
    slow_folders& slow = slow_folder_checks();
    const std::lock_guard lock(slow.mutex);
    return !slow.prefix.empty() && path.starts_with(slow.prefix) ? slow.delay : std::chrono::milliseconds{0};
}

struct fd_traits {
    using type = int;
    static type invalid() noexcept { return -1; }
    static void close(type fd) noexcept { ::close(fd); }
};
using unique_fd = owner<fd_traits>;

struct dir_traits {
    using type = DIR*;
    static type invalid() noexcept { return nullptr; }
    static void close(type dir) noexcept { closedir(dir); }
};
using unique_dir = owner<dir_traits>;

[[noreturn]] void raise_errno(const char* operation, const std::string& path, int err = errno) {
    int number = error_number::path_file_access;
    switch (err) {
        case ENOENT: number = error_number::file_not_found; break;
        case ENOTDIR: number = error_number::path_not_found; break;
        case EACCES:
        case EPERM:
        case EROFS:
        case EBUSY: number = error_number::permission_denied; break;
        case EEXIST: number = error_number::file_already_exists; break;
        default: break;
    }
    throw error(number, std::string(operation) + " \"" + path + "\": " + std::strerror(err));
}

bool stat_path(const std::string& path, struct stat& info) { return ::stat(path.c_str(), &info) == 0; }

// The portable stand-in for the read-only attribute: no write permission for anyone.
// Permission checks alone would not do: tests and CI run as root, who may write anything.
bool read_only(const struct stat& info) { return (info.st_mode & 0222) == 0; }

void require_writable(const char* operation, const std::string& path) {
    struct stat info {};
    if (stat_path(path, info) && read_only(info)) raise_errno(operation, path, EACCES);
}

std::string parent_folder(const std::string& path) {
    const std::size_t last = path.rfind(path_separator);
    return last == std::string::npos ? std::string(".") : path.substr(0, last);
}

std::string file_name_of(const std::string& path) {
    const std::size_t last = path.rfind(path_separator);
    return last == std::string::npos ? path : path.substr(last + 1);
}

void write_all(int fd, const std::string& bytes, const char* operation, const std::string& path) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            raise_errno(operation, path);
        }
        done += static_cast<std::size_t>(n);
    }
}

file_time modified_time(const struct stat& info) {
    constexpr std::int64_t seconds_1601_to_1970 = 11644473600;
    return (static_cast<std::int64_t>(info.st_mtim.tv_sec) + seconds_1601_to_1970) * 10000000 +
           info.st_mtim.tv_nsec / 100;
}

}  // namespace

bool file_exists(const std::string& path) {
    struct stat info {};
    return stat_path(path, info) && S_ISREG(info.st_mode);
}

bool folder_exists(const std::string& path) {
    if (const auto delay = slow_folder_delay(path); delay.count() > 0) std::this_thread::sleep_for(delay);
    struct stat info {};
    return stat_path(path, info) && S_ISDIR(info.st_mode);
}

bool volume_attached(const std::string& path) {
    struct stat info {};
    return stat_path(path.substr(0, path.find(path_separator, 1)), info);
}

std::optional<std::string> link_target_of(const std::string& path) {
    struct stat status {};
    if (::lstat(path.c_str(), &status) != 0 || !S_ISLNK(status.st_mode)) return std::nullopt;
    std::string target(PATH_MAX, '\0');
    const ssize_t length = ::readlink(path.c_str(), target.data(), target.size());
    if (length <= 0) return std::nullopt;
    target.resize(static_cast<std::size_t>(length));
    return target;
}

bool is_network_path(const std::string& path) { return path.size() >= 2 && path[0] == '/' && path[1] == '/'; }

void slow_down_folder_checks(const std::string& prefix, std::chrono::milliseconds delay) {
    slow_folders& slow = slow_folder_checks();
    const std::lock_guard lock(slow.mutex);
    slow.prefix = prefix;
    slow.delay = delay;
}

namespace {

// A file server keeps the attributes as hexadecimal text at the start of the value.
unsigned long windows_attributes(const std::string& path) {
    char text[256] = {};
    const ssize_t length = ::getxattr(path.c_str(), "user.DOSATTRIB", text, sizeof text - 1);
    return length <= 0 ? 0 : std::strtoul(text, nullptr, 16);
}

}  // namespace

bool is_online_only(const std::string& path) {
    constexpr unsigned long online_only = 0x00001000 | 0x00040000 | 0x00400000;
    return (windows_attributes(path) & online_only) != 0;
}

hiding hiding_of(const std::string& path) {
    const unsigned long attributes = windows_attributes(path);
    return {.hidden = (attributes & 0x2) != 0, .system = (attributes & 0x4) != 0};
}

std::string file_identity(const std::string& path) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0) return {};
    return std::to_string(info.st_dev) + "-" + std::to_string(info.st_ino);
}

bool is_real_folder(const std::string& path) {
    std::string own = path;
    while (own.size() > 1 && own.back() == path_separator) own.pop_back();
    struct stat info {};
    return ::lstat(own.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

std::vector<file_entry> folder_files(const std::string& folder_path) {
    const unique_dir dir(::opendir(folder_path.c_str()));
    if (!dir) raise_errno("GetFolder", folder_path, errno == ENOENT ? ENOTDIR : errno);
    std::vector<file_entry> files;
    while (const dirent* entry = ::readdir(dir.get())) {
        const std::string name = entry->d_name;
        if (name == "." || name == "..") continue;
        std::string path = child_path(folder_path, name);
        struct stat info {};
        if (stat_path(path, info) && S_ISREG(info.st_mode)) files.push_back({std::move(path), name, modified_time(info)});
    }
    return files;
}

void create_folder(const std::string& path) {
    if (::mkdir(path.c_str(), 0777) != 0) raise_errno("CreateFolder", path, errno == ENOENT ? ENOTDIR : errno);
}

void delete_folder(const std::string& path) {
    if (::rmdir(path.c_str()) != 0) raise_errno("RmDir", path);
}

void copy_file(const std::string& source_path, const std::string& destination) {
    if (!file_exists(source_path)) raise_errno("CopyFile", source_path, ENOENT);
    // The stand-in for a folder whose ACL refuses new files, as Controlled folder access does.
    require_writable("CopyFile", parent_folder(destination));
    overwrite_file_bytes(destination, read_file_bytes(source_path));
}

void copy_to_new_file(const std::string& source_path, const std::string& destination) {
    struct stat info {};
    if (::lstat(destination.c_str(), &info) == 0) raise_errno("CopyFile", destination, EEXIST);
    copy_file(source_path, destination);
}

bool path_fits(const std::string& folder, const std::string& name) {
    // Control characters as Windows refuses them; a line break would break the stores' lines.
    return !has_control_character(name) && name.size() <= NAME_MAX && child_path(folder, name).size() < PATH_MAX;
}

void delete_file(const std::string& path) {
    struct stat info {};
    if (!stat_path(path, info) || !S_ISREG(info.st_mode)) raise_errno("DeleteFile", path, ENOENT);
    if (read_only(info)) raise_errno("DeleteFile", path, EACCES);
    if (::unlink(path.c_str()) != 0) raise_errno("DeleteFile", path);
}

std::string read_file_bytes(const std::string& path) {
    const unique_fd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (!fd) raise_errno("Read", path);
    std::string bytes;
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd.get(), buffer, sizeof buffer);
        if (n == 0) return bytes;
        if (n < 0) {
            if (errno == EINTR) continue;
            raise_errno("Read", path);
        }
        bytes.append(buffer, static_cast<std::size_t>(n));
    }
}

void replace_file_bytes(const std::string& path, const std::string& bytes) {
    struct stat old {};
    const bool existed = stat_path(path, old);
    if (existed && !S_ISREG(old.st_mode)) raise_errno("Write", path, EISDIR);
    if (existed && read_only(old)) raise_errno("Write", path, EACCES);

    static std::atomic<unsigned> counter{0};
    // Built by appending: GCC 12 at -O2 warns falsely about "." + std::string.
    std::string temporary_name(1, '.');
    temporary_name += file_name_of(path);
    temporary_name += ".~" + std::to_string(::getpid()) + "-" + std::to_string(counter++);
    const std::string temporary = join_path(parent_folder(path), temporary_name);
    struct temporary_guard {
        const std::string& path;
        bool armed = true;
        ~temporary_guard() {
            if (armed) ::unlink(path.c_str());
        }
    } guard{temporary};
    {
        const unique_fd fd(::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC,
                                  existed ? (old.st_mode & 07777) : 0666));
        if (!fd) raise_errno("Write", path);
        write_all(fd.get(), bytes, "Write", path);
        if (::fsync(fd.get()) != 0) raise_errno("Write", path);
    }
    if (::rename(temporary.c_str(), path.c_str()) != 0) raise_errno("Write", path);
    guard.armed = false;
}

void overwrite_file_bytes(const std::string& path, const std::string& bytes) {
    require_writable("Write", path);
    const unique_fd fd(::open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC | O_TRUNC, 0666));
    if (!fd) raise_errno("Write", path);
    write_all(fd.get(), bytes, "Write", path);
}

}  // namespace corvane
