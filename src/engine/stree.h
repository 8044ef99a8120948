#pragma once
// A binary search tree, kept balanced as an AVL tree, that hands its items back in ascending
// order of a sort value; equal values come out in reverse order of insertion. Each node is
// also the tree rooted at it. Recent files often arrive sorted by time (date-named documents
// listed by name), which would make an unbalanced tree a chain and its building quadratic.

#include <algorithm>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

namespace corvane {

template <typename Item, typename Sort>
class stree {
public:
    std::unique_ptr<stree> before;  // the items listed before this node's: sort values <= its own
    std::optional<Item> inside_obj;  // empty only in the root of a tree nothing went into
    Sort inside_sorting{};
    std::unique_ptr<stree> after;  // those listed after it: values >= (rotations move equal ones here)

    stree() = default;
    stree(const stree&) = delete;
    stree& operator=(const stree&) = delete;

    ~stree() {
        // Unlink the subtrees first so that destroying never recurses, not even through a
        // chain built by hand on the public links.
        std::vector<std::unique_ptr<stree>> pending;
        if (before) pending.push_back(std::move(before));
        if (after) pending.push_back(std::move(after));
        while (!pending.empty()) {
            std::unique_ptr<stree> node = std::move(pending.back());
            pending.pop_back();
            if (node->before) pending.push_back(std::move(node->before));
            if (node->after) pending.push_back(std::move(node->after));
        }
    }

    void insert(const Item& inp_obj, const Sort& inp_sorting) {
        if (!inside_obj) {
            hold(inp_obj, inp_sorting);
            return;
        }
        add(inp_obj, inp_sorting);
    }

    std::vector<Item> get_list() const {
        std::vector<Item> list;
        append_in_order(this, list);
        return list;
    }

private:
    using side = std::unique_ptr<stree> stree::*;

    int height = 1;  // of the tree rooted here; what balancing compares

    void hold(const Item& item, const Sort& sorting) {
        inside_obj = item;
        inside_sorting = sorting;
    }

    // Going before on equal values puts the new item ahead of those inserted earlier, and
    // rotations keep the order of the list, so no insertion number is needed. The tree stays
    // within 1.44 log2 n levels, so recursing here is safe.
    void add(const Item& item, const Sort& sorting) {
        std::unique_ptr<stree>& next = sorting <= inside_sorting ? before : after;
        if (next) {
            next->add(item, sorting);
        } else {
            next = std::make_unique<stree>();
            next->hold(item, sorting);
        }
        const int lean = height_of(before) - height_of(after);
        if (lean > 1) {
            lift(&stree::before, &stree::after);
        } else if (lean < -1) {
            lift(&stree::after, &stree::before);
        } else {
            update_height();
        }
    }

    // The taller side `up` is two levels deeper than the other: one rotation, or two when
    // its own inner subtree is the deeper one.
    void lift(side up, side down) {
        stree& child = *(this->*up);
        if (height_of(child.*down) > height_of(child.*up)) child.rotate(down, up);
        rotate(up, down);
    }

    // Lifts the child on side `up` into this node's place. The contents trade places rather
    // than the nodes, so that the root stays the very object its owner holds.
    void rotate(side up, side down) {
        std::unique_ptr<stree> lifted = std::move(this->*up);
        std::swap(inside_obj, lifted->inside_obj);
        std::swap(inside_sorting, lifted->inside_sorting);
        this->*up = std::move((*lifted).*up);
        (*lifted).*up = std::move((*lifted).*down);
        (*lifted).*down = std::move(this->*down);
        lifted->update_height();
        this->*down = std::move(lifted);
        update_height();
    }

    void update_height() { height = 1 + std::max(height_of(before), height_of(after)); }

    static int height_of(const std::unique_ptr<stree>& node) { return node ? node->height : 0; }

    static std::vector<Item>& append_in_order(const stree* node, std::vector<Item>& list) {
        std::vector<const stree*> path;
        while (node || !path.empty()) {
            while (node) {
                path.push_back(node);
                node = node->before.get();
            }
            node = path.back();
            path.pop_back();
            if (node->inside_obj) list.push_back(*node->inside_obj);
            node = node->after.get();
        }
        return list;
    }
};

}  // namespace corvane
