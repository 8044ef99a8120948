#include "base/process_paths.h"

#include <gtest/gtest.h>

#include "store/file_system.h"

namespace corvane {
namespace {

TEST(ProcessPaths, ApplicationFolderIsTheExecutablesUnlessBound) {
    const std::string exe = executable_path();
    EXPECT_TRUE(file_exists(exe)) << exe;
    const std::string folder = application_folder();
    EXPECT_EQ(join_path(folder, exe.substr(folder.size() + 1)), exe);

    set_application_folder("elsewhere");
    EXPECT_EQ(application_folder(), "elsewhere");
    set_application_folder({});
    EXPECT_EQ(application_folder(), folder);
}

}  // namespace
}  // namespace corvane
