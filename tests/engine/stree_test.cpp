#include "engine/stree.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace corvane {
namespace {

using name_tree = stree<std::string, int>;

TEST(Stree, ListsAscendingWithEqualValuesNewestFirst) {
    name_tree empty;
    EXPECT_TRUE(empty.get_list().empty());

    name_tree tree;
    tree.insert("A", 5);
    EXPECT_EQ(tree.get_list(), std::vector<std::string>{"A"});
    tree.insert("B", 3);
    tree.insert("C", 5);
    tree.insert("D", 5);
    EXPECT_EQ(tree.get_list(), (std::vector<std::string>{"B", "D", "C", "A"}));
    // The shape is the plain unbalanced one: A (before: B (after: C (before: D))).
    ASSERT_TRUE(tree.before && tree.before->after && tree.before->after->before);
    EXPECT_EQ(*tree.before->after->before->inside_obj, "D");
    EXPECT_FALSE(tree.after);
    // Listing does not change the tree.
    EXPECT_EQ(tree.get_list(), (std::vector<std::string>{"B", "D", "C", "A"}));
}

TEST(Stree, HoldsTheSameItemOncePerInsert) {
    name_tree tree;
    tree.insert("X", 3);
    tree.insert("Y", 1);
    tree.insert("X", 2);
    tree.insert("X", 2);
    EXPECT_EQ(tree.get_list(), (std::vector<std::string>{"Y", "X", "X", "X"}));
}

TEST(Stree, KeepsSharedItemsAliveWhileItLives) {
    auto item = std::make_shared<int>(42);
    std::weak_ptr<int> watch = item;
    {
        stree<std::shared_ptr<int>, long long> tree;
        tree.insert(item, 1);
        item.reset();
        EXPECT_FALSE(watch.expired());
        EXPECT_EQ(*tree.get_list().at(0), 42);
    }
    EXPECT_TRUE(watch.expired());
}

TEST(Stree, DegeneratedChainsListInOrderAndDropWithoutRecursion) {
    // Sorted input makes a chain; insertion is quadratic then, so the equal-value chain is
    // kept shorter than the ascending one.
    constexpr int ascending_items = 20000;
    constexpr int equal_items = 3000;
    auto ascending = std::make_unique<stree<int, int>>();
    auto equal = std::make_unique<stree<int, int>>();
    for (int n = 0; n < ascending_items; ++n) ascending->insert(n, n);  // a chain through after
    for (int n = 0; n < equal_items; ++n) equal->insert(n, 7);          // a chain through before
    const std::vector<int> up = ascending->get_list();
    const std::vector<int> down = equal->get_list();
    ASSERT_EQ(up.size(), std::size_t{ascending_items});
    ASSERT_EQ(down.size(), std::size_t{equal_items});
    for (int n = 0; n < ascending_items; ++n) ASSERT_EQ(up[n], n);
    for (int n = 0; n < equal_items; ++n) ASSERT_EQ(down[n], equal_items - 1 - n);
    ascending.reset();
    equal.reset();
}

}  // namespace
}  // namespace corvane
