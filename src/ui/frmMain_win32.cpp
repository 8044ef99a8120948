#include "ui/frmMain.h"

#include <shellapi.h>
#include <windowsx.h>

#include <algorithm>
#include <exception>
#include <optional>
#include <utility>

#include "base/wide.h"
#include "engine/main_mod.h"
#include "engine/returning_icons.h"
#include "state/globals.h"
#include "state/notices.h"
#include "ui/change_burst.h"
#include "ui/frmDummy.h"
#include "ui/frmEditor.h"
#include "ui/frm_max_folders.h"
#include "ui/late_click.h"

namespace corvane {
namespace {

constexpr UINT tray_callback = WM_APP + 1;
constexpr UINT_PTR Timer1 = 1;
constexpr UINT timer_interval = 60000;
// A busy shell at sign-in lets an add time out, and says nothing when it is ready.
constexpr UINT_PTR icon_retry_timer = 2;
constexpr UINT icon_retry_interval = 5000;
constexpr UINT_PTR burst_timer = 3;
constexpr UINT_PTR returning_icons_timer = 4;
// Posted at load: the first refresh runs from the message loop, which watches the recent
// folders by then, so that a document opened meanwhile is not left to the minute tick.
constexpr UINT first_refresh = WM_APP + 2;
constexpr UINT waiting_click = WM_APP + 3;
// Posted when a refresh returns: handled after what was sent meanwhile.
constexpr UINT busy_over = WM_APP + 4;

struct click_event {
    DWORD time = 0;
    POINT at{};
    bool from_keyboard = false;
};

struct form {
    HWND window = nullptr;
    NOTIFYICONDATAW tray_icon{};
    unique_icon icon;
    unique_menu mnuPopUp;
    // Sent to every top-level window when the notification area is made anew.
    UINT taskbar_created = 0;
    UINT show_icon = 0;
    bool unloading = false;
    // The shell took the icon: a balloon has somewhere to come from.
    bool icon_shown = false;
    // A right click that came while a refresh ran; its menu opens once the refresh is done.
    std::optional<click_event> click_waiting;
    // When the last refresh, or look at the desktop, began and returned; until the messages
    // queued meanwhile are handled, a click that comes was made in between.
    DWORD busy_started = 0, busy_ended = 0;
    bool just_busy = false;
    // The shell speaks the newer protocol: clicks come with their place, keys too.
    bool version_4 = false;
    // Enter on the icon comes twice; the second finds the menu open.
    bool menu_open = false;
    // The first change of the burst in the recent folders that no refresh has seen yet, and
    // when its refresh is due.
    std::optional<ULONGLONG> burst_started;
    ULONGLONG burst_due = 0;
};

form& frmMain() {
    static form main;
    return main;
}

// At the small-icon size of the taskbar's current scale, drawn for it rather than stretched.
// The system's metrics keep the scale of the sign-in; the taskbar's window has today's.
void load_tray_icon() {
    form& main = frmMain();
    const HWND taskbar = FindWindowW(L"Shell_TrayWnd", nullptr);
    const int size = GetSystemMetricsForDpi(SM_CXSMICON, GetDpiForWindow(taskbar ? taskbar : main.window));
    // The icon holds an image for the small-icon size of every common scale.
    const auto icon = static_cast<HICON>(
        LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1), IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
    if (!icon) return;
    main.icon.reset(icon);
    main.tray_icon.hIcon = icon;
}

// Until the shell takes it: a failed add is tried again every few seconds.
void add_tray_icon() {
    form& main = frmMain();
    main.icon_shown = Shell_NotifyIconW(NIM_ADD, &main.tray_icon) || Shell_NotifyIconW(NIM_MODIFY, &main.tray_icon);
    // After every add: the shell forgets it with the icon.
    main.tray_icon.uVersion = NOTIFYICON_VERSION_4;
    main.version_4 = main.icon_shown && Shell_NotifyIconW(NIM_SETVERSION, &main.tray_icon);
    if (main.icon_shown)
        KillTimer(main.window, icon_retry_timer);
    else
        SetTimer(main.window, icon_retry_timer, icon_retry_interval, nullptr);
}

// The one way out, whatever asks for it: the menu, the end of the session, a WM_CLOSE.
void Form_Unload() {
    form& main = frmMain();
    if (main.unloading) return;
    main.unloading = true;
    Shell_NotifyIconW(NIM_DELETE, &main.tray_icon);
    unload_editor();
    unload_max_folders();
    unload_dummy();
    KillTimer(main.window, Timer1);
    KillTimer(main.window, icon_retry_timer);
    KillTimer(main.window, burst_timer);
    KillTimer(main.window, returning_icons_timer);
    DestroyWindow(main.window);
}

void mnuPopUp_Click(UINT command) {
    switch (command) {
        case mnuPopUpShowForm: show_editor(); break;
        case mnuPopUpNumForm: show_max_folders(); break;
        case mnuPopUpQuit: Form_Unload(); break;
        default: break;
    }
}

// A refresh, or the placing of icons, waiting on the desktop's process.
bool desktop_busy() { return refresh_running() || placing_returning_icons(); }

// The menu at that point. Dismissed, focus goes back to the notification area, where the
// keyboard left it; opened from the keyboard, the forms it opens come beside the icon.
void show_menu_at(POINT at, bool from_keyboard) {
    form& main = frmMain();
    if (main.menu_open) return;
    main.menu_open = true;
    const HWND owner = frmDummy();
    SetForegroundWindow(owner);
    const UINT chosen = static_cast<UINT>(TrackPopupMenuEx(frmMain().mnuPopUp.get(),
                                                           TPM_RETURNCMD | TPM_NONOTIFY | TPM_RIGHTBUTTON, at.x,
                                                           at.y, owner, nullptr));
    // Lets the menu close when the user clicks elsewhere next time.
    PostMessageW(owner, WM_NULL, 0, 0);
    main.menu_open = false;
    if (!chosen) Shell_NotifyIconW(NIM_SETFOCUS, &frmMain().tray_icon);
    open_forms_beside(from_keyboard ? std::optional<POINT>(at) : std::nullopt);
    mnuPopUp_Click(chosen);
    open_forms_beside(std::nullopt);
}

// The middle of the icon, where the keyboard's menu opens; where the shell cannot say, the
// point it gave with the key.
POINT icon_middle(POINT given) {
    NOTIFYICONIDENTIFIER icon{};
    icon.cbSize = sizeof icon;
    icon.hWnd = frmMain().window;
    icon.uID = frmMain().tray_icon.uID;
    RECT place{};
    if (SUCCEEDED(Shell_NotifyIconGetRect(&icon, &place))) return {(place.left + place.right) / 2, (place.top + place.bottom) / 2};
    return given;
}

// Where and when the click was. One that reaches the program while it waits on the desktop's
// process is now; one that waited behind a refresh holding the program was made while it ran,
// as early as its start, for all that can be told; a queued one says when it was made.
click_event this_click(WPARAM anchor, bool keyboard) {
    const form& main = frmMain();
    click_event click;
    const DWORD posted_at = GetMessagePos();
    click.at = {GET_X_LPARAM(posted_at), GET_Y_LPARAM(posted_at)};
    click.time = static_cast<DWORD>(GetMessageTime());
    if (InSendMessage()) {
        GetCursorPos(&click.at);
        click.time = main.just_busy && !desktop_busy() ? main.busy_started : GetTickCount();
    }
    if (main.version_4) click.at = {GET_X_LPARAM(anchor), GET_Y_LPARAM(anchor)};
    if (keyboard) click.at = icon_middle(click.at);
    click.from_keyboard = keyboard;
    return click;
}

void answer_click(const click_event& click) {
    if (late_click_opens_menu(click.time, frmMain().busy_ended)) show_menu_at(click.at, click.from_keyboard);
}

// The release of the right button, or the menu key or Enter on the focused icon, opens the
// menu; a left click does nothing. Never inside a refresh: the menu's own loop would hold the
// refresh until it closes.
void Tray_Callback(WPARAM anchor, LPARAM event) {
    const form& main = frmMain();
    const UINT what = LOWORD(event);
    const bool keyboard = main.version_4 && what == NIN_KEYSELECT;
    if (!keyboard && what != (main.version_4 ? WM_CONTEXTMENU : WM_RBUTTONUP)) return;
    if (desktop_busy()) {
        frmMain().click_waiting = this_click(anchor, keyboard);
        return;
    }
    answer_click(this_click(anchor, keyboard));
}

void show_balloon(const notice_text& words) {
    NOTIFYICONDATAW balloon = frmMain().tray_icon;
    balloon.uFlags = NIF_INFO;
    balloon.dwInfoFlags = words.warning ? NIIF_WARNING : NIIF_INFO;
    wcsncpy_s(balloon.szInfoTitle, to_wide(words.title).c_str(), _TRUNCATE);
    wcsncpy_s(balloon.szInfo, to_wide(words.text).c_str(), _TRUNCATE);
    Shell_NotifyIconW(NIM_MODIFY, &balloon);
}

// What the user must know, in a balloon from the icon: one at a time, the next after the
// next refresh.
void show_next_notice() {
    // At sign-in the shell may not have taken the icon yet: the notice waits for it.
    if (!frmMain().icon_shown) return;
    const std::optional<notice> what = next_notice();
    if (!what) return;
    show_balloon(text_of(*what));
}

// After a refresh or a look at the desktop: links that came back wait for the shell to show
// their icons, and a right click that came meanwhile gets its menu.
void after_desktop_work() {
    form& main = frmMain();
    main.just_busy = true;
    PostMessageW(main.window, busy_over, 0, 0);
    if (returning_icons_waiting())
        SetTimer(main.window, returning_icons_timer, static_cast<UINT>(returning_icons_interval.count()), nullptr);
    else
        KillTimer(main.window, returning_icons_timer);
    if (desktop_busy()) return;
    main.busy_ended = GetTickCount();
    if (main.click_waiting) PostMessageW(main.window, waiting_click, 0, 0);
}

void look_at_returning_icons() {
    frmMain().busy_started = GetTickCount();
    place_returning_icons(std::chrono::steady_clock::now());
    after_desktop_work();
}

void Timer1_Timer() {
    frmMain().busy_started = GetTickCount();
    refresh();
    show_next_notice();
    after_desktop_work();
}

void burst_timer_timer() {
    form& main = frmMain();
    KillTimer(main.window, burst_timer);
    // One refresh at a time: the burst waits for the running one to return.
    if (desktop_busy()) {
        SetTimer(main.window, burst_timer, static_cast<UINT>(burst_quiet.count()), nullptr);
        return;
    }
    main.burst_started.reset();
    Timer1_Timer();
}

LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    const form& main = frmMain();
    if (message != 0 && (message == main.taskbar_created || message == main.show_icon)) {
        if (!main.unloading) {
            load_tray_icon();
            add_tray_icon();
            // A second start: the person is looking for the program.
            if (message == main.show_icon && main.icon_shown) show_balloon(text_of(notice::first_word));
        }
        return 0;
    }
    switch (message) {
        case tray_callback:
            Tray_Callback(wparam, lparam);
            return 0;
        case busy_over:
            frmMain().just_busy = false;
            return 0;
        case WM_TIMER:
            if (wparam == Timer1) Timer1_Timer();
            if (wparam == icon_retry_timer) add_tray_icon();
            if (wparam == burst_timer) burst_timer_timer();
            if (wparam == returning_icons_timer) look_at_returning_icons();
            return 0;
        case first_refresh:
            Timer1_Timer();
            return 0;
        case waiting_click:
            if (const std::optional<click_event> click = std::exchange(frmMain().click_waiting, std::nullopt))
                answer_click(*click);
            return 0;
        case WM_DPICHANGED:
        case WM_DISPLAYCHANGE:
            load_tray_icon();
            Shell_NotifyIconW(NIM_MODIFY, &frmMain().tray_icon);
            return 0;
        case WM_CLOSE:
            Form_Unload();
            return 0;
        case WM_QUERYENDSESSION:
            return TRUE;
        case WM_ENDSESSION:
            if (wparam) Form_Unload();
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcW(window, message, wparam, lparam);
    }
}

void fill_tray_icon() {
    form& main = frmMain();
    load_tray_icon();
    NOTIFYICONDATAW& tray = main.tray_icon;
    tray.cbSize = sizeof tray;
    tray.hWnd = main.window;
    tray.uID = 1;
    // The newer protocol shows the tooltip only when asked.
    tray.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP | NIF_SHOWTIP;
    tray.uCallbackMessage = tray_callback;
    wcscpy_s(tray.szTip, L"Quillon Corvane");
}

}  // namespace

unique_menu build_popup_menu() {
    unique_menu menu(CreatePopupMenu());
    AppendMenuW(menu.get(), MF_STRING, mnuPopUpShowForm, L"&edit banned folders list");
    AppendMenuW(menu.get(), MF_STRING, mnuPopUpNumForm, L"&set max number of corvane");
    AppendMenuW(menu.get(), MF_STRING, mnuPopUpQuit, L"&exit");
    SetMenuDefaultItem(menu.get(), mnuPopUpShowForm, FALSE);
    return menu;
}

void recent_folders_changed() {
    form& main = frmMain();
    if (main.unloading) return;
    const ULONGLONG now = GetTickCount64();
    if (!main.burst_started) main.burst_started = now;
    // Changes faster than the timer's resolution, once the burst is at its longest, would
    // otherwise put its refresh off for as long as they come.
    else if (now >= main.burst_due) return;
    const auto delay = burst_delay(std::chrono::milliseconds(now - *main.burst_started));
    main.burst_due = now + static_cast<ULONGLONG>(delay.count());
    // Replaces the timer of the burst's previous change.
    SetTimer(main.window, burst_timer, std::max<UINT>(USER_TIMER_MINIMUM, static_cast<UINT>(delay.count())), nullptr);
}

UINT show_icon_message() { return RegisterWindowMessageW(L"QuillonCorvane.ShowIcon"); }

bool load_main_form() {
    form& main = frmMain();
    main.taskbar_created = RegisterWindowMessageW(L"TaskbarCreated");
    main.show_icon = show_icon_message();
    // A top-level window, never shown: the notification area's re-creation reaches only those.
    main.window = create_form(L"frmMain", procedure, "Quillon Corvane", WS_OVERLAPPEDWINDOW);
    // No window station to show windows on: no tray, no timers, nothing to do.
    if (!main.window) return false;
    // Run as administrator, the copy still hears the shell, a second start and a close.
    for (const UINT heard : {main.taskbar_created, main.show_icon, tray_callback, UINT{WM_CLOSE}})
        ChangeWindowMessageFilterEx(main.window, heard, MSGFLT_ALLOW, nullptr);
    main.mnuPopUp = build_popup_menu();
    fill_tray_icon();
    add_tray_icon();
    try {
        init_globals();
    } catch (const std::exception& failure) {
        Shell_NotifyIconW(NIM_DELETE, &main.tray_icon);
        MessageBoxW(nullptr, to_wide("Quillon Corvane cannot start.\n\n" + std::string(failure.what())).c_str(),
                    L"Quillon Corvane", MB_OK | MB_ICONERROR);
        main.unloading = true;
        DestroyWindow(main.window);
        return false;
    }
    main.busy_ended = GetTickCount();
    PostMessageW(main.window, first_refresh, 0, 0);
    SetTimer(main.window, Timer1, timer_interval, nullptr);
    return true;
}

}  // namespace corvane
