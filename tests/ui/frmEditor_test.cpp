#include "ui/frmEditor.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace corvane
