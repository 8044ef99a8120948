#include "shell/com_apartment.h"

#include <objbase.h>

#include <string>

#include "base/error.h"

namespace corvane {

com_apartment::com_apartment() {
    const HRESULT result = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    if (FAILED(result))
        throw error(static_cast<int>(result), "COM could not be initialised: " + std::to_string(result));
    entered_ = true;
}

com_apartment::~com_apartment() {
    if (entered_) CoUninitialize();
}

}  // namespace corvane
