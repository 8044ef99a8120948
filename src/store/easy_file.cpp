#include "store/easy_file.h"

#include "base/error.h"
#include "base/text.h"
#include "store/file_system.h"

namespace corvane {

std::string read_file(const std::string& path) {
    try {
        return ansi_to_utf8(read_file_bytes(path));
    } catch (const error&) {
        return {};
    }
}

void write_file(const std::string& path, const std::string& text, bool append) {
    try {
        const std::string bytes = utf8_to_ansi(text);
        if (append) {
            append_file_bytes(path, bytes);
        } else {
            replace_file_bytes(path, bytes);
        }
    } catch (const error&) {
    }
}

}  // namespace corvane
