#pragma once
// Windows only: the owners of the kernel handles the program opens.

#include <windows.h>

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

struct hkey_traits {
    using type = HKEY;
    static type invalid() noexcept { return nullptr; }
    static void close(type h) noexcept { RegCloseKey(h); }
};
using unique_hkey = owner<hkey_traits>;

}  // namespace corvane
