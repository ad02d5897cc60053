#include "list_columns.h"

#include "uir/model.h"
#include "userint.h"

namespace uir::rules {
namespace {

// Runs of non-blank text, the runs separated by at least `gap` blanks.
std::vector<TextSpan> runs(std::string_view s, std::size_t gap) {
    std::vector<TextSpan> out;
    std::size_t i = 0;
    while (i < s.size()) {
        while (i < s.size() && s[i] == ' ') ++i;
        if (i == s.size()) break;
        TextSpan span{i, i};
        std::size_t blanks = 0;
        for (; i < s.size(); ++i) {
            if (s[i] != ' ') {
                blanks = 0;
                span.end = i + 1;
            } else if (++blanks >= gap) {
                break;
            }
        }
        out.push_back(span);
    }
    return out;
}

}  // namespace

std::vector<TextSpan> header_captions(std::string_view header) {
    return runs(header, 2);
}

std::vector<TextSpan> line_fields(std::string_view line) {
    return runs(line, 1);
}

bool draws_columns(std::span<const std::string> lines, std::string_view header) {
    const std::size_t captions = header_captions(header).size();
    if (captions < 2) return false;
    for (const std::string& line : lines)
        if (line_fields(line).size() != captions) return false;
    return true;
}

int list_header(const Box& list, std::span<const Box> texts) {
    int found = 0, found_bottom = 0;
    for (const Box& t : texts) {
        const int bottom = t.top + t.height;
        const bool above = bottom <= list.top + 2 && bottom >= list.top - kHeaderGap;
        const bool over = t.left >= list.left && t.left < list.left + list.width;
        if (!above || !over) continue;
        if (found == 0 || bottom > found_bottom) {
            found = t.id;
            found_bottom = bottom;
        }
    }
    return found;
}

int list_header_of(int panel, int list) {
    const Panel* p = model::find_panel(panel);
    const Control* l = model::find_control(panel, list);
    if (!p || !l) return 0;
    std::vector<Box> texts;
    for (int id : p->controls)
        if (const Control* c = model::find_control(panel, id); c && c->kind == CTRL_TEXT_MSG)
            texts.push_back(box_of(*c));
    return list_header(box_of(*l), texts);
}

}  // namespace uir::rules
