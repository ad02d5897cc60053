// qorm.exe on the simulated crate as an operator starts it, on the native view it chooses by
// itself: the carrier's selection panel, then the main panel with its menu bar, then the exit
// through its confirmation, each reached with the system's mouse and keyboard messages sent from
// outside the program, as a second program on the same desktop would.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstddef>
#include <string>
#include <vector>

namespace {

std::wstring utf16(const std::string& utf8) {
    std::wstring out(utf8.size(), L'\0');
    const int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()),
                                      out.data(), static_cast<int>(out.size()));
    out.resize(n > 0 ? static_cast<std::size_t>(n) : 0);
    return out;
}

struct WindowSearch {
    DWORD pid;
    std::vector<HWND> found;
};

BOOL CALLBACK collect_window(HWND w, LPARAM lp) {
    auto* s = reinterpret_cast<WindowSearch*>(lp);
    DWORD owner = 0;
    GetWindowThreadProcessId(w, &owner);
    if (owner == s->pid && IsWindowVisible(w)) s->found.push_back(w);
    return TRUE;
}

// The visible top-level windows of process `pid`.
std::vector<HWND> windows_of(DWORD pid) {
    WindowSearch search{pid, {}};
    EnumWindows(collect_window, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::wstring text_of(HWND w) {
    wchar_t text[512] = L"";
    GetWindowTextW(w, text, 512);
    return text;
}

struct ChildSearch {
    const std::wstring& text;
    HWND found = nullptr;
};

BOOL CALLBACK match_child(HWND w, LPARAM lp) {
    auto* s = reinterpret_cast<ChildSearch*>(lp);
    if (text_of(w) != s->text || !IsWindowVisible(w)) return TRUE;
    s->found = w;
    return FALSE;
}

// The shown child window of `parent` whose text is `text`, or nullptr.
HWND child_with_text(HWND parent, const std::wstring& text) {
    ChildSearch search{text};
    EnumChildWindows(parent, match_child, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

void post_click(HWND w) {
    RECT r{};
    GetClientRect(w, &r);
    const LPARAM at = MAKELPARAM(r.right / 2, r.bottom / 2);
    PostMessageW(w, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageW(w, WM_LBUTTONUP, 0, at);
}

void post_enter(HWND w) {
    PostMessageW(w, WM_KEYDOWN, VK_RETURN, 1);
    PostMessageW(w, WM_KEYUP, VK_RETURN, static_cast<LPARAM>(1 | (3u << 30)));
}

// The program runs apart from the test: what it shows is waited for in real time, with a bound.
class ProgramTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::wstring program = utf16(QORM_PROGRAM);
        std::wstring command = L"\"" + program + L"\" --sim";
        STARTUPINFOW start{};
        start.cb = sizeof start;
        ASSERT_TRUE(CreateProcessW(program.c_str(), command.data(), nullptr, nullptr, FALSE, 0,
                                   nullptr, nullptr, &start, &process_))
            << "GetLastError " << GetLastError();
        CloseHandle(process_.hThread);
    }
    void TearDown() override {
        if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT)
            TerminateProcess(process_.hProcess, 99);
        CloseHandle(process_.hProcess);
    }

    // The program's shown window whose title begins with `title`, waited for up to 30 seconds;
    // nullptr when it never came or the program ended first.
    HWND wait_for_window(const std::wstring& title) {
        for (int i = 0; i < 1500; ++i) {
            for (HWND w : windows_of(process_.dwProcessId))
                if (text_of(w).rfind(title, 0) == 0) return w;
            if (WaitForSingleObject(process_.hProcess, 20) != WAIT_TIMEOUT) return nullptr;
        }
        return nullptr;
    }
    // The program's exit status once it ended by itself within 30 seconds; -1 otherwise.
    int exit_status() {
        if (WaitForSingleObject(process_.hProcess, 30000) != WAIT_OBJECT_0) return -1;
        DWORD status = 0;
        GetExitCodeProcess(process_.hProcess, &status);
        return static_cast<int>(status);
    }

    PROCESS_INFORMATION process_{};
};

TEST_F(ProgramTest, SelectionPanelThenMainPanelThenExitByMouseAndKeyboard) {
    // The carrier's selection: its list and its buttons; Enter on "Выбрать" chooses the carrier.
    HWND selection = wait_for_window(L"Выбор носителя");
    ASSERT_NE(selection, nullptr) << "the selection panel never came up";
    EXPECT_NE(text_of(selection).find(L"[симуляция]"), std::wstring::npos) << text_of(selection);
    HWND choose = child_with_text(selection, L"Выбрать");
    ASSERT_NE(choose, nullptr);
    EXPECT_NE(child_with_text(selection, L"Отмена"), nullptr);
    post_enter(choose);

    // The main panel, with its menu bar; its "ВЫХОД" button, clicked, asks to confirm.
    HWND main_panel = wait_for_window(L"QORM");
    ASSERT_NE(main_panel, nullptr) << "the main panel never came up";
    EXPECT_NE(GetMenu(main_panel), nullptr);
    HWND leave = child_with_text(main_panel, L"ВЫХОД");
    ASSERT_NE(leave, nullptr);
    post_click(leave);

    // The confirmation: Enter on "ДА" ends the program, which reports success.
    HWND yes = nullptr;
    for (int i = 0; i < 1500 && !yes; ++i) {
        for (HWND w : windows_of(process_.dwProcessId))
            if (w != main_panel && (yes = child_with_text(w, L"ДА")) != nullptr) break;
        if (!yes && WaitForSingleObject(process_.hProcess, 20) != WAIT_TIMEOUT) break;
    }
    ASSERT_NE(yes, nullptr) << "no confirmation of the exit";
    post_enter(yes);
    EXPECT_EQ(exit_status(), 0);
}

}  // namespace
