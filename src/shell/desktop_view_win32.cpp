#include "shell/desktop_view.h"

#include <windows.h>
#include <exdisp.h>
#include <servprov.h>
#include <shlguid.h>
#include <shlobj.h>

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <system_error>
#include <thread>

#include "base/wide.h"
#include "base/win32_handles.h"
#include "shell/com_ptr.h"

namespace corvane {
namespace {

// The interface a call hands out through its last parameter; empty when the call fails or
// hands out nothing (S_FALSE).
template <typename Interface, typename Call>
com_ptr<Interface> obtain(const Call& call) {
    void* raw = nullptr;
    const HRESULT result = call(&raw);
    return com_ptr<Interface>(SUCCEEDED(result) ? static_cast<Interface*>(raw) : nullptr);
}

// Calls into the shell's process have no time limit: a shell that has stopped answering its
// messages is not called at all.
bool shell_is_hung() {
    for (const HWND window : {GetShellWindow(), FindWindowW(L"Progman", nullptr)})
        if (window && IsHungAppWindow(window)) return true;
    return false;
}

// The shell's desktop window, its browser and the browser's active view, each step only
// when the one before answered.
com_ptr<IShellView> desktop_shell_view() {
    if (shell_is_hung()) return {};
    const auto windows = obtain<IShellWindows>([](void** out) {
        return CoCreateInstance(CLSID_ShellWindows, nullptr, CLSCTX_ALL, IID_IShellWindows, out);
    });
    if (!windows) return {};
    VARIANT location{};
    location.vt = VT_I4;
    location.lVal = CSIDL_DESKTOP;
    VARIANT no_root{};
    no_root.vt = VT_EMPTY;
    LONG window = 0;
    const auto desktop = obtain<IDispatch>([&](void** out) {
        return windows.get()->FindWindowSW(&location, &no_root, SWC_DESKTOP, &window, SWFO_NEEDDISPATCH,
                                           reinterpret_cast<IDispatch**>(out));
    });
    if (!desktop) return {};
    const auto services = obtain<IServiceProvider>(
        [&](void** out) { return desktop.get()->QueryInterface(IID_IServiceProvider, out); });
    if (!services) return {};
    const auto browser = obtain<IShellBrowser>([&](void** out) {
        return services.get()->QueryService(SID_STopLevelBrowser, IID_IShellBrowser, out);
    });
    if (!browser) return {};
    return obtain<IShellView>(
        [&](void** out) { return browser.get()->QueryActiveShellView(reinterpret_cast<IShellView**>(out)); });
}

com_ptr<IFolderView> desktop_folder_view() {
    const auto view = desktop_shell_view();
    if (!view) return {};
    return obtain<IFolderView>([&](void** out) { return view.get()->QueryInterface(IID_IFolderView, out); });
}

// The view's item for the file name, parsed by the view's own folder.
co_task_memory<PIDLIST_RELATIVE> view_item(IFolderView* view, const std::string& link_file_name) {
    const auto folder =
        obtain<IShellFolder>([&](void** out) { return view->GetFolder(IID_IShellFolder, out); });
    if (!folder) return {};
    std::wstring name = to_wide(link_file_name);
    // Some proxies refuse null for these two optional parameters.
    ULONG eaten = 0;
    ULONG attributes = 0;
    PIDLIST_RELATIVE item = nullptr;
    if (FAILED(folder.get()->ParseDisplayName(nullptr, nullptr, name.data(), &eaten, &item, &attributes)))
        return {};
    return co_task_memory<PIDLIST_RELATIVE>(item);
}

// The view and the item in it, or nothing.
struct view_and_item {
    com_ptr<IFolderView> view;
    co_task_memory<PIDLIST_RELATIVE> item;
};

view_and_item find(const std::string& link_file_name) {
    view_and_item found;
    found.view = desktop_folder_view();
    if (found.view) found.item = view_item(found.view.get(), link_file_name);
    return found;
}

// Has the shell's own dispatch object start the program.
bool start_program(const std::string& program_path, const std::string& arguments) {
    const auto view = desktop_shell_view();
    if (!view) return false;
    const auto background = obtain<IDispatch>(
        [&](void** out) { return view.get()->GetItemObject(SVGIO_BACKGROUND, IID_IDispatch, out); });
    if (!background) return false;
    const auto folder_view = obtain<IShellFolderViewDual>(
        [&](void** out) { return background.get()->QueryInterface(IID_IShellFolderViewDual, out); });
    if (!folder_view) return false;
    const auto application =
        obtain<IDispatch>([&](void** out) { return folder_view.get()->get_Application(reinterpret_cast<IDispatch**>(out)); });
    if (!application) return false;
    const auto shell = obtain<IShellDispatch2>(
        [&](void** out) { return application.get()->QueryInterface(IID_IShellDispatch2, out); });
    if (!shell) return false;
    const unique_bstr file(SysAllocString(to_wide(program_path).c_str()));
    if (!file) return false;
    const unique_bstr text(SysAllocString(to_wide(arguments).c_str()));
    if (!text) return false;
    VARIANT none{};
    none.vt = VT_EMPTY;
    VARIANT given{};
    given.vt = VT_BSTR;
    given.bstrVal = text.get();
    VARIANT show{};
    show.vt = VT_I4;
    show.lVal = SW_SHOWNORMAL;
    return SUCCEEDED(shell.get()->ShellExecute(file.get(), given, none, none, show));
}

// Once the view has not answered in time, it is left alone for a while and the list view
// serves; a call may hang inside the shell's process with no limit of its own.
constexpr std::chrono::milliseconds view_answer_limit{1000};
constexpr std::chrono::milliseconds program_start_limit{10000};
constexpr std::chrono::minutes view_rest{5};
std::chrono::steady_clock::time_point view_rests_until{};
std::shared_ptr<void> stuck_answer;  // the event of the last call abandoned

// The call on a thread and in an apartment of its own, waited for a second at most. A thread
// still blocked in the shell is abandoned: it owns what it writes, and nothing waits for it,
// not even the program's exit.
template <typename Result>
std::optional<Result> asked_in_time(std::function<std::optional<Result>()> call,
                                    std::chrono::milliseconds limit = view_answer_limit) {
    // One thread stuck in the shell at a time: while it is, the view rests on.
    if (stuck_answer && WaitForSingleObject(stuck_answer.get(), 0) == WAIT_TIMEOUT)
        view_rests_until = std::max(view_rests_until, std::chrono::steady_clock::now() + view_rest);
    if (std::chrono::steady_clock::now() < view_rests_until) return std::nullopt;
    struct request {
        unique_handle answered{CreateEventW(nullptr, TRUE, FALSE, nullptr)};
        std::function<std::optional<Result>()> call;
        std::optional<Result> answer;
    };
    const auto shared = std::make_shared<request>();
    if (!shared->answered) return std::nullopt;
    shared->call = std::move(call);
    try {
        std::thread([shared] {
            if (SUCCEEDED(CoInitializeEx(nullptr, COINIT_MULTITHREADED))) {
                shared->answer = shared->call();
                CoUninitialize();
            }
            SetEvent(shared->answered.get());
        }).detach();
    } catch (const std::system_error&) {
        return std::nullopt;  // no thread to be had: the list view serves
    }
    if (WaitForSingleObject(shared->answered.get(), static_cast<DWORD>(limit.count())) == WAIT_OBJECT_0)
        return shared->answer;
    view_rests_until = std::chrono::steady_clock::now() + view_rest;
    stuck_answer = std::shared_ptr<void>(shared, shared->answered.get());
    return std::nullopt;
}

}  // namespace

std::optional<icon_point> desktop_view_icon_position(const std::string& link_file_name) {
    return asked_in_time<icon_point>([link_file_name]() -> std::optional<icon_point> {
        const view_and_item found = find(link_file_name);
        POINT point{};
        if (!found.item || FAILED(found.view.get()->GetItemPosition(found.item.get(), &point))) return std::nullopt;
        return icon_point{point.x, point.y};
    });
}

bool desktop_view_move_icon(const std::string& link_file_name, icon_point position) {
    return asked_in_time<bool>([link_file_name, position]() -> std::optional<bool> {
        const view_and_item found = find(link_file_name);
        if (!found.item) return std::nullopt;
        PCUITEMID_CHILD items[] = {found.item.get()};
        POINT point{position.x, position.y};
        if (FAILED(found.view.get()->SelectAndPositionItems(1, items, &point, SVSI_POSITIONITEM))) return std::nullopt;
        return true;
    }).has_value();
}

void desktop_view_rest_ends() {
    view_rests_until = {};
    stuck_answer.reset();
}

bool desktop_view_start_program(const std::string& program_path, const std::string& arguments) {
    // The shell's own start of a program may take seconds at sign-in.
    return asked_in_time<bool>([program_path, arguments]() -> std::optional<bool> {
               return start_program(program_path, arguments);
           }, program_start_limit).value_or(false);
}

}  // namespace corvane
