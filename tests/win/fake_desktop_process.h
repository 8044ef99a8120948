#pragma once
// The helper processes of the Windows tests: starting them, finding their windows, and the
// stand-in for the shell's desktop (tests/win/fake_desktop.cpp) in a process of its own.

#include <windows.h>
#include <exdisp.h>

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>

#include "base/win32_handles.h"
#include "shell/com_ptr.h"
#include "shell/desktop_icons.h"
#include "win/fake_desktop_protocol.h"

namespace corvane::testing {

// Polls until the condition holds or 30 s have passed.
template <typename Condition>
bool wait_for(const Condition& condition) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (std::chrono::steady_clock::now() < end) {
        if (condition()) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return condition();
}

struct child_process {
    unique_handle process;
    DWORD id = 0;
};

// A program beside the test executable.
child_process start(const std::string& program, const std::string& arguments);
HWND window_of_process(const wchar_t* class_name, DWORD process_id);

// The stand-in desktop, ended with its windows when the test is done.
class fake_desktop {
public:
    explicit fake_desktop(const std::string& arguments) : child_(start("fake_desktop.exe", arguments)) {
        EXPECT_TRUE(wait_for([&] { return (control_ = window_of_process(L"CorvaneFakeDesktop", child_.id)); }));
        list_view_ = reinterpret_cast<HWND>(SendMessageW(control_, ask_list_view, 0, 0));
    }
    ~fake_desktop() {
        TerminateProcess(child_.process.get(), 0);
        WaitForSingleObject(child_.process.get(), 30000);
    }
    fake_desktop(const fake_desktop&) = delete;
    fake_desktop& operator=(const fake_desktop&) = delete;

    window_handle list_view() const { return reinterpret_cast<window_handle>(list_view_); }
    DWORD process_id() const { return child_.id; }

    // Read by the desktop itself, not through the module under test.
    icon_point position(int index) const {
        const LRESULT packed = SendMessageW(control_, ask_position, index, 0);
        if (packed == -1) return {-1, -1};
        return {static_cast<std::int16_t>(packed & 0xFFFF), static_cast<std::int16_t>((packed >> 16) & 0xFFFF)};
    }

    LRESULT desktop_view_calls() const { return SendMessageW(control_, ask_view_calls, 0, 0); }

    // Committed private memory, which every allocation made for it adds to.
    std::size_t committed_bytes() const {
        const unique_handle process(OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, child_.id));
        std::size_t total = 0;
        MEMORY_BASIC_INFORMATION region{};
        for (auto* at = static_cast<char*>(nullptr);
             VirtualQueryEx(process.get(), at, &region, sizeof region) == sizeof region;
             at = static_cast<char*>(region.BaseAddress) + region.RegionSize) {
            if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE) total += region.RegionSize;
        }
        return total;
    }

    bool is_allocated(std::uintptr_t address) const {
        const unique_handle process(OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, child_.id));
        MEMORY_BASIC_INFORMATION region{};
        return VirtualQueryEx(process.get(), reinterpret_cast<void*>(address), &region, sizeof region) ==
                   sizeof region &&
               region.State == MEM_COMMIT;
    }

private:
    child_process child_;
    HWND control_ = nullptr;
    HWND list_view_ = nullptr;
};

// While it lasts, this process's requests for CLSID_ShellWindows reach the class object of
// a stand-in desktop started with --desktop-view, in its process.
class stand_in_shell_windows_scope {
public:
    stand_in_shell_windows_scope() {
        IClassFactory* factory = nullptr;
        EXPECT_HRESULT_SUCCEEDED(CoGetClassObject(stand_in_shell_windows, CLSCTX_LOCAL_SERVER, nullptr,
                                                  IID_IClassFactory, reinterpret_cast<void**>(&factory)));
        factory_.reset(factory);
        if (factory) {
            EXPECT_HRESULT_SUCCEEDED(CoRegisterClassObject(CLSID_ShellWindows, factory, CLSCTX_INPROC_SERVER,
                                                           REGCLS_MULTIPLEUSE, &cookie_));
        }
    }
    ~stand_in_shell_windows_scope() {
        if (cookie_) CoRevokeClassObject(cookie_);
    }
    stand_in_shell_windows_scope(const stand_in_shell_windows_scope&) = delete;
    stand_in_shell_windows_scope& operator=(const stand_in_shell_windows_scope&) = delete;

private:
    com_ptr<IClassFactory> factory_;
    DWORD cookie_ = 0;
};

}  // namespace corvane::testing
