#include "store/easy_file.h"

#include "base/error.h"
#include "base/text.h"
#include "store/file_system.h"

namespace corvane {
namespace {

constexpr std::string_view utf16_mark = "\xFF\xFE";

std::string encode(std::string_view text) {
    // An ANSI text starting with the mark's two bytes ("\u00FF\u00FE") would read back as
    // UTF-16; it is written as UTF-16 instead.
    std::string ansi = utf8_to_ansi(text);
    if (ansi_can_hold(text) && !ansi.starts_with(utf16_mark)) return ansi;
    return std::string(utf16_mark) + utf8_to_utf16le(text);
}

std::string decode(std::string_view bytes) {
    return bytes.starts_with(utf16_mark) ? utf16le_to_utf8(bytes.substr(utf16_mark.size())) : ansi_to_utf8(bytes);
}

}  // namespace

std::string read_file(const std::string& path) { return read_text_file(path).value_or(""); }

std::optional<std::string> read_text_file(const std::string& path) {
    try {
        return decode(read_file_bytes(path));
    } catch (const error&) {
        return std::nullopt;
    }
}

void write_file(const std::string& path, const std::string& text) {
    try {
        replace_file_bytes(path, encode(text));
    } catch (const error&) {
    }
}

}  // namespace corvane
