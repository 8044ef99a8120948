// The portable writer's files, read back by lnkinfo, an independent reader of the format.

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <memory>

#include "shell/lnk_format.h"
#include "shell/lnk_samples.h"
#include "temp_folder.h"

namespace corvane {
namespace {

using testing::link_sample;
using testing::read_bytes;
using testing::make_link;
using testing::temp_folder;
using testing::write_bytes;

std::string lnkinfo(const std::string& path) {
    const std::string command = "LC_ALL=C.UTF-8 lnkinfo '" + path + "' 2>&1";
    const std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
    if (!pipe) return "popen failed";
    std::string output;
    char buffer[4096];
    while (const std::size_t n = std::fread(buffer, 1, sizeof buffer, pipe.get())) output.append(buffer, n);
    return output;
}

TEST(LnkinfoPeer, ReadsWhatThePortableWriterWrote) {
    temp_folder folder;
    const link_sample samples[] = {
        {.target = "C:\\Users\\Ana\\Reports", .description = "old", .working_dir = "C:\\Users", .id_list = true},
        {.target = "C:\\Daten\\\u00C4rger", .unicode = false},
        {.target = "\\\\server\\share", .path_suffix = "Team", .network = true},
    };
    int n = 0;
    for (const link_sample& sample : samples) {
        const std::string path = folder.file("link" + std::to_string(++n) + ".lnk");
        std::string bytes = lnk::with_description(make_link(sample), "Quillon Corvane Link");
        bytes = lnk::with_icon_location(bytes, "C:\\vantrel\\icons\\blue \u00E9.ico", 0);
        write_bytes(path, bytes);
        const std::string report = lnkinfo(path);
        EXPECT_NE(report.find("Description\t\t\t: Quillon Corvane Link"), std::string::npos) << report;
        EXPECT_NE(report.find("Icon location\t\t\t: C:\\vantrel\\icons\\blue \u00E9.ico"), std::string::npos) << report;
        EXPECT_EQ(report.find("Error"), std::string::npos) << report;
        const std::string target = sample.network ? sample.target + "\\" + sample.path_suffix : sample.target;
        EXPECT_NE(report.find(": " + target + "\n"), std::string::npos) << report;
    }
}

TEST(LnkinfoPeer, ReadsTheShellsShortcutsAfterThePortableWriter) {
    temp_folder folder;
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(CORVANE_LNK_CORPUS)) {
        const std::string original = read_bytes(entry.path().string());
        const auto before = lnk::parse(original);
        ASSERT_TRUE(before) << entry.path();
        std::string bytes = lnk::with_description(original, "Quillon Corvane Link");
        bytes = lnk::with_icon_location(bytes, "C:\\vantrel\\icons\\red.ico", 0);
        const std::string path = folder.file(entry.path().filename().string());
        write_bytes(path, bytes);
        const std::string report = lnkinfo(path);
        EXPECT_NE(report.find("Description\t\t\t: Quillon Corvane Link\n"), std::string::npos) << report;
        EXPECT_NE(report.find("Icon location\t\t\t: C:\\vantrel\\icons\\red.ico\n"), std::string::npos) << report;
        EXPECT_NE(report.find(": " + before->target_path + "\n"), std::string::npos) << report;
        ++files;
    }
    EXPECT_GE(files, 4);
}

}  // namespace
}  // namespace corvane
