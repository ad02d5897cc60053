// Where things are: inside their panels, apart from each other, framed, legible and aligned.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

#include "layout_view.h"

using layout_test::body;
using layout_test::channel;
using layout_test::ctrl;
using layout_test::footprint;
using layout_test::kLineHeight;
using layout_test::panel;
using layout_test::Rect;
using layout_test::text_width;
using layout_test::text_width_lines;

namespace {

bool drawn(const uir::CtrlSpec& c) {
    return c.kind != CTRL_TIMER;
}
bool frame(const uir::CtrlSpec& c) {
    return c.kind == CTRL_DECORATION;
}

TEST(Geometry, EverythingInsideItsPanel) {
    for (const auto& p : qorm_layout().panels) {
        const Rect area{0, 0, p.width, p.height};
        for (const auto& c : p.controls) {
            if (!drawn(c)) continue;
            EXPECT_GT(c.width, 0) << c.constant_name;
            EXPECT_GT(c.height, 0) << c.constant_name;
            for (const auto& r : footprint(c))
                EXPECT_TRUE(area.contains(r)) << c.constant_name << " leaves " << p.constant_name;
        }
    }
}

// Labels drawn beside a body count as part of the control.
TEST(Geometry, NoTwoControlsOverlap) {
    for (const auto& p : qorm_layout().panels) {
        std::vector<const uir::CtrlSpec*> shown;
        for (const auto& c : p.controls)
            if (drawn(c) && !frame(c) && c.visible) shown.push_back(&c);
        for (std::size_t i = 0; i < shown.size(); ++i)
            for (std::size_t j = i + 1; j < shown.size(); ++j)
                for (const auto& a : footprint(*shown[i]))
                    for (const auto& b : footprint(*shown[j]))
                        EXPECT_FALSE(a.overlaps(b))
                            << shown[i]->constant_name << " and " << shown[j]->constant_name;
    }
}

TEST(Geometry, EveryMainPanelControlSitsInExactlyOneFrame) {
    std::vector<const uir::CtrlSpec*> frames;
    for (const auto& c : panel(MP).controls)
        if (frame(c)) frames.push_back(&c);
    EXPECT_EQ(frames.size(), 11u);
    for (std::size_t i = 0; i < frames.size(); ++i)
        for (std::size_t j = i + 1; j < frames.size(); ++j)
            EXPECT_FALSE(body(*frames[i]).overlaps(body(*frames[j])))
                << frames[i]->constant_name << " and " << frames[j]->constant_name;
    std::set<const uir::CtrlSpec*> used;
    for (const auto& c : panel(MP).controls) {
        if (!drawn(c) || frame(c)) continue;
        int holders = 0;
        for (const auto* f : frames) {
            const auto parts = footprint(c);
            if (std::all_of(parts.begin(), parts.end(),
                            [&](const Rect& r) { return body(*f).contains(r); })) {
                ++holders;
                used.insert(f);
            }
        }
        EXPECT_EQ(holders, 1) << c.constant_name;
    }
    EXPECT_EQ(used.size(), frames.size()) << "an empty frame";
}

// Decorations come before the controls they frame, so they are drawn behind them.
TEST(Geometry, FramesListedFirst) {
    for (const auto& p : qorm_layout().panels) {
        bool past_frames = false;
        for (const auto& c : p.controls) {
            if (!frame(c))
                past_frames = true;
            else
                EXPECT_FALSE(past_frames) << c.constant_name;
        }
    }
}

// Widest values the code writes: times up to the fine range's 10.235, a 16-bit result, and in
// the identity fields an unknown slot or mainframe address (-1) shown as unsigned 16 bits.
std::string widest_value(const uir::CtrlSpec& c) {
    if (c.data_type == VAL_FLOAT) return "10.235";
    if (c.data_type == VAL_SHORT_INTEGER) return "-32768";
    return "65535";
}

TEST(Geometry, TextsFitTheirControls) {
    for (const auto& p : qorm_layout().panels) {
        for (const auto& c : p.controls) {
            SCOPED_TRACE(c.constant_name);
            const auto text = [&](const char* s) { return s ? text_width_lines(s) : 0; };
            switch (c.kind) {
                case CTRL_COMMAND_BUTTON:
                case CTRL_TOGGLE_BUTTON:
                    EXPECT_LE(std::max({text(c.label), text(c.on_text), text(c.off_text)}) + 12,
                              c.width);
                    EXPECT_GE(c.height, 20);
                    break;
                case CTRL_CHECK_BOX:
                    EXPECT_LE(18 + text(c.label), c.width);
                    EXPECT_GE(c.height, kLineHeight);
                    break;
                case CTRL_BINARY_SWITCH:
                    EXPECT_LE(20 + std::max(text(c.on_text), text(c.off_text)), c.width);
                    EXPECT_GE(c.height, 2 * kLineHeight);
                    break;
                case CTRL_TEXT_MSG:
                    EXPECT_LE(layout_test::wrapped_lines(c.text, c.width) * kLineHeight, c.height);
                    break;
                case CTRL_STRING:
                    EXPECT_LE(text(c.text) + 8, c.width);
                    EXPECT_GE(c.height, 18);
                    break;
                case CTRL_NUMERIC:
                    EXPECT_LE(text_width(widest_value(c)) + 8, c.width);
                    EXPECT_GE(c.height, 18);
                    break;
                case CTRL_RING:
                    for (const auto& item : c.items) EXPECT_LE(text(item.label) + 26, c.width);
                    break;
                default:
                    break;
            }
        }
    }
}

// The two banks: channels 1-15 left, 16-30 right, every family in its own column, rows evenly
// spaced and the two banks' rows level with each other.
TEST(Geometry, ChannelRowsFormAlignedColumns) {
    const auto family = [](int ch, int col) {
        const auto& ids = channel(ch);
        const int id[] = {ids.l, ids.sw, ids.t, ids.st};
        return ctrl(MP, id[col]);
    };
    const int pitch = family(2, 0).top - family(1, 0).top;
    EXPECT_GE(pitch, family(1, 0).height + 1);
    for (int col = 0; col < 4; ++col) {
        for (int ch = 1; ch <= 30; ++ch) {
            SCOPED_TRACE("channel " + std::to_string(ch) + " column " + std::to_string(col));
            const auto& c = family(ch, col);
            const auto& first = family(ch <= 15 ? 1 : 16, col);
            EXPECT_EQ(c.left, first.left);
            EXPECT_EQ(c.width, first.width);
            EXPECT_EQ(c.top, family(1, 0).top + (ch - 1) % 15 * pitch);
            EXPECT_EQ(c.height, family(1, 0).height);
            if (ch > 15) {
                EXPECT_GT(c.left, family(15, 3).left + family(15, 3).width);
            }
            if (col > 0) {
                EXPECT_GT(c.left, family(ch, col - 1).left + family(ch, col - 1).width);
            }
        }
    }
    EXPECT_GE(family(1, 0).height, 18);
    EXPECT_LE(family(1, 0).height, 24);
}

// The latch lamps: row Л1 over row Л2, lamp by lamp, evenly spaced, each row behind its heading.
TEST(Geometry, LatchLampsFormTwoHeadedRows) {
    const auto& l1 = ctrl(MP, channel(1).fix1);
    const auto& l2 = ctrl(MP, channel(1).fix2);
    const int pitch = ctrl(MP, channel(2).fix1).left - l1.left;
    EXPECT_GE(pitch, l1.width + 1);
    EXPECT_GE(l2.top, l1.top + l1.height);
    for (int ch = 1; ch <= 30; ++ch) {
        SCOPED_TRACE("channel " + std::to_string(ch));
        const auto& a = ctrl(MP, channel(ch).fix1);
        const auto& b = ctrl(MP, channel(ch).fix2);
        EXPECT_EQ(a.top, l1.top);
        EXPECT_EQ(b.top, l2.top);
        EXPECT_EQ(a.left, l1.left + (ch - 1) * pitch);
        EXPECT_EQ(b.left, a.left);
        EXPECT_EQ(b.width, a.width);
    }
    for (auto [heading, row] : {std::pair{MP_TEXTMSG, &l1}, std::pair{MP_TEXTMSG_9, &l2}}) {
        const auto& h = ctrl(MP, heading);
        EXPECT_LE(h.left + h.width, row->left) << h.text;
        EXPECT_TRUE(body(h).overlaps({0, row->top, l1.left, row->top + row->height})) << h.text;
    }
    EXPECT_STREQ(ctrl(MP, MP_TEXTMSG).text, "Л1");
    EXPECT_STREQ(ctrl(MP, MP_TEXTMSG_9).text, "Л2");
}

}  // namespace

namespace {

// Advance widths measured with the 9-point sans-serif font of the Qt view: the estimate used
// above must not fall below them, nor waste more than a fifth.
TEST(TextWidth, BoundsTheViewFontClosely) {
    const std::pair<const char*, int> kMeasured[] = {{"Переключение по таймеру", 170},
                                                     {"Тригеры фиксации переключения", 217},
                                                     {"Формирователь токовых команд", 208},
                                                     {"Самоконтроль", 91},
                                                     {"Сброс триггеров", 105},
                                                     {"ВЫКЛ", 36},
                                                     {"Кр.ЛА", 37},
                                                     {"30", 15},
                                                     {"10.235", 42},
                                                     {"Версия  драйвера", 113},
                                                     {"__Закрыть", 53}};
    for (auto [text, measured] : kMeasured) {
        EXPECT_GE(text_width(text), measured) << text;
        EXPECT_LE(text_width(text), measured * 6 / 5) << text;
    }
}

TEST(TextWidth, WordsMoveDownWhenTheyDoNotFit) {
    constexpr const char* kText = "Завершить работу с мезонином QORM?";
    EXPECT_EQ(layout_test::wrapped_lines(kText, 400), 1);
    EXPECT_EQ(layout_test::wrapped_lines(kText, 232), 2);
    EXPECT_EQ(layout_test::wrapped_lines(kText, 130), 3);
    EXPECT_EQ(layout_test::wrapped_lines("Формирователь токовых команд\n30 каналов", 400), 2);
}

}  // namespace
