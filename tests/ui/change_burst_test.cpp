#include "ui/change_burst.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

using std::chrono::milliseconds;

TEST(BurstDelay, RefreshesASecondAfterTheLastChangeAndAtMostFiveAfterTheFirst) {
    const struct {
        milliseconds since_first_change, delay;
    } cases[] = {
        {milliseconds{0}, milliseconds{1000}},    {milliseconds{3999}, milliseconds{1000}},
        {milliseconds{4000}, milliseconds{1000}}, {milliseconds{4600}, milliseconds{400}},
        {milliseconds{5000}, milliseconds{0}},    {milliseconds{90000}, milliseconds{0}},
    };
    for (const auto& c : cases) EXPECT_EQ(burst_delay(c.since_first_change), c.delay) << c.since_first_change.count();
}

}  // namespace
}  // namespace corvane
