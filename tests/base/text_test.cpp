#include "base/text.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

TEST(Text, Utf16RoundTripsEveryPlaneAndReplacesWhatIsMalformed) {
    EXPECT_EQ(utf8_to_utf16("A\u00DF\u20AC\U0001F600z"), u"A\u00DF\u20AC\U0001F600z");
    EXPECT_EQ(utf16_to_utf8(u"A\u00DF\u20AC\U0001F600z"), "A\u00DF\u20AC\U0001F600z");
    EXPECT_EQ(utf8_to_utf16("a\xC3"), u"a\uFFFD");                    // truncated sequence
    EXPECT_EQ(utf8_to_utf16("\xC0\xAF"), u"\uFFFD\uFFFD");            // overlong "/"
    EXPECT_EQ(utf8_to_utf16("\xED\xA0\x80"), u"\uFFFD\uFFFD\uFFFD");  // encoded surrogate
    const char16_t lone[] = {u'x', 0xD800, u'y', 0};
    EXPECT_EQ(utf16_to_utf8(lone), "x\uFFFDy");
}

TEST(Text, AnsiCodePageKeepsWesternLettersAsSingleBytes) {
    // Windows-1252 here and in a default Wine prefix (CP_ACP 1252).
    EXPECT_EQ(utf8_to_ansi("Stra\u00DFe \u20AC"), "Stra\xDF" "e \x80");
    EXPECT_EQ(utf8_to_ansi("\u4E2D"), "?");
    std::string every_byte;
    for (int b = 1; b < 256; ++b) every_byte += static_cast<char>(b);
    EXPECT_EQ(utf8_to_ansi(ansi_to_utf8(every_byte)), every_byte);
    EXPECT_EQ(upper_case("quillon \u00E4rger \u00E9t\u00E9"), "QUILLON \u00C4RGER \u00C9T\u00C9");
}

TEST(Text, SplitGivesOnePieceMoreThanSeparators) {
    EXPECT_EQ(split("", "=").size(), 1u);
    EXPECT_EQ(split("a=b=", "="), (std::vector<std::string_view>{"a", "b", ""}));
    EXPECT_EQ(split("x\r\ny\r\n", "\r\n"), (std::vector<std::string_view>{"x", "y", ""}));
    EXPECT_EQ(trim_spaces("  a b \t "), "a b \t");
    EXPECT_EQ(trim_spaces("   "), "");
}

}  // namespace
}  // namespace corvane
