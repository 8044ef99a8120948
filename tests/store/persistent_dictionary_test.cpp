#include "store/persistent_dictionary.h"

#include <gtest/gtest.h>

#include "base/error.h"
#include "store/file_system.h"
#include "store/persistent_array_dict.h"
#include "support/fixtures.h"

namespace corvane {
namespace {

using testing::application_folder_scope;
using testing::read_bytes;
using testing::write_bytes;

TEST(PersistentDictionary, WritesOneCrLfLinePerEntryInInsertionOrder) {
    application_folder_scope app;
    persistent_dictionary icons;
    icons.create("aweporrwrei");
    EXPECT_FALSE(file_exists(icons.file_path));
    icons.add("a", "1");
    icons.add("b", "2");
    icons.add("a", "3");             // replaced, and moved to the end
    icons.add("B", "Stra\u00DFe");  // keys are case-sensitive; text is ANSI on disk
    icons.remove("missing");
    EXPECT_EQ(read_bytes(app.file("aweporrwrei")), "b=2\r\na=3\r\nB=Stra\xDF" "e\r\n");
    icons.remove("b");

    persistent_dictionary again;
    again.create("aweporrwrei");
    EXPECT_EQ(again.item("B"), "Stra\u00DFe");
    EXPECT_EQ(again.item("b"), "");
    EXPECT_EQ(again.count(), 2u);  // item of a missing key adds nothing
}

// Spaces around keys and values go, tabs stay, a value keeps its "=", a key may be quoted, and
// a last line without its line end is not loaded. A malformed file fails and stays as it is.
TEST(PersistentDictionary, LoadsHandEditedFilesAndRefusesMalformedOnes) {
    const struct {
        const char* text;
        int error;
        std::size_t loaded;
        const char* saved;  // after adding new=v
    } cases[] = {
        {"  Reports  =  red.ico \r\nkey\t= x=y\r\n=empty key\r\nnot loaded=1", 0, 3,
         "Reports=red.ico\r\nkey\t=x=y\r\n=empty key\r\nnew=v\r\n"},
        {" \"lr=0.001 runs.lnk\" =\" 1 \" \r\n\"unclosed=\"a\" b\r\n", 0, 2,
         "\"lr=0.001 runs.lnk\"=\" 1 \"\r\n\"\"\"unclosed\"=\"\"\"a\"\" b\"\r\nnew=v\r\n"},
        {"", 0, 0, "new=v\r\n"},
        {"a=1", 0, 0, "new=v\r\n"},
        {"a=1\n", 0, 0, "new=v\r\n"},
        {"a=1\r\nno equals sign\r\nb=2\r\n", error_number::subscript_out_of_range, 1, nullptr},
        {"a=1\r\n\r\nb=2\r\n", error_number::subscript_out_of_range, 1, nullptr},
        {"a=1\r\n a =2\r\n", error_number::key_already_exists, 1, nullptr},
        // As the older version left a name with "=": its later, longer line gives way.
        {"lr=0.001 runs.lnk\r\nlr=0.001 runs.lnk=C:\\i.ico\r\n", 0, 1, "lr=0.001 runs.lnk\r\nnew=v\r\n"},
        {"\r\n", error_number::subscript_out_of_range, 0, nullptr},
    };
    application_folder_scope app;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        write_bytes(app.file("store"), c.text);
        persistent_dictionary dict;
        EXPECT_EQ(testing::error_of([&] { dict.create("store"); }), c.error);
        EXPECT_EQ(dict.count(), c.loaded);
        EXPECT_EQ(read_bytes(app.file("store")), c.text);
        if (!c.saved) continue;
        dict.add("new", "v");
        EXPECT_EQ(read_bytes(app.file("store")), c.saved);
    }
}

// Every name a file may bear, and values with "=" or spaces at the ends, read back as written
// after any number of restarts.
TEST(PersistentDictionary, KeepsAnyFileNameAsKeyAcrossRestarts) {
    const std::vector<std::pair<std::string, std::string>> entries = {
        {"lr=0.001 runs.lnk", "D:\\tools=x\\icons\\blue.ico"},
        {" lead and trail .lnk ", " 12 "},
        {"a\"=\"b", "\"quoted\""},
        {"=", "="},
        {"", ""},
        {"100% #1 a&b [x]; {y}.lnk", "a=b=c"},
        {"\u6771\u4EAC =\u00DF.lnk", "\u00DF"},
    };
    application_folder_scope app;
    persistent_dictionary dict;
    dict.create("store");
    for (const auto& [key, value] : entries) dict.add(key, value);
    for (int restart = 0; restart < 3; ++restart) {
        persistent_dictionary again;
        ASSERT_NO_THROW(again.create("store"));
        EXPECT_EQ(again.count(), entries.size());
        for (const auto& [key, value] : entries) EXPECT_EQ(again.item(key), value) << key;
        again.add(entries[restart].first, entries[restart].second);  // rewrites the file
    }
    persistent_array_dict positions;
    positions.create("positions");
    positions.add(" lr=0.001 runs.lnk", 2, "-5");
    persistent_array_dict reloaded;
    reloaded.create("positions");
    EXPECT_EQ(reloaded.item(" lr=0.001 runs.lnk", 2), "-5");
}

TEST(PersistentDictionary, HoldsFortyThousandEntriesAndCountsValuesExactly) {
    application_folder_scope app;
    std::string text;
    for (int n = 0; n < 40000; ++n) text += "link " + std::to_string(n) + "=icon" + std::to_string(n % 3) + ".ico\r\n";
    write_bytes(app.file("store"), text);
    persistent_dictionary dict;
    dict.create("store");
    EXPECT_EQ(dict.count(), 40000u);
    EXPECT_EQ(dict.item("link 39999"), "icon0.ico");
    dict.add("link 40000", "ICON1.ico");
    EXPECT_EQ(dict.item_count("icon1.ico"), 13333u);
    EXPECT_EQ(read_bytes(app.file("store")), text + "link 40000=ICON1.ico\r\n");
}

TEST(PersistentDictionary, AFailedSaveKeepsTheFileWholeAndTheMapChanged) {
    persistent_dictionary homeless;
    {
        application_folder_scope app;
        write_bytes(app.file("store"), "a=1\r\nb=2\r\n");
        testing::set_read_only(app.file("store"), true);
        persistent_dictionary dict;
        dict.create("store");
        dict.add("c", "3");
        dict.remove("a");
        EXPECT_EQ(dict.count(), 2u);
        EXPECT_EQ(dict.item("c"), "3");
        EXPECT_EQ(read_bytes(app.file("store")), "a=1\r\nb=2\r\n");
        homeless.create("other");
    }
    homeless.add("a", "1");  // its folder is gone
    EXPECT_EQ(homeless.item("a"), "1");
}

}  // namespace
}  // namespace corvane
