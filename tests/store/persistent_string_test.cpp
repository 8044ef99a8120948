#include "store/persistent_string.h"

#include <gtest/gtest.h>

#include "store/file_system.h"
#include "temp_folder.h"

namespace corvane {
namespace {

TEST(PersistentString, ReadsOnceWritesAtOnceAndFallsBackToTheDefault) {
    testing::application_folder_scope app;
    persistent_string maximum;
    maximum.create("eaoaweoio", "7");
    EXPECT_EQ(maximum.value(), "7");
    EXPECT_FALSE(file_exists(app.file("eaoaweoio")));

    testing::write_bytes(app.file("eaoaweoio"), "12\r\n");  // kept untrimmed
    persistent_string other;
    other.create("eaoaweoio", "7");
    EXPECT_EQ(other.value(), "12\r\n");
    maximum.set_value("");
    EXPECT_EQ(testing::read_bytes(app.file("eaoaweoio")), "");
    EXPECT_EQ(other.value(), "12\r\n");
    other.create("eaoaweoio", "7");
    EXPECT_EQ(other.value(), "7");
}

}  // namespace
}  // namespace corvane
