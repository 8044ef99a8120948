// The maximum dialog: a label and a one-line text box.

#include "base/wide.h"
#include "state/globals.h"
#include "ui/form_services.h"
#include "ui/frm_max_folders.h"

namespace corvane {
namespace {

struct form {
    HWND window = nullptr;
    HWND Label1 = nullptr;
    HWND Text1 = nullptr;
    unique_font font;
};

form& frm_max_folders() {
    static form dialog;
    return dialog;
}

void layout() {
    form& dialog = frm_max_folders();
    size_client(dialog.window, 2145, 630);
    dialog.font = message_font(GetDpiForWindow(dialog.window));
    for (const HWND control : {dialog.Label1, dialog.Text1})
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(dialog.font.get()), TRUE);
    place_control(dialog.Label1, 120, 120, 1335, 375);
    place_control(dialog.Text1, 1680, 120, 375, 375);
}

std::string decimal_separator() {
    wchar_t separator[8]{};
    if (!GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDECIMAL, separator, 8)) return ".";
    return from_wide(separator);
}

LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_DPICHANGED:
            take_suggested_rect(window, lparam);
            layout();
            return 0;
        case WM_SETFOCUS:
            SetFocus(frm_max_folders().Text1);
            return 0;
        case WM_CLOSE:
            unload_max_folders();
            return 0;
        default:
            return DefWindowProcW(window, message, wparam, lparam);
    }
}

void Form_Load() {
    form& dialog = frm_max_folders();
    dialog.window = create_form(L"frm_max_folders", procedure, "Quillon Corvane Banned Links List",
                                WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU);
    dialog.Label1 = create_control(dialog.window, L"STATIC", SS_LEFT, 0);
    set_window_text(dialog.Label1, "max number of corvane:");
    dialog.Text1 = create_control(dialog.window, L"EDIT", ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE);
    set_window_text(dialog.Text1, globals::max_folders.value());
    layout();
}

}  // namespace

void show_max_folders() {
    if (!frm_max_folders().window) Form_Load();
    show_form(frm_max_folders().window, frm_max_folders().Text1);
    // Selected, as a dialog's box is, so that typing replaces the number.
    SendMessageW(frm_max_folders().Text1, EM_SETSEL, 0, -1);
}

void unload_max_folders() {
    form& dialog = frm_max_folders();
    if (!dialog.window) return;
    if (const auto maximum = typed_maximum(window_text(dialog.Text1), decimal_separator()))
        globals::max_folders.set_value(*maximum);
    DestroyWindow(dialog.window);
    dialog = form{};
}

}  // namespace corvane
