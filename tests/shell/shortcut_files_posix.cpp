#include "shell/lnk_samples.h"
#include "shell/shortcut_files.h"
#include "temp_folder.h"

namespace corvane::testing {

void save_shortcut(const std::string& path, const std::string& target, const std::string& description) {
    write_bytes(path, make_link({.target = target, .description = description}));
}

}  // namespace corvane::testing
