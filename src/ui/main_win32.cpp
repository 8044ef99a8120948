// corvane.exe: the tray program.

#include <windows.h>

#include <cwchar>
#include <string>

#include "base/process_paths.h"
#include "base/wide.h"
#include "base/win32_handles.h"
#include "engine/cleanup_mod.h"
#include "shell/com_apartment.h"
#include "shell/desktop_view.h"
#include "state/globals.h"
#include "ui/elevation.h"
#include "ui/frmMain.h"
#include "ui/recent_watch.h"

namespace {

bool runs_elevated(HANDLE process) {
    HANDLE raw = nullptr;
    if (!OpenProcessToken(process, TOKEN_QUERY, &raw)) return false;
    const corvane::unique_handle token(raw);
    TOKEN_ELEVATION elevation{};
    DWORD size = 0;
    return GetTokenInformation(token.get(), TokenElevation, &elevation, sizeof elevation, &size) &&
           elevation.TokenIsElevated;
}

bool is_explorer(DWORD process_id) {
    const corvane::unique_handle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, process_id));
    wchar_t image[MAX_PATH]{};
    DWORD size = MAX_PATH;
    if (!process || !QueryFullProcessImageNameW(process.get(), 0, image, &size)) return false;
    const std::wstring path(image, size);
    return path.size() >= 13 && _wcsicmp(path.c_str() + path.size() - 13, L"\\explorer.exe") == 0;
}

// The shell's desktop or taskbar. Wine makes neither until an icon is added, and its desktop
// window is the shell's own; Windows' belongs to the system, which is no shell.
DWORD shell_process() {
    for (const HWND window : {GetShellWindow(), FindWindowW(L"Shell_TrayWnd", nullptr)}) {
        DWORD id = 0;
        if (window && GetWindowThreadProcessId(window, &id) && id) return id;
    }
    DWORD id = 0;
    GetWindowThreadProcessId(GetDesktopWindow(), &id);
    return id && is_explorer(id) ? id : 0;
}

constexpr const wchar_t* one_copy_name = L"Local\\QuillonCorvane.OneCopy";

// The uninstaller waits for its call: the copy the shell started for it holds the one-copy
// mutex while it removes the links.
void wait_for_handed_over_copy() {
    const auto held = [] {
        const corvane::unique_handle mutex(OpenMutexW(SYNCHRONIZE, FALSE, one_copy_name));
        return mutex || GetLastError() == ERROR_ACCESS_DENIED;
    };
    for (int tries = 0; tries < 100 && !held(); ++tries) Sleep(100);
    for (int tries = 0; tries < 300 && held(); ++tries) Sleep(100);
}

// A copy started elevated hands over to one the shell starts at the user's level, or ends.
// False when this copy is to end.
bool not_elevated_or_handed_over(const std::wstring& arguments) {
    if (!runs_elevated(GetCurrentProcess())) return true;
    const DWORD shell_id = shell_process();
    const corvane::unique_handle shell(shell_id ? OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, shell_id) : nullptr);
    const bool handed_over = arguments.find(L"/handed-over") != std::wstring::npos;
    const bool removing = arguments.find(L"/remove-links") != std::wstring::npos;
    switch (corvane::start_when(true, shell_id != 0, shell && runs_elevated(shell.get()), handed_over)) {
        case corvane::elevated_start::run:
            return true;
        case corvane::elevated_start::hand_over:
            if (corvane::desktop_view_start_program(corvane::executable_path(),
                                                    corvane::from_wide(arguments + L" /handed-over"))) {
                if (removing) wait_for_handed_over_copy();
                return false;
            }
            break;
        case corvane::elevated_start::refuse:
            break;
    }
    // The uninstaller's call says nothing: a message would hold a silent uninstall.
    if (!removing)
        MessageBoxW(nullptr,
                L"Quillon Corvane does not run as administrator.\n\nStart it from the Start menu, as yourself.",
                L"Quillon Corvane", MB_OK | MB_ICONINFORMATION);
    return false;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR command_line, int) {
    // A recent document on a card reader or a disc drive without media would otherwise raise
    // "There is no disk in the drive" from inside a refresh, every minute.
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    if (!not_elevated_or_handed_over(command_line)) return 0;
    // One copy per user session: two would fight over the staging folder and the desktop,
    // each deleting the other's links as stale. A mutex that denies this start access (an
    // elevated copy's, where the shell runs elevated too) means one runs.
    const corvane::unique_handle one_copy(CreateMutexW(nullptr, FALSE, one_copy_name));
    if (GetLastError() == ERROR_ALREADY_EXISTS || GetLastError() == ERROR_ACCESS_DENIED) {
        // The person is looking for the icon: the running copy shows it again.
        if (const HWND running = FindWindowW(L"frmMain", L"Quillon Corvane"))
            PostMessageW(running, corvane::show_icon_message(), 0, 0);
        return 0;
    }
    const corvane::com_apartment apartment;
    // The uninstaller's last call, once the running copy has ended.
    if (std::wcsstr(command_line, L"/remove-links")) {
        const corvane::start_up_sources places = corvane::process_start_up_sources();
        corvane::remove_all_own_links(places.desktop_folder, places.staging_folder);
        return 0;
    }
    if (!corvane::load_main_form()) return 1;
    return corvane::run_message_loop(corvane::globals::recent_sources, corvane::recent_folders_changed);
}
