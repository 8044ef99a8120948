// The portable shortcut reader and writer against the shell's own link object.

#include <gtest/gtest.h>

#include "shell/lnk_format.h"
#include "support/fixtures.h"
#include "store/file_system.h"
#include "win/support/shell_link_object.h"

namespace corvane {
namespace {

using testing::read_bytes;
using testing::shell_link;

TEST(ShellLinkPeer, ShellShortcutsParseToTheShellsOwnAnswers) {
    testing::temp_folder folder;
    const std::string reports = folder.file("Berichte \u00C4rger \u00E9t\u00E9");
    create_folder(reports);
    const std::string document = folder.file("Brief.txt");
    testing::write_bytes(document, "Dear");
    const struct {
        std::string name, target, description;
    } cases[] = {
        {"folder.lnk", reports, "Berichte"},
        {"document.lnk", document, "Stra\u00DFe \u00FCber"},
        {"unc.lnk", "\\\\server\\share\\Team", ""},
        {"\u00E4 name.lnk", folder.path(), "Quillon Corvane Link"},
    };
    for (const auto& c : cases) {
        const std::string path = folder.file(c.name);
        testing::save_shortcut(path, c.target, c.description);
        shell_link loaded;
        ASSERT_HRESULT_SUCCEEDED(loaded.file.get()->Load(to_wide(path).c_str(), STGM_READ));
        const auto parsed = lnk::parse(read_bytes(path));
        ASSERT_TRUE(parsed) << c.name;
        EXPECT_EQ(parsed->target_path, loaded.path()) << c.name;
        EXPECT_EQ(parsed->target_path, c.target);
        EXPECT_EQ(parsed->description, loaded.description()) << c.name;
    }
}

TEST(ShellLinkPeer, PortablyRewrittenShortcutsLoadInTheShell) {
    testing::temp_folder folder;
    const std::string target = folder.file("Projekte \u00D6l");
    create_folder(target);
    const std::string path = folder.file("Projekte.lnk");
    testing::save_shortcut(path, target, "old text");
    std::string bytes = lnk::with_description(read_bytes(path), "Quillon Corvane Link \u00E9");
    testing::write_bytes(path, lnk::with_icon_location(bytes, folder.file("icons\\blau \u00E4.ico"), 2));

    shell_link loaded;
    ASSERT_HRESULT_SUCCEEDED(loaded.file.get()->Load(to_wide(path).c_str(), STGM_READ));
    EXPECT_EQ(loaded.description(), "Quillon Corvane Link \u00E9");
    EXPECT_EQ(loaded.icon(), std::make_pair(folder.file("icons\\blau \u00E4.ico"), 2));
    EXPECT_EQ(loaded.path(), target);
}

}  // namespace
}  // namespace corvane
