#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <vector>

#include "base/text.h"
#include "base/win32_handles.h"
#include "fatal/g_errors.h"
#include "shell/desktop_icons.h"
#include "shell/desktop_view.h"

namespace corvane {
namespace {

// The request structures as the list view's owner lays them out: a 64-bit shell reads
// 8-byte text pointers at other offsets than a 32-bit one.
struct item_request_32 {
    std::uint32_t mask, item, sub_item, state, state_mask, text;
    std::int32_t text_max, image;
    std::uint32_t param;
    std::int32_t indent;
};
struct item_request_64 {
    std::uint32_t mask, item, sub_item, state, state_mask;
    std::uint64_t text;
    std::int32_t text_max, image;
    std::uint64_t param;
    std::int32_t indent;
};
static_assert(sizeof(item_request_32) == 40);
static_assert(sizeof(item_request_64) == 56 && offsetof(item_request_64, text) == 24 &&
              offsetof(item_request_64, text_max) == 32 && offsetof(item_request_64, param) == 40);
// Our own 64-bit build must agree with the system's headers.
static_assert(sizeof(void*) != 8 || (offsetof(LVITEMW, pszText) == offsetof(item_request_64, text) &&
                                     offsetof(LVITEMW, lParam) == offsetof(item_request_64, param)));

constexpr DWORD buffer_process_access = PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE;
static_assert(buffer_process_access == 0x38);
// Labels are asked for in UTF-16, so that a name in any script comes back whole.
constexpr std::size_t text_chars = 255;
constexpr std::size_t text_bytes = text_chars * sizeof(char16_t);

struct local_requests {
    item_request_32 item_32{};
    item_request_64 item_64{};
    char16_t text[text_chars + 1]{};
};

list_view_access& state() {
    static list_view_access access;
    return access;
}

local_requests& requests() {
    static local_requests local;
    return local;
}

HWND as_window(window_handle window) { return reinterpret_cast<HWND>(window); }

// A hung shell must not hang the program: its answer is waited for two seconds at most, and
// not at all once the system counts it as not responding. No answer reads as 0, as from a
// desktop that is not there; the window is not asked again until the next refresh.
LRESULT send_to(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    list_view_access& access = state();
    const auto handle = reinterpret_cast<window_handle>(window);
    if (handle && handle == access.silent_window) return 0;
    // Counted as not responding, it is sent nothing, and no buffer can be pending on it.
    if (IsHungAppWindow(window)) {
        access.silent_window = handle;
        return 0;
    }
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutA(window, message, wparam, lparam, SMTO_ABORTIFHUNG, 2000, &result)) {
        access.silent_window = handle;
        access.request_pending = true;
        return 0;
    }
    return static_cast<LRESULT>(result);
}

LRESULT send(UINT message, WPARAM wparam, LPARAM lparam) {
    return send_to(as_window(state().list_view_window), message, wparam, lparam);
}

bool is_wow64(HANDLE process) {
    BOOL wow64 = FALSE;
    return IsWow64Process(process, &wow64) && wow64;
}

bool owner_is_64_bit(DWORD process_id) {
    constexpr bool we_are_64_bit = sizeof(void*) == 8;
    // Only for the question; the buffers keep their own, narrower handles.
    const unique_handle owner(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, process_id));
    if (!owner) return we_are_64_bit;
    const bool system_is_64_bit = we_are_64_bit || is_wow64(GetCurrentProcess());
    return system_is_64_bit && !is_wow64(owner.get());
}

// The shared text buffer's first count characters (at most its size), decoded.
std::string read_shared_text(std::size_t count) {
    local_requests& local = requests();
    std::memset(local.text, 0, sizeof local.text);
    shared_read(state().shared_text, local.text, std::min(count, text_chars) * sizeof(char16_t));
    return wide_to_text(local.text);
}

template <typename Request>
void write_request(Request& request) {
    shared_write(state().shared_item, &request, sizeof request);
}

template <typename Request>
void prepare_item(Request& request, int column) {
    request.mask = LVIF_TEXT;
    request.sub_item = static_cast<std::uint32_t>(column - 1);
    request.text = static_cast<decltype(request.text)>(state().shared_text.address);
    request.text_max = static_cast<std::int32_t>(text_chars);
    write_request(request);
}

// The list view under a top-level window, through its "SHELLDLL_DefView" child.
HWND list_view_under(HWND top) {
    if (!top) return nullptr;
    const HWND view = FindWindowExA(top, nullptr, "shelldll_defview", nullptr);
    if (!view) return nullptr;
    return FindWindowExA(view, nullptr, "syslistview32", nullptr);
}

// In "Progman" first; current shells often move the view into a top-level "WorkerW".
// A step that finds nothing ends the search: a search among the top-level windows could
// only find some other program's list view.
HWND find_desktop_list_view() {
    if (const HWND view = list_view_under(FindWindowA("progman", nullptr))) return view;
    for (HWND worker = FindWindowExA(nullptr, nullptr, "workerw", nullptr); worker;
         worker = FindWindowExA(nullptr, worker, "workerw", nullptr))
        if (const HWND view = list_view_under(worker)) return view;
    return nullptr;
}

// The shared buffers of one access, closed on every way out.
class shared_buffers_scope {
public:
    explicit shared_buffers_scope(window_handle list_view) {
        set_fatal_error_filter();
        open_shared_buffers(list_view);
    }
    ~shared_buffers_scope() { close_shared_buffers(); }
    shared_buffers_scope(const shared_buffers_scope&) = delete;
    shared_buffers_scope& operator=(const shared_buffers_scope&) = delete;
};

std::int32_t attach_for_items(window_handle list_view) {
    list_view_info info;
    info.window = list_view;
    attach_list_view(info);
    return info.item_total;
}

// One access to the desktop's list view. The buffers' owner is complete before attaching,
// which may throw, so that they are closed whatever happens.
class desktop_access {
public:
    desktop_access()
        : window_(reinterpret_cast<window_handle>(find_desktop_list_view())),
          buffers_(window_),
          item_total_(attach_for_items(window_)) {}

    // The first item whose label + ".lnk" is the name, letter case included; 0 for none.
    int find(const std::string& link_file_name) const {
        for (int item = 1; item <= item_total_; ++item)
            if (get_item_text(item, 1) + ".lnk" == link_file_name) return item;
        return 0;
    }
    HWND window() const { return as_window(window_); }
    std::int32_t item_total() const { return item_total_; }

private:
    window_handle window_;
    shared_buffers_scope buffers_;
    std::int32_t item_total_ = 0;
};

}  // namespace

const list_view_access& list_view_state() { return state(); }

bool attach_list_view(list_view_info& info) {
    list_view_access& access = state();
    access.list_view_window = info.window;
    const HWND window = as_window(info.window);
    if (!IsWindow(window)) {
        access.list_view_window = 0;
        return false;
    }
    info.class_name = window_class_name(info.window);
    if (upper_case(info.class_name).find("LISTVIEW") == std::string::npos) {
        info.window = 0;
        info.item_total = 0;
        access.list_view_window = 0;
        return false;
    }
    info.item_total = static_cast<std::int32_t>(send(LVM_GETITEMCOUNT, 0, 0));
    return true;
}

void open_shared_buffers(window_handle list_view) {
    list_view_access& access = state();
    DWORD process_id = 0;
    GetWindowThreadProcessId(as_window(list_view), &process_id);
    access.owner_process_id = process_id;
    access.owner_is_64_bit = owner_is_64_bit(process_id);
    access.shared_item =
        shared_alloc(access.owner_is_64_bit ? sizeof(item_request_64) : sizeof(item_request_32), process_id);
    access.shared_text = shared_alloc(text_bytes, process_id);
    access.shared_point = shared_alloc(sizeof(POINT), process_id);
}

void close_shared_buffers() {
    list_view_access& access = state();
    const auto release = access.request_pending ? shared_abandon : shared_free;
    release(access.shared_item);
    release(access.shared_text);
    release(access.shared_point);
    access.request_pending = false;
}

void desktop_may_answer_again() { state().silent_window = 0; }

std::string get_item_text(int item, int column) {
    list_view_access& access = state();
    if (!access.list_view_window || !access.shared_item.address || !access.shared_text.address) return {};
    if (access.owner_is_64_bit) {
        prepare_item(requests().item_64, column);
    } else {
        prepare_item(requests().item_32, column);
    }
    access.last_result = send(LVM_GETITEMTEXTW, item - 1, static_cast<LPARAM>(access.shared_item.address));
    if (access.last_result <= 0) return {};
    return read_shared_text(static_cast<std::size_t>(access.last_result));
}

icon_point get_item_position(int item) {
    list_view_access& access = state();
    if (!access.list_view_window || !access.shared_point.address) return {};
    access.last_result = send(LVM_GETITEMPOSITION, item - 1, static_cast<LPARAM>(access.shared_point.address));
    if (access.last_result <= 0) return {};
    POINT point{};
    shared_read(access.shared_point, &point, sizeof point);
    return {point.x, point.y};
}

bool is_nt_platform() {
    list_view_access& access = state();
    if (access.platform_known) return access.platform_is_nt;
    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof version;
    static_assert(sizeof version == 148);
    if (!GetVersionExA(&version)) return false;
    access.platform_known = true;
    access.platform_is_nt = version.dwPlatformId == VER_PLATFORM_WIN32_NT;
    return access.platform_is_nt;
}

shared_buffer shared_alloc(std::size_t size, std::uint32_t process_id) {
    shared_buffer buffer;
    buffer.size = size;
    if (is_nt_platform()) {
        const HANDLE process = OpenProcess(buffer_process_access, FALSE, process_id);
        buffer.handle = reinterpret_cast<std::uintptr_t>(process);
        if (process)
            buffer.address = reinterpret_cast<std::uintptr_t>(
                VirtualAllocEx(process, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
    } else {
        // That family maps a page-file view at the same address in every process.
        buffer.mapped = true;
        const HANDLE mapping =
            CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, static_cast<DWORD>(size), nullptr);
        buffer.handle = reinterpret_cast<std::uintptr_t>(mapping);
        if (mapping) buffer.address = reinterpret_cast<std::uintptr_t>(MapViewOfFile(mapping, FILE_MAP_ALL_ACCESS, 0, 0, 0));
    }
    return buffer;
}

void shared_free(shared_buffer& buffer) {
    const HANDLE handle = reinterpret_cast<HANDLE>(buffer.handle);
    void* const address = reinterpret_cast<void*>(buffer.address);
    if (buffer.mapped) {
        if (address) UnmapViewOfFile(address);
    } else if (address) {
        VirtualFreeEx(handle, address, 0, MEM_RELEASE);
    }
    if (handle) CloseHandle(handle);
    buffer.handle = 0;
    buffer.address = 0;
    buffer.size = 0;
}

void shared_abandon(shared_buffer& buffer) {
    // The memory stays the shell's, or a view stays mapped here, for its late answer.
    if (buffer.handle) CloseHandle(reinterpret_cast<HANDLE>(buffer.handle));
    buffer.handle = 0;
    buffer.address = 0;
    buffer.size = 0;
}

void shared_read(const shared_buffer& buffer, void* local, std::size_t count) {
    if (!buffer.address) return;
    count = std::min(count, buffer.size);
    if (buffer.mapped) {
        std::memmove(local, reinterpret_cast<const void*>(buffer.address), count);
    } else {
        SIZE_T copied = 0;
        ReadProcessMemory(reinterpret_cast<HANDLE>(buffer.handle), reinterpret_cast<const void*>(buffer.address),
                          local, count, &copied);
    }
}

void shared_write(const shared_buffer& buffer, const void* local, std::size_t count) {
    if (!buffer.address) return;
    count = std::min(count, buffer.size);
    if (buffer.mapped) {
        std::memmove(reinterpret_cast<void*>(buffer.address), local, count);
    } else {
        SIZE_T copied = 0;
        WriteProcessMemory(reinterpret_cast<HANDLE>(buffer.handle), reinterpret_cast<void*>(buffer.address), local,
                           count, &copied);
    }
}

std::string window_class_name(window_handle window) {
    char name[64]{};
    const int length = GetClassNameA(as_window(window), name, 63);
    return length > 0 ? std::string(name, static_cast<std::size_t>(length)) : std::string();
}

std::optional<icon_point> get_desktop_icon_position(const std::string& link_file_name) {
    if (const auto position = desktop_view_icon_position(link_file_name)) return position;
    const desktop_access access;
    const int item = access.find(link_file_name);
    if (!item) return std::nullopt;
    const icon_point position = get_item_position(item);
    if (list_view_state().last_result <= 0) return std::nullopt;
    return position;
}

namespace {

BOOL CALLBACK add_work_area(HMONITOR monitor, HDC, LPRECT, LPARAM areas) {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (GetMonitorInfoW(monitor, &info))
        reinterpret_cast<std::vector<screen_rect>*>(areas)->push_back(
            {info.rcWork.left, info.rcWork.top, info.rcWork.right, info.rcWork.bottom});
    return TRUE;
}

display_info display_of(HWND list_view) {
    const int left = GetSystemMetrics(SM_XVIRTUALSCREEN), top = GetSystemMetrics(SM_YVIRTUALSCREEN);
    const UINT dpi = list_view ? GetDpiForWindow(list_view) : 0;
    return {{left, top, left + GetSystemMetrics(SM_CXVIRTUALSCREEN), top + GetSystemMetrics(SM_CYVIRTUALSCREEN)},
            static_cast<std::int32_t>(dpi ? dpi : GetDpiForSystem())};
}

}  // namespace

std::optional<desktop_layout> read_desktop_layout() {
    const desktop_access access;
    const HWND view = access.window();
    if (!view) return std::nullopt;
    desktop_layout desktop;
    desktop.answered = list_view_state().silent_window != reinterpret_cast<window_handle>(view);
    // Reading the window's style asks nothing of the shell's process. The view's own: its
    // parents are not shown yet at sign-in.
    const LONG_PTR style = GetWindowLongPtrW(view, GWL_STYLE);
    desktop.icons_hidden = !(style & WS_VISIBLE);
    desktop.auto_arrange = style & LVS_AUTOARRANGE;
    if (desktop.icons_hidden || desktop.auto_arrange) return desktop;
    desktop.display = display_of(view);
    EnumDisplayMonitors(nullptr, nullptr, add_work_area, reinterpret_cast<LPARAM>(&desktop.work_areas));
    POINT origin{};
    ClientToScreen(view, &origin);
    desktop.origin = {origin.x, origin.y};
    const auto spacing = static_cast<DWORD>(send(LVM_GETITEMSPACING, FALSE, 0));
    desktop.spacing = {LOWORD(spacing), HIWORD(spacing)};
    for (int item = 1; item <= access.item_total() && desktop.answered; ++item) {
        desktop.items.push_back({get_item_text(item, 1), get_item_position(item)});
        desktop.answered = list_view_state().last_result > 0;
    }
    return desktop;
}

display_info current_display() { return display_of(find_desktop_list_view()); }

void set_desktop_icon_position(const std::string& link_file_name, icon_point position) {
    if (desktop_view_move_icon(link_file_name, position)) return;
    const desktop_access access;
    if (const int item = access.find(link_file_name))
        send_to(access.window(), LVM_SETITEMPOSITION, item - 1, pack_icon_point(position));
}

}  // namespace corvane
