// Stands in for the shell's desktop in the tests, in a process of its own: a top-level
// "Progman" window holding "SHELLDLL_DefView" holding a SysListView32 with the items the
// command line names, each as label=x,y.
//   --workerw  the view sits in the second of two top-level "WorkerW" windows, and
//              "Progman" has no view
//   --stray    only a top-level list view, no desktop windows at all
//   --report   report view with the columns "Name" and "Size"; an item's size is its label
//              followed by " size"
//   --desktop-view  also serves a ShellWindows class object whose desktop view places the
//              list view's items (fake_desktop_view.cpp)
// A hidden top-level window of class "CorvaneFakeDesktop" answers the tests'
// messages of fake_desktop_protocol.h.

#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "win/fake_desktop_view.h"

using namespace corvane::testing;

namespace {

HWND list_view = nullptr;

struct placement {
    int index, x, y;
};
// Placed once the windows have settled: the view lays out new items again when it first
// sizes itself.
std::vector<placement> positions;

LRESULT CALLBACK control_procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == ask_position) {
        POINT point{};
        if (!SendMessageW(list_view, LVM_GETITEMPOSITION, wparam, reinterpret_cast<LPARAM>(&point))) return -1;
        return static_cast<LRESULT>((point.x & 0xFFFF) | ((point.y & 0xFFFF) << 16));
    }
    if (message == ask_list_view) return reinterpret_cast<LRESULT>(list_view);
    if (message == ask_view_calls) return desktop_view_calls();
    return DefWindowProcW(window, message, wparam, lparam);
}

void register_class(const wchar_t* name, WNDPROC procedure) {
    WNDCLASSW window_class{};
    window_class.lpfnWndProc = procedure;
    window_class.hInstance = GetModuleHandleW(nullptr);
    window_class.lpszClassName = name;
    RegisterClassW(&window_class);
}

HWND top_level(const wchar_t* class_name) {
    return CreateWindowExW(0, class_name, L"", WS_POPUP | WS_VISIBLE, 0, 0, 1024, 768, nullptr, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
}

HWND child(const wchar_t* class_name, HWND parent, DWORD style) {
    return CreateWindowExW(0, class_name, L"", WS_CHILD | WS_VISIBLE | style, 0, 0, 1024, 768, parent, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
}

void add_column(int index, const wchar_t* title, int width) {
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
    column.pszText = const_cast<wchar_t*>(title);
    column.cx = width;
    column.iSubItem = index;
    SendMessageW(list_view, LVM_INSERTCOLUMNW, index, reinterpret_cast<LPARAM>(&column));
}

void add_item(int index, const std::wstring& label, int x, int y, bool report) {
    LVITEMW item{};
    item.mask = LVIF_TEXT;
    item.iItem = index;
    item.pszText = const_cast<wchar_t*>(label.c_str());
    SendMessageW(list_view, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    if (report) {
        std::wstring size = label + L" size";
        LVITEMW sub{};
        sub.iSubItem = 1;
        sub.pszText = size.data();
        SendMessageW(list_view, LVM_SETITEMTEXTW, index, reinterpret_cast<LPARAM>(&sub));
    } else {
        positions.push_back({index, x, y});
    }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&controls);
    register_class(L"Progman", DefWindowProcW);
    register_class(L"SHELLDLL_DefView", DefWindowProcW);
    register_class(L"WorkerW", DefWindowProcW);
    register_class(L"CorvaneFakeDesktop", control_procedure);

    int count = 0;
    wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    bool workerw = false, stray = false, report = false, desktop_view = false;
    std::vector<std::wstring> items;
    for (int i = 1; i < count; ++i) {
        const std::wstring argument = arguments[i];
        if (argument == L"--workerw") {
            workerw = true;
        } else if (argument == L"--stray") {
            stray = true;
        } else if (argument == L"--report") {
            report = true;
        } else if (argument == L"--desktop-view") {
            desktop_view = true;
        } else {
            items.push_back(argument);
        }
    }
    LocalFree(arguments);

    HWND progman = nullptr;
    const DWORD view_style = (report ? LVS_REPORT : LVS_ICON) | WS_CLIPSIBLINGS;
    if (stray) {
        list_view = CreateWindowExW(0, WC_LISTVIEWW, L"", WS_POPUP | WS_VISIBLE | view_style, 0, 0, 1024, 768,
                                    nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    } else {
        progman = top_level(L"Progman");
        HWND host = progman;
        if (workerw) {
            top_level(L"WorkerW");
            host = top_level(L"WorkerW");
        }
        list_view = child(WC_LISTVIEWW, child(L"SHELLDLL_DefView", host, 0), view_style);
    }
    if (report) {
        add_column(0, L"Name", 150);
        add_column(1, L"Size", 80);
    }
    for (std::size_t i = 0; i < items.size(); ++i) {
        const std::wstring& argument = items[i];
        const std::size_t equals = argument.rfind(L'=');
        const std::size_t comma = argument.find(L',', equals);
        add_item(static_cast<int>(i), argument.substr(0, equals), std::stoi(argument.substr(equals + 1)),
                 std::stoi(argument.substr(comma + 1)), report);
    }
    MSG pending;
    while (PeekMessageW(&pending, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&pending);
    for (const placement& place : positions)
        SendMessageW(list_view, LVM_SETITEMPOSITION, place.index, MAKELPARAM(place.x, place.y));
    if (desktop_view) serve_desktop_view(progman, list_view);
    // Made last: the tests take it as the sign that the desktop is ready.
    CreateWindowExW(0, L"CorvaneFakeDesktop", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, GetModuleHandleW(nullptr),
                    nullptr);

    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
