// The operator's gestures as a view hands them on, the same for every view: each acts through
// uir::automation, then the view shows the control as the model has it, so a refused gesture
// leaves no trace on the screen. A view says how it shows a control's value.
#pragma once

#include <string>

#include "uir/automation.h"

namespace uir::core {

class Gestures {
  public:
    virtual ~Gestures() = default;

    void press(int panel, int control) {
        automation::press(panel, control);
        show_model_value(panel, control);
    }
    void set_number(int panel, int control, double value) {
        automation::set_value(panel, control, value);
        show_model_value(panel, control);
    }
    void set_text(int panel, int control, const std::string& value) {
        automation::set_value(panel, control, value.c_str());
        show_model_value(panel, control);
    }
    void select(int panel, int control, int index) {
        automation::select_index(panel, control, index);
        show_model_value(panel, control);
    }
    void highlight(int panel, int control, int index) {
        automation::highlight(panel, control, index);
        show_model_value(panel, control);
    }
    void double_click(int panel, int control, int index) {
        automation::double_click(panel, control, index);
        show_model_value(panel, control);
    }

  protected:
    // Brings the control's windows or widgets up to what the model holds.
    virtual void show_model_value(int panel, int control) = 0;
};

}  // namespace uir::core
