// Numeric fields, string fields and rings. Typed input is handed to the run-time as typed: the
// run-time brings a number into the control's limits, and the field then shows what it kept.
// A decimal comma reads as a point (ui/core/typed_numbers.h). The mouse wheel changes a value
// only in the focused field: scrolling past a field leaves it alone.
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFontMetricsF>
#include <QLineEdit>
#include <QLocale>
#include <QSignalBlocker>
#include <QStyleOptionSpinBox>
#include <QWheelEvent>
#include <algorithm>
#include <cfloat>
#include <cstdint>
#include <functional>

#include "control_views.h"
#include "core/faults.h"
#include "core/typed_numbers.h"
#include "look.h"

namespace uir::qt {
namespace {

// The whole range of a value type. Floating fields accept what is typed up to 1e15 beyond their
// limits (a wider range only makes the field's text unwieldy); the run-time clamps it anyway.
struct TypeRange {
    int type;
    double min, max;
};
constexpr double kTypedFloatLimit = 1e15;
constexpr TypeRange kTypeRanges[] = {
    {VAL_INTEGER, INT32_MIN, INT32_MAX},
    {VAL_SHORT_INTEGER, INT16_MIN, INT16_MAX},
    {VAL_UNSIGNED_SHORT_INTEGER, 0, UINT16_MAX},
    {VAL_FLOAT, -kTypedFloatLimit, kTypedFloatLimit},
    {VAL_DOUBLE, -kTypedFloatLimit, kTypedFloatLimit},
};

TypeRange typed_range(const Control& c) {
    TypeRange r{c.data_type, -kTypedFloatLimit, kTypedFloatLimit};
    for (const TypeRange& t : kTypeRanges)
        if (t.type == c.data_type) r = t;
    r.min = std::min(r.min, c.min);
    r.max = std::max(r.max, c.max);
    return r;
}

bool integer_type(int type) {
    return type == VAL_INTEGER || type == VAL_SHORT_INTEGER || type == VAL_UNSIGNED_SHORT_INTEGER;
}

// Read-only fields look it: their text area takes the panel's colour instead of white. A field
// that shows a fault takes the warning colours instead.
void show_field_colours(QWidget* w, const Control& c, bool indicator, bool fault) {
    QPalette pal = w->palette();
    if (fault) {
        for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive})
            pal.setColor(group, QPalette::Text, colour(kWarningText));
        pal.setColor(QPalette::Base, colour(kWarningBack));
    } else if (indicator && c.text_bg_color < 0) {
        pal.setColor(QPalette::Base, w->parentWidget()->palette().color(QPalette::Window));
    }
    if (pal != w->palette()) w->setPalette(pal);
    QFont f = w->font();
    if (f.bold() != fault) {
        f.setBold(fault);
        w->setFont(f);
    }
}

// Only the field that has the focus takes the wheel; for the others it goes on to the panel
// (which scrolls, when it does).
bool wheel_refused(QWidget* w, QWheelEvent* event) {
    if (w->hasFocus()) return false;
    event->ignore();
    return true;
}

// The arrows step by the control's increment within its limits, and every change (arrows or
// typing) goes to the run-time instead of into the field. The text area fits the widest value of
// the range: when the panel font is too wide for it, the field takes a smaller one.
class NumericField : public QDoubleSpinBox {
  public:
    explicit NumericField(QWidget* parent) : QDoubleSpinBox(parent) {
        QLocale c_locale = QLocale::c();
        c_locale.setNumberOptions(QLocale::OmitGroupSeparator);
        setLocale(c_locale);
        setKeyboardTracking(false);
        setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        setCorrectionMode(QAbstractSpinBox::CorrectToNearestValue);
    }

    std::function<void(double)> typed;
    std::function<void(int)> stepped;
    double limit_min = 0, limit_max = 0;

    void stepBy(int steps) override {
        if (stepped) stepped(steps);
    }

    QValidator::State validate(QString& input, int&) const override {
        const std::string text = input.toStdString();
        switch (rules::classify_typed_number(text, decimals())) {
            case rules::Typed::invalid:
                return QValidator::Invalid;
            case rules::Typed::intermediate:
                return QValidator::Intermediate;
            case rules::Typed::acceptable:
                break;
        }
        const auto v = rules::parse_typed_number(text, decimals());
        return v && *v >= minimum() && *v <= maximum() ? QValidator::Acceptable
                                                       : QValidator::Intermediate;
    }
    double valueFromText(const QString& text) const override {
        return rules::parse_typed_number(text.toStdString(), decimals()).value_or(value());
    }

    // The widest text the field must show in full.
    void set_widest(const QString& text) {
        if (widest_ == text) return;
        widest_ = text;
        fit_font();
    }
    // The pixel size of the font the field has chosen.
    int font_pixels() const { return font().pixelSize(); }

  protected:
    StepEnabled stepEnabled() const override {
        if (isReadOnly()) return StepNone;
        StepEnabled e = StepNone;
        if (value() < limit_max) e |= StepUpEnabled;
        if (value() > limit_min) e |= StepDownEnabled;
        return e;
    }
    void wheelEvent(QWheelEvent* event) override {
        if (!wheel_refused(this, event)) QDoubleSpinBox::wheelEvent(event);
    }
    void resizeEvent(QResizeEvent* event) override {
        QDoubleSpinBox::resizeEvent(event);
        fit_font();
    }

  private:
    // The room for text: the style's edit field less the line edit's own margins and its
    // cursor. Measured in logical pixels, so a scale factor changes nothing.
    double text_room() const {
        QStyleOptionSpinBox option;
        initStyleOption(&option);
        const QRect edit =
            style()->subControlRect(QStyle::CC_SpinBox, &option, QStyle::SC_SpinBoxEditField, this);
        constexpr int kLineEditMargin = 2;
        return edit.width() - 2 * kLineEditMargin - 1;
    }
    // The largest font, from the panel's down to kMinFontPixels, that shows the widest text in
    // full; the panel's when none does (a range no field can show, as an unlimited one).
    void fit_font() {
        if (widest_.isEmpty() || !parentWidget()) return;
        const int base = std::max(kFontPixels, parentWidget()->font().pixelSize());
        const double room = text_room();
        QFont f = font();
        int chosen = base;
        for (int px = base; px >= kMinFontPixels; --px) {
            f.setPixelSize(px);
            if (QFontMetricsF(f).horizontalAdvance(widest_) <= room) {
                chosen = px;
                break;
            }
        }
        f.setPixelSize(chosen);
        if (f != font()) setFont(f);
    }

    QString widest_;
};

class NumericView : public ControlView {
  public:
    NumericView(const Control& c, QWidget* parent, Operator& op)
        : ControlView(c.panel, c.id, op), field_(new NumericField(parent)) {
        set_body(field_);
        field_->typed = [this](double v) { this->op().set_number(panel(), control(), v); };
        field_->stepped = [this](int steps) {
            const double v = shown_ + steps * incr_;
            this->op().set_number(panel(), control(), v);
        };
        QObject::connect(field_, &QDoubleSpinBox::valueChanged, [this](double v) {
            if (field_->typed) field_->typed(v);
        });
    }

    void show_value(const Control& c) override {
        shown_ = c.number;
        show_fault(c);
        if (field_->text() == field_->textFromValue(c.number)) return;
        const QSignalBlocker quiet(field_);
        field_->setValue(c.number);
    }

    NumericField* field() const { return field_; }

  protected:
    void show_mode(const Control& c) override {
        const QSignalBlocker quiet(field_);
        const int decimals = integer_type(c.data_type) ? 0 : c.precision;
        if (field_->decimals() != decimals) field_->setDecimals(decimals);
        const TypeRange r = typed_range(c);
        if (field_->minimum() != r.min || field_->maximum() != r.max)
            field_->setRange(r.min, r.max);
        field_->limit_min = c.min;
        field_->limit_max = c.max;
        field_->set_widest(
            QString::fromStdString(rules::widest_number_text(c.min, c.max, decimals)));
        incr_ = c.incr;
        // Each setter repaints even when nothing changes, so each is asked first.
        const bool indicator = c.mode == VAL_INDICATOR;
        if (field_->isReadOnly() != indicator) field_->setReadOnly(indicator);
        const auto buttons =
            indicator ? QAbstractSpinBox::NoButtons : QAbstractSpinBox::UpDownArrows;
        if (field_->buttonSymbols() != buttons) field_->setButtonSymbols(buttons);
        field_->setFocusPolicy(indicator ? Qt::NoFocus : Qt::StrongFocus);
        show_colours(c);
        show_value(c);
    }
    void show_colours(const Control& c) override {
        ControlView::show_colours(c);
        show_field_colours(field_, c, c.mode == VAL_INDICATOR, fault_);
    }

  private:
    void show_fault(const Control& c) {
        const bool fault = rules::shows_fault(c);
        if (fault == fault_) return;
        fault_ = fault;
        show_colours(c);
    }

    NumericField* field_;
    double shown_ = 0;
    double incr_ = 1;
    bool fault_ = false;
};

class StringView : public ControlView {
  public:
    StringView(const Control& c, QWidget* parent, Operator& op)
        : ControlView(c.panel, c.id, op), edit_(new QLineEdit(parent)) {
        set_body(edit_);
        QObject::connect(edit_, &QLineEdit::editingFinished, [this] {
            if (!edit_->isModified()) return;
            edit_->setModified(false);
            this->op().set_text(panel(), control(), edit_->text().toStdString());
        });
    }

    void show_value(const Control& c) override {
        const bool fault = rules::shows_fault(c);
        if (fault != fault_) {
            fault_ = fault;
            show_colours(c);
        }
        const QString text = QString::fromStdString(c.text);
        if (edit_->text() == text) return;
        const QSignalBlocker quiet(edit_);
        edit_->setText(text);
        edit_->setCursorPosition(0);  // a long text shows its beginning
    }

  protected:
    void show_mode(const Control& c) override {
        const bool indicator = c.mode == VAL_INDICATOR;
        if (edit_->isReadOnly() != indicator) edit_->setReadOnly(indicator);
        edit_->setFocusPolicy(indicator ? Qt::NoFocus : Qt::StrongFocus);
        show_colours(c);
    }
    void show_colours(const Control& c) override {
        ControlView::show_colours(c);
        show_field_colours(edit_, c, c.mode == VAL_INDICATOR, fault_);
    }

  private:
    QLineEdit* edit_;
    bool fault_ = false;
};

class RingBox : public QComboBox {
  public:
    using QComboBox::QComboBox;

  protected:
    void wheelEvent(QWheelEvent* event) override {
        if (!wheel_refused(this, event)) QComboBox::wheelEvent(event);
    }
};

class RingView : public ControlView {
  public:
    RingView(const Control& c, QWidget* parent, Operator& op)
        : ControlView(c.panel, c.id, op), combo_(new RingBox(parent)) {
        set_body(combo_);
        QObject::connect(combo_, &QComboBox::activated,
                         [this](int index) { this->op().select(panel(), control(), index); });
    }

    void show_items(const Control& c) override {
        const QSignalBlocker quiet(combo_);
        combo_->clear();
        for (const ListItem& item : c.items) combo_->addItem(plain_text(item.label));
        combo_->setCurrentIndex(c.index);
    }
    void show_value(const Control& c) override {
        if (combo_->currentIndex() == c.index) return;
        const QSignalBlocker quiet(combo_);
        combo_->setCurrentIndex(c.index);
    }

  protected:
    void show_mode(const Control& c) override {
        const bool hot = c.mode == VAL_HOT;
        combo_->setAttribute(Qt::WA_TransparentForMouseEvents, !hot);
        combo_->setFocusPolicy(hot ? Qt::StrongFocus : Qt::NoFocus);
    }

  private:
    QComboBox* combo_;
};

}  // namespace

std::unique_ptr<ControlView> make_numeric(const Control& c, QWidget* parent, Operator& op) {
    return std::make_unique<NumericView>(c, parent, op);
}

std::unique_ptr<ControlView> make_string(const Control& c, QWidget* parent, Operator& op) {
    return std::make_unique<StringView>(c, parent, op);
}

std::unique_ptr<ControlView> make_ring(const Control& c, QWidget* parent, Operator& op) {
    return std::make_unique<RingView>(c, parent, op);
}

}  // namespace uir::qt
