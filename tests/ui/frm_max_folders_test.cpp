#include "ui/frm_max_folders.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

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
