#include <windows.h>

#include "base/error.h"
#include "base/wide.h"
#include "ui/profile_section.h"

namespace corvane {
namespace {

// The reader's own starting size; a larger section is read again into a larger buffer.
constexpr std::size_t first_buffer_size = 65563;
constexpr std::size_t largest_buffer_size = std::size_t{1} << 28;

}  // namespace

std::vector<std::string> read_profile_section(const std::string& ini_path, const std::string& section_name) {
    const std::wstring path = to_wide(ini_path);
    const std::wstring section = to_wide(section_name);
    // Filled with code 1, not NUL, so that what the reader wrote stands out from the rest.
    std::wstring buffer(first_buffer_size, L'\x01');
    for (;;) {
        const DWORD written = GetPrivateProfileSectionW(section.c_str(), buffer.data(),
                                                        static_cast<DWORD>(buffer.size()), path.c_str());
        // A section that did not fit comes back cut, with the buffer's size less two.
        if (written + 2 < buffer.size()) {
            std::vector<std::string> lines;
            std::size_t at = 0;
            while (at < written) {
                const std::size_t end = buffer.find(L'\0', at);
                if (end == std::wstring::npos || end > written) break;
                lines.push_back(from_wide(std::wstring_view(buffer).substr(at, end - at)));
                at = end + 1;
            }
            return lines;
        }
        if (buffer.size() >= largest_buffer_size)
            throw error(error_number::overflow, "The section [" + section_name + "] of \"" + ini_path +
                                                    "\" is too large to read");
        buffer.assign(buffer.size() * 2, L'\x01');
    }
}

}  // namespace corvane
