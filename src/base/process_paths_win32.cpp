#include <windows.h>
#include <knownfolders.h>
#include <shlobj.h>

#include <vector>

#include "base/process_paths.h"
#include "base/wide.h"
#include "base/win32_handles.h"

namespace corvane {

const char path_separator = '\\';

std::string executable_path() {
    // Paths may exceed MAX_PATH; grow until the whole name fits.
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) return {};
        if (length < buffer.size()) return from_wide(std::wstring_view(buffer.data(), length));
        buffer.resize(buffer.size() * 2);
    }
}

namespace {

std::string known_folder(REFKNOWNFOLDERID id) {
    wchar_t* raw = nullptr;
    const HRESULT result = SHGetKnownFolderPath(id, KF_FLAG_DEFAULT, nullptr, &raw);
    const co_task_memory<wchar_t*> path(raw);
    return SUCCEEDED(result) && path ? from_wide(path.get()) : std::string();
}

}  // namespace

std::string default_staging_folder() {
    // The account's own, with the profile's permissions: a folder at the root of C: is open
    // to every account on the machine.
    const std::string local = known_folder(FOLDERID_LocalAppData);
    return local.empty() ? std::string() : local + "\\Quillon Corvane\\vantrel\\";
}

std::string shell_desktop_folder() { return known_folder(FOLDERID_Desktop); }

std::vector<std::string> temporary_folders() {
    // GetTempPath2W (Windows 11, and 10 with recent updates) gives SYSTEM a folder of its
    // own; an account gets the same as from GetTempPathW.
    using temp_path_function = DWORD(WINAPI*)(DWORD, wchar_t*);
    const auto temp_path2 = reinterpret_cast<temp_path_function>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "GetTempPath2W")));
    wchar_t buffer[MAX_PATH + 2]{};
    const DWORD length = temp_path2 ? temp_path2(MAX_PATH + 2, buffer) : GetTempPathW(MAX_PATH + 2, buffer);
    std::vector<std::string> folders;
    if (length > 0 && length < MAX_PATH + 2) folders.push_back(from_wide(std::wstring_view(buffer, length)));
    for (const char* name : {"TEMP", "TMP"})
        if (std::string folder = environment_variable(name); !folder.empty()) folders.push_back(std::move(folder));
    return folders;
}

std::string internet_cache_folder() { return known_folder(FOLDERID_InternetCache); }

std::string profile_folder() { return known_folder(FOLDERID_Profile); }

std::string long_path_name(const std::string& path) {
    const std::wstring wide = to_wide(path);
    std::vector<wchar_t> long_form(wide.size() + 1);
    for (;;) {
        const DWORD length = GetLongPathNameW(wide.c_str(), long_form.data(), static_cast<DWORD>(long_form.size()));
        // A path that does not exist keeps its form.
        if (length == 0) return path;
        if (length < long_form.size()) return from_wide(std::wstring_view(long_form.data(), length));
        long_form.resize(length);
    }
}

std::string expand_environment(const std::string& text) {
    const std::wstring wide = to_wide(text);
    std::vector<wchar_t> expanded(wide.size() + 1);
    for (;;) {
        const DWORD length = ExpandEnvironmentStringsW(wide.c_str(), expanded.data(), static_cast<DWORD>(expanded.size()));
        if (length == 0) return text;
        if (length <= expanded.size()) return from_wide(expanded.data());
        expanded.resize(length);
    }
}

std::string environment_variable(const std::string& name) {
    const std::wstring wide_name = to_wide(name);
    std::vector<wchar_t> buffer(256);
    for (;;) {
        const DWORD length = GetEnvironmentVariableW(wide_name.c_str(), buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) return {};
        // Too small a buffer reports the size it needs, terminator included.
        if (length < buffer.size()) return from_wide(std::wstring_view(buffer.data(), length));
        buffer.resize(length);
    }
}

}  // namespace corvane
