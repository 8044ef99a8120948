#pragma once
// The messages of the stand-in desktop's hidden "CorvaneFakeDesktop" window.

#include <windows.h>

namespace corvane::testing {

enum : UINT {
    ask_position = WM_APP + 1,  // wParam item from 0: x | y << 16, -1 when none
    ask_list_view,              // the list view's window handle
    ask_position_of,            // wParam a global atom of the label: as ask_position
};

}  // namespace corvane::testing
