// Label texts in Qt's terms, and the check of the display made before Qt starts.
#include <gtest/gtest.h>

#include <set>

#include "qt/display_check.h"
#include "qt/look.h"

namespace qt_test {
namespace {

using uir::qt::mnemonic_text;
using uir::qt::plain_text;

TEST(LabelText, ShortcutMarkerBecomesQtsMnemonic) {
    EXPECT_EQ(mnemonic_text("__OK"), "&OK");
    EXPECT_EQ(mnemonic_text("__Выход"), "&Выход");
    EXPECT_EQ(mnemonic_text("На __линию 1"), "На &линию 1");
    EXPECT_EQ(mnemonic_text("Сброс"), "Сброс");
    EXPECT_EQ(mnemonic_text(""), "");
}

TEST(LabelText, AmpersandsAndStrayUnderscoresStayText) {
    EXPECT_EQ(mnemonic_text("R&D"), "R&&D");
    EXPECT_EQ(mnemonic_text("__R&D"), "&R&&D");
    EXPECT_EQ(mnemonic_text("a_b"), "a_b");
    EXPECT_EQ(mnemonic_text("конец__"), "конец__") << "no letter after the marker";
    EXPECT_EQ(mnemonic_text("__a__b"), "&ab") << "one shortcut per label";
    EXPECT_EQ(plain_text("__R&D"), "R&D");
    EXPECT_EQ(plain_text("Версия  программы\nуправления"), "Версия  программы\nуправления");
}

namespace display = uir::qt::display;

TEST(DisplayName, ParsesHostNumberAndScreen) {
    const auto local = display::parse_x_display(":0");
    ASSERT_TRUE(local);
    EXPECT_EQ(local->host, "");
    EXPECT_EQ(local->number, 0);
    const auto remote = display::parse_x_display("localhost:10.0");
    ASSERT_TRUE(remote);
    EXPECT_EQ(remote->host, "localhost");
    EXPECT_EQ(remote->number, 10);
    const auto path = display::parse_x_display("/tmp/launch-x/org.x:0");
    ASSERT_TRUE(path);
    EXPECT_EQ(path->host, "/tmp/launch-x/org.x");
    for (const char* bad : {"", "0", ":", ":x", "host:", ":1x", ":1234567"})
        EXPECT_FALSE(display::parse_x_display(bad)) << bad;
}

TEST(PlatformCandidates, FollowQtsChoice) {
    using V = std::vector<std::string>;
    EXPECT_EQ(display::platform_candidates({}), V{"xcb"});
    EXPECT_EQ(display::platform_candidates({.session_type = "wayland"}), (V{"wayland", "xcb"}));
    EXPECT_EQ(display::platform_candidates({.qpa_platform = "offscreen"}), V{"offscreen"});
    EXPECT_EQ(display::platform_candidates({.qpa_platform = "wayland;xcb"}), (V{"wayland", "xcb"}));
    EXPECT_EQ(display::platform_candidates({.qpa_platform = "vnc:size=800x600"}), V{"vnc"});
}

// Probes that answer from sets, and remember what was asked.
struct FakeSystem {
    std::set<std::string> plugins{"xcb", "offscreen", "wayland"};
    std::set<std::string> x_servers;  // "host:number"
    std::set<std::string> sockets;
    std::vector<std::string> asked;
    display::Probes probes() {
        return {[this](const std::string& p) { return plugins.count(p) > 0; },
                [this](const display::XDisplay& d) {
                    const std::string key = d.host + ":" + std::to_string(d.number);
                    asked.push_back(key);
                    return x_servers.count(key) > 0;
                },
                [this](const std::string& path) { return sockets.count(path) > 0; }};
    }
};

TEST(DisplayCheck, XcbNeedsAnAnsweringServer) {
    FakeSystem sys;
    EXPECT_EQ(display::missing({}, sys.probes()), "переменная DISPLAY не задана");
    EXPECT_EQ(display::missing({.x_display = ":1"}, sys.probes()), "X-сервер «:1» не отвечает");
    EXPECT_EQ(sys.asked, std::vector<std::string>{":1"});
    sys.x_servers.insert(":1");
    EXPECT_EQ(display::missing({.x_display = ":1.0"}, sys.probes()), "");
    EXPECT_NE(display::missing({.x_display = "нет"}, sys.probes()).find("не является"),
              std::string::npos);
}

TEST(DisplayCheck, PluginMustBePresent) {
    FakeSystem sys;
    sys.plugins.erase("xcb");
    sys.x_servers.insert(":0");
    EXPECT_EQ(display::missing({.x_display = ":0"}, sys.probes()), "нет модуля платформы Qt «xcb»");
    EXPECT_EQ(display::missing({.qpa_platform = "offscreen"}, sys.probes()), "")
        << "offscreen needs no display";
    EXPECT_EQ(display::missing({.qpa_platform = "eglfs"}, sys.probes()),
              "нет модуля платформы Qt «eglfs»");
}

TEST(DisplayCheck, AnyUsableCandidateWillDo) {
    FakeSystem sys;
    sys.x_servers.insert(":0");
    const display::Environment wayland_session{
        .x_display = ":0", .runtime_dir = "/run/user/1000", .session_type = "wayland"};
    EXPECT_EQ(display::missing(wayland_session, sys.probes()), "") << "falls back to xcb";
    sys.x_servers.clear();
    EXPECT_EQ(display::missing(wayland_session, sys.probes()),
              "нет сокета Wayland «/run/user/1000/wayland-0»; X-сервер «:0» не отвечает");
    sys.sockets.insert("/run/user/1000/wayland-0");
    EXPECT_EQ(display::missing(wayland_session, sys.probes()), "");
}

}  // namespace
}  // namespace qt_test
