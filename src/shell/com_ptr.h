#pragma once
// Windows only: the owner of a COM interface pointer.

#include <objbase.h>

#include "base/owner.h"
#include "base/win32_handles.h"

namespace corvane {

template <typename Interface>
struct com_traits {
    using type = Interface*;
    static type invalid() noexcept { return nullptr; }
    static void close(type p) noexcept { p->Release(); }
};
template <typename Interface>
using com_ptr = owner<com_traits<Interface>>;

}  // namespace corvane
