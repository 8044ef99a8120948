#include "support/lnk_samples.h"

#include "base/text.h"

namespace corvane::testing {
namespace {

void put_u16(std::string& out, unsigned value) {
    out += static_cast<char>(value & 0xFF);
    out += static_cast<char>((value >> 8) & 0xFF);
}

void put_u32(std::string& out, unsigned value) {
    put_u16(out, value & 0xFFFF);
    put_u16(out, value >> 16);
}

void set_u32(std::string& out, std::size_t at, unsigned value) {
    std::string bytes;
    put_u32(bytes, value);
    out.replace(at, 4, bytes);
}

std::string utf16le(const std::string& text) {
    std::string out;
    for (const char16_t unit : utf8_to_utf16(text)) put_u16(out, unit);
    return out;
}

std::string link_info(const link_sample& s) {
    const unsigned header = s.unicode ? 0x24 : 0x1C;
    std::string info(header, '\0');
    set_u32(info, 4, header);
    if (s.network) {
        set_u32(info, 8, 2);
        set_u32(info, 0x14, static_cast<unsigned>(info.size()));
        std::string link;
        put_u32(link, 0);
        put_u32(link, 2);        // ValidNetType
        put_u32(link, 0x14);     // NetNameOffset
        put_u32(link, 0);        // DeviceNameOffset
        put_u32(link, 0x20000);  // WNNC_NET_LANMAN
        link += utf8_to_ansi(s.target) + '\0';
        set_u32(link, 0, static_cast<unsigned>(link.size()));
        info += link;
    } else {
        set_u32(info, 8, 1);
        set_u32(info, 0xC, static_cast<unsigned>(info.size()));
        put_u32(info, 0x11);  // VolumeIDSize
        put_u32(info, 3);     // DRIVE_FIXED
        put_u32(info, 0x1234ABCD);
        put_u32(info, 0x10);  // VolumeLabelOffset
        info += '\0';
        set_u32(info, 0x10, static_cast<unsigned>(info.size()));
        info += utf8_to_ansi(s.target) + '\0';
    }
    set_u32(info, 0x18, static_cast<unsigned>(info.size()));
    info += utf8_to_ansi(s.path_suffix) + '\0';
    if (s.unicode) {
        if (!s.network) {
            set_u32(info, 0x1C, static_cast<unsigned>(info.size()));
            info += utf16le(s.target) + std::string(2, '\0');
        }
        set_u32(info, 0x20, static_cast<unsigned>(info.size()));
        info += utf16le(s.path_suffix) + std::string(2, '\0');
    }
    set_u32(info, 0, static_cast<unsigned>(info.size()));
    return info;
}

void put_string(std::string& out, const std::string& text, bool unicode) {
    const std::string bytes = unicode ? utf16le(text) : utf8_to_ansi(text);
    put_u16(out, static_cast<unsigned>(unicode ? bytes.size() / 2 : bytes.size()));
    out += bytes;
}

}  // namespace

std::string make_link(const link_sample& s) {
    unsigned flags = 1u << 1;  // HasLinkInfo
    if (s.id_list) flags |= 1u << 0;
    if (!s.description.empty()) flags |= 1u << 2;
    if (!s.working_dir.empty()) flags |= 1u << 4;
    if (s.unicode) flags |= 1u << 7;

    std::string out;
    put_u32(out, 0x4C);
    out += std::string("\x01\x14\x02\x00\x00\x00\x00\x00\xC0\x00\x00\x00\x00\x00\x00\x46", 16);
    put_u32(out, flags);
    put_u32(out, s.network ? 0x80 : 0x10);  // FileAttributes
    for (int n = 0; n < 6; ++n) put_u32(out, 0x01D00000 + n);  // three FILETIMEs
    put_u32(out, 0);  // FileSize
    put_u32(out, 0);  // IconIndex
    put_u32(out, 1);  // SW_SHOWNORMAL
    out += std::string(12, '\0');
    if (s.id_list) {
        put_u16(out, 8);
        put_u16(out, 6);
        out += "ab";
        put_u16(out, 0);
        put_u16(out, 0);
    }
    out += link_info(s);
    if (!s.description.empty()) put_string(out, s.description, s.unicode);
    if (!s.working_dir.empty()) put_string(out, s.working_dir, s.unicode);
    put_u32(out, 0x10);  // an extra-data block the writers must keep
    put_u32(out, 0xA0000099);
    out += "keep me!";
    put_u32(out, 0);
    return out;
}

}  // namespace corvane::testing
