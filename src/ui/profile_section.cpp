#include "ui/profile_section.h"

#include <algorithm>

namespace corvane {
namespace {

constexpr std::string_view blanks = " \t";

std::string_view trim_blanks(std::string_view text) {
    const std::size_t first = text.find_first_not_of(blanks);
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

bool same_ascii_letters(std::string_view a, std::string_view b) {
    const auto fold = [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; };
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [&](char x, char y) { return fold(x) == fold(y); });
}

// The next line of text from position at, without its line break; at moves past it.
std::string_view next_line(std::string_view text, std::size_t& at) {
    const std::size_t end = std::min(text.find_first_of("\r\n", at), text.size());
    std::string_view line = text.substr(at, end - at);
    at = end;
    if (at < text.size() && text[at] == '\r') ++at;
    if (at < text.size() && text[at] == '\n') ++at;
    const std::size_t nul = line.find('\0');
    return nul == std::string_view::npos ? line : line.substr(0, nul);
}

}  // namespace

std::vector<std::string> parse_profile_section(std::string_view file_bytes, std::string_view section_name) {
    std::vector<std::string> lines;
    const std::string_view wanted = trim_blanks(section_name);
    bool inside = false;
    std::size_t at = 0;
    while (at < file_bytes.size()) {
        const std::string_view line = trim_blanks(next_line(file_bytes, at));
        if (line.empty()) continue;
        if (line.front() == '[') {
            const std::size_t close = line.find(']');
            if (close != std::string_view::npos) {
                // Only the first section of that name counts.
                if (inside) break;
                inside = same_ascii_letters(trim_blanks(line.substr(1, close - 1)), wanted);
                continue;
            }
        }
        if (!inside || line.front() == ';') continue;
        lines.push_back(profile_line(line));
    }
    return lines;
}

std::string profile_line(std::string_view line) {
    line = trim_blanks(line);
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos) return std::string(line);
    std::string entry(trim_blanks(line.substr(0, equals)));
    entry += '=';
    entry += trim_blanks(line.substr(equals + 1));
    return entry;
}

}  // namespace corvane
