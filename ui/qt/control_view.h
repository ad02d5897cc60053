// One control of a panel as Qt widgets: its body (the field, button, lamp or frame) and, for the
// kinds whose label stands outside the body, a label beside or above it. A view is built from
// the model's Control and brought up to date from it on each notification; what the operator
// does to its widgets goes to an Operator, which acts through uir::automation.
#pragma once

#include <QLabel>
#include <QPointer>
#include <QWidget>
#include <memory>
#include <string>

#include "core/gestures.h"
#include "uir/model.h"

namespace uir::qt {

// The operator's gestures, as the view hands them on (core/gestures.h).
using Operator = core::Gestures;

// Where a control's label stands, following the layouts' conventions.
enum class LabelPlace {
    None,          // no label, or drawn by the body itself (buttons, check boxes)
    Left,          // right-aligned, kLabelGap before the body, centred on it vertically
    Above,         // left-aligned, kLabelGapAbove over the body
    AboveCentred,  // centred over the body
};

class ControlView {
  public:
    ControlView(int panel, int control, Operator& op);
    virtual ~ControlView();
    ControlView(const ControlView&) = delete;
    ControlView& operator=(const ControlView&) = delete;

    // Panels built in code put the labels of fields above them, as the run-time's NewCtrl
    // leaves room for; layout panels follow the layout's conventions (labels on the left).
    void set_labels_above(bool above) { labels_above_ = above; }

    // Everything from the model: used once after construction.
    void show_all(const Control& c);
    // One attribute (ATTR_...) changed.
    void show_attribute(const Control& c, int attribute);

    // The value the control shows (number, text or selected index).
    virtual void show_value(const Control& c) { (void)c; }
    // Ring and list items.
    virtual void show_items(const Control& c) { (void)c; }
    // Text box lines.
    virtual void show_lines(const Control& c) { (void)c; }

    QWidget* body() const { return body_; }
    QLabel* label() const { return label_; }
    int panel() const { return panel_; }
    int control() const { return control_; }

  protected:
    // The body is a child of `parent`; the view deletes it with itself.
    void set_body(QWidget* body);
    virtual LabelPlace label_place() const { return LabelPlace::Left; }
    // Texts drawn by the body (button faces, switch positions); the outside label is handled
    // here.
    virtual void show_texts(const Control& c) { (void)c; }
    // Mode (hot or indicator), limits, increment, precision.
    virtual void show_mode(const Control& c) { (void)c; }
    virtual void show_colours(const Control& c);
    // Decorations stay behind everything else on the panel.
    virtual bool stays_behind() const { return false; }
    // Where the body stands: the control's rectangle, unless the kind sizes itself to its text.
    virtual QRect body_rect(const Control& c) const;
    void show_geometry(const Control& c);

    Operator& op() const { return op_; }

  private:
    LabelPlace place() const;
    void show_label(const Control& c);
    void place_label(const Control& c);
    void show_state(const Control& c);

    int panel_;
    int control_;
    Operator& op_;
    QPointer<QWidget> body_;
    QPointer<QLabel> label_;
    bool labels_above_ = false;
};

// The view of a control of any kind, with its widgets children of `parent`.
std::unique_ptr<ControlView> make_control_view(const Control& c, QWidget* parent, Operator& op);

}  // namespace uir::qt
