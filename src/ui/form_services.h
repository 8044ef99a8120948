#pragma once
// Windows only: what the forms share. Sizes are given in twips (1/1440 inch), as the forms
// were designed, and become pixels at the DPI of the monitor a window is on.

#include <windows.h>

#include <string>

#include "base/win32_handles.h"

namespace corvane {

int twips_to_pixels(int twips, UINT dpi);

// The system's message font at the DPI.
unique_font message_font(UINT dpi);

// A top-level window of a class registered on first use, with the application's icon.
HWND create_form(const wchar_t* class_name, WNDPROC procedure, const std::string& caption, DWORD style);

// Takes the place and size the system suggests with WM_DPICHANGED.
void take_suggested_rect(HWND window, LPARAM suggested);

// Makes the client area the given size at the window's DPI.
void size_client(HWND window, int width_twips, int height_twips);

// A child control of a standard class, placed in twips at the parent's DPI.
HWND create_control(HWND parent, const wchar_t* class_name, DWORD style, DWORD extended_style);
void place_control(HWND control, int left, int top, int width, int height);

std::string window_text(HWND window);
void set_window_text(HWND window, const std::string& text);

// Brings a form up with keyboard focus in the given control.
void show_form(HWND window, HWND focus);

}  // namespace corvane
