#include "recorder.h"

namespace uir_test {

Recorder& recorder() {
    static Recorder r;
    return r;
}

std::vector<int> Recorder::events_of(int panel, int control) const {
    std::vector<int> out;
    for (const Call& c : calls)
        if (c.panel == panel && c.control == control) out.push_back(c.event);
    return out;
}

int UIR_CALLBACK recordCB(int panel, int control, int event, void* data, int d1, int d2) {
    const Call call{panel, control, event, data, d1, d2};
    recorder().calls.push_back(call);
    if (recorder().on_call) recorder().on_call(call);
    return 0;
}

int UIR_CALLBACK otherCB(int panel, int control, int event, void* data, int d1, int d2) {
    return recordCB(panel, control, event, data, d1, d2);
}

void UIR_CALLBACK recordMenuCB(int bar, int item, void* data, int panel) {
    const MenuCall call{bar, item, data, panel};
    recorder().menu_calls.push_back(call);
    if (recorder().on_menu_call) recorder().on_menu_call(call);
}

void UirTest::SetUp() {
    HeadlessTest::SetUp();
    recorder().clear();
    register_test_layout();
}

int UirTest::load(int panel_id) {
    const int panel = LoadPanelEx(0, kLayoutFile, panel_id, nullptr);
    EXPECT_GT(panel, 0) << "loading panel " << panel_id << ": " << GetUILErrorString(panel);
    return panel;
}

int UirTest::shown_main() {
    const int panel = load(MAIN);
    EXPECT_EQ(DisplayPanel(panel), 0);
    return panel;
}

}  // namespace uir_test
