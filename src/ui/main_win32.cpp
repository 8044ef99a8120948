// corvane.exe: the tray program.

#include <windows.h>

#include <cwchar>

#include "base/win32_handles.h"
#include "engine/cleanup_mod.h"
#include "shell/com_apartment.h"
#include "state/globals.h"
#include "ui/frmMain.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR command_line, int) {
    // One copy per user session: two would fight over the staging folder and the desktop,
    // each deleting the other's links as stale. An elevated copy's mutex denies a normal
    // start access: that, too, means one runs.
    const corvane::unique_handle one_copy(CreateMutexW(nullptr, FALSE, L"Local\\QuillonCorvane.OneCopy"));
    if (GetLastError() == ERROR_ALREADY_EXISTS || GetLastError() == ERROR_ACCESS_DENIED) return 0;
    const corvane::com_apartment apartment;
    // The uninstaller's last call, once the running copy has ended.
    if (std::wcscmp(command_line, L"/remove-links") == 0) {
        const corvane::start_up_sources places = corvane::process_start_up_sources();
        corvane::remove_all_own_links(places.desktop_folder, places.staging_folder);
        return 0;
    }
    if (!corvane::load_main_form()) return 1;
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
