#include "ui/frmEditor.h"

namespace corvane {
namespace {

constexpr std::string_view section_line = "[exclude]";
constexpr std::string_view line_break = "\r\n";

}  // namespace

std::string editor_text_of_file(std::string_view file_text) {
    std::string text;
    for (std::size_t at = 0;;) {
        const std::size_t found = file_text.find(section_line, at);
        text += file_text.substr(at, found - at);
        if (found == std::string_view::npos) break;
        at = found + section_line.size();
    }
    if (const std::size_t first = text.find(line_break); first != std::string::npos) text.erase(first, line_break.size());
    return text;
}

std::string file_text_of_editor(std::string_view editor_text) {
    std::string text(section_line);
    text += line_break;
    text += editor_text;
    return text;
}

}  // namespace corvane
