// Stands in for the shell's desktop in the tests, in a process of its own: a top-level
// "Progman" window holding "SHELLDLL_DefView" holding a SysListView32 with the items the
// command line names, each as label=x,y.
//   --workerw  the view sits in the second of two top-level "WorkerW" windows instead
//   --stray    only a top-level list view, no desktop windows at all
//   --show FOLDER  a desktop on screen for people to watch: full screen behind every other
//              window, it shows FOLDER's files as icons with labels (a shortcut's own icon,
//              its name without ".lnk") and keeps them current, a new file at the next free
//              place, as the shell's desktop does
//   --hang     stops answering at the first list-view request of another process, as a hung
//              shell does
//   --slow MS  answers each list-view request of another process only after MS milliseconds
//   --late-text MS  answers the first request of another process for an item's text only
//              after MS milliseconds
//   --arrange  the view arranges its icons itself
//   --hidden   the view hides its icons, as the desktop's "Show desktop icons" turned off does
//   --poke CLASS  while answering the first list-view request of another process, sends the
//              window of that class a right click on its tray icon (WM_APP + 1) and a tick
//              (WM_TIMER 1), as they reach a program that waits on the desktop
// A hidden window of class "CorvaneFakeDesktop", made last, answers fake_desktop_protocol.h.

#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <algorithm>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "shell/com_ptr.h"
#include "win/support/fake_desktop_protocol.h"

using namespace corvane::testing;

namespace {

HWND list_view = nullptr;
WNDPROC list_view_procedure = nullptr;
std::wstring poked_class;
bool hang = false;
DWORD slow = 0;
DWORD late_text = 0;

LRESULT CALLBACK poking_procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (hang && message >= LVM_FIRST && message < LVM_FIRST + 0x100 && InSendMessage()) Sleep(INFINITE);
    if (message >= LVM_FIRST && message < LVM_FIRST + 0x100 && InSendMessage()) Sleep(slow);
    if (message == LVM_GETITEMTEXTW && InSendMessage()) Sleep(std::exchange(late_text, 0));
    if (!poked_class.empty() && message >= LVM_FIRST && message < LVM_FIRST + 0x100 && InSendMessage()) {
        const HWND target = FindWindowW(poked_class.c_str(), nullptr);
        poked_class.clear();
        POINT at{};
        GetCursorPos(&at);
        SendNotifyMessageW(target, WM_APP + 1, MAKEWPARAM(at.x, at.y), MAKELPARAM(WM_CONTEXTMENU, 1));
        SendNotifyMessageW(target, WM_TIMER, 1, 0);
    }
    return CallWindowProcW(list_view_procedure, window, message, wparam, lparam);
}

LRESULT CALLBACK control_procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == ask_position_of) {
        wchar_t label[256]{};
        GlobalGetAtomNameW(static_cast<ATOM>(wparam), label, 256);
        LVFINDINFOW find{};
        find.flags = LVFI_STRING;
        find.psz = label;
        wparam = static_cast<WPARAM>(SendMessageW(list_view, LVM_FINDITEMW, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&find)));
        message = ask_position;
    }
    if (message == ask_position) {
        POINT point{};
        if (!SendMessageW(list_view, LVM_GETITEMPOSITION, wparam, reinterpret_cast<LPARAM>(&point))) return -1;
        return static_cast<LRESULT>((point.x & 0xFFFF) | ((point.y & 0xFFFF) << 16));
    }
    if (message == ask_list_view) return reinterpret_cast<LRESULT>(list_view);
    return DefWindowProcW(window, message, wparam, lparam);
}

SIZE desktop_size{1024, 768};

HWND make_window(const wchar_t* class_name, HWND parent, DWORD style) {
    return CreateWindowExW(0, class_name, L"", (parent ? WS_CHILD : WS_POPUP) | WS_VISIBLE | style, 0, 0,
                           desktop_size.cx, desktop_size.cy, parent, nullptr, GetModuleHandleW(nullptr), nullptr);
}

std::wstring shown_folder;
// The file name of each item, by the number the item keeps.
std::vector<std::wstring> shown_names;

// The shortcut's own icon where it names one, else the one the shell gives the file.
HICON file_icon(const std::wstring& path) {
    HICON icon = nullptr;
    void* raw = nullptr;
    if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW, &raw))) {
        const corvane::com_ptr<IShellLinkW> link(static_cast<IShellLinkW*>(raw));
        if (SUCCEEDED(link.get()->QueryInterface(IID_IPersistFile, &raw))) {
            const corvane::com_ptr<IPersistFile> file(static_cast<IPersistFile*>(raw));
            wchar_t location[MAX_PATH]{};
            int index = 0;
            if (SUCCEEDED(file.get()->Load(path.c_str(), STGM_READ)) &&
                SUCCEEDED(link.get()->GetIconLocation(location, MAX_PATH, &index)) && location[0])
                ExtractIconExW(location, index, &icon, nullptr, 1);
        }
    }
    SHFILEINFOW info{};
    if (!icon && SHGetFileInfoW(path.c_str(), 0, &info, sizeof info, SHGFI_ICON | SHGFI_LARGEICON)) icon = info.hIcon;
    return icon;
}

std::wstring label_of(const std::wstring& file_name) {
    const std::size_t dot = file_name.rfind(L'.');
    if (dot != std::wstring::npos && _wcsicmp(file_name.c_str() + dot, L".lnk") == 0) return file_name.substr(0, dot);
    return file_name;
}

// Brings the view in line with the folder: gone files leave, new ones come in.
void show_folder() {
    std::set<std::wstring> files;
    WIN32_FIND_DATAW found{};
    const HANDLE search = FindFirstFileW((shown_folder + L"\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            if (!(found.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN))) files.insert(found.cFileName);
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
    for (int index = static_cast<int>(SendMessageW(list_view, LVM_GETITEMCOUNT, 0, 0)) - 1; index >= 0; --index) {
        LVITEMW item{};
        item.mask = LVIF_PARAM;
        item.iItem = index;
        SendMessageW(list_view, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
        if (files.erase(shown_names[static_cast<std::size_t>(item.lParam)]) == 0)
            SendMessageW(list_view, LVM_DELETEITEM, index, 0);
    }
    const auto images = reinterpret_cast<HIMAGELIST>(SendMessageW(list_view, LVM_GETIMAGELIST, LVSIL_NORMAL, 0));
    for (const std::wstring& name : files) {
        std::wstring label = label_of(name);
        LVITEMW item{};
        item.mask = LVIF_TEXT | LVIF_PARAM | LVIF_IMAGE;
        item.iItem = static_cast<int>(SendMessageW(list_view, LVM_GETITEMCOUNT, 0, 0));
        item.pszText = label.data();
        item.lParam = static_cast<LPARAM>(shown_names.size());
        shown_names.push_back(name);
        item.iImage = -1;
        if (const HICON icon = file_icon(shown_folder + L"\\" + name)) {
            item.iImage = ImageList_ReplaceIcon(images, -1, icon);
            DestroyIcon(icon);
        }
        SendMessageW(list_view, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    }
}

void prepare_show(HWND top) {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    SetWindowPos(top, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    const HIMAGELIST images =
        ImageList_Create(GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON), ILC_COLOR32 | ILC_MASK, 8, 8);
    SendMessageW(list_view, LVM_SETIMAGELIST, LVSIL_NORMAL, reinterpret_cast<LPARAM>(images));
    SendMessageW(list_view, LVM_SETBKCOLOR, 0, RGB(0, 90, 158));
    SendMessageW(list_view, LVM_SETTEXTBKCOLOR, 0, CLR_NONE);
    SendMessageW(list_view, LVM_SETTEXTCOLOR, 0, RGB(255, 255, 255));
    show_folder();
    // Often enough that a new link is on show well within the two seconds the program gives it.
    SetTimer(nullptr, 0, 250, nullptr);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&controls);
    const std::pair<const wchar_t*, WNDPROC> classes[] = {{L"Progman", DefWindowProcW},
                                                          {L"SHELLDLL_DefView", DefWindowProcW},
                                                          {L"WorkerW", DefWindowProcW},
                                                          {L"CorvaneFakeDesktop", control_procedure}};
    for (const auto& [name, procedure] : classes) {
        WNDCLASSW window_class{};
        window_class.lpfnWndProc = procedure;
        window_class.hInstance = GetModuleHandleW(nullptr);
        window_class.lpszClassName = name;
        RegisterClassW(&window_class);
    }
    int count = 0;
    wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    const std::vector<std::wstring> words(arguments + 1, arguments + count);
    LocalFree(arguments);
    const auto has = [&](const wchar_t* option) { return std::find(words.begin(), words.end(), option) != words.end(); };
    if (const auto show = std::find(words.begin(), words.end(), L"--show"); show != words.end() && show + 1 != words.end()) {
        shown_folder = *(show + 1);
        desktop_size = {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    }

    const DWORD view_style = LVS_ICON | WS_CLIPSIBLINGS | (shown_folder.empty() ? 0 : LVS_ALIGNLEFT) |
                             (has(L"--arrange") ? LVS_AUTOARRANGE : 0);
    if (has(L"--stray")) {
        list_view = make_window(WC_LISTVIEWW, nullptr, view_style);
    } else {
        HWND host = make_window(L"Progman", nullptr, 0);
        if (has(L"--workerw")) {
            make_window(L"WorkerW", nullptr, 0);
            host = make_window(L"WorkerW", nullptr, 0);
        }
        list_view = make_window(WC_LISTVIEWW, make_window(L"SHELLDLL_DefView", host, 0), view_style);
        if (!shown_folder.empty()) prepare_show(host);
    }
    std::vector<POINT> places;
    for (const std::wstring& word : words) {
        if (word.starts_with(L"--") || word.find(L'=') == std::wstring::npos) continue;
        const std::size_t equals = word.rfind(L'=');
        std::wstring label = word.substr(0, equals);
        LVITEMW item{};
        item.mask = LVIF_TEXT;
        item.iItem = static_cast<int>(places.size());
        item.pszText = label.data();
        SendMessageW(list_view, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
        places.push_back({std::stoi(word.substr(equals + 1)), std::stoi(word.substr(word.find(L',', equals) + 1))});
    }
    // Placed once the windows have settled: the view lays its items out again when it first
    // sizes itself.
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
    for (std::size_t index = 0; index < places.size(); ++index)
        SendMessageW(list_view, LVM_SETITEMPOSITION, index, MAKELPARAM(places[index].x, places[index].y));
    const auto poke = std::find(words.begin(), words.end(), L"--poke");
    if (poke != words.end() && poke + 1 != words.end()) poked_class = *(poke + 1);
    hang = has(L"--hang");
    if (const auto wait = std::find(words.begin(), words.end(), L"--slow"); wait != words.end() && wait + 1 != words.end())
        slow = static_cast<DWORD>(std::stoul(*(wait + 1)));
    if (const auto wait = std::find(words.begin(), words.end(), L"--late-text"); wait != words.end() && wait + 1 != words.end())
        late_text = static_cast<DWORD>(std::stoul(*(wait + 1)));
    if (has(L"--hidden")) ShowWindow(list_view, SW_HIDE);
    if (!poked_class.empty() || hang || slow || late_text) {
        list_view_procedure = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrW(list_view, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&poking_procedure)));
    }
    CreateWindowExW(0, L"CorvaneFakeDesktop", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, GetModuleHandleW(nullptr),
                    nullptr);
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (message.message == WM_TIMER && !message.hwnd) show_folder();
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
