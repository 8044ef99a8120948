#include "engine/stree.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace corvane {
namespace {

TEST(Stree, ListsAscendingWithEqualValuesNewestFirstAndEachInsertOnce) {
    stree<std::string, int> tree;
    EXPECT_TRUE(tree.get_list().empty());
    for (const auto& [name, value] : {std::pair{"A", 5}, {"B", 3}, {"C", 5}, {"D", 5}, {"B", 4}}) tree.insert(name, value);
    EXPECT_EQ(tree.get_list(), (std::vector<std::string>{"B", "B", "D", "C", "A"}));
    // Listing does not change the tree.
    EXPECT_EQ(tree.get_list(), (std::vector<std::string>{"B", "B", "D", "C", "A"}));
}

TEST(Stree, ListsSortedReversedAndShuffledInputWithEqualValuesNewestFirst) {
    constexpr int count = 4000;
    std::vector<int> sorted(count);
    for (int n = 0; n < count; ++n) sorted[n] = n / 50;  // fifty of each value
    const std::vector<int> reversed(sorted.rbegin(), sorted.rend());
    std::vector<int> shuffled = sorted;
    std::shuffle(shuffled.begin(), shuffled.end(), std::mt19937(20261207));
    for (const auto& [input, values] : {std::pair{"sorted", sorted}, {"reversed", reversed}, {"shuffled", shuffled}}) {
        SCOPED_TRACE(input);
        stree<int, int> tree;
        std::vector<std::pair<int, int>> keys;  // value, then the insertion number negated
        for (int n = 0; n < count; ++n) {
            tree.insert(n, values[n]);
            keys.emplace_back(values[n], -n);
        }
        std::sort(keys.begin(), keys.end());  // the keys are all different
        std::vector<int> expected;
        for (const auto& key : keys) expected.push_back(-key.second);
        EXPECT_EQ(tree.get_list(), expected);
    }
}

}  // namespace
}  // namespace corvane
