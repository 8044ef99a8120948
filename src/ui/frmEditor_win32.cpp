// The banned-links editor: one multi-line text box filling the form.

#include "state/globals.h"
#include "store/easy_file.h"
#include "ui/form_services.h"
#include "ui/frmEditor.h"
#include "ui/ini_advanced.h"

namespace corvane {
namespace {

constexpr int client_width = 11775;
constexpr int client_height = 7965;

struct form {
    HWND window = nullptr;
    HWND Text1 = nullptr;
    unique_font font;
};

form& frmEditor() {
    static form editor;
    return editor;
}

// The font and the text box at the window's current DPI and size.
void layout() {
    form& editor = frmEditor();
    editor.font = message_font(GetDpiForWindow(editor.window));
    SendMessageW(editor.Text1, WM_SETFONT, reinterpret_cast<WPARAM>(editor.font.get()), TRUE);
    RECT client{};
    GetClientRect(editor.window, &client);
    MoveWindow(editor.Text1, 0, 0, client.right, client.bottom, TRUE);
}

LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_SIZE:
            if (frmEditor().Text1) layout();
            return 0;
        case WM_DPICHANGED:
            take_suggested_rect(window, lparam);
            layout();
            return 0;
        case WM_SETFOCUS:
            SetFocus(frmEditor().Text1);
            return 0;
        case WM_CLOSE:
            unload_editor();
            return 0;
        case form_discard:
            DestroyWindow(window);
            frmEditor() = form{};
            return 0;
        default:
            return DefWindowProcW(window, message, wparam, lparam);
    }
}

void Form_Load() {
    form& editor = frmEditor();
    editor.window = create_form(L"frmEditor", procedure, "Quillon Corvane Banned Links List", WS_OVERLAPPEDWINDOW);
    editor.Text1 = create_control(editor.window, L"EDIT",
                                  ES_MULTILINE | ES_AUTOVSCROLL | ES_AUTOHSCROLL | ES_WANTRETURN | WS_VSCROLL |
                                      WS_HSCROLL | WS_TABSTOP,
                                  0);
    // No 32 767-character limit on the list.
    SendMessageW(editor.Text1, EM_SETLIMITTEXT, 0, 0);
    take_form_keys(editor.Text1);
    const UINT dpi = GetDpiForWindow(editor.window);
    size_client(editor.window, twips_to_pixels(client_width, dpi), twips_to_pixels(client_height, dpi));
    layout();
}

// The section only sets where the file is; the editor works on the whole file.
std::string ini_file() {
    read_ini_section("exclude");
    return ini_path;
}

}  // namespace

void show_editor() {
    // Open already, it keeps the user's typing and only comes forward.
    if (!frmEditor().window) {
        const std::string text = editor_text_of_file(read_file(ini_file()));
        Form_Load();
        set_window_text(frmEditor().Text1, text);
        place_near_pointer(frmEditor().window);
    }
    show_form(frmEditor().window, frmEditor().Text1);
}

void unload_editor() {
    form& editor = frmEditor();
    if (!editor.window) return;
    write_file(ini_file(), file_text_of_editor(window_text(editor.Text1)));
    DestroyWindow(editor.window);
    editor = form{};
}

}  // namespace corvane
