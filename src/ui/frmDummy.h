#pragma once
// Windows only: the hidden form that owns the tray's popup menu.

#include <windows.h>

namespace corvane {

// Made on first use; it stays until it is unloaded.
HWND frmDummy();
void unload_dummy();

}  // namespace corvane
