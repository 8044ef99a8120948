// The portable shortcut reader and writer against the shell's own link object.

#include <gtest/gtest.h>

#include <cstdlib>

#include "base/process_paths.h"
#include "shell/lnk_format.h"
#include "shell/shortcut_files.h"
#include "store/file_system.h"
#include "temp_folder.h"
#include "win/shell_link_object.h"

namespace corvane {
namespace {

using testing::read_bytes;
using testing::save_shortcut;
using testing::shell_link;
using testing::temp_folder;
using testing::write_bytes;

// CORVANE_LNK_SEEDS names a folder that keeps the shell's shortcuts as fuzz seeds.
void keep_as_seed(const std::string& path, const std::string& name) {
    if (const char* seeds = std::getenv("CORVANE_LNK_SEEDS")) write_bytes(join_path(seeds, name), read_bytes(path));
}

TEST(ShellLinkPeer, ShellShortcutsParseToTheShellsOwnAnswers) {
    temp_folder folder;
    const std::string reports = folder.file("Berichte \u00C4rger \u00E9t\u00E9");
    create_folder(reports);
    const std::string document = folder.file("Brief.txt");
    write_bytes(document, "Dear");
    const struct {
        std::string name;
        std::string target;
        std::string description;
    } cases[] = {
        {"folder.lnk", reports, "Berichte"},
        {"document.lnk", document, "Stra\u00DFe \u00FCber"},
        {"unc.lnk", "\\\\server\\share\\Team", ""},
        {"\u00E4 name.lnk", folder.path(), "Quillon Corvane Link"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = folder.file(c.name);
        save_shortcut(path, c.target, c.description);
        keep_as_seed(path, "shell_" + std::to_string(&c - cases) + ".lnk");
        shell_link loaded;
        ASSERT_HRESULT_SUCCEEDED(loaded.file.get()->Load(to_wide(path).c_str(), STGM_READ));

        const auto parsed = lnk::parse(read_bytes(path));
        ASSERT_TRUE(parsed);
        EXPECT_EQ(parsed->target_path, loaded.path());
        EXPECT_EQ(parsed->description, loaded.description());
        EXPECT_EQ(parsed->target_path, c.target);
    }
}

TEST(ShellLinkPeer, PortablyRewrittenShortcutsLoadInTheShell) {
    temp_folder folder;
    const std::string target = folder.file("Projekte \u00D6l");
    create_folder(target);
    const std::string path = folder.file("Projekte.lnk");
    save_shortcut(path, target, "old text");

    std::string bytes = lnk::with_description(read_bytes(path), "Quillon Corvane Link \u00E9");
    bytes = lnk::with_icon_location(bytes, folder.file("icons\\blau \u00E4.ico"), 2);
    write_bytes(path, bytes);

    shell_link loaded;
    ASSERT_HRESULT_SUCCEEDED(loaded.file.get()->Load(to_wide(path).c_str(), STGM_READ));
    EXPECT_EQ(loaded.description(), "Quillon Corvane Link \u00E9");
    EXPECT_EQ(loaded.icon(), std::make_pair(folder.file("icons\\blau \u00E4.ico"), 2));
    EXPECT_EQ(loaded.path(), target);
}

}  // namespace
}  // namespace corvane
