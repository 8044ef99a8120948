#include "engine/stree.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

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

TEST(Stree, DegeneratedChainsListInOrderAndDropWithoutRecursion) {
    // Sorted input makes a chain, and insertion quadratic: the equal-value chain is shorter.
    auto ascending = std::make_unique<stree<int, int>>();
    auto equal = std::make_unique<stree<int, int>>();
    for (int n = 0; n < 20000; ++n) ascending->insert(n, n);  // a chain through after
    for (int n = 0; n < 3000; ++n) equal->insert(n, 7);       // a chain through before
    const std::vector<int> up = ascending->get_list();
    const std::vector<int> down = equal->get_list();
    ASSERT_EQ(up.size(), 20000u);
    ASSERT_EQ(down.size(), 3000u);
    for (int n = 0; n < 20000; ++n) ASSERT_EQ(up[n], n);
    for (int n = 0; n < 3000; ++n) ASSERT_EQ(down[n], 2999 - n);
    ascending.reset();
    equal.reset();
}

}  // namespace
}  // namespace corvane
