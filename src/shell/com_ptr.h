#pragma once
// Windows only: the owners of a COM interface pointer and of memory COM hands over.

#include <objbase.h>

#include "base/owner.h"

namespace corvane {

template <typename Interface>
struct com_traits {
    using type = Interface*;
    static type invalid() noexcept { return nullptr; }
    static void close(type p) noexcept { p->Release(); }
};
template <typename Interface>
using com_ptr = owner<com_traits<Interface>>;

template <typename Pointer>
struct co_task_memory_traits {
    using type = Pointer;
    static type invalid() noexcept { return nullptr; }
    static void close(type p) noexcept { CoTaskMemFree(p); }
};
template <typename Pointer>
using co_task_memory = owner<co_task_memory_traits<Pointer>>;

}  // namespace corvane
