#include "store/persistent_dictionary.h"

#include <gtest/gtest.h>

#include "base/error.h"
#include "store/dictionary_ext.h"
#include "store/file_system.h"
#include "temp_folder.h"

namespace corvane {
namespace {

using testing::application_folder_scope;
using testing::read_bytes;
using testing::set_read_only;
using testing::write_bytes;

int create_error(const std::string& store_name, persistent_dictionary& dict) {
    return testing::error_of([&] { dict.create(store_name); });
}

TEST(PersistentDictionary, WritesOneCrLfLinePerEntryInInsertionOrder) {
    application_folder_scope app;
    persistent_dictionary icons;
    icons.create("aweporrwrei");
    EXPECT_EQ(icons.count(), 0u);
    EXPECT_FALSE(file_exists(icons.file_path));

    icons.add("a", "1");
    icons.add("b", "2");
    EXPECT_EQ(read_bytes(app.file("aweporrwrei")), "a=1\r\nb=2\r\n");
    icons.add("a", "3");  // replaced, and moved to the end
    EXPECT_EQ(read_bytes(app.file("aweporrwrei")), "b=2\r\na=3\r\n");
    icons.add("B", "Stra\u00DFe");  // keys are case-sensitive; text is ANSI on disk
    EXPECT_EQ(read_bytes(app.file("aweporrwrei")), "b=2\r\na=3\r\nB=Stra\xDF" "e\r\n");
    icons.remove("b");
    icons.remove("missing");
    EXPECT_EQ(read_bytes(app.file("aweporrwrei")), "a=3\r\nB=Stra\xDF" "e\r\n");

    persistent_dictionary again;
    again.create("aweporrwrei");
    EXPECT_EQ(again.count(), 2u);
    EXPECT_EQ(again.item("B"), "Stra\u00DFe");
    EXPECT_EQ(again.item("b"), "");
    EXPECT_FALSE(again.exists("b"));
    EXPECT_EQ(again.count(), 2u);  // item of a missing key adds nothing

    again.remove("a");
    again.remove("B");
    EXPECT_EQ(read_bytes(app.file("aweporrwrei")), "");
}

TEST(PersistentDictionary, LoadsHandEditedFilesLeniently) {
    application_folder_scope app;
    // Spaces around keys and values go, tabs stay, text after a second "=" is dropped and
    // an unterminated last line is not loaded.
    const std::string text = "  Reports  =  red.ico \r\nkey\t= x=y\r\n=empty key\r\nnot loaded=1";
    write_bytes(app.file("store"), text);
    persistent_dictionary dict;
    dict.create("store");
    EXPECT_EQ(dict.count(), 3u);
    EXPECT_EQ(dict.item("Reports"), "red.ico");
    EXPECT_EQ(dict.item("key\t"), "x");
    EXPECT_EQ(dict.item(""), "empty key");
    EXPECT_FALSE(dict.exists("not loaded"));
    EXPECT_EQ(read_bytes(app.file("store")), text);  // untouched until the first change

    dict.add("new", "v");
    EXPECT_EQ(read_bytes(app.file("store")), "Reports=red.ico\r\nkey\t=x\r\n=empty key\r\nnew=v\r\n");
}

TEST(PersistentDictionary, MalformedFilesMakeCreateFailAndStayUntouched) {
    application_folder_scope app;
    const struct {
        const char* text;
        int number;
        std::size_t loaded;
    } cases[] = {
        {"a=1\r\nno equals sign\r\nb=2\r\n", error_number::subscript_out_of_range, 1},
        {"a=1\r\n\r\nb=2\r\n", error_number::subscript_out_of_range, 1},  // blank line
        {"a=1\r\n a =2\r\n", error_number::key_already_exists, 1},        // repeats after trimming
        {"\r\n", error_number::subscript_out_of_range, 0},
    };
    for (const auto& c : cases) {
        write_bytes(app.file("store"), c.text);
        persistent_dictionary dict;
        EXPECT_EQ(create_error("store", dict), c.number) << c.text;
        EXPECT_EQ(dict.count(), c.loaded) << c.text;
        EXPECT_EQ(read_bytes(app.file("store")), c.text);
    }
}

TEST(PersistentDictionary, ForgottenLineEndsAndEmptyFilesGiveFewerEntries) {
    application_folder_scope app;
    for (const char* text : {"", "a=1", "a=1\n"}) {
        write_bytes(app.file("store"), text);
        persistent_dictionary dict;
        dict.create("store");
        EXPECT_EQ(dict.count(), 0u) << text;
    }
}

TEST(PersistentDictionary, HoldsFortyThousandEntries) {
    application_folder_scope app;
    std::string text;
    for (int n = 0; n < 40000; ++n) text += "link " + std::to_string(n) + "=icon" + std::to_string(n % 3) + ".ico\r\n";
    write_bytes(app.file("store"), text);

    persistent_dictionary dict;
    dict.create("store");
    EXPECT_EQ(dict.count(), 40000u);
    EXPECT_EQ(dict.item("link 39999"), "icon0.ico");
    EXPECT_EQ(dict.item_count("icon1.ico"), 13333u);
    EXPECT_EQ(dict_item_count(dict.entries, "icon0.ico"), 13334u);
    dict.add("link 40000", "icon9.ico");
    EXPECT_EQ(read_bytes(app.file("store")), text + "link 40000=icon9.ico\r\n");
}

TEST(PersistentDictionary, AFailedSaveKeepsTheFileWholeAndTheMapChanged) {
    application_folder_scope app;
    write_bytes(app.file("store"), "a=1\r\nb=2\r\n");
    set_read_only(app.file("store"), true);
    persistent_dictionary dict;
    dict.create("store");
    dict.add("c", "3");
    dict.remove("a");
    EXPECT_EQ(dict.count(), 2u);
    EXPECT_EQ(dict.item("c"), "3");
    EXPECT_EQ(read_bytes(app.file("store")), "a=1\r\nb=2\r\n");
}

TEST(PersistentDictionary, AVanishedStoreFolderLosesTheWritesButNotTheMap) {
    persistent_dictionary dict;
    {
        application_folder_scope app;
        dict.create("store");
    }
    dict.add("a", "1");
    EXPECT_EQ(dict.item("a"), "1");
    EXPECT_FALSE(file_exists(dict.file_path));
}

TEST(DictionaryExt, CountsEqualValuesExactly) {
    dictionary dict;
    dict.add("x", "red.ico");
    dict.add("y", "RED.ico");
    dict.add("red.ico", "blue.ico");
    dict.add("z", "red.ico");
    EXPECT_EQ(dict_item_count(dict, "red.ico"), 2u);
    EXPECT_EQ(dict_item_count(dict, "green.ico"), 0u);
    EXPECT_THROW(dict.add("x", "again"), error);
}

}  // namespace
}  // namespace corvane
