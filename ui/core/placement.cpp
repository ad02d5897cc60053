#include "placement.h"

#include <algorithm>

namespace uir::rules {
namespace {

// The start of `span` (a position and a length) moved so it lies within [lo, lo + room); the
// start wins when the span is longer than the room.
int fit_span(int start, int length, int lo, int room) {
    if (length >= room) return lo;
    return std::clamp(start, lo, lo + room - length);
}

}  // namespace

int popup_owner(std::span<const int> running, const std::function<bool(int)>& visible) {
    for (auto it = running.rbegin(); it != running.rend(); ++it)
        if (*it > 0 && visible && visible(*it)) return *it;
    return 0;
}

Rect popup_frame(Rect owner_frame, Rect size, Rect area) {
    const Rect over = owner_frame.width > 0 && owner_frame.height > 0 ? owner_frame : area;
    Rect r{over.left + (over.width - size.width) / 2, over.top + (over.height - size.height) / 2,
           size.width, size.height};
    r.left = fit_span(r.left, r.width, area.left, area.width);
    r.top = fit_span(r.top, r.height, area.top, area.height);
    return r;
}

int anchor_panel(int panel, std::span<const PanelKey> panels) {
    const PanelKey* self = nullptr;
    for (const PanelKey& k : panels)
        if (k.handle == panel) self = &k;
    if (!self || self->layout_file.empty() || !self->callback_data) return 0;
    int first = 0;
    for (const PanelKey& k : panels) {
        if (k.layout_file != self->layout_file || k.callback_data != self->callback_data) continue;
        if (first == 0 || k.handle < first) first = k.handle;
    }
    return first == panel ? 0 : first;
}

Rect follow_anchor(Rect own, Rect anchor_layout, Rect anchor_now) {
    own.left += anchor_now.left - anchor_layout.left;
    own.top += anchor_now.top - anchor_layout.top;
    return own;
}

Placement fit_window(Rect client, Margins frame, Rect area) {
    Placement p;
    const int room_w = std::max(0, area.width - frame.left - frame.right);
    const int room_h = std::max(0, area.height - frame.top - frame.bottom);
    p.client.width = std::min(client.width, room_w);
    p.client.height = std::min(client.height, room_h);
    p.scrolls = p.client.width < client.width || p.client.height < client.height;
    if (p.scrolls && client.width > 0 && client.height > 0)
        p.scale = std::min(static_cast<double>(p.client.width) / client.width,
                           static_cast<double>(p.client.height) / client.height);
    const int outer_w = p.client.width + frame.left + frame.right;
    const int outer_h = p.client.height + frame.top + frame.bottom;
    p.client.left = fit_span(client.left - frame.left, outer_w, area.left, area.width) + frame.left;
    p.client.top = fit_span(client.top - frame.top, outer_h, area.top, area.height) + frame.top;
    return p;
}

std::string fit_title(std::string_view title, int width,
                      const std::function<int(std::string_view)>& width_of) {
    if (!width_of || width_of(title) <= width) return std::string(title);
    // Candidates end before each blank that follows a word; the first word always stays.
    std::size_t best = std::string_view::npos;
    for (std::size_t i = 0; i < title.size(); ++i) {
        if (title[i] != ' ' || i == 0 || title[i - 1] == ' ') continue;
        const std::string cut = std::string(title.substr(0, i)) + std::string(kEllipsis);
        if (best == std::string_view::npos || width_of(cut) <= width)
            best = i;
        else
            break;
    }
    if (best == std::string_view::npos) return std::string(title);
    std::string out(title.substr(0, best));
    // Punctuation that separated the cut words goes with the cut ("кр.1, …" reads "кр.1…").
    while (!out.empty() && (out.back() == ',' || out.back() == ';' || out.back() == ':'))
        out.pop_back();
    return out + std::string(kEllipsis);
}

}  // namespace uir::rules
