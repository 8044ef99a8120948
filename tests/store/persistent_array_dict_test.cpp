#include "store/persistent_array_dict.h"

#include <gtest/gtest.h>

#include "base/error.h"
#include "base/text.h"
#include "temp_folder.h"

namespace corvane {
namespace {

using testing::application_folder_scope;
using testing::read_bytes;
using testing::write_bytes;

const std::string& sep = persistent_array_dict::array_separator;
// The separator as it stands in the file: ß is the single byte 0xDF.
const std::string sep_on_disk = "wqewr9jys\xDF" "30q3w99sfdafa9w9rrifasj30\xDF";

int item_error(const persistent_array_dict& arrays, const std::string& key, int number) {
    return testing::error_of([&] { arrays.item(key, number); });
}

TEST(PersistentArrayDict, TheSeparatorIsThirtySixCharacters) {
    EXPECT_EQ(sep_on_disk.size(), 36u);
    EXPECT_EQ(utf8_to_ansi(sep), sep_on_disk);
}

TEST(PersistentArrayDict, AddLengthensButNeverShortens) {
    application_folder_scope app;
    persistent_array_dict arrays;
    arrays.create("store");
    arrays.add("one", 1, "7");
    arrays.add("three", 3, "7");
    arrays.add("pair", 1, "10");
    arrays.add("pair", 2, "20");
    EXPECT_EQ(read_bytes(app.file("store")), "one=7\r\nthree=" + sep_on_disk + sep_on_disk + "7\r\npair=10" +
                                                 sep_on_disk + "20\r\n");
    arrays.add("pair", 2, "25");
    arrays.add("pair", 4, "9");
    arrays.add("pair", 1, "11");
    EXPECT_EQ(read_bytes(app.file("store")), "one=7\r\nthree=" + sep_on_disk + sep_on_disk + "7\r\npair=11" +
                                                 sep_on_disk + "25" + sep_on_disk + sep_on_disk + "9\r\n");

    persistent_array_dict again;
    again.create("store");
    EXPECT_EQ(again.count(), 3u);
    EXPECT_EQ(again.item("pair", 1), "11");
    EXPECT_EQ(again.item("pair", 2), "25");
    EXPECT_EQ(again.item("pair", 3), "");
    EXPECT_EQ(again.item("pair", 4), "9");
    EXPECT_EQ(again.item("three", 1), "");
    EXPECT_TRUE(again.exists("three"));
    again.remove("three");
    EXPECT_FALSE(again.exists("three"));
    EXPECT_EQ(again.count(), 2u);
}

TEST(PersistentArrayDict, OutOfRangeElementsAreErrors) {
    application_folder_scope app;
    write_bytes(app.file("store"), "pair=10" + sep_on_disk + "20\r\nempty=\r\n");
    persistent_array_dict arrays;
    arrays.create("store");
    EXPECT_EQ(item_error(arrays, "pair", 0), error_number::subscript_out_of_range);
    EXPECT_EQ(item_error(arrays, "pair", 3), error_number::subscript_out_of_range);
    EXPECT_EQ(item_error(arrays, "missing", 1), error_number::subscript_out_of_range);
    EXPECT_EQ(item_error(arrays, "empty", 1), error_number::subscript_out_of_range);

    EXPECT_THROW(arrays.add("pair", 0, "x"), error);
    EXPECT_THROW(arrays.add("new", -1, "x"), error);
    EXPECT_FALSE(arrays.exists("new"));
    EXPECT_EQ(read_bytes(app.file("store")), "pair=10" + sep_on_disk + "20\r\nempty=\r\n");

    arrays.add("empty", 2, "b");  // an empty stored value has no elements to keep
    EXPECT_EQ(arrays.item("empty", 1), "");
    EXPECT_EQ(arrays.item("empty", 2), "b");
}

TEST(PersistentArrayDict, ValuesHoldingPiecesOfTheSeparatorSurvive) {
    application_folder_scope app;
    persistent_array_dict arrays;
    arrays.create("store");
    const std::string tricky = "wqewr9jys\u00DF30 and asj30\u00DF";
    arrays.add("k", 1, tricky);
    arrays.add("k", 2, "\u00DF");
    persistent_array_dict again;
    again.create("store");
    EXPECT_EQ(again.item("k", 1), tricky);
    EXPECT_EQ(again.item("k", 2), "\u00DF");
    EXPECT_EQ(item_error(again, "k", 3), error_number::subscript_out_of_range);
}

TEST(PersistentArrayDict, SplitsWhatJoinWrote) {
    EXPECT_TRUE(split_array("").empty());
    EXPECT_EQ(split_array(join_array({"", ""})), (std::vector<std::string>{"", ""}));
    EXPECT_EQ(split_array(join_array({"a", "b", "c"})), (std::vector<std::string>{"a", "b", "c"}));
}

}  // namespace
}  // namespace corvane
