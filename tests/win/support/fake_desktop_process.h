#pragma once
// The helper processes of the Windows tests: starting them, reading their windows, and the
// stand-in for the shell's desktop (fake_desktop.cpp) in a process of its own.

#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>

#include "base/process_paths.h"
#include "base/wide.h"
#include "base/win32_handles.h"
#include "shell/desktop_icons.h"
#include "win/support/fake_desktop_protocol.h"

namespace corvane::testing {

// Polls until the condition holds or 30 s have passed.
bool wait_for(const auto& condition) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (!condition()) {
        if (std::chrono::steady_clock::now() > end) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
}

struct child_process {
    unique_handle process;
    DWORD id = 0;
};

// The stand-in desktop, ended with its windows when the test is done.
class fake_desktop {
public:
    explicit fake_desktop(const std::string& arguments);
    ~fake_desktop() {
        TerminateProcess(child_.process.get(), 0);
        WaitForSingleObject(child_.process.get(), 30000);
    }
    fake_desktop(const fake_desktop&) = delete;
    fake_desktop& operator=(const fake_desktop&) = delete;

    window_handle list_view() const { return reinterpret_cast<window_handle>(list_view_); }
    DWORD process_id() const { return child_.id; }
    // Read by the desktop itself, not through the module under test; {-1, -1} for no item.
    icon_point position(int index) const;
    icon_point position(const std::string& label) const;
    // Committed private memory, which every allocation made for it adds to.
    std::size_t committed_bytes() const;
    bool is_allocated(std::uintptr_t address) const;

private:
    child_process child_;
    HWND control_ = nullptr;
    HWND list_view_ = nullptr;
};

// A program beside the test executable.
inline child_process start(const std::string& program, const std::string& arguments) {
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

inline HWND window_of_process(const wchar_t* class_name, DWORD process_id) {
    for (HWND window = FindWindowExW(nullptr, nullptr, class_name, nullptr); window;
         window = FindWindowExW(nullptr, window, class_name, nullptr)) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == process_id) return window;
    }
    return nullptr;
}

inline std::string window_text(HWND window) {
    wchar_t text[1024]{};
    GetWindowTextW(window, text, 1023);
    return from_wide(text);
}

// The longest text of the window's static controls, as a message box shows its message.
inline std::string longest_text(HWND window) {
    std::string longest;
    for (HWND part = FindWindowExW(window, nullptr, L"Static", nullptr); part;
         part = FindWindowExW(window, part, L"Static", nullptr)) {
        if (const std::string text = window_text(part); text.size() > longest.size()) longest = text;
    }
    return longest;
}

inline fake_desktop::fake_desktop(const std::string& arguments) : child_(start("fake_desktop.exe", arguments)) {
    EXPECT_TRUE(wait_for([&] { return (control_ = window_of_process(L"CorvaneFakeDesktop", child_.id)); }));
    list_view_ = reinterpret_cast<HWND>(SendMessageW(control_, ask_list_view, 0, 0));
}

inline icon_point unpacked_position(LRESULT packed) {
    if (packed == -1) return {-1, -1};
    return {static_cast<std::int16_t>(packed & 0xFFFF), static_cast<std::int16_t>((packed >> 16) & 0xFFFF)};
}

inline icon_point fake_desktop::position(int index) const {
    return unpacked_position(SendMessageW(control_, ask_position, index, 0));
}

inline icon_point fake_desktop::position(const std::string& label) const {
    const ATOM atom = GlobalAddAtomW(to_wide(label).c_str());
    const LRESULT packed = SendMessageW(control_, ask_position_of, atom, 0);
    GlobalDeleteAtom(atom);
    return unpacked_position(packed);
}

inline std::size_t fake_desktop::committed_bytes() const {
    const unique_handle process(OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, child_.id));
    std::size_t total = 0;
    MEMORY_BASIC_INFORMATION region{};
    for (auto* at = static_cast<char*>(nullptr); VirtualQueryEx(process.get(), at, &region, sizeof region);
         at = static_cast<char*>(region.BaseAddress) + region.RegionSize) {
        if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE) total += region.RegionSize;
    }
    return total;
}

inline bool fake_desktop::is_allocated(std::uintptr_t address) const {
    const unique_handle process(OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, child_.id));
    MEMORY_BASIC_INFORMATION region{};
    return VirtualQueryEx(process.get(), reinterpret_cast<void*>(address), &region, sizeof region) &&
           region.State == MEM_COMMIT;
}

}  // namespace corvane::testing
