#include "fatal/g_errors.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

TEST(FatalErrorText, NamesTheFaultByItsCode) {
    const std::string tail = "\n\nProgram will terminate";
    EXPECT_EQ(fatal_error_text(0xC0000005), "FATAL error => General Protection Fault (Access Violation)" + tail);
    EXPECT_EQ(fatal_error_text(0xC00000FD), "FATAL error => General Protection Fault (Stack Overflow" + tail);
    EXPECT_EQ(fatal_error_text(0xC0000094), "FATAL error => General Protection Fault, Error code hC0000094" + tail);
    EXPECT_EQ(fatal_error_text(0x00000005), "FATAL error => General Protection Fault, Error code h5" + tail);
}

}  // namespace
}  // namespace corvane
