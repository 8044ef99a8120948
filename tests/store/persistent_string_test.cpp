#include "store/persistent_string.h"

#include <gtest/gtest.h>

#include "store/file_system.h"
#include "temp_folder.h"

namespace corvane {
namespace {

using testing::application_folder_scope;
using testing::read_bytes;
using testing::write_bytes;

TEST(PersistentString, FallsBackToTheDefaultWithoutWriting) {
    application_folder_scope app;
    persistent_string maximum;
    maximum.create("eaoaweoio", "7");
    EXPECT_EQ(maximum.value(), "7");
    EXPECT_EQ(maximum.file_path, app.file("eaoaweoio"));
    EXPECT_FALSE(file_exists(maximum.file_path));

    write_bytes(maximum.file_path, "");
    maximum.create("eaoaweoio", "7");
    EXPECT_EQ(maximum.value(), "7");
}

TEST(PersistentString, KeepsTheFileTextUntrimmed) {
    application_folder_scope app;
    write_bytes(app.file("eaoaweoio"), "12\r\n");
    persistent_string maximum;
    maximum.create("eaoaweoio", "7");
    EXPECT_EQ(maximum.value(), "12\r\n");
}

TEST(PersistentString, SetValueWritesAtOnceAndEmptyMeansDefault) {
    application_folder_scope app;
    persistent_string maximum;
    maximum.create("eaoaweoio", "7");
    maximum.set_value("12");
    EXPECT_EQ(read_bytes(app.file("eaoaweoio")), "12");

    persistent_string other;
    other.create("eaoaweoio", "7");
    EXPECT_EQ(other.value(), "12");
    maximum.set_value("");
    EXPECT_EQ(read_bytes(app.file("eaoaweoio")), "");
    EXPECT_EQ(other.value(), "12");  // each object read the file once
    other.create("eaoaweoio", "7");
    EXPECT_EQ(other.value(), "7");
}

}  // namespace
}  // namespace corvane
