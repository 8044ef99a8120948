#include "shell/easy_path.h"

#include "base/process_paths.h"

namespace corvane {

std::string last_path_part(std::string_view path) {
    const std::size_t p = path.rfind(path_separator);
    return std::string(p == std::string_view::npos ? path : path.substr(p + 1));
}

}  // namespace corvane
