// Whole refreshes with the real staging folder "C:\vantrel\", the user's desktop folder, the
// shell's shortcuts and the stand-in desktop.

#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>

#include "base/process_paths.h"
#include "base/wide.h"
#include "engine/main_mod.h"
#include "refresh_scope.h"
#include "shell/shortcut_files.h"
#include "state/globals.h"
#include "temp_folder.h"
#include "win/fake_desktop_process.h"

namespace corvane {
namespace {

using testing::fake_desktop;
using testing::file_names;
using testing::save_shortcut;
using testing::write_bytes;

// A refresh_scope over the real places, emptied again afterwards.
struct real_places : testing::refresh_scope {
    real_places() {
        staging = default_staging_folder();
        desktop = process_start_up_sources().desktop_folder;
    }
    ~real_places() {
        if (is_real_folder(staging)) {
            testing::remove_folder(staging);
        } else {
            testing::remove_folder_link(staging.substr(0, staging.size() - 1));
        }
        for (const file_entry& file : folder_files(desktop)) delete_file(file.path);
    }
};

bool read_only(const std::string& path) {
    return GetFileAttributesW(to_wide(path).c_str()) & FILE_ATTRIBUTE_READONLY;
}

TEST(RefreshOnWindows, PutsALinkThatComesBackWhereItStoodAndRemembersADroppedOne) {
    real_places scope;
    write_bytes(scope.app.file("eaoaweoio"), "1");
    scope.init();
    globals::link_positions.add("Back p.lnk", 1, "300");
    globals::link_positions.add("Back p.lnk", 2, "240");
    save_shortcut(scope.desktop + "Gone p.lnk", scope.folder("p/Gone"), link_marker);
    scope.add_recent(scope.recent, "Back.lnk", scope.folder("p/Back"), 10);
    // Its copies are the program's own: rewritten now, deleted by a later refresh.
    testing::set_read_only(join_path(scope.recent, "Back.lnk"), true);
    const fake_desktop desktop("\"Back p=10,10\" \"Gone p=200,120\"");

    const auto start = std::chrono::steady_clock::now();
    refresh();
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(2000));

    EXPECT_EQ(file_names(scope.staging), std::vector<std::string>{"Back p.lnk"});
    EXPECT_EQ(file_names(scope.desktop), std::vector<std::string>{"Back p.lnk"});
    EXPECT_EQ(desktop.position(0), (icon_point{300, 240}));
    EXPECT_EQ(globals::link_positions.item("Gone p.lnk", 1), "200");
    EXPECT_EQ(globals::link_positions.item("Gone p.lnk", 2), "120");
    EXPECT_FALSE(read_only(scope.staging + "Back p.lnk"));
    EXPECT_FALSE(read_only(scope.desktop + "Back p.lnk"));
    testing::set_read_only(join_path(scope.recent, "Back.lnk"), false);
}

TEST(RefreshOnWindows, AUnixLinkPlantedAtTheStagingFolderLeavesWhatIsBehindIt) {
    real_places scope;
    scope.init();
    const std::string behind = scope.folder("elsewhere");
    save_shortcut(join_path(behind, "Precious p.lnk"), scope.folder("p/Precious"), link_marker);
    testing::make_folder_link("C:\\vantrel", behind);
    ASSERT_FALSE(is_real_folder(scope.staging));
    scope.add_recent(scope.recent, "A.lnk", scope.folder("p/A"), 10);

    refresh();

    EXPECT_EQ(file_names(behind), std::vector<std::string>{"Precious p.lnk"});
    EXPECT_EQ(file_names(scope.desktop), std::vector<std::string>{});
}

// The shell's "User Shell Folders" value of the desktop, pointed elsewhere for one test.
class moved_desktop {
public:
    explicit moved_desktop(const std::string& folder) {
        DWORD size = sizeof old_;
        had_ = RegGetValueW(HKEY_CURRENT_USER, key, L"Desktop", RRF_RT_REG_SZ | RRF_RT_REG_EXPAND_SZ | RRF_NOEXPAND,
                            &type_, old_, &size) == ERROR_SUCCESS;
        set(REG_SZ, to_wide(folder));
    }
    ~moved_desktop() {
        if (had_) {
            set(type_, old_);
        } else {
            RegDeleteKeyValueW(HKEY_CURRENT_USER, key, L"Desktop");
        }
    }
    moved_desktop(const moved_desktop&) = delete;
    moved_desktop& operator=(const moved_desktop&) = delete;

private:
    static constexpr const wchar_t* key = L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";
    void set(DWORD type, const std::wstring& value) {
        RegSetKeyValueW(HKEY_CURRENT_USER, key, L"Desktop", type, value.c_str(),
                        static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    }
    wchar_t old_[MAX_PATH]{};
    DWORD type_ = REG_SZ;
    bool had_ = false;
};

TEST(RefreshOnWindows, PutsTheLinksOnTheDesktopTheShellNames) {
    const testing::temp_folder elsewhere;
    const moved_desktop moved(elsewhere.path());
    real_places scope;
    ASSERT_EQ(scope.desktop, elsewhere.path() + "\\");
    scope.init();
    save_shortcut(scope.desktop + "Stale s.lnk", scope.folder("s/Stale"), link_marker);
    scope.add_recent(scope.recent, "A.lnk", scope.folder("p/A"), 10);
    refresh();
    EXPECT_EQ(file_names(scope.desktop), std::vector<std::string>{"A p.lnk"});
}

}  // namespace
}  // namespace corvane
