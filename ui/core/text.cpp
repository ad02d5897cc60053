#include "text.h"

#include "ctext/ctext.h"
#include "uir/model.h"
#include "userint.h"

namespace uir::core {

int check_text(const char* text) {
    if (!text) return UIE_NULL_POINTER;
    return ctext::bounded_length(text, kMaxTextBytes + 1) > kMaxTextBytes ? UIE_OUT_OF_RANGE : 0;
}

int copy_out(std::string_view text, char* buffer, std::size_t size) {
    if (!buffer) return UIE_NULL_POINTER;
    if (size == 0) return UIE_OUT_OF_RANGE;
    ctext::copy(buffer, size, text);
    return 0;
}

std::vector<std::string> split_lines(std::string_view text) {
    std::vector<std::string> lines;
    if (text.empty()) return lines;
    std::size_t start = 0;
    for (;;) {
        std::size_t nl = text.find('\n', start);
        if (nl == std::string_view::npos) {
            lines.emplace_back(text.substr(start));
            return lines;
        }
        lines.emplace_back(text.substr(start, nl - start));
        start = nl + 1;
    }
}

std::string join_lines(const std::vector<std::string>& lines) {
    std::string out;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i) out += '\n';
        out += lines[i];
    }
    return out;
}

std::vector<std::string> line_pieces(std::string_view line) {
    if (line.ends_with('\n')) {
        line.remove_suffix(1);
        if (line.ends_with('\r')) line.remove_suffix(1);
        if (line.empty()) return {std::string()};
    }
    if (line.empty()) return {std::string()};
    return split_lines(line);
}

}  // namespace uir::core

namespace uir {

LabelParts split_label(std::string_view label) {
    LabelParts out;
    for (std::size_t i = 0; i < label.size(); ++i) {
        const bool marker = label[i] == '_' && i + 2 < label.size() && label[i + 1] == '_';
        if (marker) {
            if (out.shortcut < 0) out.shortcut = static_cast<int>(out.text.size());
            ++i;  // drop both underscores; the letter follows
            continue;
        }
        out.text += label[i];
    }
    return out;
}

}  // namespace uir
