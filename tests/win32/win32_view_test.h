// The Win32 view's tests: a fresh run-time on the Win32 backend for each test, the views' shared
// test layout, and operator input as the system queues it (posted mouse and key messages), so
// the gestures travel the same way as an operator's: window procedure, view, automation.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "uir/automation.h"
#include "uir/callbacks.h"
#include "uir/layout.h"
#include "uir/runtime.h"
#include "uir/win32.h"
#include "uir/win32_windows.h"
#include "userint.h"
#include "view_layout.h"

namespace win32_test {

using namespace view_layout;

class Win32ViewTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // Loads a panel of the test layout and shows it when asked.
    int load(int panel_id, bool shown = true);
    HWND body(int control) const { return uir::win32::body_of(panel_, control); }
    HWND label(int control) const { return uir::win32::label_of(panel_, control); }
    HWND window() const { return uir::win32::window_of(panel_); }

    // Lets the view take what is queued for its windows (input, repaints) and runs the pending
    // callbacks.
    static void settle();

    // Input as the system queues it.
    static void click(HWND w);
    static void click_at(HWND w, POINT at);
    static void double_click_at(HWND w, POINT at);
    static void key(HWND w, UINT vk);
    static void type(HWND w, const std::wstring& text);
    static void wheel(HWND w, int notches);

    static std::wstring text_of(HWND w);
    int int_value(int control) const;
    float float_value(int control) const;

    int panel_ = 0;  // VIEW, loaded and shown by SetUp
};

}  // namespace win32_test
