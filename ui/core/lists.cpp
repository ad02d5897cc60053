// Items of rings and list boxes, and the lines of text boxes.
#include <algorithm>

#include "ctrl_ops.h"
#include "kinds.h"
#include "text.h"

namespace uir::core {
namespace {

// The control, which must be a ring or list box (`items`) or a text box (`!items`).
int find_of_kind(int panel, int control, bool items, CtrlRec*& c) {
    PanelRec* p = nullptr;
    if (int st = find_ctrl(panel, control, p, c); st < 0) return st;
    const ValueKind want = items ? ValueKind::Items : ValueKind::Lines;
    return kind_info(c->kind)->value == want ? 0 : UIE_INVALID_ARGUMENT;
}

int item_count(const CtrlRec& c) {
    return static_cast<int>(c.items.size());
}

void items_changed(const CtrlRec& c) {
    notify([&](Backend& b) { b.list_changed(c.panel, c.id); });
}

}  // namespace
}  // namespace uir::core

using namespace uir::core;

int ClearListCtrl(int panel, int control) {
    CtrlRec* c = nullptr;
    if (int st = find_of_kind(panel, control, true, c); st < 0) return st;
    if (c->items.empty()) return 0;
    c->items.clear();
    items_changed(*c);
    set_index(*c, -1);
    return 0;
}

// The selection stays on the same item when others are inserted before it; a list filled from
// empty selects its first item.
int InsertListItem(int panel, int control, int index, const char* label, int value) {
    if (int st = check_text(label); st < 0) return st;
    CtrlRec* c = nullptr;
    if (int st = find_of_kind(panel, control, true, c); st < 0) return st;
    const int n = item_count(*c);
    if (index == -1) index = n;
    if (index < 0 || index > n) return UIE_OUT_OF_RANGE;
    if (!fits_type(c->data_type, value)) return UIE_OUT_OF_RANGE;
    c->items.insert(c->items.begin() + index, uir::ListItem{label, value});
    const int selected = c->index;
    if (selected >= index) c->index = selected + 1;  // same item, new position
    items_changed(*c);
    if (selected < 0) set_index(*c, 0);
    return 0;
}

// count -1 deletes from `index` to the end. When the selected item goes, the item that takes
// its place (or else the new last one) is selected.
int DeleteListItem(int panel, int control, int index, int count) {
    CtrlRec* c = nullptr;
    if (int st = find_of_kind(panel, control, true, c); st < 0) return st;
    const int n = item_count(*c);
    if (index < 0 || index >= n) return UIE_OUT_OF_RANGE;
    if (count == -1) count = n - index;
    if (count < 0 || count > n - index) return UIE_OUT_OF_RANGE;
    if (count == 0) return 0;
    const int selected = c->index;
    const bool selected_deleted = selected >= index && selected < index + count;
    c->items.erase(c->items.begin() + index, c->items.begin() + index + count);
    if (selected >= index + count)
        c->index = selected - count;
    else if (selected_deleted)
        c->index = std::min(index, item_count(*c) - 1);
    items_changed(*c);
    if (selected_deleted) notify([&](uir::Backend& b) { b.control_value_changed(panel, control); });
    return 0;
}

int GetNumListItems(int panel, int control, int* count) {
    if (!count) return UIE_NULL_POINTER;
    CtrlRec* c = nullptr;
    if (int st = find_of_kind(panel, control, true, c); st < 0) return st;
    *count = item_count(*c);
    return 0;
}

// -1 for an empty list.
int GetCtrlIndex(int panel, int control, int* index) {
    if (!index) return UIE_NULL_POINTER;
    CtrlRec* c = nullptr;
    if (int st = find_of_kind(panel, control, true, c); st < 0) return st;
    *index = c->index;
    return 0;
}

int SetCtrlIndex(int panel, int control, int index) {
    CtrlRec* c = nullptr;
    if (int st = find_of_kind(panel, control, true, c); st < 0) return st;
    if (index < 0 || index >= item_count(*c)) return UIE_OUT_OF_RANGE;
    set_index(*c, index);
    return 0;
}

int GetValueFromIndex(int panel, int control, int index, int* value) {
    if (!value) return UIE_NULL_POINTER;
    CtrlRec* c = nullptr;
    if (int st = find_of_kind(panel, control, true, c); st < 0) return st;
    if (index < 0 || index >= item_count(*c)) return UIE_OUT_OF_RANGE;
    *value = c->items[index].value;
    return 0;
}

int GetLabelFromIndexString(int panel, int control, int index, char* buffer, size_t size) {
    if (!buffer) return UIE_NULL_POINTER;
    CtrlRec* c = nullptr;
    if (int st = find_of_kind(panel, control, true, c); st < 0) return st;
    if (index < 0 || index >= item_count(*c)) return UIE_OUT_OF_RANGE;
    return copy_out(c->items[index].label, buffer, size);
}

int ResetTextBox(int panel, int control, const char* text) {
    if (int st = check_text(text); st < 0) return st;
    CtrlRec* c = nullptr;
    if (int st = find_of_kind(panel, control, false, c); st < 0) return st;
    return set_text_box(*c, text);
}

// Inserting always changes the content, so the lines are not copied to compare.
int InsertTextBoxLine(int panel, int control, int index, const char* text) {
    if (int st = check_text(text); st < 0) return st;
    CtrlRec* c = nullptr;
    if (int st = find_of_kind(panel, control, false, c); st < 0) return st;
    const int n = static_cast<int>(c->lines.size());
    if (index == -1) index = n;
    if (index < 0 || index > n) return UIE_OUT_OF_RANGE;
    const std::vector<std::string> pieces = line_pieces(text);
    if (c->lines.size() + pieces.size() > kMaxTextBoxLines) return UIE_OUT_OF_RANGE;
    c->lines.insert(c->lines.begin() + index, pieces.begin(), pieces.end());
    notify([&](uir::Backend& b) { b.text_box_changed(panel, control); });
    return 0;
}

int GetNumTextBoxLines(int panel, int control, int* count) {
    if (!count) return UIE_NULL_POINTER;
    CtrlRec* c = nullptr;
    if (int st = find_of_kind(panel, control, false, c); st < 0) return st;
    *count = static_cast<int>(c->lines.size());
    return 0;
}

int GetTextBoxLineString(int panel, int control, int index, char* buffer, size_t size) {
    if (!buffer) return UIE_NULL_POINTER;
    CtrlRec* c = nullptr;
    if (int st = find_of_kind(panel, control, false, c); st < 0) return st;
    if (index < 0 || index >= static_cast<int>(c->lines.size())) return UIE_OUT_OF_RANGE;
    return copy_out(c->lines[index], buffer, size);
}
