// The portable shortcut reader and writer against the shell's own link object.

#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "base/process_paths.h"
#include "base/wide.h"
#include "shell/com_ptr.h"
#include "shell/lnk_format.h"
#include "store/file_system.h"
#include "temp_folder.h"

namespace corvane {
namespace {

using testing::read_bytes;
using testing::temp_folder;
using testing::write_bytes;

struct shell_link {
    com_ptr<IShellLinkW> link;
    com_ptr<IPersistFile> file;

    shell_link() {
        IShellLinkW* raw_link = nullptr;
        EXPECT_HRESULT_SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                                  reinterpret_cast<void**>(&raw_link)));
        link.reset(raw_link);
        IPersistFile* raw_file = nullptr;
        EXPECT_HRESULT_SUCCEEDED(link.get()->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&raw_file)));
        file.reset(raw_file);
    }
    std::string path() const {
        std::vector<wchar_t> buffer(32768);
        link.get()->GetPath(buffer.data(), static_cast<int>(buffer.size()), nullptr, 0);
        return from_wide(buffer.data());
    }
    std::string description() const {
        std::vector<wchar_t> buffer(32768);
        link.get()->GetDescription(buffer.data(), static_cast<int>(buffer.size()));
        return from_wide(buffer.data());
    }
    std::pair<std::string, int> icon() const {
        std::vector<wchar_t> buffer(32768);
        int index = -1;
        link.get()->GetIconLocation(buffer.data(), static_cast<int>(buffer.size()), &index);
        return {from_wide(buffer.data()), index};
    }
};

void save_shortcut(const std::string& path, const std::string& target, const std::string& description) {
    shell_link shortcut;
    ASSERT_HRESULT_SUCCEEDED(shortcut.link.get()->SetPath(to_wide(target).c_str()));
    ASSERT_HRESULT_SUCCEEDED(shortcut.link.get()->SetDescription(to_wide(description).c_str()));
    ASSERT_HRESULT_SUCCEEDED(shortcut.file.get()->Save(to_wide(path).c_str(), TRUE));
}

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
