#pragma once
// Windows only: a file that a virus scanner, the shell or a sync client holds open for a
// moment refuses to be opened, copied, replaced or deleted, and is free again a moment later.

#include <windows.h>

namespace corvane {

// Repeats the attempt while locked(result) says that it failed on such a lock, for 300 ms at
// most; the last result.
template <class Attempt, class Locked>
auto retry_brief_locks(Attempt attempt, Locked locked) {
    const ULONGLONG deadline = GetTickCount64() + 300;
    auto result = attempt();
    while (locked(result) && GetTickCount64() < deadline) {
        Sleep(20);
        result = attempt();
    }
    return result;
}

// For calls that report failure through GetLastError.
inline bool last_error_is_brief_lock() {
    const DWORD code = GetLastError();
    return code == ERROR_SHARING_VIOLATION || code == ERROR_LOCK_VIOLATION;
}

}  // namespace corvane
