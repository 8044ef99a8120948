#include <windows.h>

#include "base/wide.h"
#include "fatal/g_errors.h"
#include "shell/desktop_icons.h"

namespace corvane {
namespace {

// Built when the filter is set: while the process is faulting, after a stack overflow or
// with a corrupted heap, the filter must allocate nothing.
struct prepared_texts {
    std::wstring access_violation;
    std::wstring stack_overflow;
    std::wstring other_head;  // up to the code's hexadecimal digits
    std::wstring other_tail;
    wchar_t other[160]{};
};

prepared_texts& texts() {
    static prepared_texts prepared;
    return prepared;
}

void prepare_texts() {
    prepared_texts& t = texts();
    if (!t.access_violation.empty()) return;
    t.access_violation = to_wide(fatal_error_text(0xC0000005));
    t.stack_overflow = to_wide(fatal_error_text(0xC00000FD));
    const std::wstring any = to_wide(fatal_error_text(0xABC));
    const std::size_t digits = any.find(L"ABC");
    t.other_head = any.substr(0, digits);
    t.other_tail = any.substr(digits + 3);
}

const wchar_t* text_for(DWORD code) {
    prepared_texts& t = texts();
    if (code == 0xC0000005) return t.access_violation.c_str();
    if (code == 0xC00000FD) return t.stack_overflow.c_str();
    wchar_t* out = t.other;
    for (const wchar_t c : t.other_head) *out++ = c;
    bool started = false;
    for (int shift = 28; shift >= 0; shift -= 4) {
        const unsigned digit = (code >> shift) & 0xF;
        if (digit || started || shift == 0) {
            *out++ = static_cast<wchar_t>(digit < 10 ? L'0' + digit : L'A' + digit - 10);
            started = true;
        }
    }
    for (const wchar_t c : t.other_tail) *out++ = c;
    *out = L'\0';
    return t.other;
}

LONG WINAPI fatal_error_filter(EXCEPTION_POINTERS* exception) {
    // First, so that nothing stays allocated in the shell's process whatever follows.
    close_shared_buffers();
    const DWORD code = exception && exception->ExceptionRecord ? exception->ExceptionRecord->ExceptionCode : 0;
    MessageBoxW(nullptr, text_for(code), L"Vi Zozava", MB_OK | MB_ICONHAND);
    return EXCEPTION_EXECUTE_HANDLER;
}

}  // namespace

void set_fatal_error_filter() {
    prepare_texts();
    // A stack overflow leaves a few kilobytes; the message box needs more.
    ULONG reserve = 64 * 1024;
    SetThreadStackGuarantee(&reserve);
    SetUnhandledExceptionFilter(fatal_error_filter);
}

}  // namespace corvane
