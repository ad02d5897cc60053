// The model's side of the placement rules: a panel's place in the layout it came from.
#include "uir/model.h"
#include "placement.h"
#include "registry.h"

namespace uir::rules {

std::optional<Rect> layout_place(int panel) {
    const Panel* p = model::find_panel(panel);
    if (!p || p->layout_file.empty()) return std::nullopt;
    const LayoutSpec* layout = core::find_layout(p->layout_file);
    if (!layout) return std::nullopt;
    for (const PanelSpec& spec : layout->panels) {
        if (spec.id != p->layout_id) continue;
        if (spec.top == VAL_AUTO_CENTER || spec.left == VAL_AUTO_CENTER) return std::nullopt;
        return Rect{spec.left, spec.top, spec.width, spec.height};
    }
    return std::nullopt;
}

}  // namespace uir::rules
