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
