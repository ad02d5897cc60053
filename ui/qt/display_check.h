// Whether Qt can open its platform here, decided without starting Qt: the platform plugins it
// would try, each plugin's presence, and the display each one needs (an X server for xcb, a
// Wayland socket for wayland). Pure functions over an environment and injected probes, so the
// decision is testable without a display.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace uir::qt::display {

struct Environment {
    std::string qpa_platform{};     // QT_QPA_PLATFORM
    std::string x_display{};        // DISPLAY
    std::string wayland_display{};  // WAYLAND_DISPLAY
    std::string runtime_dir{};      // XDG_RUNTIME_DIR
    std::string session_type{};     // XDG_SESSION_TYPE
};

Environment current_environment();

// An X display name "[host]:number[.screen]". An empty host or "unix" means this machine; a host
// starting with '/' is a socket path.
struct XDisplay {
    std::string host;
    int number = 0;
};
std::optional<XDisplay> parse_x_display(std::string_view name);

// The platform plugins Qt tries, in its order: QT_QPA_PLATFORM ("a;b", options after ':'
// dropped), else xcb, preceded by wayland in a Wayland session.
std::vector<std::string> platform_candidates(const Environment& env);

struct Probes {
    std::function<bool(const std::string& platform)> plugin_present;
    std::function<bool(const XDisplay& display)> x_server_answers;
    std::function<bool(const std::string& path)> socket_exists;
};
Probes system_probes();

// Empty when one of the candidates can start; otherwise why none can (Russian).
std::string missing(const Environment& env, const Probes& probes);

}  // namespace uir::qt::display
