#include <vector>

#include "base/wide.h"
#include "ui/form_services.h"

namespace corvane {

int twips_to_pixels(int twips, UINT dpi) { return MulDiv(twips, static_cast<int>(dpi), 1440); }

unique_font message_font(UINT dpi) {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    if (!SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, dpi))
        SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    return unique_font(CreateFontIndirectW(&metrics.lfMessageFont));
}

HWND create_form(const wchar_t* class_name, WNDPROC procedure, const std::string& caption, DWORD style) {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW form_class{};
    if (!GetClassInfoExW(instance, class_name, &form_class)) {
        form_class.cbSize = sizeof form_class;
        form_class.lpfnWndProc = procedure;
        form_class.hInstance = instance;
        form_class.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(1));
        form_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        form_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        form_class.lpszClassName = class_name;
        RegisterClassExW(&form_class);
    }
    return CreateWindowExW(0, class_name, to_wide(caption).c_str(), style, CW_USEDEFAULT, CW_USEDEFAULT,
                           CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, instance, nullptr);
}

void take_suggested_rect(HWND window, LPARAM suggested) {
    const RECT* rect = reinterpret_cast<const RECT*>(suggested);
    SetWindowPos(window, nullptr, rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void size_client(HWND window, int width_twips, int height_twips) {
    const UINT dpi = GetDpiForWindow(window);
    RECT frame{0, 0, twips_to_pixels(width_twips, dpi), twips_to_pixels(height_twips, dpi)};
    AdjustWindowRectExForDpi(&frame, static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE)), FALSE,
                             static_cast<DWORD>(GetWindowLongPtrW(window, GWL_EXSTYLE)), dpi);
    SetWindowPos(window, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

HWND create_control(HWND parent, const wchar_t* class_name, DWORD style, DWORD extended_style) {
    return CreateWindowExW(extended_style, class_name, L"", WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0, parent,
                           nullptr, GetModuleHandleW(nullptr), nullptr);
}

void place_control(HWND control, int left, int top, int width, int height) {
    const UINT dpi = GetDpiForWindow(control);
    MoveWindow(control, twips_to_pixels(left, dpi), twips_to_pixels(top, dpi), twips_to_pixels(width, dpi),
               twips_to_pixels(height, dpi), TRUE);
}

std::string window_text(HWND window) {
    std::vector<wchar_t> text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    const int length = GetWindowTextW(window, text.data(), static_cast<int>(text.size()));
    return from_wide(std::wstring_view(text.data(), static_cast<std::size_t>(length > 0 ? length : 0)));
}

void set_window_text(HWND window, const std::string& text) { SetWindowTextW(window, to_wide(text).c_str()); }

void show_form(HWND window, HWND focus) {
    ShowWindow(window, IsIconic(window) ? SW_RESTORE : SW_SHOW);
    SetForegroundWindow(window);
    SetFocus(focus);
}

}  // namespace corvane
