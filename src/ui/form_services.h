#pragma once
// Windows only: what the forms share. Sizes are pixels at the DPI of the monitor a window is
// on; the forms were designed in twips (1/1440 inch).

#include <windows.h>

#include <optional>
#include <string>

#include "base/win32_handles.h"

namespace corvane {

int twips_to_pixels(int twips, UINT dpi);

// The system's message font at the DPI.
unique_font message_font(UINT dpi);

// A top-level window of a class registered on first use, with the application's icon, made
// on the monitor under the pointer so that it takes that monitor's DPI.
HWND create_form(const wchar_t* class_name, WNDPROC procedure, const std::string& caption, DWORD style);

// Moves a form beside the pointer, inside the work area of the pointer's monitor.
void place_near_pointer(HWND window);
// Forms made from now on open beside that point rather than the pointer, and on its monitor:
// the notification icon, when the keyboard opened its menu. Nothing ends it.
void open_forms_beside(std::optional<POINT> anchor);

// Takes the place and size the system suggests with WM_DPICHANGED.
void take_suggested_rect(HWND window, LPARAM suggested);

// Makes the client area the given size in pixels, and wider where the caption needs it to
// show whole.
void size_client(HWND window, int width, int height);

// One line of the text as the font draws it in the window, in pixels.
SIZE text_size(HWND window, HFONT font, const std::string& text);

// A child control of a standard class, placed later.
HWND create_control(HWND parent, const wchar_t* class_name, DWORD style, DWORD extended_style);

std::string window_text(HWND window);
void set_window_text(HWND window, const std::string& text);

// Brings a form up with keyboard focus in the given control.
void show_form(HWND window, HWND focus);

// Sent to a form whose text box took Esc: it closes without saving.
constexpr UINT form_discard = WM_APP + 10;
// The text box gives Esc to its form as form_discard; a one-line box gives Enter as WM_CLOSE,
// which saves, where it would only beep. A many-line box keeps Enter for its new lines.
void take_form_keys(HWND text_box);

}  // namespace corvane
