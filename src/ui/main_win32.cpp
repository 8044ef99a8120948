// corvane.exe: the tray program.

#include <windows.h>

#include "shell/com_apartment.h"
#include "ui/frmMain.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    const corvane::com_apartment apartment;
    if (!corvane::load_main_form()) return 1;
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
