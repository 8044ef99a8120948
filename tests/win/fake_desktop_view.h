#pragma once
// The stand-in desktop's ShellWindows class object, whose desktop view works on its list view.

#include <windows.h>

#include "win/fake_desktop_protocol.h"

// Registers the class object for other processes; the caller's message loop serves them.
void serve_desktop_view(HWND desktop, HWND list_view);
// Item reads and moves the view has answered so far.
LRESULT desktop_view_calls();
