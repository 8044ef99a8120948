// The rules of the two forms that hold no window: the banned-list editor's text and the
// maximum the dialog stores.

#include <gtest/gtest.h>

#include "ui/frmEditor.h"
#include "ui/frm_max_folders.h"

namespace corvane {
namespace {

TEST(EditorText, ShowsTheSectionsLinesAndWritesThemBackBehindItsHeader) {
    const struct {
        std::string file, shown;
    } cases[] = {
        {"[exclude]\r\nProjects Documents.lnk\r\n  data d.LNK  \r\n", "Projects Documents.lnk\r\n  data d.LNK  \r\n"},
        {"[other]\r\nk=v\r\n[exclude]\r\nA.lnk\r\n", "[other]k=v\r\n\r\nA.lnk\r\n"},
        {"[EXCLUDE]\r\nB.lnk", "[EXCLUDE]B.lnk"},
        {"", ""},
        {"[exclude]\r\n", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(editor_text_of_file(c.file), c.shown) << c.file;
    EXPECT_EQ(file_text_of_editor("Projects Documents.lnk\r\n  data d.LNK  \r\n"),
              "[exclude]\r\nProjects Documents.lnk\r\n  data d.LNK  \r\n");
    EXPECT_EQ(file_text_of_editor("[other]k=v\r\n\r\nA.lnk\r\n"), "[exclude]\r\n[other]k=v\r\n\r\nA.lnk\r\n");
    EXPECT_EQ(file_text_of_editor(""), "[exclude]\r\n");
}


TEST(TypedMaximum, StoresWholeNumbersRoundedHalfToEvenAndIgnoresTheRest) {
    const struct {
        const char* typed;
        const char* separator;
        std::optional<std::string> stored;
    } cases[] = {
        {"12", ".", "12"},       {"  5  ", ".", "5"},   {"7.5", ".", "8"},       {"6.5", ".", "6"},
        {"-3", ".", "-3"},       {"0", ".", "0"},       {"+4", ".", "4"},        {"-0.5", ".", "0"},
        {"2.5000001", ".", "3"}, {"2.49", ".", "2"},    {".5", ".", "0"},        {"9.", ".", "9"},
        {"7,5", ",", "8"},       {"7.5", ",", {}},      {"xyz", ".", {}},        {"", ".", {}},
        {" ", ".", {}},          {"-", ".", {}},        {"1e3", ".", {}},        {"5 5", ".", {}},
        {"32767", ".", "32767"}, {"-32768", ".", "-32768"}, {"32768", ".", {}}, {"32767.5", ".", {}},
        {"0000012", ".", "12"},  {"99999999", ".", {}},
    };
    for (const auto& c : cases) EXPECT_EQ(typed_maximum(c.typed, c.separator), c.stored) << '"' << c.typed << '"';
}

}  // namespace
}  // namespace corvane
