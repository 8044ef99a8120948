#include <algorithm>
#include <vector>

#include "base/wide.h"
#include "ui/form_placement.h"
#include "ui/form_services.h"

namespace corvane {

int twips_to_pixels(int twips, UINT dpi) { return MulDiv(twips, static_cast<int>(dpi), 1440); }

namespace {

NONCLIENTMETRICSW window_metrics(UINT dpi) {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    if (!SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, dpi))
        SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    return metrics;
}

// The window's width that shows its caption whole: the frame, the icon, the text and the
// caption buttons, with a gap of one text height around the text.
int caption_width(HWND window) {
    const UINT dpi = GetDpiForWindow(window);
    const NONCLIENTMETRICSW metrics = window_metrics(dpi);
    const unique_font font(CreateFontIndirectW(&metrics.lfCaptionFont));
    const SIZE text = text_size(window, font.get(), window_text(window));
    const auto style = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE));
    const int buttons = (style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX)) ? 3 : 1;
    const int frame = GetSystemMetricsForDpi(SM_CXSIZEFRAME, dpi) + GetSystemMetricsForDpi(SM_CXPADDEDBORDER, dpi);
    return 2 * frame + GetSystemMetricsForDpi(SM_CXSMICON, dpi) + text.cx + 2 * text.cy +
           buttons * GetSystemMetricsForDpi(SM_CXSIZE, dpi);
}

std::optional<POINT> forms_anchor;

// Where the form's chooser is: the pointer, or the icon whose menu the keyboard opened.
POINT pointer_position() {
    if (forms_anchor) return *forms_anchor;
    POINT pointer{};
    GetCursorPos(&pointer);
    return pointer;
}

RECT work_area_at(POINT pointer) {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromPoint(pointer, MONITOR_DEFAULTTONEAREST), &monitor);
    return monitor.rcWork;
}

}  // namespace

unique_font message_font(UINT dpi) {
    const NONCLIENTMETRICSW metrics = window_metrics(dpi);
    return unique_font(CreateFontIndirectW(&metrics.lfMessageFont));
}

SIZE text_size(HWND window, HFONT font, const std::string& text) {
    const std::wstring wide = to_wide(text);
    SIZE size{};
    if (const HDC context = GetDC(window)) {
        const HGDIOBJ before = SelectObject(context, font);
        GetTextExtentPoint32W(context, wide.c_str(), static_cast<int>(wide.size()), &size);
        TEXTMETRICW metrics{};
        if (GetTextMetricsW(context, &metrics)) size.cy = std::max<LONG>(size.cy, metrics.tmHeight);
        SelectObject(context, before);
        ReleaseDC(window, context);
    }
    return size;
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
    // At the work area's corner: a window grows to its smallest size, which at the pointer
    // could reach onto the next monitor and take its DPI.
    const RECT work = work_area_at(pointer_position());
    return CreateWindowExW(0, class_name, to_wide(caption).c_str(), style, work.left, work.top, 1, 1, nullptr,
                           nullptr, instance, nullptr);
}

void open_forms_beside(std::optional<POINT> anchor) { forms_anchor = anchor; }

void place_near_pointer(HWND window) {
    const POINT pointer = pointer_position();
    const RECT work = work_area_at(pointer);
    RECT frame{};
    GetWindowRect(window, &frame);
    const screen_point origin = form_origin({pointer.x, pointer.y}, frame.right - frame.left,
                                            frame.bottom - frame.top, {work.left, work.top, work.right, work.bottom});
    SetWindowPos(window, nullptr, static_cast<int>(origin.x), static_cast<int>(origin.y), 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void take_suggested_rect(HWND window, LPARAM suggested) {
    const RECT* rect = reinterpret_cast<const RECT*>(suggested);
    SetWindowPos(window, nullptr, rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void size_client(HWND window, int width, int height) {
    RECT frame{0, 0, width, height};
    AdjustWindowRectExForDpi(&frame, static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE)), FALSE,
                             static_cast<DWORD>(GetWindowLongPtrW(window, GWL_EXSTYLE)), GetDpiForWindow(window));
    SetWindowPos(window, nullptr, 0, 0, std::max<int>(frame.right - frame.left, caption_width(window)),
                 frame.bottom - frame.top, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

HWND create_control(HWND parent, const wchar_t* class_name, DWORD style, DWORD extended_style) {
    return CreateWindowExW(extended_style, class_name, L"", WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0, parent,
                           nullptr, GetModuleHandleW(nullptr), nullptr);
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

namespace {

LRESULT CALLBACK text_box_keys(HWND box, UINT message, WPARAM wparam, LPARAM lparam) {
    const auto original = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(box, GWLP_USERDATA));
    const bool one_line = !(GetWindowLongPtrW(box, GWL_STYLE) & ES_MULTILINE);
    const bool escape = wparam == VK_ESCAPE, enter = wparam == VK_RETURN && one_line;
    if ((message == WM_KEYDOWN || message == WM_CHAR) && (escape || enter)) {
        // The key press acts; its character would only beep.
        if (message == WM_KEYDOWN) PostMessageW(GetAncestor(box, GA_ROOT), escape ? form_discard : WM_CLOSE, 0, 0);
        return 0;
    }
    return CallWindowProcW(original, box, message, wparam, lparam);
}

}  // namespace

void take_form_keys(HWND text_box) {
    // An edit control leaves its user data to whoever made it.
    const LONG_PTR original = SetWindowLongPtrW(text_box, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&text_box_keys));
    SetWindowLongPtrW(text_box, GWLP_USERDATA, original);
}

}  // namespace corvane
