#pragma once
// Windows only: the owners of the handles the program opens, kernel and window system.

#include <windows.h>
#include <objbase.h>

#include "base/owner.h"

namespace corvane {

// Handles whose "none" is INVALID_HANDLE_VALUE (files).
struct file_handle_traits {
    using type = HANDLE;
    static type invalid() noexcept { return INVALID_HANDLE_VALUE; }
    static void close(type h) noexcept { CloseHandle(h); }
};
using unique_file = owner<file_handle_traits>;

// Handles whose "none" is null (processes, mappings).
struct handle_traits {
    using type = HANDLE;
    static type invalid() noexcept { return nullptr; }
    static void close(type h) noexcept { CloseHandle(h); }
};
using unique_handle = owner<handle_traits>;

struct find_handle_traits {
    using type = HANDLE;
    static type invalid() noexcept { return INVALID_HANDLE_VALUE; }
    static void close(type h) noexcept { FindClose(h); }
};
using unique_find = owner<find_handle_traits>;

struct change_notification_traits {
    using type = HANDLE;
    static type invalid() noexcept { return INVALID_HANDLE_VALUE; }
    static void close(type h) noexcept { FindCloseChangeNotification(h); }
};
using unique_change_notification = owner<change_notification_traits>;

struct hkey_traits {
    using type = HKEY;
    static type invalid() noexcept { return nullptr; }
    static void close(type h) noexcept { RegCloseKey(h); }
};
using unique_hkey = owner<hkey_traits>;

struct font_traits {
    using type = HFONT;
    static type invalid() noexcept { return nullptr; }
    static void close(type font) noexcept { DeleteObject(font); }
};
using unique_font = owner<font_traits>;

struct menu_traits {
    using type = HMENU;
    static type invalid() noexcept { return nullptr; }
    static void close(type menu) noexcept { DestroyMenu(menu); }
};
using unique_menu = owner<menu_traits>;

struct icon_traits {
    using type = HICON;
    static type invalid() noexcept { return nullptr; }
    static void close(type icon) noexcept { DestroyIcon(icon); }
};
using unique_icon = owner<icon_traits>;

// Memory the system hands over to be freed with CoTaskMemFree.
template <typename Pointer>
struct co_task_memory_traits {
    using type = Pointer;
    static type invalid() noexcept { return nullptr; }
    static void close(type p) noexcept { CoTaskMemFree(p); }
};
template <typename Pointer>
using co_task_memory = owner<co_task_memory_traits<Pointer>>;

struct bstr_traits {
    using type = BSTR;
    static type invalid() noexcept { return nullptr; }
    static void close(type text) noexcept { SysFreeString(text); }
};
using unique_bstr = owner<bstr_traits>;

}  // namespace corvane
