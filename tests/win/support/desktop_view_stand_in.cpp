#include "win/support/desktop_view_stand_in.h"

#include <gtest/gtest.h>

#include <memory>

namespace corvane::testing {
namespace {

desktop_view_stand_in& knows_no_name() {
    static desktop_view_stand_in view;
    return view;
}

std::unique_ptr<desktop_view_registration>& for_the_run() {
    static std::unique_ptr<desktop_view_registration> registration;
    return registration;
}

// After main has entered the COM apartment, before the first test.
class stand_in_for_the_run : public ::testing::Environment {
    void SetUp() override { for_the_run() = std::make_unique<desktop_view_registration>(knows_no_name()); }
    void TearDown() override { for_the_run().reset(); }
};

::testing::Environment* const environment = ::testing::AddGlobalTestEnvironment(new stand_in_for_the_run);

}  // namespace

shell_desktop_view::shell_desktop_view() { for_the_run().reset(); }

shell_desktop_view::~shell_desktop_view() {
    for_the_run() = std::make_unique<desktop_view_registration>(knows_no_name());
}

}  // namespace corvane::testing
