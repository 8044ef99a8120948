// corvane.exe: the tray program.

#include <windows.h>

#include <cwchar>

#include "base/process_paths.h"
#include "base/win32_handles.h"
#include "engine/cleanup_mod.h"
#include "shell/com_apartment.h"
#include "shell/desktop_view.h"
#include "state/globals.h"
#include "ui/frmMain.h"
#include "ui/recent_watch.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR command_line, int) {
    // A recent document on a card reader or a disc drive without media would otherwise raise
    // "There is no disk in the drive" from inside a refresh, every minute.
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    // The setup's start: the shell starts the copy that stays, so that it runs as the user
    // who is signed in even when the setup was run as administrator. Without a shell to ask,
    // this copy stays.
    if (std::wcscmp(command_line, L"/start-through-shell") == 0) {
        const corvane::com_apartment apartment;
        if (corvane::desktop_view_start_program(corvane::executable_path())) return 0;
    }
    // One copy per user session: two would fight over the staging folder and the desktop,
    // each deleting the other's links as stale. An elevated copy's mutex denies a normal
    // start access: that, too, means one runs.
    const corvane::unique_handle one_copy(CreateMutexW(nullptr, FALSE, L"Local\\QuillonCorvane.OneCopy"));
    if (GetLastError() == ERROR_ALREADY_EXISTS || GetLastError() == ERROR_ACCESS_DENIED) {
        // The person is looking for the icon: the running copy shows it again.
        if (const HWND running = FindWindowW(L"frmMain", L"Quillon Corvane"))
            PostMessageW(running, corvane::show_icon_message(), 0, 0);
        return 0;
    }
    const corvane::com_apartment apartment;
    // The uninstaller's last call, once the running copy has ended.
    if (std::wcscmp(command_line, L"/remove-links") == 0) {
        const corvane::start_up_sources places = corvane::process_start_up_sources();
        corvane::remove_all_own_links(places.desktop_folder, places.staging_folder);
        return 0;
    }
    if (!corvane::load_main_form()) return 1;
    return corvane::run_message_loop(corvane::globals::recent_sources, corvane::recent_folders_changed);
}
