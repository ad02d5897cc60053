#include "qt_view_test.h"

#include <QTest>
#include <cstring>

#include "si.h"
#include "uir/qt.h"
#include "userint.h"

namespace qt_test {

void list_three_carriers() {
    std::memset(Instruments, 0, sizeof Instruments);
    const InstrumentEntry carriers[] = {{"VXI0::8::INSTR", 0x155, 0, 0, 8, 3},
                                        {"VXI0::16::INSTR", 0x10D, 0, 0, 16, 5},
                                        {"VXI12::48::INSTR", 0x155, 12, 0, 48, 2}};
    for (int i = 0; i < 3; ++i) Instruments[i] = carriers[i];
}

void QtViewTest::SetUp() {
    view_layout::register_view_layout();
    uir::use_backend(uir::qt::make_backend({" [тест]"}));
    ASSERT_EQ(InitUserInterface(), 0);
    panel_ = load(VIEW);
}

void QtViewTest::TearDown() {
    uir::shutdown();
}

int QtViewTest::load(int panel_id, bool shown) {
    const int panel = LoadPanelEx(0, kLayoutFile, panel_id, nullptr);
    EXPECT_GT(panel, 0);
    if (panel <= 0 || !shown) return panel;
    EXPECT_EQ(DisplayPanel(panel), 0);
    QWidget* window = uir::qt::window_of(panel);
    EXPECT_NE(window, nullptr);
    if (window) {
        EXPECT_TRUE(QTest::qWaitForWindowExposed(window));
        // What showing the window posted (its activation, the layout of its scroll area) is
        // delivered before the test goes on, so a test starts from a quiet event queue.
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
    }
    return panel;
}

void QtViewTest::settle() {
    QCoreApplication::processEvents();
    ProcessSystemEvents();
}

}  // namespace qt_test
