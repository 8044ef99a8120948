#pragma once
// The helper processes of the Windows tests: starting them, reading their windows, and the
// stand-in for the shell's desktop (fake_desktop.cpp) in a process of its own.

#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>

#include "base/win32_handles.h"
#include "shell/desktop_icons.h"
#include "win/fake_desktop_protocol.h"

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

// A program beside the test executable.
child_process start(const std::string& program, const std::string& arguments);
HWND window_of_process(const wchar_t* class_name, DWORD process_id);
std::string window_text(HWND window);
// The longest text of the window's controls.
std::string longest_text(HWND window);

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
    // Committed private memory, which every allocation made for it adds to.
    std::size_t committed_bytes() const;
    bool is_allocated(std::uintptr_t address) const;

private:
    child_process child_;
    HWND control_ = nullptr;
    HWND list_view_ = nullptr;
};

}  // namespace corvane::testing
