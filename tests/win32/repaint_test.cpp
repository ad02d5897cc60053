// Drawing stays cheap: a value a control already shows, or an attribute that changes nothing on
// the screen, repaints nothing. Paints are counted as the windows receive them.
#include <windows.h>

#include <commctrl.h>

#include <map>

#include "win32_view_test.h"

namespace win32_test {
namespace {

// Counts WM_PAINT (and WM_NCPAINT) of the windows it watches.
class PaintCounter {
  public:
    explicit PaintCounter(std::vector<HWND> windows) : windows_(std::move(windows)) {
        for (HWND w : windows_) SetWindowSubclass(w, count, 1, reinterpret_cast<DWORD_PTR>(this));
    }
    ~PaintCounter() {
        for (HWND w : windows_) RemoveWindowSubclass(w, count, 1);
    }
    PaintCounter(const PaintCounter&) = delete;
    PaintCounter& operator=(const PaintCounter&) = delete;
    int paints = 0;

  private:
    static LRESULT CALLBACK count(HWND w, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR,
                                  DWORD_PTR self) {
        if (msg == WM_PAINT || msg == WM_NCPAINT) ++reinterpret_cast<PaintCounter*>(self)->paints;
        return DefSubclassProc(w, msg, wp, lp);
    }
    std::vector<HWND> windows_;
};

std::vector<HWND> children_of(HWND parent) {
    std::vector<HWND> out;
    for (HWND w = GetWindow(parent, GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT)) out.push_back(w);
    return out;
}

class RepaintTest : public Win32ViewTest {
  protected:
    // Paints caused by `change` in the control's windows (body and label), once the system has
    // delivered them.
    template <class F>
    int paints_of(int control, F&& change) {
        settle();
        std::vector<HWND> watched{body(control)};
        if (label(control)) watched.push_back(label(control));
        PaintCounter counter(watched);
        change();
        for (int i = 0; i < 3; ++i) settle();
        return counter.paints;
    }
};

TEST_F(RepaintTest, SameValueRepaintsNothing) {
    EXPECT_EQ(paints_of(V_LAMP, [&] { SetCtrlVal(panel_, V_LAMP, 0); }), 0);
    EXPECT_EQ(paints_of(V_STATE, [&] { SetCtrlVal(panel_, V_STATE, "-"); }), 0);
    EXPECT_EQ(paints_of(V_TIME, [&] { SetCtrlVal(panel_, V_TIME, 0.05f); }), 0);
    EXPECT_EQ(paints_of(V_TOGGLE, [&] { SetCtrlVal(panel_, V_TOGGLE, 0); }), 0);
    EXPECT_EQ(paints_of(V_RING, [&] { SetCtrlVal(panel_, V_RING, static_cast<short>(0)); }), 0);
    EXPECT_EQ(paints_of(V_MSG, [&] { SetCtrlVal(panel_, V_MSG, "Первая строка\nвторая"); }), 0);
    EXPECT_EQ(paints_of(V_TEXTBOX, [&] { ResetTextBox(panel_, V_TEXTBOX, "строка 1"); }), 0);
}

TEST_F(RepaintTest, ChangedValueRepaints) {
    EXPECT_GT(paints_of(V_LAMP, [&] { SetCtrlVal(panel_, V_LAMP, 1); }), 0);
    EXPECT_GT(paints_of(V_STATE, [&] { SetCtrlVal(panel_, V_STATE, "1"); }), 0);
    EXPECT_GT(paints_of(V_TIME, [&] { SetCtrlVal(panel_, V_TIME, 0.1f); }), 0);
    EXPECT_GT(paints_of(V_TOGGLE, [&] { SetCtrlVal(panel_, V_TOGGLE, 1); }), 0);
}

// A poll writes the same states and lamps turn after turn: after the first, nothing is drawn
// anywhere on the panel.
TEST_F(RepaintTest, RepeatedPollDrawsNothing) {
    const auto poll = [&] {
        SetCtrlVal(panel_, V_STATE, "2");
        SetCtrlVal(panel_, V_LAMP, 1);
        SetCtrlVal(panel_, V_LED, 0);
        SetCtrlVal(panel_, V_TOGGLE, 1);
        SetCtrlVal(panel_, V_COUNT, static_cast<unsigned short>(3));
        ProcessSystemEvents();
    };
    poll();
    settle();
    std::vector<HWND> all = children_of(window());
    all.push_back(window());
    PaintCounter counter(all);
    for (int i = 0; i < 10; ++i) poll();
    settle();
    EXPECT_EQ(counter.paints, 0);
}

TEST_F(RepaintTest, InvisibleAttributesRepaintNothing) {
    EXPECT_EQ(paints_of(V_TIME, [&] { SetCtrlAttribute(panel_, V_TIME, ATTR_INCR_VALUE, 0.05); }),
              0);
    EXPECT_EQ(paints_of(V_TIME, [&] { SetCtrlAttribute(panel_, V_TIME, ATTR_MAX_VALUE, 10.0); }),
              0);
    EXPECT_EQ(
        paints_of(
            V_BUTTON,
            [&] { SetCtrlAttribute(panel_, V_BUTTON, ATTR_CALLBACK_FUNCTION_POINTER, nullptr); }),
        0);
    EXPECT_EQ(paints_of(V_STATE,
                        [&] { SetCtrlAttribute(panel_, V_STATE, ATTR_CTRL_MODE, VAL_INDICATOR); }),
              0);
    EXPECT_EQ(paints_of(V_LED, [&] { SetCtrlAttribute(panel_, V_LED, ATTR_CTRL_MODE, VAL_HOT); }),
              0);
}

// An idle panel draws nothing: no timer, no blinking, no polling of the view's own.
TEST_F(RepaintTest, IdlePanelDrawsNothing) {
    settle();
    std::vector<HWND> all = children_of(window());
    all.push_back(window());
    PaintCounter counter(all);
    for (int i = 0; i < 20; ++i) settle();
    EXPECT_EQ(counter.paints, 0);
}

}  // namespace
}  // namespace win32_test
