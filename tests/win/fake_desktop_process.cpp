#include "win/fake_desktop_process.h"

#include "base/process_paths.h"
#include "base/wide.h"

namespace corvane::testing {

child_process start(const std::string& program, const std::string& arguments) {
    // Beside the test executable, wherever a test has bound the application folder.
    const std::string exe = executable_path();
    const std::string folder = exe.substr(0, exe.rfind(path_separator));
    std::wstring command = L"\"" + to_wide(join_path(folder, program)) + L"\" " + to_wide(arguments);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    EXPECT_TRUE(CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info))
        << program;
    CloseHandle(info.hThread);
    return {unique_handle(info.hProcess), info.dwProcessId};
}

HWND window_of_process(const wchar_t* class_name, DWORD process_id) {
    for (HWND window = FindWindowExW(nullptr, nullptr, class_name, nullptr); window;
         window = FindWindowExW(nullptr, window, class_name, nullptr)) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == process_id) return window;
    }
    return nullptr;
}

std::string window_text(HWND window) {
    wchar_t text[1024]{};
    GetWindowTextW(window, text, 1023);
    return from_wide(text);
}

std::string longest_text(HWND window) {
    std::string longest;
    EnumChildWindows(
        window,
        [](HWND child, LPARAM found) {
            std::string& longest = *reinterpret_cast<std::string*>(found);
            if (const std::string text = window_text(child); text.size() > longest.size()) longest = text;
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&longest));
    return longest;
}

fake_desktop::fake_desktop(const std::string& arguments) : child_(start("fake_desktop.exe", arguments)) {
    EXPECT_TRUE(wait_for([&] { return (control_ = window_of_process(L"CorvaneFakeDesktop", child_.id)); }));
    list_view_ = reinterpret_cast<HWND>(SendMessageW(control_, ask_list_view, 0, 0));
}

icon_point fake_desktop::position(int index) const {
    const LRESULT packed = SendMessageW(control_, ask_position, index, 0);
    if (packed == -1) return {-1, -1};
    return {static_cast<std::int16_t>(packed & 0xFFFF), static_cast<std::int16_t>((packed >> 16) & 0xFFFF)};
}

std::size_t fake_desktop::committed_bytes() const {
    const unique_handle process(OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, child_.id));
    std::size_t total = 0;
    MEMORY_BASIC_INFORMATION region{};
    for (auto* at = static_cast<char*>(nullptr); VirtualQueryEx(process.get(), at, &region, sizeof region);
         at = static_cast<char*>(region.BaseAddress) + region.RegionSize) {
        if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE) total += region.RegionSize;
    }
    return total;
}

bool fake_desktop::is_allocated(std::uintptr_t address) const {
    const unique_handle process(OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, child_.id));
    MEMORY_BASIC_INFORMATION region{};
    return VirtualQueryEx(process.get(), reinterpret_cast<void*>(address), &region, sizeof region) &&
           region.State == MEM_COMMIT;
}

}  // namespace corvane::testing
