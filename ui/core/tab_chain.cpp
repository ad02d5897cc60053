#include "tab_chain.h"

#include <algorithm>
#include <cstdint>
#include <tuple>

#include "uir/model.h"
#include "userint.h"

namespace uir::rules {
namespace {

constexpr int kTabKinds[] = {
    CTRL_COMMAND_BUTTON, CTRL_TOGGLE_BUTTON, CTRL_CHECK_BOX, CTRL_BINARY_SWITCH,
    CTRL_NUMERIC,        CTRL_STRING,        CTRL_RING,      CTRL_LIST_BOX,
};

std::int64_t area(const Box& b) {
    return std::int64_t{b.width} * b.height;
}

bool holds_centre(const Box& frame, const Box& b) {
    // Twice the centre, so odd sizes need no rounding.
    const std::int64_t cx = std::int64_t{b.left} * 2 + b.width;
    const std::int64_t cy = std::int64_t{b.top} * 2 + b.height;
    return cx >= std::int64_t{frame.left} * 2 &&
           cx < (std::int64_t{frame.left} + frame.width) * 2 && cy >= std::int64_t{frame.top} * 2 &&
           cy < (std::int64_t{frame.top} + frame.height) * 2;
}

// A node of the reading tree: a control, or a frame with what it holds.
struct Node {
    const Box* box = nullptr;
    bool frame = false;
    std::vector<Node*> children;
};

// Reading order: sorted from the top, a new row starts where a node's top lies at or below the
// middle of the row's first node (the lower of the two heights counts, so a tall list beside
// short buttons does not swallow them); within a row from the left.
void read_in_order(std::vector<Node*>& nodes) {
    std::sort(nodes.begin(), nodes.end(), [](const Node* a, const Node* b) {
        return std::tie(a->box->top, a->box->left, a->box->id) <
               std::tie(b->box->top, b->box->left, b->box->id);
    });
    std::size_t row = 0;
    for (std::size_t i = 1; i <= nodes.size(); ++i) {
        const bool ends = i == nodes.size() || [&] {
            const Box& first = *nodes[row]->box;
            const Box& next = *nodes[i]->box;
            return std::int64_t{next.top} * 2 >=
                   std::int64_t{first.top} * 2 + std::min(first.height, next.height);
        }();
        if (!ends) continue;
        std::stable_sort(nodes.begin() + static_cast<std::ptrdiff_t>(row),
                         nodes.begin() + static_cast<std::ptrdiff_t>(i),
                         [](const Node* a, const Node* b) { return a->box->left < b->box->left; });
        row = i;
    }
}

void walk(std::vector<Node*>& nodes, std::vector<int>& out) {
    read_in_order(nodes);
    for (Node* n : nodes) {
        if (n->frame)
            walk(n->children, out);
        else
            out.push_back(n->box->id);
    }
}

}  // namespace

bool takes_tab_stop(int kind) {
    return std::find(std::begin(kTabKinds), std::end(kTabKinds), kind) != std::end(kTabKinds);
}

std::vector<int> tab_chain(std::span<const Box> controls) {
    std::vector<Node> nodes;
    nodes.reserve(controls.size());
    for (const Box& b : controls) {
        if (b.kind == CTRL_DECORATION)
            nodes.push_back({&b, true, {}});
        else if (b.operable && takes_tab_stop(b.kind))
            nodes.push_back({&b, false, {}});
    }
    // Each node goes into the smallest frame holding its centre; a frame never holds itself or
    // a larger frame, so the tree has no cycles.
    std::vector<Node*> top;
    for (Node& n : nodes) {
        Node* holder = nullptr;
        for (Node& f : nodes) {
            if (!f.frame || &f == &n || !holds_centre(*f.box, *n.box)) continue;
            if (n.frame && area(*f.box) <= area(*n.box)) continue;
            if (!holder || area(*f.box) < area(*holder->box)) holder = &f;
        }
        (holder ? holder->children : top).push_back(&n);
    }
    std::vector<int> out;
    walk(top, out);
    return out;
}

Box box_of(const Control& c) {
    return {.id = c.id,
            .kind = c.kind,
            .operable = c.mode == VAL_HOT,
            .top = c.top,
            .left = c.left,
            .width = c.width,
            .height = c.height};
}

std::vector<int> panel_tab_chain(int panel) {
    const Panel* p = model::find_panel(panel);
    if (!p) return {};
    std::vector<Box> boxes;
    boxes.reserve(p->controls.size());
    for (int id : p->controls)
        if (const Control* c = model::find_control(panel, id)) boxes.push_back(box_of(*c));
    return tab_chain(boxes);
}

}  // namespace uir::rules
