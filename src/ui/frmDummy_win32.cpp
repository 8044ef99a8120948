#include "ui/frmDummy.h"

#include "ui/form_services.h"

namespace corvane {
namespace {

HWND& window() {
    static HWND dummy = nullptr;
    return dummy;
}

}  // namespace

HWND frmDummy() {
    if (!window()) window() = create_form(L"frmDummy", DefWindowProcW, "Quillon Corvane", WS_POPUP);
    return window();
}

void unload_dummy() {
    if (window()) DestroyWindow(window());
    window() = nullptr;
}

}  // namespace corvane
