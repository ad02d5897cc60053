#include "win32_view_test.h"

#include "uir/win32.h"

namespace win32_test {

void Win32ViewTest::SetUp() {
    register_view_layout();
    uir::use_backend(uir::win32::make_backend({" [тест]"}));
    ASSERT_EQ(InitUserInterface(), 0);
    panel_ = load(VIEW);
}

void Win32ViewTest::TearDown() {
    uir::shutdown();
}

int Win32ViewTest::load(int panel_id, bool shown) {
    const int panel = LoadPanelEx(0, kLayoutFile, panel_id, nullptr);
    EXPECT_GT(panel, 0);
    if (panel <= 0 || !shown) return panel;
    EXPECT_EQ(DisplayPanel(panel), 0);
    EXPECT_NE(uir::win32::window_of(panel), nullptr);
    settle();
    return panel;
}

void Win32ViewTest::settle() {
    ProcessSystemEvents();
    ProcessSystemEvents();
}

void Win32ViewTest::click_at(HWND w, POINT at) {
    const LPARAM pos = MAKELPARAM(at.x, at.y);
    PostMessageW(w, WM_LBUTTONDOWN, MK_LBUTTON, pos);
    PostMessageW(w, WM_LBUTTONUP, 0, pos);
}

void Win32ViewTest::click(HWND w) {
    RECT r{};
    GetClientRect(w, &r);
    click_at(w, {r.right / 2, r.bottom / 2});
}

void Win32ViewTest::double_click_at(HWND w, POINT at) {
    const LPARAM pos = MAKELPARAM(at.x, at.y);
    PostMessageW(w, WM_LBUTTONDOWN, MK_LBUTTON, pos);
    PostMessageW(w, WM_LBUTTONUP, 0, pos);
    PostMessageW(w, WM_LBUTTONDBLCLK, MK_LBUTTON, pos);
    PostMessageW(w, WM_LBUTTONUP, 0, pos);
}

void Win32ViewTest::key(HWND w, UINT vk) {
    const UINT scan = MapVirtualKeyW(vk, MAPVK_VK_TO_VSC);
    PostMessageW(w, WM_KEYDOWN, vk, static_cast<LPARAM>(1 | (scan << 16)));
    PostMessageW(w, WM_KEYUP, vk, static_cast<LPARAM>(1 | (scan << 16) | (3u << 30)));
}

void Win32ViewTest::type(HWND w, const std::wstring& text) {
    for (wchar_t ch : text) PostMessageW(w, WM_CHAR, ch, 1);
}

void Win32ViewTest::wheel(HWND w, int notches) {
    RECT r{};
    GetWindowRect(w, &r);
    PostMessageW(w, WM_MOUSEWHEEL, MAKEWPARAM(0, notches * WHEEL_DELTA),
                 MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2));
}

std::wstring Win32ViewTest::text_of(HWND w) {
    wchar_t buf[512] = L"";
    GetWindowTextW(w, buf, 512);
    return buf;
}

int Win32ViewTest::int_value(int control) const {
    int v = -1;
    EXPECT_EQ(GetCtrlVal(panel_, control, &v), 0);
    return v;
}

float Win32ViewTest::float_value(int control) const {
    float v = -1;
    EXPECT_EQ(GetCtrlVal(panel_, control, &v), 0);
    return v;
}

}  // namespace win32_test
