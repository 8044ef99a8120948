// The portable build's fatal-signal handler, in child processes of the test.

#include <signal.h>
#include <sys/mman.h>

#include <gtest/gtest.h>

#include "fatal/g_errors.h"

namespace corvane {
namespace {

// A page that exists for the sanitizers but faults in hardware.
void write_to_a_protected_page() {
    void* page = mmap(nullptr, 4096, PROT_NONE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    *static_cast<volatile int*>(page) = 1;
}

TEST(FatalSignalHandlerDeathTest, WritesTheReportAndEndsByTheSignal) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            set_fatal_error_filter();
            write_to_a_protected_page();
        },
        ::testing::KilledBySignal(SIGSEGV),
        "FATAL error => General Protection Fault \\(Access Violation\\)\n\nProgram will terminate");
    EXPECT_EXIT(
        {
            set_fatal_error_filter();
            raise(SIGFPE);
        },
        ::testing::KilledBySignal(SIGFPE), "General Protection Fault, Error code hC0000094");
}

}  // namespace
}  // namespace corvane
