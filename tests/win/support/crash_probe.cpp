// Crashes on purpose for the tests of the crash filter. Arguments: the list view's window
// handle in decimal, the fault ("access", "divide", or "closed" for an access violation
// with no buffers open) and a file that receives the three buffer addresses in the list
// view's process before the fault.

#include <windows.h>
#include <shellapi.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

#include "fatal/g_errors.h"
#include "shell/desktop_icons.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    int count = 0;
    wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    if (count < 4) return 2;
    const auto window = static_cast<corvane::window_handle>(std::stoull(arguments[1]));
    const std::wstring fault = arguments[2];
    const std::wstring report = arguments[3];
    LocalFree(arguments);

    corvane::set_fatal_error_filter();
    if (fault != L"closed") corvane::open_shared_buffers(window);
    {
        const corvane::list_view_access& access = corvane::list_view_state();
        std::ofstream out{std::filesystem::path(report)};
        out << access.shared_item.address << ' ' << access.shared_text.address << ' ' << access.shared_point.address
            << std::endl;
    }

    // Through volatile values, so that the compiler keeps the faults as written.
    volatile std::uintptr_t bad_address = 16;
    volatile int zero = 0;
    if (fault == L"divide") return 100 / zero;
    *reinterpret_cast<volatile int*>(bad_address) = 1;
    return 0;
}
