#include "store/persistent_array_dict.h"

#include <gtest/gtest.h>

#include "base/error.h"
#include "support/fixtures.h"

namespace corvane {
namespace {

using testing::application_folder_scope;
using testing::read_bytes;
using testing::write_bytes;

// The separator as it stands in the file: ß is the single byte 0xDF.
const std::string sep = "wqewr9jys\xDF" "30q3w99sfdafa9w9rrifasj30\xDF";

TEST(PersistentArrayDict, AddLengthensButNeverShortensAndKeepsAnyText) {
    application_folder_scope app;
    persistent_array_dict arrays;
    arrays.create("store");
    arrays.add("three", 3, "7");
    arrays.add("pair", 1, "10");
    arrays.add("pair", 2, "20");
    arrays.add("pair", 4, "9");
    arrays.add("pair", 1, "11");
    EXPECT_EQ(read_bytes(app.file("store")), "three=" + sep + sep + "7\r\npair=11" + sep + "20" + sep + sep + "9\r\n");
    const std::string tricky = "wqewr9jys\u00DF30 and asj30\u00DF";
    arrays.add("k", 1, tricky);
    arrays.add("k", 2, "\u00DF");

    persistent_array_dict again;
    again.create("store");
    EXPECT_EQ(again.item("pair", 3), "");
    EXPECT_EQ(again.item("pair", 4), "9");
    EXPECT_EQ(again.item("k", 1), tricky);
    EXPECT_EQ(again.item("k", 2), "\u00DF");
    again.remove("three");
    EXPECT_EQ(again.count(), 2u);
}

TEST(PersistentArrayDict, OutOfRangeElementsAreErrors) {
    application_folder_scope app;
    const std::string text = "pair=10" + sep + "20\r\nempty=\r\n";
    write_bytes(app.file("store"), text);
    persistent_array_dict arrays;
    arrays.create("store");
    for (const auto& [key, number] : {std::pair{"pair", 0}, {"pair", 3}, {"missing", 1}, {"empty", 1}})
        EXPECT_EQ(testing::error_of([&] { arrays.item(key, number); }), error_number::subscript_out_of_range) << key;
    EXPECT_THROW(arrays.add("pair", 0, "x"), error);
    EXPECT_THROW(arrays.add("new", -1, "x"), error);
    EXPECT_EQ(read_bytes(app.file("store")), text);

    arrays.add("empty", 2, "b");  // an empty stored value has no elements to keep
    EXPECT_EQ(arrays.item("empty", 1), "");
    EXPECT_EQ(arrays.item("empty", 2), "b");
}

}  // namespace
}  // namespace corvane
