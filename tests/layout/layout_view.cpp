#include "layout_view.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>

namespace layout_test {

const uir::PanelSpec& panel(int id) {
    for (const auto& p : qorm_layout().panels)
        if (p.id == id) return p;
    ADD_FAILURE() << "no panel " << id;
    static const uir::PanelSpec none{};
    return none;
}

const uir::CtrlSpec* find_ctrl(int panel_id, int control) {
    for (const auto& c : panel(panel_id).controls)
        if (c.id == control) return &c;
    return nullptr;
}

const uir::CtrlSpec& ctrl(int panel_id, int control) {
    if (const auto* c = find_ctrl(panel_id, control)) return *c;
    ADD_FAILURE() << "no control " << control << " on panel " << panel_id;
    static const uir::CtrlSpec none{};
    return none;
}

const ChannelCtrls& channel(int ch) {
#define CH(i)                                                                  \
    ChannelCtrls {                                                             \
        MP_SWITCH_##i, MP_T_##i, MP_L_##i, MP_ST_##i, MP_1FIX_##i, MP_2FIX_##i \
    }
    static constexpr ChannelCtrls kChannels[30] = {
        CH(1),  CH(2),  CH(3),  CH(4),  CH(5),  CH(6),  CH(7),  CH(8),  CH(9),  CH(10),
        CH(11), CH(12), CH(13), CH(14), CH(15), CH(16), CH(17), CH(18), CH(19), CH(20),
        CH(21), CH(22), CH(23), CH(24), CH(25), CH(26), CH(27), CH(28), CH(29), CH(30),
    };
#undef CH
    return kChannels[ch - 1];
}

std::vector<std::string> lines(std::string_view text) {
    std::vector<std::string> out;
    std::size_t start = 0;
    for (std::size_t nl; (nl = text.find('\n', start)) != std::string_view::npos; start = nl + 1)
        out.emplace_back(text.substr(start, nl - start));
    out.emplace_back(text.substr(start));
    return out;
}

namespace {

std::u32string decode_utf8(std::string_view s) {
    std::u32string out;
    for (std::size_t i = 0; i < s.size();) {
        const auto b = static_cast<std::uint8_t>(s[i]);
        const int n = b < 0x80 ? 1 : b < 0xE0 ? 2 : b < 0xF0 ? 3 : 4;
        char32_t cp = n == 1 ? b : b & (0x7F >> n);
        for (int k = 1; k < n && i + k < s.size(); ++k)
            cp = (cp << 6) | (static_cast<std::uint8_t>(s[i + k]) & 0x3F);
        out += cp;
        i += n;
    }
    return out;
}

bool is_upper(char32_t c) {
    return (c >= U'A' && c <= U'Z') || (c >= U'А' && c <= U'Я') || c == U'Ё';
}
bool is_letter(char32_t c) {
    return is_upper(c) || (c >= U'a' && c <= U'z') || (c >= U'а' && c <= U'я') || c == U'ё';
}

}  // namespace

int text_width(std::string_view line) {
    static constexpr std::u32string_view kWide = U"жшщюфымЖШЩЮЫФМЪWMmw";
    std::string plain(line);
    for (std::size_t p; (p = plain.find("__")) != std::string::npos;) plain.erase(p, 2);
    int w = 0;
    for (char32_t c : decode_utf8(plain)) {
        if (kWide.find(c) != std::u32string_view::npos)
            w += is_upper(c) ? 13 : 11;
        else if (is_letter(c))
            w += is_upper(c) ? 9 : 8;
        else if (c >= U'0' && c <= U'9')
            w += 8;
        else
            w += c == U' ' ? 4 : 5;
    }
    return w;
}

int text_width_lines(std::string_view text) {
    int w = 0;
    for (const auto& l : lines(text)) w = std::max(w, text_width(l));
    return w;
}

int wrapped_lines(std::string_view text, int width) {
    int count = 0;
    for (const auto& l : lines(text)) {
        ++count;
        std::string current;
        std::size_t start = 0;
        while (start <= l.size()) {
            std::size_t sp = l.find(' ', start);
            if (sp == std::string::npos) sp = l.size();
            const std::string word = l.substr(start, sp - start);
            const std::string joined = current.empty() ? word : current + " " + word;
            if (!current.empty() && text_width(joined) > width) {
                ++count;
                current = word;
            } else {
                current = joined;
            }
            start = sp + 1;
        }
    }
    return count;
}

Rect body(const uir::CtrlSpec& c) {
    return {c.left, c.top, c.left + c.width, c.top + c.height};
}

std::vector<Rect> footprint(const uir::CtrlSpec& c) {
    std::vector<Rect> out{body(c)};
    if (c.label == nullptr || *c.label == '\0') return out;
    const int w = text_width_lines(c.label);
    const int h = static_cast<int>(lines(c.label).size()) * kLineHeight;
    switch (c.kind) {
        case CTRL_NUMERIC:
        case CTRL_STRING:
        case CTRL_RING:
        case CTRL_TEXT_BOX: {
            const int top = c.top + (c.height - h) / 2;
            out.push_back({c.left - 4 - w, top, c.left - 4, top + h});
            break;
        }
        case CTRL_LED: {
            const int left = c.left + (c.width - w) / 2;
            out.push_back({left, c.top - 2 - h, left + w, c.top - 2});
            break;
        }
        case CTRL_BINARY_SWITCH:
            out.push_back({c.left, c.top - 2 - h, c.left + w, c.top - 2});
            break;
        default:
            break;  // drawn inside the body
    }
    return out;
}

}  // namespace layout_test
