#include "display_check.h"

#include <netdb.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <QLibraryInfo>
#include <QString>
#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "uir/qt.h"

namespace uir::qt::display {
namespace {

std::string env_text(const char* name) {
    const char* v = std::getenv(name);
    return v ? v : "";
}

struct PluginFile {
    const char* platform;
    const char* file;
};
constexpr PluginFile kPluginFiles[] = {
    {"xcb", "libqxcb.so"},
    {"wayland", "libqwayland-generic.so"},
    {"wayland-egl", "libqwayland-egl.so"},
    {"offscreen", "libqoffscreen.so"},
    {"minimal", "libqminimal.so"},
    {"minimalegl", "libqminimalegl.so"},
    {"vnc", "libqvnc.so"},
    {"eglfs", "libqeglfs.so"},
    {"linuxfb", "libqlinuxfb.so"},
    {"vkkhrdisplay", "libqvkkhrdisplay.so"},
};

std::string plugin_file(const std::string& platform) {
    for (const PluginFile& p : kPluginFiles)
        if (platform == p.platform) return p.file;
    return "libq" + platform + ".so";
}

bool file_exists(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0;
}

std::vector<std::string> split(const std::string& text, char sep) {
    std::vector<std::string> out;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t end = text.find(sep, start);
        const std::size_t stop = end == std::string::npos ? text.size() : end;
        if (stop > start) out.push_back(text.substr(start, stop - start));
        if (end == std::string::npos) break;
        start = end + 1;
    }
    return out;
}

bool plugin_present(const std::string& platform) {
    std::vector<std::string> dirs;
    if (std::string d = env_text("QT_QPA_PLATFORM_PLUGIN_PATH"); !d.empty()) dirs.push_back(d);
    for (const std::string& d : split(env_text("QT_PLUGIN_PATH"), ':'))
        dirs.push_back(d + "/platforms");
    dirs.push_back(QLibraryInfo::path(QLibraryInfo::PluginsPath).toStdString() + "/platforms");
    const std::string file = plugin_file(platform);
    for (const std::string& d : dirs)
        if (file_exists(d + "/" + file)) return true;
    return false;
}

// Connects and closes at once; the server sees a client that leaves before it speaks.
bool connect_unix(const std::string& path, bool abstract) {
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    const std::size_t offset = abstract ? 1 : 0;
    if (path.size() + offset >= sizeof addr.sun_path) return false;
    std::memcpy(addr.sun_path + offset, path.data(), path.size());
    const socklen_t len =
        static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + offset + path.size() + 1);
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return false;
    const bool ok =
        ::connect(fd, reinterpret_cast<const sockaddr*>(&addr), abstract ? len - 1 : len) == 0;
    ::close(fd);
    return ok;
}

// A remote X server gets one second to accept the connection.
bool connect_tcp(const std::string& host, int port) {
    addrinfo hints{};
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    if (::getaddrinfo(host.c_str(), std::to_string(port).c_str(), &hints, &found) != 0)
        return false;
    bool ok = false;
    for (addrinfo* a = found; a && !ok; a = a->ai_next) {
        const int fd =
            ::socket(a->ai_family, a->ai_socktype | SOCK_NONBLOCK | SOCK_CLOEXEC, a->ai_protocol);
        if (fd < 0) continue;
        if (::connect(fd, a->ai_addr, a->ai_addrlen) == 0) {
            ok = true;
        } else if (errno == EINPROGRESS) {
            pollfd p{fd, POLLOUT, 0};
            int err = 0;
            socklen_t err_len = sizeof err;
            ok = ::poll(&p, 1, 1000) == 1 &&
                 ::getsockopt(fd, SOL_SOCKET, SO_ERROR, &err, &err_len) == 0 && err == 0;
        }
        ::close(fd);
    }
    ::freeaddrinfo(found);
    return ok;
}

bool x_server_answers(const XDisplay& d) {
    if (!d.host.empty() && d.host.front() == '/') return connect_unix(d.host, false);
    if (d.host.empty() || d.host == "unix") {
        const std::string path = "/tmp/.X11-unix/X" + std::to_string(d.number);
        return connect_unix(path, true) || connect_unix(path, false);
    }
    return connect_tcp(d.host, 6000 + d.number);
}

bool socket_exists(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISSOCK(st.st_mode);
}

std::string check_xcb(const Environment& env, const Probes& probes) {
    if (env.x_display.empty()) return "переменная DISPLAY не задана";
    const std::optional<XDisplay> d = parse_x_display(env.x_display);
    if (!d) return "DISPLAY «" + env.x_display + "» не является именем дисплея X";
    if (!probes.x_server_answers(*d)) return "X-сервер «" + env.x_display + "» не отвечает";
    return {};
}

std::string check_wayland(const Environment& env, const Probes& probes) {
    const std::string name = env.wayland_display.empty() ? "wayland-0" : env.wayland_display;
    std::string path = name;
    if (name.front() != '/') {
        if (env.runtime_dir.empty()) return "переменная XDG_RUNTIME_DIR не задана";
        path = env.runtime_dir + "/" + name;
    }
    if (!probes.socket_exists(path)) return "нет сокета Wayland «" + path + "»";
    return {};
}

// What each platform needs besides its plugin; platforms not listed need nothing more.
struct DisplayNeed {
    const char* platform;
    std::string (*check)(const Environment&, const Probes&);
};
constexpr DisplayNeed kNeeds[] = {
    {"xcb", check_xcb},
    {"wayland", check_wayland},
    {"wayland-egl", check_wayland},
};

}  // namespace

Environment current_environment() {
    return {env_text("QT_QPA_PLATFORM"), env_text("DISPLAY"), env_text("WAYLAND_DISPLAY"),
            env_text("XDG_RUNTIME_DIR"), env_text("XDG_SESSION_TYPE")};
}

std::optional<XDisplay> parse_x_display(std::string_view name) {
    const std::size_t colon = name.rfind(':');
    if (colon == std::string_view::npos) return std::nullopt;
    std::string_view number = name.substr(colon + 1);
    if (const std::size_t dot = number.find('.'); dot != std::string_view::npos)
        number = number.substr(0, dot);
    if (number.empty() || number.size() > 6) return std::nullopt;
    int n = 0;
    for (char ch : number) {
        if (ch < '0' || ch > '9') return std::nullopt;
        n = n * 10 + (ch - '0');
    }
    return XDisplay{std::string(name.substr(0, colon)), n};
}

std::vector<std::string> platform_candidates(const Environment& env) {
    std::vector<std::string> out;
    for (std::string name : split(env.qpa_platform, ';')) {
        if (const std::size_t colon = name.find(':'); colon != std::string::npos)
            name.resize(colon);
        if (!name.empty()) out.push_back(name);
    }
    if (!out.empty()) return out;
    if (env.session_type == "wayland") out.push_back("wayland");
    out.push_back("xcb");
    return out;
}

Probes system_probes() {
    return {plugin_present, x_server_answers, socket_exists};
}

std::string missing(const Environment& env, const Probes& probes) {
    std::string reasons;
    for (const std::string& platform : platform_candidates(env)) {
        std::string why;
        if (!probes.plugin_present(platform)) {
            why = "нет модуля платформы Qt «" + platform + "»";
        } else {
            for (const DisplayNeed& need : kNeeds)
                if (platform == need.platform) why = need.check(env, probes);
        }
        if (why.empty()) return {};
        if (!reasons.empty()) reasons += "; ";
        reasons += why;
    }
    return reasons;
}

}  // namespace uir::qt::display

namespace uir::qt {

bool display_available(std::string* why) {
    const std::string reason =
        display::missing(display::current_environment(), display::system_probes());
    if (why) *why = reason;
    return reason.empty();
}

}  // namespace uir::qt
