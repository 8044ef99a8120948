#include <windows.h>

#include <stdexcept>

#include "base/wide.h"
#include "base/win32_handles.h"
#include "support/fixtures.h"
#include "win/support/shell_link_object.h"

namespace corvane::testing {
namespace {

bool exists(const std::string& path) { return GetFileAttributesW(to_wide(path).c_str()) != INVALID_FILE_ATTRIBUTES; }

// Wine's name for a Windows path on the Unix side; its answer is freed from the process heap.
std::wstring unix_file_name(const std::string& path) {
    using unix_name_function = char*(CDECL*)(const wchar_t*);
    const auto unix_name = reinterpret_cast<unix_name_function>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
    char* name = unix_name ? unix_name(to_wide(path).c_str()) : nullptr;
    if (!name) throw std::runtime_error("no Unix name for " + path);
    std::wstring result = L"\"" + to_wide(name) + L"\"";
    HeapFree(GetProcessHeap(), 0, name);
    return result;
}

// Runs a Unix program, which Wine can start, until the link exists. The handle of a Unix
// child cannot be waited for inside a larger program, so the link is watched.
void run_unix(const wchar_t* program, std::wstring command, const std::string& link) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(program, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info))
        throw std::runtime_error("cannot start a Unix program for " + link);
    const unique_handle process(info.hProcess), thread(info.hThread);
    for (int tries = 0; tries < 1500; ++tries) {
        if (exists(link)) return;
        Sleep(20);
    }
    throw std::runtime_error("the Unix program did not make " + link);
}

}  // namespace

// Wine's CreateSymbolicLinkW answers success and makes nothing; a Unix program makes the
// link, and Wine shows it as a reparse point.
void make_folder_link(const std::string& link, const std::string& target) {
    CreateSymbolicLinkW(to_wide(link).c_str(), to_wide(target).c_str(),
                        SYMBOLIC_LINK_FLAG_DIRECTORY | SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE);
    if (!exists(link)) run_unix(L"Z:\\bin\\ln", L"ln -s " + unix_file_name(target) + L" " + unix_file_name(link), link);
}

void set_online_only(const std::string& path) {
    if (!SetFileAttributesW(to_wide(path).c_str(), FILE_ATTRIBUTE_OFFLINE))
        throw std::runtime_error("cannot mark " + path + " online only");
}

void set_hiding(const std::string& path, bool hidden, bool system) {
    const std::wstring wide = to_wide(path);
    DWORD attributes = GetFileAttributesW(wide.c_str()) & ~(FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    attributes |= (hidden ? FILE_ATTRIBUTE_HIDDEN : 0) | (system ? FILE_ATTRIBUTE_SYSTEM : 0);
    if (!SetFileAttributesW(wide.c_str(), attributes)) throw std::runtime_error("cannot set the attributes of " + path);
}

std::string short_path(const std::string& path) {
    wchar_t buffer[MAX_PATH]{};
    const DWORD length = GetShortPathNameW(to_wide(path).c_str(), buffer, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) throw std::runtime_error("no short name for " + path);
    return from_wide(std::wstring_view(buffer, length));
}

void save_shortcut(const std::string& path, const std::string& target, const std::string& description) {
    shell_link shortcut;
    ASSERT_HRESULT_SUCCEEDED(shortcut.link.get()->SetPath(to_wide(target).c_str()));
    ASSERT_HRESULT_SUCCEEDED(shortcut.link.get()->SetDescription(to_wide(description).c_str()));
    ASSERT_HRESULT_SUCCEEDED(shortcut.file.get()->Save(to_wide(path).c_str(), TRUE));
}

}  // namespace corvane::testing
