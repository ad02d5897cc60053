// The Qt view's tests: a fresh run-time on the Qt backend (offscreen platform) for each test, on
// the test layout the views share (tests/views), with its recorder of the callbacks reached.
#pragma once

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QWidget>
#include <vector>

#include "uir/automation.h"
#include "uir/model.h"
#include "uir/qt_widgets.h"
#include "uir/runtime.h"
#include "view_layout.h"

namespace qt_test {

// The views' shared test layout and recorder.
using namespace view_layout;

// Fills the discovery table with three carriers (two of model 155, one of 10D), the third on a
// two-digit interface, for the carrier selection panel.
void list_three_carriers();

class QtViewTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // Loads a panel of the test layout; shows it when asked and waits until it is on screen.
    int load(int panel_id, bool shown = true);
    QWidget* widget(int control) const { return uir::qt::widget_of(panel_, control); }
    template <class W>
    W* widget_as(int control) const {
        return dynamic_cast<W*>(widget(control));
    }
    // Lets Qt deliver what is posted (repaints, input) and runs the pending callbacks.
    static void settle();

    int panel_ = 0;  // VIEW, loaded and shown by SetUp
};

}  // namespace qt_test
