#include <locale.h>
#include <wctype.h>

#include <array>

#include "base/text.h"

namespace corvane {
namespace {

// Windows-1252 bytes 0x80..0x9F. The five bytes the code page leaves undefined map to
// the C1 controls of the same number, as Windows itself maps them, so every byte survives.
constexpr std::array<char16_t, 32> cp1252_high = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char to_cp1252(char16_t unit) {
    if (unit < 0x80 || (unit >= 0xA0 && unit <= 0xFF)) return static_cast<char>(unit);
    for (std::size_t k = 0; k < cp1252_high.size(); ++k) {
        if (cp1252_high[k] == unit) return static_cast<char>(0x80 + k);
    }
    return '?';
}

locale_t utf8_locale() {
    static const locale_t locale = newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(0));
    return locale;
}

}  // namespace

std::string utf8_to_ansi(std::string_view text) {
    const std::u16string wide = utf8_to_utf16(text);
    std::string out;
    out.reserve(wide.size());
    for (std::size_t i = 0; i < wide.size(); ++i) {
        // A surrogate pair is one character the code page cannot hold: one "?".
        if (wide[i] >= 0xD800 && wide[i] <= 0xDBFF && i + 1 < wide.size()) ++i;
        out += to_cp1252(wide[i]);
    }
    return out;
}

std::string ansi_to_utf8(std::string_view bytes) {
    std::u16string wide;
    wide.reserve(bytes.size());
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        wide += (b >= 0x80 && b < 0xA0) ? cp1252_high[b - 0x80] : static_cast<char16_t>(b);
    }
    return utf16_to_utf8(wide);
}

std::string upper_case(std::string_view text) {
    std::u16string wide = utf8_to_utf16(text);
    const locale_t locale = utf8_locale();
    for (char16_t& unit : wide) {
        if (unit >= 0xD800 && unit <= 0xDFFF) continue;
        if (locale != static_cast<locale_t>(0)) {
            const wint_t upper = towupper_l(unit, locale);
            if (upper < 0x10000) unit = static_cast<char16_t>(upper);
        } else if (unit >= u'a' && unit <= u'z') {
            unit = static_cast<char16_t>(unit - u'a' + u'A');
        }
    }
    return utf16_to_utf8(wide);
}

}  // namespace corvane
