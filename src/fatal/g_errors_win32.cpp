#include <windows.h>

#include "base/wide.h"
#include "fatal/g_errors.h"
#include "shell/desktop_icons.h"

namespace corvane {
namespace {

LONG WINAPI fatal_error_filter(EXCEPTION_POINTERS* exception) {
    // First, so that nothing stays allocated in the shell's process whatever follows.
    close_shared_buffers();
    const DWORD code = exception && exception->ExceptionRecord ? exception->ExceptionRecord->ExceptionCode : 0;
    MessageBoxW(nullptr, to_wide(fatal_error_text(code)).c_str(), L"Vi Zozava", MB_OK | MB_ICONHAND);
    return EXCEPTION_EXECUTE_HANDLER;
}

}  // namespace

void set_fatal_error_filter() { SetUnhandledExceptionFilter(fatal_error_filter); }

}  // namespace corvane
