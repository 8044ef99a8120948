#include <windows.h>
#include <winioctl.h>

#include <cstdio>
#include <cstring>
#include <memory>

#include "base/brief_locks_win32.h"
#include "base/error.h"
#include "base/process_paths.h"
#include "base/text.h"
#include "base/wide.h"
#include "base/win32_handles.h"
#include "store/file_system.h"

namespace corvane {
namespace {

bool failed_on_brief_lock(BOOL succeeded) { return !succeeded && last_error_is_brief_lock(); }

// The system's own words for the code, for a person to read; its number when it has none.
std::string system_message(DWORD code) {
    wchar_t* text = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0,
        reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    const std::unique_ptr<wchar_t, decltype(&LocalFree)> owned(text, &LocalFree);
    std::wstring message(text ? text : L"", length);
    while (!message.empty() && (message.back() == L'\n' || message.back() == L'\r' || message.back() == L' '))
        message.pop_back();
    return message.empty() ? "system error " + std::to_string(code) : from_wide(message);
}

[[noreturn]] void raise_last_error(const char* operation, const std::string& path,
                                   DWORD code = GetLastError()) {
    int number = error_number::path_file_access;
    switch (code) {
        case ERROR_FILE_NOT_FOUND: number = error_number::file_not_found; break;
        case ERROR_PATH_NOT_FOUND:
        case ERROR_INVALID_NAME:
        case ERROR_BAD_NETPATH: number = error_number::path_not_found; break;
        case ERROR_ACCESS_DENIED:
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION:
        case ERROR_WRITE_PROTECT: number = error_number::permission_denied; break;
        case ERROR_ALREADY_EXISTS:
        case ERROR_FILE_EXISTS: number = error_number::file_already_exists; break;
        default: break;
    }
    throw error(number, std::string(operation) + " \"" + path + "\": " + system_message(code));
}

DWORD attributes_of(const std::string& path) { return GetFileAttributesW(to_wide(path).c_str()); }

std::string parent_folder(const std::string& path) {
    const std::size_t last = path.find_last_of("\\/");
    return last == std::string::npos ? std::string(".") : path.substr(0, last);
}

void write_all(HANDLE file, const std::string& bytes, const std::string& path) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1 << 20));
        DWORD written = 0;
        if (!WriteFile(file, bytes.data() + done, chunk, &written, nullptr)) raise_last_error("Write", path);
        done += written;
    }
}

file_time to_file_time(const FILETIME& time) {
    return static_cast<file_time>((static_cast<std::uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime);
}

// Removes the temporary file of a replacing write unless it took the file's place.
struct temporary_file {
    std::wstring path;
    bool keep = false;
    ~temporary_file() {
        if (!keep && !path.empty()) DeleteFileW(path.c_str());
    }
};

}  // namespace

bool file_exists(const std::string& path) {
    const DWORD attributes = attributes_of(path);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool folder_exists(const std::string& path) {
    const DWORD attributes = attributes_of(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

namespace {

// The reparse data of symbolic links and junctions, as the file system hands it over.
struct reparse_header {
    ULONG tag;
    USHORT data_length, reserved;
    USHORT substitute_offset, substitute_length, print_offset, print_length;
};
constexpr std::size_t symlink_names = sizeof(reparse_header) + sizeof(ULONG);  // after its flags
constexpr ULONG symlink_relative = 1;

}  // namespace

std::optional<std::string> link_target_of(const std::string& path) {
    const std::wstring wide = to_wide(path);
    const DWORD attributes = GetFileAttributesW(wide.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_REPARSE_POINT)) return std::nullopt;
    const unique_file link(CreateFileW(wide.c_str(), FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                       nullptr, OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS,
                                       nullptr));
    if (!link) return std::nullopt;
    std::vector<unsigned char> data(MAXIMUM_REPARSE_DATA_BUFFER_SIZE);
    DWORD size = 0;
    if (!DeviceIoControl(link.get(), FSCTL_GET_REPARSE_POINT, nullptr, 0, data.data(), static_cast<DWORD>(data.size()),
                         &size, nullptr) ||
        size < symlink_names)
        return std::nullopt;
    reparse_header header{};
    std::memcpy(&header, data.data(), sizeof header);
    std::size_t names = 0;
    bool relative = false;
    if (header.tag == IO_REPARSE_TAG_SYMLINK) {
        ULONG flags = 0;
        std::memcpy(&flags, data.data() + sizeof header, sizeof flags);
        names = symlink_names;
        relative = flags & symlink_relative;
    } else if (header.tag == IO_REPARSE_TAG_MOUNT_POINT) {
        names = sizeof header;
    } else {
        return std::nullopt;
    }
    const std::size_t start = names + header.substitute_offset;
    if (header.substitute_length == 0 || start + header.substitute_length > size) return std::nullopt;
    std::u16string target(header.substitute_length / sizeof(char16_t), u'\0');
    std::memcpy(target.data(), data.data() + start, target.size() * sizeof(char16_t));
    std::string text = utf16_to_utf8(target);
    if (relative) return text;
    // A volume mounted in a folder is a local disk: the path goes on through it.
    if (text.starts_with("\\??\\Volume{")) return std::nullopt;
    // The object manager's spelling, \??\UNC\server\share or \??\C:\folder, as the long-path one.
    if (text.starts_with("\\??\\")) text[1] = '\\';
    return without_long_path_prefix(text);
}

bool is_network_path(const std::string& path) {
    if (path.size() >= 2 && path[0] == '\\' && path[1] == '\\') return true;
    if (path.size() < 2 || path[1] != ':') return false;
    return GetDriveTypeW(to_wide(path.substr(0, 2) + "\\").c_str()) == DRIVE_REMOTE;
}

// Real servers answer here; the tests that play one run in the portable build.
void slow_down_folder_checks(const std::string&, std::chrono::milliseconds) {}

bool volume_attached(const std::string& path) {
    if (path.size() < 2 || path[1] != ':') return true;
    return attributes_of(path.substr(0, 2) + "\\") != INVALID_FILE_ATTRIBUTES;
}

bool is_online_only(const std::string& path) {
    // FILE_ATTRIBUTE_RECALL_ON_OPEN and _ON_DATA_ACCESS, which MinGW's headers lack.
    constexpr DWORD online_only = FILE_ATTRIBUTE_OFFLINE | 0x00040000 | 0x00400000;
    const DWORD attributes = attributes_of(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & online_only);
}

hiding hiding_of(const std::string& path) {
    const DWORD attributes = attributes_of(path);
    if (attributes == INVALID_FILE_ATTRIBUTES) return {};
    return {.hidden = (attributes & FILE_ATTRIBUTE_HIDDEN) != 0, .system = (attributes & FILE_ATTRIBUTE_SYSTEM) != 0};
}

std::string file_identity(const std::string& path) {
    const unique_file file(CreateFileW(to_wide(path).c_str(), FILE_READ_ATTRIBUTES,
                                       FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                       FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_OPEN_NO_RECALL, nullptr));
    if (!file) return {};
    char text[80];
    // ReFS has 128-bit file IDs; the older call gives 64 bits of them.
    FILE_ID_INFO id{};
    if (GetFileInformationByHandleEx(file.get(), FileIdInfo, &id, sizeof id)) {
        std::string identity = std::to_string(id.VolumeSerialNumber) + "-";
        for (const BYTE byte : id.FileId.Identifier) {
            std::snprintf(text, sizeof text, "%02x", byte);
            identity += text;
        }
        return identity;
    }
    BY_HANDLE_FILE_INFORMATION info{};
    if (!GetFileInformationByHandle(file.get(), &info)) return {};
    std::snprintf(text, sizeof text, "%lu-%08lx%08lx", info.dwVolumeSerialNumber, info.nFileIndexHigh, info.nFileIndexLow);
    return text;
}

bool is_real_folder(const std::string& path) {
    std::string own = path;
    // "C:\" keeps its separator: "C:" alone names the drive's current folder.
    while (own.size() > 3 && own.back() == path_separator) own.pop_back();
    const DWORD attributes = attributes_of(own);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) &&
           !(attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

std::vector<file_entry> folder_files(const std::string& folder_path) {
    if (!folder_exists(folder_path)) raise_last_error("GetFolder", folder_path, ERROR_PATH_NOT_FOUND);
    WIN32_FIND_DATAW found{};
    const unique_find find(FindFirstFileExW(to_wide(child_path(folder_path, "*")).c_str(), FindExInfoBasic,
                                            &found, FindExSearchNameMatch, nullptr, 0));
    std::vector<file_entry> files;
    if (!find) {
        if (GetLastError() == ERROR_FILE_NOT_FOUND) return files;
        raise_last_error("GetFolder", folder_path);
    }
    do {
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
        const std::string name = from_wide(found.cFileName);
        files.push_back({child_path(folder_path, name), name, to_file_time(found.ftLastWriteTime)});
    } while (FindNextFileW(find.get(), &found));
    return files;
}

void create_folder(const std::string& path) {
    if (!CreateDirectoryW(to_wide(path).c_str(), nullptr)) raise_last_error("CreateFolder", path);
}

void delete_folder(const std::string& path) {
    if (!RemoveDirectoryW(to_wide(path).c_str())) raise_last_error("RmDir", path);
}

namespace {

void copy(const std::string& source_path, const std::string& destination, BOOL fail_if_exists) {
    const std::wstring source = to_wide(source_path), target = to_wide(destination);
    if (!retry_brief_locks([&] { return CopyFileW(source.c_str(), target.c_str(), fail_if_exists); },
                           failed_on_brief_lock))
        raise_last_error("CopyFile", source_path);
    // CopyFileW carries the read-only attribute over; a read-only copy could be neither
    // rewritten nor deleted again.
    const DWORD attributes = attributes_of(destination);
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) &&
        !SetFileAttributesW(to_wide(destination).c_str(), attributes & ~FILE_ATTRIBUTE_READONLY))
        raise_last_error("CopyFile", destination);
}

}  // namespace

void copy_file(const std::string& source_path, const std::string& destination) { copy(source_path, destination, FALSE); }

void copy_to_new_file(const std::string& source_path, const std::string& destination) {
    copy(source_path, destination, TRUE);
}

bool path_fits(const std::string& folder, const std::string& name) {
    // No long-path prefix: the shell's link object and the desktop take MAX_PATH at most.
    constexpr std::size_t longest_name = 255;
    return !has_control_character(name) && to_wide(name).size() <= longest_name && to_wide(child_path(folder, name)).size() < MAX_PATH;
}

void delete_file(const std::string& path) {
    const std::wstring wide = to_wide(path);
    if (!retry_brief_locks([&] { return DeleteFileW(wide.c_str()); }, failed_on_brief_lock))
        raise_last_error("DeleteFile", path);
}

namespace {

// Checked here as well as by the system: Wine running as root would let a read-only file
// be opened for writing.
void require_writable(const std::string& path) {
    const DWORD attributes = attributes_of(path);
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)))
        raise_last_error("Write", path, ERROR_ACCESS_DENIED);
}

}  // namespace

std::string read_file_bytes(const std::string& path) {
    const std::wstring wide = to_wide(path);
    const unique_file file(retry_brief_locks(
        [&] {
            return CreateFileW(wide.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                               nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        },
        [](HANDLE handle) { return handle == INVALID_HANDLE_VALUE && last_error_is_brief_lock(); }));
    if (!file) raise_last_error("Read", path);
    std::string bytes;
    char buffer[65536];
    for (;;) {
        DWORD read = 0;
        if (!ReadFile(file.get(), buffer, sizeof buffer, &read, nullptr)) raise_last_error("Read", path);
        if (read == 0) return bytes;
        bytes.append(buffer, read);
    }
}

void replace_file_bytes(const std::string& path, const std::string& bytes) {
    require_writable(path);

    wchar_t temporary_name[MAX_PATH + 1] = {};
    if (!GetTempFileNameW(to_wide(parent_folder(path)).c_str(), L"cvn", 0, temporary_name))
        raise_last_error("Write", path);
    temporary_file temporary{temporary_name};
    {
        const unique_file file(CreateFileW(temporary_name, GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING,
                                           FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file) raise_last_error("Write", path);
        write_all(file.get(), bytes, path);
        if (!FlushFileBuffers(file.get())) raise_last_error("Write", path);
    }
    const std::wstring wide = to_wide(path);
    if (!retry_brief_locks(
            [&] { return MoveFileExW(temporary_name, wide.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH); },
            failed_on_brief_lock))
        raise_last_error("Write", path);
    temporary.keep = true;
}

void overwrite_file_bytes(const std::string& path, const std::string& bytes) {
    require_writable(path);
    const unique_file file(CreateFileW(to_wide(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                                       FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) raise_last_error("Write", path);
    write_all(file.get(), bytes, path);
}

}  // namespace corvane
