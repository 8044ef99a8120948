// The Windows side of the end-to-end tests (tray_test.sh, installer_test.sh):
//   folders                          prints the user's Desktop, Recent and local application
//                                    data folders, a line each
//   shortcut LINK TARGET [DESCRIPTION]
//                                    saves a shortcut through the shell
//   message TITLE                    waits for a message box of that title, prints its text and
//                                    presses its OK button
//   text CLASS                       prints the text of the first EDIT box of that form
//   has TITLE TEXT                   succeeds when a window of that title holds a control
//                                    showing that text
//   hold-mutex SECONDS               holds the program's one-copy mutex as an elevated copy
//                                    does, granting a normal start no access, with a main form
//                                    that takes no close, and prints "held"
//   starting-copy SECONDS            holds the mutex as a copy that has just started, prints
//                                    "held", makes its main form ten seconds later and ends
//                                    when the form is closed
//   probe-mutex                      prints the error a normal start meets on that mutex
//   keep-session SECONDS             keeps a window, and so the session's desktop, that long
//   set-text TITLE TEXT              types the text into the first text box of that window
//   fits CLASS                       measures the form's label and caption with the system's
//                                    fonts at its DPI and succeeds when neither is cut
//   message-font POINTS              sets the system's message font to that size
//   icon shown|remove                whether the program's tray icon is there, or removes it
//                                    as the shell loses it
//   burst LINKS TARGETS COUNT        makes COUNT folders "Burst N" in TARGETS and a shortcut to
//                                    each in LINKS, as fast as it can
//   labels                           prints the desktop's icons as its list view shows them,
//                                    "label x,y" each
//   targets LINK...                  prints each shortcut's target as the shell reads it

#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

#include <cstdio>
#include <string>

#include "base/wide.h"
#include "shell/com_apartment.h"
#include "shell/desktop_icons.h"
#include "support/fixtures.h"
#include "win/support/fake_desktop_process.h"
#include "win/support/shell_link_object.h"

namespace {

using namespace corvane;

void print(const std::string& text) { std::fputs((text + "\n").c_str(), stdout); }

std::string folder(int id) {
    wchar_t path[MAX_PATH]{};
    SHGetFolderPathW(nullptr, id, nullptr, SHGFP_TYPE_CURRENT, path);
    return from_wide(path);
}

int message(const std::wstring& title) {
    std::string text;
    HWND box = nullptr;
    if (!corvane::testing::wait_for([&] {
            box = FindWindowW(L"#32770", title.c_str());
            return box && !(text = corvane::testing::longest_text(box)).empty();
        }))
        return 1;
    print(text);
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    return 0;
}

int has(const std::wstring& title, const std::wstring& text) {
    std::pair<std::wstring, bool> found{text, false};
    EnumChildWindows(
        FindWindowW(nullptr, title.c_str()),
        [](HWND child, LPARAM wanted) {
            auto& [text, found] = *reinterpret_cast<std::pair<std::wstring, bool>*>(wanted);
            found = found || to_wide(corvane::testing::window_text(child)) == text;
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found.second ? 0 : 1;
}

int pump_messages(int seconds) {
    SetTimer(nullptr, 0, static_cast<UINT>(seconds) * 1000, nullptr);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0 && message.message != WM_TIMER) DispatchMessageW(&message);
    return 0;
}

// The program's hidden main form, as the setup looks for it.
void main_form(WNDPROC procedure) {
    WNDCLASSW form_class{};
    form_class.lpfnWndProc = procedure;
    form_class.hInstance = GetModuleHandleW(nullptr);
    form_class.lpszClassName = L"frmMain";
    RegisterClassW(&form_class);
    CreateWindowW(L"frmMain", L"Quillon Corvane", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr,
                  form_class.hInstance, nullptr);
}

void say_held() {
    print("held");
    std::fflush(stdout);
}

// As a copy does that the user's requests cannot reach (run as administrator, or hung): its
// mutex denies them access, and its main form takes no close.
int hold_mutex(int seconds) {
    SECURITY_DESCRIPTOR descriptor{};
    ACL nobody{};
    InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION);
    InitializeAcl(&nobody, sizeof nobody, ACL_REVISION);
    SetSecurityDescriptorDacl(&descriptor, TRUE, &nobody, FALSE);
    SECURITY_ATTRIBUTES attributes{sizeof attributes, &descriptor, FALSE};
    const unique_handle mutex(CreateMutexW(&attributes, FALSE, L"Local\\QuillonCorvane.OneCopy"));
    if (!mutex || GetLastError() == ERROR_ALREADY_EXISTS) return 1;
    main_form([](HWND window, UINT message, WPARAM wparam, LPARAM lparam) -> LRESULT {
        return message == WM_CLOSE ? 0 : DefWindowProcW(window, message, wparam, lparam);
    });
    say_held();
    return pump_messages(seconds);
}

// A copy that has just started holds its mutex a moment before it has made its main form.
int starting_copy(int seconds) {
    const unique_handle mutex(CreateMutexW(nullptr, FALSE, L"Local\\QuillonCorvane.OneCopy"));
    if (!mutex || GetLastError() == ERROR_ALREADY_EXISTS) return 1;
    say_held();
    // Well beyond the setup's start, so that it looks before the form is there, and well
    // within its wait.
    Sleep(10000);
    main_form([](HWND window, UINT message, WPARAM wparam, LPARAM lparam) -> LRESULT {
        if (message == WM_DESTROY) PostQuitMessage(0);
        return DefWindowProcW(window, message, wparam, lparam);
    });
    return pump_messages(seconds);
}

// A copy whose main function has returned, its mutex gone, while its process lives on a few
// seconds holding its program file (a check of a server that does not answer).
int ending_copy(int seconds, const std::wstring& program) {
    const unique_file file(CreateFileW(program.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    if (!file) return 1;
    say_held();
    Sleep(static_cast<DWORD>(seconds) * 1000);
    return 0;
}

// Wine ends a session's desktop, and strands the windows made as it ends, when no process of
// the session has a window for a moment, as happens between an installer and the program it
// starts.
int keep_session(int seconds) {
    CreateWindowW(L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    return pump_messages(seconds);
}

int probe_mutex() {
    const unique_handle mutex(CreateMutexW(nullptr, FALSE, L"Local\\QuillonCorvane.OneCopy"));
    print(std::to_string(GetLastError()));
    return 0;
}

// WM_GETTEXT, unlike GetWindowText, reads a control of another process.
std::wstring text_of(HWND window) {
    std::wstring content(static_cast<std::size_t>(SendMessageW(window, WM_GETTEXTLENGTH, 0, 0)) + 1, L'\0');
    SendMessageW(window, WM_GETTEXT, content.size(), reinterpret_cast<LPARAM>(content.data()));
    return content.c_str();
}

int text(const std::wstring& form_class) {
    const HWND form = FindWindowW(form_class.c_str(), nullptr);
    const HWND box = form ? FindWindowExW(form, nullptr, L"EDIT", nullptr) : nullptr;
    if (!box) return 1;
    print(from_wide(text_of(box)));
    return 0;
}

int set_text(const std::wstring& title, const std::wstring& text) {
    HWND box = nullptr;
    EnumChildWindows(
        FindWindowW(nullptr, title.c_str()),
        [](HWND child, LPARAM found) {
            wchar_t name[16]{};
            GetClassNameW(child, name, 16);
            if (_wcsicmp(name, L"Edit") != 0) return TRUE;
            *reinterpret_cast<HWND*>(found) = child;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&box));
    return box && SendMessageW(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str())) ? 0 : 1;
}

NONCLIENTMETRICSW metrics_at(UINT dpi) {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, dpi);
    return metrics;
}

SIZE measure(const LOGFONTW& font_spec, const std::wstring& text) {
    const HDC screen = GetDC(nullptr);
    const unique_font font(CreateFontIndirectW(&font_spec));
    const HGDIOBJ before = SelectObject(screen, font.get());
    SIZE size{};
    GetTextExtentPoint32W(screen, text.c_str(), static_cast<int>(text.size()), &size);
    SelectObject(screen, before);
    ReleaseDC(nullptr, screen);
    return size;
}

// Another process's fonts cannot be borrowed, but the forms draw in the system's.
int fits(const std::wstring& form_class) {
    SetProcessDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
    const HWND form = FindWindowW(form_class.c_str(), nullptr);
    const HWND label = form ? FindWindowExW(form, nullptr, L"STATIC", nullptr) : nullptr;
    const HWND box = form ? FindWindowExW(form, nullptr, L"EDIT", nullptr) : nullptr;
    if (!label || !box) return 1;
    const UINT dpi = GetDpiForWindow(form);
    const NONCLIENTMETRICSW metrics = metrics_at(dpi);
    const SIZE text = measure(metrics.lfMessageFont, text_of(label));
    const SIZE digits = measure(metrics.lfMessageFont, L"32767");
    RECT shown{}, typed{}, frame{};
    GetClientRect(label, &shown);
    GetClientRect(box, &typed);
    GetWindowRect(form, &frame);
    const SIZE caption = measure(metrics.lfCaptionFont, text_of(form));
    const int room = frame.right - frame.left - 2 * GetSystemMetricsForDpi(SM_CXSIZEFRAME, dpi) -
                     GetSystemMetricsForDpi(SM_CXSMICON, dpi) - GetSystemMetricsForDpi(SM_CXSIZE, dpi);
    std::printf("dpi %u, label %ldx%ld in %ldx%ld, number %ldx%ld in %ldx%ld, caption %ld in %d\n", dpi, text.cx,
                text.cy, shown.right, shown.bottom, digits.cx, digits.cy, typed.right, typed.bottom, caption.cx, room);
    return text.cx <= shown.right && text.cy <= shown.bottom && digits.cx <= typed.right &&
                   digits.cy <= typed.bottom && caption.cx <= room
               ? 0
               : 1;
}

int message_font(int points) {
    NONCLIENTMETRICSW metrics = metrics_at(96);
    metrics.lfMessageFont.lfHeight = -MulDiv(points, 96, 72);
    return SystemParametersInfoW(SPI_SETNONCLIENTMETRICS, sizeof metrics, &metrics,
                                 SPIF_UPDATEINIFILE | SPIF_SENDCHANGE)
               ? 0
               : 1;
}

// The program's icon as the shell knows it: its main form's first.
int icon(const std::wstring& what) {
    NOTIFYICONDATAW tray{};
    tray.cbSize = sizeof tray;
    tray.hWnd = FindWindowW(L"frmMain", L"Quillon Corvane");
    tray.uID = 1;
    if (!tray.hWnd) return 2;
    if (what == L"shown") return Shell_NotifyIconW(NIM_MODIFY, &tray) ? 0 : 1;
    if (what == L"remove") return Shell_NotifyIconW(NIM_DELETE, &tray) ? 0 : 1;
    return 2;
}

// A balloon on show: a visible tooltip window of the balloon kind, whoever made it.
int balloon() {
    constexpr LONG_PTR balloon_style = 0x40;  // TTS_BALLOON
    for (HWND tip = FindWindowExW(nullptr, nullptr, L"tooltips_class32", nullptr); tip;
         tip = FindWindowExW(nullptr, tip, L"tooltips_class32", nullptr))
        if (IsWindowVisible(tip) && (GetWindowLongPtrW(tip, GWL_STYLE) & balloon_style)) return 0;
    return 1;
}

// What the shell sends the program for an event on its icon (the newer protocol's: the event
// and the icon in lParam, the place in wParam): "menu" for the menu key or a right click,
// "key" for Enter on the focused icon, "select" for a left click.
int tray_event(const std::wstring& event, int x, int y) {
    const HWND program = FindWindowW(L"frmMain", L"Quillon Corvane");
    const UINT code = event == L"menu" ? WM_CONTEXTMENU : event == L"key" ? NIN_KEYSELECT : NIN_SELECT;
    return SendNotifyMessageW(program, WM_APP + 1, MAKEWPARAM(x, y), MAKELPARAM(code, 1)) ? 0 : 1;
}

// Through the program's own access to a foreign list view, which the unit tests prove.
int labels() {
    const HWND view = FindWindowExW(
        FindWindowExW(FindWindowW(L"Progman", nullptr), nullptr, L"SHELLDLL_DefView", nullptr), nullptr,
        L"SysListView32", nullptr);
    if (!view) return 1;
    list_view_info info;
    info.window = reinterpret_cast<window_handle>(view);
    open_shared_buffers(info.window);
    if (attach_list_view(info)) {
        for (int item = 1; item <= info.item_total; ++item) {
            const icon_point at = get_item_position(item);
            print(get_item_text(item, 1) + " " + std::to_string(at.x) + "," + std::to_string(at.y));
        }
    }
    close_shared_buffers();
    return 0;
}

int burst(const std::wstring& links, const std::wstring& targets, int count) {
    for (int index = 1; index <= count; ++index) {
        const std::wstring name = L"Burst " + std::to_wstring(index);
        CreateDirectoryW((targets + L"\\" + name).c_str(), nullptr);
        corvane::testing::save_shortcut(from_wide(links + L"\\" + name + L".lnk"), from_wide(targets + L"\\" + name));
    }
    return 0;
}

int targets(int count, wchar_t** links) {
    for (int index = 0; index < count; ++index) {
        corvane::testing::shell_link link;
        if (FAILED(link.file.get()->Load(links[index], STGM_READ))) return 1;
        print(link.path());
    }
    return 0;
}

}  // namespace

int wmain(int count, wchar_t** arguments) {
    const com_apartment apartment;
    const std::wstring command = count > 1 ? arguments[1] : L"";
    if (command == L"folders" && count == 2) {
        print(folder(CSIDL_DESKTOPDIRECTORY));
        print(folder(CSIDL_RECENT));
        print(folder(CSIDL_LOCAL_APPDATA));
        return 0;
    }
    if (command == L"shortcut" && (count == 4 || count == 5)) {
        corvane::testing::save_shortcut(from_wide(arguments[2]), from_wide(arguments[3]),
                                        from_wide(count == 5 ? arguments[4] : L""));
        return 0;
    }
    if (command == L"message" && count == 3) return message(arguments[2]);
    if (command == L"text" && count == 3) return text(arguments[2]);
    if (command == L"has" && count == 4) return has(arguments[2], arguments[3]);
    if (command == L"hold-mutex" && count == 3) return hold_mutex(std::stoi(arguments[2]));
    if (command == L"starting-copy" && count == 3) return starting_copy(std::stoi(arguments[2]));
    if (command == L"ending-copy" && count == 4) return ending_copy(std::stoi(arguments[2]), arguments[3]);
    if (command == L"probe-mutex" && count == 2) return probe_mutex();
    if (command == L"keep-session" && count == 3) return keep_session(std::stoi(arguments[2]));
    if (command == L"set-text" && count == 4) return set_text(arguments[2], arguments[3]);
    if (command == L"fits" && count == 3) return fits(arguments[2]);
    if (command == L"message-font" && count == 3) return message_font(std::stoi(arguments[2]));
    if (command == L"icon" && count == 3) return icon(arguments[2]);
    if (command == L"balloon" && count == 2) return balloon();
    if (command == L"tray" && count == 5)
        return tray_event(arguments[2], std::stoi(arguments[3]), std::stoi(arguments[4]));
    if (command == L"labels" && count == 2) return labels();
    if (command == L"burst" && count == 5) return burst(arguments[2], arguments[3], std::stoi(arguments[4]));
    if (command == L"targets") return targets(count - 2, arguments + 2);
    std::fputs("usage: tray_helper folders | shortcut LINK TARGET [DESCRIPTION] | message TITLE | text CLASS | "
               "has TITLE TEXT | hold-mutex SECONDS | starting-copy SECONDS | probe-mutex | keep-session SECONDS | set-text TITLE TEXT | fits CLASS | "
               "message-font POINTS | icon shown|remove | burst LINKS TARGETS COUNT | labels | targets LINK...\n", stderr);
    return 2;
}
