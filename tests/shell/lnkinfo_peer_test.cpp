// The portable writer's files, read back by lnkinfo, an independent reader of the format.

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <memory>

#include "shell/lnk_format.h"
#include "support/lnk_samples.h"
#include "support/fixtures.h"

namespace corvane {
namespace {

// What lnkinfo reports of the shortcut the bytes make, after the writer set its strings.
std::string lnkinfo(const std::string& bytes, const std::string& icon) {
    const testing::temp_folder folder;
    const std::string path = folder.file("link.lnk");
    testing::write_bytes(path, lnk::with_icon_location(lnk::with_description(bytes, "Quillon Corvane Link"), icon, 0));
    const std::string command = "LC_ALL=C.UTF-8 lnkinfo '" + path + "' 2>&1";
    const std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
    std::string output;
    char buffer[4096];
    while (const std::size_t n = pipe ? std::fread(buffer, 1, sizeof buffer, pipe.get()) : 0) output.append(buffer, n);
    EXPECT_NE(output.find("Description\t\t\t: Quillon Corvane Link\n"), std::string::npos) << output;
    EXPECT_NE(output.find("Icon location\t\t\t: " + icon + "\n"), std::string::npos) << output;
    EXPECT_EQ(output.find("Error"), std::string::npos) << output;
    return output;
}

TEST(LnkinfoPeer, ReadsWhatThePortableWriterWroteOverOurSamplesAndTheShells) {
    for (const testing::link_sample& sample : {
             testing::link_sample{.target = "C:\\Users\\Ana\\Reports", .description = "old", .working_dir = "C:\\Users",
                                  .id_list = true},
             testing::link_sample{.target = "C:\\Daten\\\u00C4rger", .unicode = false},
             testing::link_sample{.target = "\\\\server\\share", .path_suffix = "Team", .network = true},
         }) {
        const std::string target = sample.network ? sample.target + "\\" + sample.path_suffix : sample.target;
        EXPECT_NE(lnkinfo(testing::make_link(sample), "C:\\vantrel\\icons\\blue \u00E9.ico").find(": " + target + "\n"),
                  std::string::npos);
    }
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(CORVANE_LNK_CORPUS)) {
        const std::string original = testing::read_bytes(entry.path().string());
        const auto before = lnk::parse(original);
        ASSERT_TRUE(before) << entry.path();
        EXPECT_NE(lnkinfo(original, "C:\\vantrel\\icons\\red.ico").find(": " + before->target_path + "\n"),
                  std::string::npos);
        ++files;
    }
    EXPECT_GE(files, 4);
}

}  // namespace
}  // namespace corvane
