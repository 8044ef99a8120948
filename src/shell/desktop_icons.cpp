#include "shell/desktop_icons.h"

#include <utility>

#include "base/text.h"

namespace corvane {

shared_buffer::~shared_buffer() { shared_free(*this); }

shared_buffer::shared_buffer(shared_buffer&& other) noexcept
    : handle(std::exchange(other.handle, 0)),
      address(std::exchange(other.address, 0)),
      mapped(other.mapped),
      size(std::exchange(other.size, 0)) {}

shared_buffer& shared_buffer::operator=(shared_buffer&& other) noexcept {
    if (this != &other) {
        shared_free(*this);
        handle = std::exchange(other.handle, 0);
        address = std::exchange(other.address, 0);
        mapped = other.mapped;
        size = std::exchange(other.size, 0);
    }
    return *this;
}

std::string wide_to_text(const char16_t* address) { return utf16_to_utf8(std::u16string_view(address)); }

std::int32_t pack_icon_point(icon_point position) {
    const std::uint32_t low = static_cast<std::uint16_t>(position.x);
    const std::uint32_t high = static_cast<std::uint16_t>(position.y);
    return static_cast<std::int32_t>(low | (high << 16));
}

}  // namespace corvane
