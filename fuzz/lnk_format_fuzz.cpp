// Any bytes as a shell link: the reader refuses or reads them, and every link it reads can
// be rewritten into one that reads back with the new strings and the old target.

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "base/error.h"
#include "shell/lnk_format.h"

namespace {

void require(bool condition) {
    if (!condition) std::abort();
}

void check_rewrites(std::string_view bytes, const corvane::lnk::link_view& link, const std::string& text) {
    const auto described = corvane::lnk::parse(corvane::lnk::with_description(bytes, text));
    require(described && described->description == text && described->target_path == link.target_path &&
            described->icon_location == link.icon_location && described->icon_index == link.icon_index);

    const auto iconed = corvane::lnk::parse(corvane::lnk::with_icon_location(bytes, text, -7));
    require(iconed && iconed->icon_location == text && iconed->icon_index == -7 &&
            iconed->description == link.description && iconed->target_path == link.target_path);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const auto link = corvane::lnk::parse(bytes);
    if (!link) {
        try {
            corvane::lnk::with_description(bytes, "x");
        } catch (const corvane::error&) {
            return 0;
        }
        std::abort();
    }
    check_rewrites(bytes, *link, "Quillon Corvane Link");
    check_rewrites(bytes, *link, "\u4E2D\u6587 \u00C4");
    check_rewrites(bytes, *link, "");
    return 0;
}
