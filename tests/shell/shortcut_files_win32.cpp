#include "shell/shortcut_files.h"
#include "win/shell_link_object.h"

namespace corvane::testing {

void save_shortcut(const std::string& path, const std::string& target, const std::string& description) {
    shell_link shortcut;
    ASSERT_HRESULT_SUCCEEDED(shortcut.link.get()->SetPath(to_wide(target).c_str()));
    ASSERT_HRESULT_SUCCEEDED(shortcut.link.get()->SetDescription(to_wide(description).c_str()));
    ASSERT_HRESULT_SUCCEEDED(shortcut.file.get()->Save(to_wide(path).c_str(), TRUE));
}

}  // namespace corvane::testing
