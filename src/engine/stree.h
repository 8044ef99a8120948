#pragma once
// An unbalanced binary search tree that hands its items back in ascending order of a sort
// value; equal values come out in reverse order of insertion. Each node is also the tree
// rooted at it. Input that arrives sorted degenerates the tree into a chain as long as the
// input, so nothing here recurses.

#include <memory>
#include <optional>
#include <utility>
#include <vector>

namespace corvane {

template <typename Item, typename Sort>
class stree {
public:
    std::unique_ptr<stree> before;  // sort values <= this node's
    std::optional<Item> inside_obj;  // empty only in the root of a tree nothing went into
    Sort inside_sorting{};
    std::unique_ptr<stree> after;  // sort values > this node's

    stree() = default;
    stree(const stree&) = delete;
    stree& operator=(const stree&) = delete;

    ~stree() {
        // Unlink the subtrees first so that destroying a chain does not recurse.
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
        stree* node = this;
        if (!node->inside_obj) {
            node->hold(inp_obj, inp_sorting);
            return;
        }
        for (;;) {
            std::unique_ptr<stree>& side = inp_sorting <= node->inside_sorting ? node->before : node->after;
            if (!side) {
                side = std::make_unique<stree>();
                side->hold(inp_obj, inp_sorting);
                return;
            }
            node = side.get();
        }
    }

    std::vector<Item> get_list() const {
        std::vector<Item> list;
        append_in_order(this, list);
        return list;
    }

private:
    void hold(const Item& item, const Sort& sorting) {
        inside_obj = item;
        inside_sorting = sorting;
    }

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
