#include "shell/lnk_format.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>

#include "base/error.h"
#include "base/text.h"

namespace corvane::lnk {
namespace {

constexpr std::size_t header_size = 0x4C;
constexpr unsigned char link_clsid[16] = {0x01, 0x14, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00,
                                          0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46};
constexpr std::size_t flags_offset = 0x14;
constexpr std::size_t icon_index_offset = 0x38;

namespace flag {
constexpr std::uint32_t has_id_list = 1u << 0;
constexpr std::uint32_t has_link_info = 1u << 1;
constexpr std::uint32_t is_unicode = 1u << 7;
constexpr std::uint32_t force_no_link_info = 1u << 8;
constexpr std::uint32_t has_exp_icon = 1u << 14;
}  // namespace flag

// StringData in file order; each is present when its flag (1 << (2 + n)) is set.
enum string_slot { name_string, relative_path, working_dir, arguments, icon_location, string_slots };
constexpr std::uint32_t string_flag(int slot) { return 1u << (2 + slot); }

[[noreturn]] void malformed(const char* what) {
    throw error(error_number::invalid_file_format, std::string("Not a shell link: ") + what);
}

std::uint32_t u16_at(std::string_view bytes, std::size_t at) {
    if (at > bytes.size() || bytes.size() - at < 2) malformed("truncated");
    return static_cast<unsigned char>(bytes[at]) | static_cast<unsigned char>(bytes[at + 1]) << 8;
}

std::uint32_t u32_at(std::string_view bytes, std::size_t at) {
    return u16_at(bytes, at) | u16_at(bytes, at + 2) << 16;
}

void put_u16(std::string& out, std::uint32_t value) {
    out += static_cast<char>(value & 0xFF);
    out += static_cast<char>((value >> 8) & 0xFF);
}

void put_u32_at(std::string& out, std::size_t at, std::uint32_t value) {
    for (int n = 0; n < 4; ++n) out[at + n] = static_cast<char>((value >> (8 * n)) & 0xFF);
}

// A NUL-terminated ANSI string starting at offset, inside region.
std::string ansi_string_at(std::string_view region, std::size_t offset) {
    if (offset >= region.size()) malformed("string outside LinkInfo");
    const std::size_t end = region.find('\0', offset);
    if (end == std::string_view::npos) malformed("unterminated string");
    return ansi_to_utf8(region.substr(offset, end - offset));
}

std::string unicode_string_at(std::string_view region, std::size_t offset) {
    if (offset >= region.size()) malformed("string outside LinkInfo");
    for (std::size_t end = offset; end + 1 < region.size(); end += 2) {
        if (region[end] == '\0' && region[end + 1] == '\0') return utf16le_to_utf8(region.substr(offset, end - offset));
    }
    malformed("unterminated string");
}

std::string join_network_path(const std::string& net_name, const std::string& suffix) {
    if (suffix.empty() || (!net_name.empty() && net_name.back() == '\\')) return net_name + suffix;
    return net_name + "\\" + suffix;
}

std::string target_from_link_info(std::string_view info) {
    const std::uint32_t info_header = u32_at(info, 4);
    if (info_header < 0x1C || info_header > info.size()) malformed("LinkInfo header");
    const std::uint32_t info_flags = u32_at(info, 8);
    const bool has_unicode = info_header >= 0x24;
    const std::uint32_t suffix_offset = u32_at(info, 0x18);
    const std::uint32_t suffix_unicode_offset = has_unicode ? u32_at(info, 0x20) : 0;
    const auto suffix = [&] {
        if (suffix_unicode_offset != 0) return unicode_string_at(info, suffix_unicode_offset);
        return suffix_offset != 0 ? ansi_string_at(info, suffix_offset) : std::string();
    };

    if (info_flags & 1u) {  // VolumeIDAndLocalBasePath
        const std::uint32_t base_unicode_offset = has_unicode ? u32_at(info, 0x1C) : 0;
        const std::string base = base_unicode_offset != 0 ? unicode_string_at(info, base_unicode_offset)
                                                          : ansi_string_at(info, u32_at(info, 0x10));
        return base + suffix();
    }
    if (info_flags & 2u) {  // CommonNetworkRelativeLinkAndPathSuffix
        const std::uint32_t link_offset = u32_at(info, 0x14);
        if (link_offset >= info.size()) malformed("network link outside LinkInfo");
        const std::uint32_t link_size = u32_at(info, link_offset);
        if (link_size < 0x14 || link_size > info.size() - link_offset) malformed("network link size");
        const std::string_view link = info.substr(link_offset, link_size);
        const std::uint32_t net_name_offset = u32_at(link, 8);
        const std::uint32_t net_name_unicode_offset = net_name_offset > 0x14 ? u32_at(link, 0x14) : 0;
        const std::string net_name = net_name_unicode_offset != 0 ? unicode_string_at(link, net_name_unicode_offset)
                                                                  : ansi_string_at(link, net_name_offset);
        return join_network_path(net_name, suffix());
    }
    return {};
}

// Where the parts of a link lie, and what its strings say.
struct layout {
    std::uint32_t flags = 0;
    std::size_t strings_begin = 0;  // end of the ID list and LinkInfo, kept verbatim
    std::size_t strings_end = 0;    // start of ExtraData, kept verbatim to the end
    std::array<std::optional<std::string>, string_slots> strings;
    std::array<std::string_view, string_slots> raw_strings;  // count and characters as stored
    std::string target_path;
};

layout read_layout(std::string_view bytes) {
    if (bytes.size() < header_size || u32_at(bytes, 0) != header_size ||
        std::memcmp(bytes.data() + 4, link_clsid, sizeof link_clsid) != 0)
        malformed("header");
    layout parts;
    parts.flags = u32_at(bytes, flags_offset);
    std::size_t at = header_size;
    if (parts.flags & flag::has_id_list) at += 2 + u16_at(bytes, at);
    if (parts.flags & flag::has_link_info && !(parts.flags & flag::force_no_link_info)) {
        const std::uint32_t info_size = u32_at(bytes, at);
        if (info_size < 0x1C || info_size > bytes.size() - at) malformed("LinkInfo size");
        parts.target_path = target_from_link_info(bytes.substr(at, info_size));
        at += info_size;
    }
    if (at > bytes.size()) malformed("truncated");
    parts.strings_begin = at;
    const bool unicode = parts.flags & flag::is_unicode;
    for (int slot = 0; slot < string_slots; ++slot) {
        if (!(parts.flags & string_flag(slot))) continue;
        const std::size_t length = u16_at(bytes, at) * (unicode ? 2u : 1u);
        at += 2;
        if (length > bytes.size() - at) malformed("truncated string");
        const std::string_view text = bytes.substr(at, length);
        std::string decoded = unicode ? utf16le_to_utf8(text) : ansi_to_utf8(text);
        // Some writers count a terminating NUL into the string; the text ends there.
        decoded.resize(std::min(decoded.size(), decoded.find('\0')));
        parts.strings[slot] = std::move(decoded);
        parts.raw_strings[slot] = bytes.substr(at - 2, length + 2);
        at += length;
    }
    parts.strings_end = at;
    return parts;
}

void put_string(std::string& out, const std::string& text, bool unicode) {
    if (unicode) {
        const std::u16string wide = utf8_to_utf16(text);
        if (wide.size() > 0xFFFF) throw error(error_number::overflow, "Text too long for a shell link");
        put_u16(out, static_cast<std::uint32_t>(wide.size()));
        for (const char16_t unit : wide) put_u16(out, unit);
    } else {
        const std::string ansi = utf8_to_ansi(text);
        if (ansi.size() > 0xFFFF) throw error(error_number::overflow, "Text too long for a shell link");
        put_u16(out, static_cast<std::uint32_t>(ansi.size()));
        out += ansi;
    }
}

// The link rebuilt with one string replaced (or dropped, for the empty text). An ANSI link
// whose new text the code page cannot hold has all its strings stored as Unicode instead.
std::string with_string(std::string_view bytes, int slot, std::string_view text, std::uint32_t clear_flags) {
    layout parts = read_layout(bytes);
    parts.strings[slot] = text.empty() ? std::nullopt : std::optional<std::string>(text);
    std::uint32_t flags = parts.flags & ~clear_flags;
    const bool was_unicode = flags & flag::is_unicode;
    const bool unicode = was_unicode || (parts.strings[slot] && !ansi_can_hold(*parts.strings[slot]));
    if (unicode) flags |= flag::is_unicode;

    std::string out(bytes.substr(0, parts.strings_begin));
    for (int n = 0; n < string_slots; ++n) {
        if (parts.strings[n]) {
            flags |= string_flag(n);
            if (n != slot && unicode == was_unicode) {
                out += parts.raw_strings[n];
            } else {
                put_string(out, *parts.strings[n], unicode);
            }
        } else {
            flags &= ~string_flag(n);
        }
    }
    put_u32_at(out, flags_offset, flags);
    out += bytes.substr(parts.strings_end);
    return out;
}

}  // namespace

std::optional<link_view> parse(std::string_view bytes) {
    try {
        const layout parts = read_layout(bytes);
        return link_view{parts.target_path, parts.strings[name_string].value_or(""),
                         parts.strings[icon_location].value_or(""),
                         static_cast<int>(u32_at(bytes, icon_index_offset))};
    } catch (const error&) {
        return std::nullopt;
    }
}

std::string with_description(std::string_view bytes, std::string_view text) {
    return with_string(bytes, name_string, text, 0);
}

std::string with_icon_location(std::string_view bytes, std::string_view icon_path, int icon_index) {
    // An icon location with environment variables would override the new one.
    std::string out = with_string(bytes, icon_location, icon_path, flag::has_exp_icon);
    put_u32_at(out, icon_index_offset, static_cast<std::uint32_t>(icon_index));
    return out;
}

}  // namespace corvane::lnk
