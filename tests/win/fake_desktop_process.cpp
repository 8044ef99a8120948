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

}  // namespace corvane::testing
