#pragma once
// What the stand-in desktop (fake_desktop.cpp) and the tests that drive it agree on.

#include <windows.h>

namespace corvane::testing {

// Messages to its hidden "CorvaneFakeDesktop" window.
enum : UINT {
    ask_position = WM_APP + 1,  // wParam item from 0: x | y << 16, -1 when none
    ask_list_view,              // the list view's window handle
    ask_view_calls,             // reads and moves its desktop view has answered
};

// Its ShellWindows class object is registered under a class id of its own: Wine's explorer
// registers CLSID_ShellWindows first, and the first registration is the one handed out.
inline constexpr CLSID stand_in_shell_windows = {
    0x6f1c2a47, 0x93d2, 0x4c55, {0xa1, 0x0e, 0x52, 0x7b, 0x3c, 0x90, 0x1d, 0x64}};

}  // namespace corvane::testing
