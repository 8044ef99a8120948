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

// From the label's text and the font at the window's DPI, so that neither the label nor the
// box is cut whatever the font and the scale.
void layout() {
    form& dialog = frm_max_folders();
    const UINT dpi = GetDpiForWindow(dialog.window);
    dialog.font = message_font(dpi);
    for (const HWND control : {dialog.Label1, dialog.Text1})
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(dialog.font.get()), TRUE);
    const SIZE label = text_size(dialog.window, dialog.font.get(), window_text(dialog.Label1));
    const SIZE widest_number = text_size(dialog.window, dialog.font.get(), "-32768");
    const int margin = twips_to_pixels(120, dpi);
    const int gap = twips_to_pixels(225, dpi);
    // A dialog's text box: 14 units high for 8 of text, with room for its edge and margins.
    const int box_height = MulDiv(label.cy, 14, 8);
    const int box_width = widest_number.cx + box_height / 2;
    const int box_left = margin + label.cx + gap;
    MoveWindow(dialog.Label1, margin, margin + (box_height - label.cy) / 2, label.cx, label.cy, TRUE);
    MoveWindow(dialog.Text1, box_left, margin, box_width, box_height, TRUE);
    size_client(dialog.window, box_left + box_width + margin, box_height + 2 * margin);
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
        case form_discard:
            DestroyWindow(window);
            frm_max_folders() = form{};
            return 0;
        default:
            return DefWindowProcW(window, message, wparam, lparam);
    }
}

void Form_Load() {
    form& dialog = frm_max_folders();
    dialog.window = create_form(L"frm_max_folders", procedure, "Quillon Corvane Banned Links List",
                                WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU);
    dialog.Label1 = create_control(dialog.window, L"STATIC", SS_LEFTNOWORDWRAP, 0);
    set_window_text(dialog.Label1, "max number of corvane:");
    dialog.Text1 = create_control(dialog.window, L"EDIT", ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE);
    set_window_text(dialog.Text1, globals::max_folders.value());
    take_form_keys(dialog.Text1);
    layout();
}

}  // namespace

void show_max_folders() {
    if (!frm_max_folders().window) {
        Form_Load();
        place_near_pointer(frm_max_folders().window);
    }
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
