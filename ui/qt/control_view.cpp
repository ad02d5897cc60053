#include "control_view.h"

#include <QFontMetrics>
#include <QPalette>
#include <QStringList>
#include <algorithm>

#include "control_views.h"
#include "look.h"

namespace uir::qt {
namespace {

enum class Aspect { State, Geometry, Texts, Mode, Colours };

struct AttributeAspect {
    int attribute;
    Aspect aspect;
};

// Attributes not listed (callbacks, callback data, timer state, constant name) change nothing
// the operator sees.
constexpr AttributeAspect kAspects[] = {
    {ATTR_DIMMED, Aspect::State},         {ATTR_VISIBLE, Aspect::State},
    {ATTR_TOP, Aspect::Geometry},         {ATTR_LEFT, Aspect::Geometry},
    {ATTR_WIDTH, Aspect::Geometry},       {ATTR_HEIGHT, Aspect::Geometry},
    {ATTR_LABEL_TEXT, Aspect::Texts},     {ATTR_ON_TEXT, Aspect::Texts},
    {ATTR_OFF_TEXT, Aspect::Texts},       {ATTR_MIN_VALUE, Aspect::Mode},
    {ATTR_MAX_VALUE, Aspect::Mode},       {ATTR_INCR_VALUE, Aspect::Mode},
    {ATTR_PRECISION, Aspect::Mode},       {ATTR_CTRL_MODE, Aspect::Mode},
    {ATTR_BACKCOLOR, Aspect::Colours},    {ATTR_TEXT_COLOR, Aspect::Colours},
    {ATTR_TEXT_BGCOLOR, Aspect::Colours}, {ATTR_CMD_BUTTON_COLOR, Aspect::Colours},
};

void set_visible(QWidget* w, bool visible) {
    if (w && w->isHidden() == visible) w->setVisible(visible);
}

void set_enabled(QWidget* w, bool enabled) {
    if (w && w->isEnabled() != enabled) w->setEnabled(enabled);
}

}  // namespace

ControlView::ControlView(int panel, int control, Operator& op)
    : panel_(panel), control_(control), op_(op) {}

ControlView::~ControlView() {
    delete label_.data();
    delete body_.data();
}

void ControlView::set_body(QWidget* body) {
    body_ = body;
}

void ControlView::show_all(const Control& c) {
    show_geometry(c);
    show_texts(c);
    show_label(c);
    show_mode(c);
    show_colours(c);
    show_items(c);
    show_lines(c);
    show_value(c);
    show_state(c);
    if (body_ && stays_behind()) body_->lower();
}

void ControlView::show_attribute(const Control& c, int attribute) {
    const auto* row =
        std::find_if(std::begin(kAspects), std::end(kAspects),
                     [&](const AttributeAspect& a) { return a.attribute == attribute; });
    if (row == std::end(kAspects)) return;
    switch (row->aspect) {
        case Aspect::State:
            show_state(c);
            return;
        case Aspect::Geometry:
            show_geometry(c);
            place_label(c);
            return;
        case Aspect::Texts:
            show_texts(c);
            show_label(c);
            return;
        case Aspect::Mode:
            show_mode(c);
            return;
        case Aspect::Colours:
            show_colours(c);
            return;
    }
}

QRect ControlView::body_rect(const Control& c) const {
    return QRect(c.left, c.top, c.width, c.height);
}

void ControlView::show_geometry(const Control& c) {
    if (!body_) return;
    const QRect r = body_rect(c);
    if (body_->geometry() != r) body_->setGeometry(r);
}

LabelPlace ControlView::place() const {
    const LabelPlace p = label_place();
    return p == LabelPlace::Left && labels_above_ ? LabelPlace::Above : p;
}

void ControlView::show_state(const Control& c) {
    set_enabled(body_, !c.dimmed);
    set_enabled(label_, !c.dimmed);
    set_visible(body_, c.visible);
    set_visible(label_, c.visible && label_ && !label_->text().isEmpty());
}

// The label is made when the control first has a text to show, and kept (empty) after.
void ControlView::show_label(const Control& c) {
    if (!body_ || place() == LabelPlace::None) return;
    if (!label_ && c.label.empty()) return;
    if (!label_) {
        label_ = new QLabel(body_->parentWidget());
        label_->setTextFormat(Qt::PlainText);
        label_->setBuddy(body_);
        label_->stackUnder(body_);
    }
    const QString text = mnemonic_text(c.label);
    if (label_->text() != text) label_->setText(text);
    place_label(c);
    show_state(c);
}

void ControlView::place_label(const Control& c) {
    if (!label_ || !body_) return;
    const QStringList lines = plain_text(c.label).split('\n');
    const QFontMetrics fm(label_->font());
    int width = 0;
    for (const QString& line : lines) width = std::max(width, fm.horizontalAdvance(line));
    width += 2;
    const int height = kLabelLine * static_cast<int>(lines.size());
    QRect r;
    switch (place()) {
        case LabelPlace::None:
            return;
        case LabelPlace::Left:
            r = QRect(c.left - kLabelGap - width, c.top + (c.height - height) / 2, width, height);
            label_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
            break;
        case LabelPlace::Above:
            r = QRect(c.left, c.top - kLabelGapAbove - height, std::max(width, c.width), height);
            label_->setAlignment(Qt::AlignLeft | Qt::AlignBottom);
            break;
        case LabelPlace::AboveCentred: {
            const int w = std::max(width, c.width);
            r = QRect(c.left + (c.width - w) / 2, c.top - kLabelGapAbove - height, w, height);
            label_->setAlignment(Qt::AlignHCenter | Qt::AlignBottom);
            break;
        }
    }
    if (label_->geometry() != r) label_->setGeometry(r);
}

void ControlView::show_colours(const Control& c) {
    if (!body_) return;
    QPalette pal = body_->parentWidget() ? body_->parentWidget()->palette() : body_->palette();
    if (c.text_color >= 0) {
        // A dimmed control keeps the greyed text of the disabled colour group.
        for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive})
            for (QPalette::ColorRole role :
                 {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
                pal.setColor(group, role, colour(c.text_color));
    }
    if (c.back_color >= 0) pal.setColor(QPalette::Window, colour(c.back_color));
    if (c.text_bg_color >= 0) pal.setColor(QPalette::Base, colour(c.text_bg_color));
    if (c.cmd_button_color >= 0) pal.setColor(QPalette::Button, colour(c.cmd_button_color));
    if (body_->palette() != pal) body_->setPalette(pal);
}

}  // namespace uir::qt

namespace uir::qt {
namespace {

struct KindView {
    int kind;
    ViewMaker make;
};

constexpr KindView kKindViews[] = {
    {CTRL_COMMAND_BUTTON, make_command_button},
    {CTRL_TOGGLE_BUTTON, make_toggle_button},
    {CTRL_CHECK_BOX, make_check_box},
    {CTRL_BINARY_SWITCH, make_binary_switch},
    {CTRL_LED, make_led},
    {CTRL_NUMERIC, make_numeric},
    {CTRL_STRING, make_string},
    {CTRL_RING, make_ring},
    {CTRL_LIST_BOX, make_list_box},
    {CTRL_TEXT_BOX, make_text_box},
    {CTRL_TEXT_MSG, make_text_message},
    {CTRL_DECORATION, make_decoration},
    {CTRL_PICTURE, make_picture},
    {CTRL_TIMER, make_timer},
};

}  // namespace

std::unique_ptr<ControlView> make_control_view(const Control& c, QWidget* parent, Operator& op) {
    for (const KindView& k : kKindViews) {
        if (k.kind != c.kind) continue;
        std::unique_ptr<ControlView> view = k.make(c, parent, op);
        const Panel* p = model::find_panel(c.panel);
        view->set_labels_above(p && p->layout_file.empty());
        view->show_all(c);
        return view;
    }
    return nullptr;
}

}  // namespace uir::qt
