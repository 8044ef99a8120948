// The Windows side of the end-to-end tests (tray_test.sh, installer_test.sh):
//   folders                          prints the user's Desktop, Recent and local application
//                                    data folders, a line each
//   shortcut LINK TARGET SECONDS [DESCRIPTION]
//                                    saves a shortcut through the shell, last written SECONDS ago
//   message TITLE                    waits for a message box of that title, prints its text and
//                                    presses its OK button
//   text CLASS                       prints the text of the first EDIT box of that form
//   has TITLE TEXT                   succeeds when a window of that title holds a control
//                                    showing that text
//   hold-mutex SECONDS               holds the program's one-copy mutex as an elevated copy
//                                    does, granting a normal start no access, and prints "held"
//   probe-mutex                      prints the error a normal start meets on that mutex

#include <windows.h>
#include <shlobj.h>

#include <cstdio>
#include <string>

#include "base/wide.h"
#include "shell/com_apartment.h"
#include "shell/shortcut_files.h"
#include "win/fake_desktop_process.h"

namespace {

using namespace corvane;

void print(const std::string& text) { std::fputs((text + "\n").c_str(), stdout); }

std::string folder(int id) {
    wchar_t path[MAX_PATH]{};
    SHGetFolderPathW(nullptr, id, nullptr, SHGFP_TYPE_CURRENT, path);
    return from_wide(path);
}

int shortcut(const std::wstring& link, const std::wstring& target, int seconds_ago, const std::wstring& description) {
    corvane::testing::save_shortcut(from_wide(link), from_wide(target), from_wide(description));
    FILETIME now{};
    GetSystemTimeAsFileTime(&now);
    ULARGE_INTEGER ticks{{now.dwLowDateTime, now.dwHighDateTime}};
    ticks.QuadPart -= static_cast<ULONGLONG>(seconds_ago) * 10000000;
    const FILETIME written{ticks.LowPart, ticks.HighPart};
    const unique_file file(
        CreateFileW(link.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    return file && SetFileTime(file.get(), nullptr, nullptr, &written) ? 0 : 1;
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

int hold_mutex(int seconds) {
    SECURITY_DESCRIPTOR descriptor{};
    ACL nobody{};
    InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION);
    InitializeAcl(&nobody, sizeof nobody, ACL_REVISION);
    SetSecurityDescriptorDacl(&descriptor, TRUE, &nobody, FALSE);
    SECURITY_ATTRIBUTES attributes{sizeof attributes, &descriptor, FALSE};
    const unique_handle mutex(CreateMutexW(&attributes, FALSE, L"Local\\QuillonCorvane.OneCopy"));
    if (!mutex || GetLastError() == ERROR_ALREADY_EXISTS) return 1;
    print("held");
    std::fflush(stdout);
    Sleep(static_cast<DWORD>(seconds) * 1000);
    return 0;
}

int probe_mutex() {
    const unique_handle mutex(CreateMutexW(nullptr, FALSE, L"Local\\QuillonCorvane.OneCopy"));
    print(std::to_string(GetLastError()));
    return 0;
}

// WM_GETTEXT, unlike GetWindowText, reads a control of another process.
int text(const std::wstring& form_class) {
    const HWND form = FindWindowW(form_class.c_str(), nullptr);
    const HWND box = form ? FindWindowExW(form, nullptr, L"EDIT", nullptr) : nullptr;
    if (!box) return 1;
    std::wstring content(static_cast<std::size_t>(SendMessageW(box, WM_GETTEXTLENGTH, 0, 0)) + 1, L'\0');
    SendMessageW(box, WM_GETTEXT, content.size(), reinterpret_cast<LPARAM>(content.data()));
    print(from_wide(content.c_str()));
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
    if (command == L"shortcut" && (count == 5 || count == 6))
        return shortcut(arguments[2], arguments[3], std::stoi(arguments[4]), count == 6 ? arguments[5] : L"");
    if (command == L"message" && count == 3) return message(arguments[2]);
    if (command == L"text" && count == 3) return text(arguments[2]);
    if (command == L"has" && count == 4) return has(arguments[2], arguments[3]);
    if (command == L"hold-mutex" && count == 3) return hold_mutex(std::stoi(arguments[2]));
    if (command == L"probe-mutex" && count == 2) return probe_mutex();
    std::fputs("usage: tray_helper folders | shortcut LINK TARGET SECONDS [DESCRIPTION] | message TITLE | text CLASS | "
               "has TITLE TEXT | hold-mutex SECONDS | probe-mutex\n", stderr);
    return 2;
}
