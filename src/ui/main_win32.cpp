// corvane.exe: the tray program.

#include <windows.h>

#include "base/win32_handles.h"
#include "shell/com_apartment.h"
#include "ui/frmMain.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    // One copy per user session: two would fight over the staging folder and the desktop,
    // each deleting the other's links as stale.
    const corvane::unique_handle one_copy(CreateMutexW(nullptr, FALSE, L"Local\\QuillonCorvane.OneCopy"));
    if (GetLastError() == ERROR_ALREADY_EXISTS) return 0;
    const corvane::com_apartment apartment;
    if (!corvane::load_main_form()) return 1;
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
