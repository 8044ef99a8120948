#include "shell/strings.h"

#include "base/text.h"

namespace corvane {

bool same_text(std::string_view a, std::string_view b) {
    return upper_case(trim_spaces(a)) == upper_case(trim_spaces(b));
}

bool is_name_pattern(std::string_view text) {
    // Asked of every banned line for every candidate link: a plain loop, not a search for a set.
    for (const char c : text)
        if (c == '*' || c == '?') return true;
    return false;
}

bool matches_name_pattern(std::string_view pattern_text, std::string_view name_text) {
    const std::u16string pattern = utf8_to_utf16(upper_case(trim_spaces(pattern_text)));
    const std::u16string name = utf8_to_utf16(upper_case(name_text));
    // Greedy, going back only to the latest "*": linear for the patterns people write, and
    // never worse than their product.
    std::size_t p = 0, n = 0, star = std::u16string::npos, resume = 0;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == u'?' || pattern[p] == name[n])) {
            ++p, ++n;
        } else if (p < pattern.size() && pattern[p] == u'*') {
            star = p++;
            resume = n;
        } else if (star != std::u16string::npos) {
            p = star + 1;
            n = ++resume;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == u'*') ++p;
    return p == pattern.size();
}

}  // namespace corvane
