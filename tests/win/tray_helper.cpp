// The Windows side of the end-to-end tests (tests/win/tray_test.sh, installer_test.sh):
//   folders                          prints the user's Desktop and Recent folders, a line each
//   shortcut LINK TARGET SECONDS [DESCRIPTION]
//                                    saves a shortcut through the shell, last written SECONDS ago
//   message TITLE                    waits for a message box of that title, prints its text and
//                                    presses its OK button
//   text CLASS                       prints the text of the first EDIT box of that form
//   has TITLE TEXT                   succeeds when a window of that title holds a control
//                                    showing that text

#include <windows.h>
#include <shlobj.h>

#include <cstdio>
#include <string>
#include <utility>

#include "base/wide.h"
#include "shell/com_apartment.h"
#include "shell/shortcut_files.h"

namespace {

using namespace corvane;

void print(const std::string& text) { std::fputs((text + "\n").c_str(), stdout); }

std::string folder(int id) {
    wchar_t path[MAX_PATH]{};
    SHGetFolderPathW(nullptr, id, nullptr, SHGFP_TYPE_CURRENT, path);
    return from_wide(path);
}

int shortcut(const std::wstring& link, const std::wstring& target, int seconds_ago, const std::wstring& description) {
    testing::save_shortcut(from_wide(link), from_wide(target), from_wide(description));
    FILETIME now{};
    GetSystemTimeAsFileTime(&now);
    ULARGE_INTEGER ticks{{now.dwLowDateTime, now.dwHighDateTime}};
    ticks.QuadPart -= static_cast<ULONGLONG>(seconds_ago) * 10000000;
    const FILETIME written{ticks.LowPart, ticks.HighPart};
    const HANDLE file = CreateFileW(link.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                                    nullptr);
    const bool set = file != INVALID_HANDLE_VALUE && SetFileTime(file, nullptr, nullptr, &written);
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
    return set ? 0 : 1;
}

BOOL CALLBACK longest_text(HWND child, LPARAM found) {
    wchar_t text[1024]{};
    GetWindowTextW(child, text, 1023);
    auto& longest = *reinterpret_cast<std::wstring*>(found);
    if (wcslen(text) > longest.size()) longest = text;
    return TRUE;
}

int message(const std::wstring& title) {
    for (int tries = 0; tries < 300; ++tries) {
        if (const HWND box = FindWindowW(L"#32770", title.c_str())) {
            std::wstring text;
            EnumChildWindows(box, longest_text, reinterpret_cast<LPARAM>(&text));
            if (!text.empty()) {
                print(from_wide(text));
                PostMessageW(box, WM_COMMAND, IDOK, 0);
                return 0;
            }
        }
        Sleep(100);
    }
    return 1;
}

BOOL CALLBACK same_text(HWND child, LPARAM wanted) {
    wchar_t text[1024]{};
    GetWindowTextW(child, text, 1023);
    auto& found = *reinterpret_cast<std::pair<std::wstring, bool>*>(wanted);
    found.second = found.second || found.first == text;
    return TRUE;
}

int has(const std::wstring& title, const std::wstring& text) {
    std::pair<std::wstring, bool> found{text, false};
    if (const HWND window = FindWindowW(nullptr, title.c_str()))
        EnumChildWindows(window, same_text, reinterpret_cast<LPARAM>(&found));
    return found.second ? 0 : 1;
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
        return 0;
    }
    if (command == L"shortcut" && (count == 5 || count == 6))
        return shortcut(arguments[2], arguments[3], std::stoi(arguments[4]), count == 6 ? arguments[5] : L"");
    if (command == L"message" && count == 3) return message(arguments[2]);
    if (command == L"text" && count == 3) return text(arguments[2]);
    if (command == L"has" && count == 4) return has(arguments[2], arguments[3]);
    std::fputs("usage: tray_helper folders | shortcut LINK TARGET SECONDS [DESCRIPTION] | message TITLE | text CLASS | has TITLE TEXT\n", stderr);
    return 2;
}
