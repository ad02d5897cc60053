#include "host.h"

#include <cstdint>
#include <cstdio>
#include <cstring>

#include "kelbase.h"
#include "kelqorm.h"
#include "userint.h"

namespace host {
namespace {

constexpr char kTitle[] = "Носитель";
constexpr ViInt16 kNothing = -1;

Host* host_of(void* data) {
    return static_cast<Host*>(data);
}

bool valid(int position) {
    return position >= 1 && position <= kPositions;
}

// The position of the highlighted list line, 0 when none.
int highlighted(const Host& host) {
    int index = -1;
    if (GetCtrlIndex(host.panel, host.list, &index) < 0 || index < 0) return 0;
    return index + 1;
}

void refresh_list(Host& host) {
    if (host.panel <= 0) return;
    const int keep = highlighted(host);
    ClearListCtrl(host.panel, host.list);
    for (int position = 1; position <= kPositions; ++position) {
        char line[96];
        position_line(host, position, line, sizeof line);
        InsertListItem(host.panel, host.list, -1, line, position);
    }
    if (keep > 0) SetCtrlIndex(host.panel, host.list, keep - 1);
}

int list_cb(int, int, int event, void* data, int line, int) {
    if (event == EVENT_LEFT_DOUBLE_CLICK) open_position(host_of(data), line + 1);
    return 0;
}

// The buttons act on the highlighted position.
int button_cb(int, int control, int event, void* data, int, int) {
    Host* host = host_of(data);
    if (event != EVENT_COMMIT || host == nullptr) return 0;
    const int position = highlighted(*host);
    if (control == host->open)
        open_position(host, position);
    else if (control == host->hide)
        hide_position(host, position);
    else if (control == host->close)
        close_position(host, position);
    else if (control == host->exit)
        request_exit(host);
    return 0;
}

int panel_cb(int, int, int event, void* data, int, int) {
    if (event == EVENT_CLOSE && data != nullptr) request_exit(host_of(data));
    return 0;
}

int add_control(int panel, int kind, const char* name, const char* label, int top, int left,
                int width) {
    const int id = NewCtrl(panel, kind, label, top, left);
    if (id < 0) return id;
    SetCtrlAttribute(panel, id, ATTR_CONSTANT_NAME, name);
    SetCtrlAttribute(panel, id, ATTR_WIDTH, width);
    return id;
}

}  // namespace

void position_line(const Host& host, int position, char* line, int size) {
    if (line == nullptr || size <= 0) return;
    char text[96] = "";
    if (valid(position)) {
        const ViInt16 type = host.fitted[position - 1];
        const char* open = host.running[position - 1] != nullptr ? " (панель открыта)" : "";
        if (type == kNothing)
            std::snprintf(text, sizeof text, "Позиция %d: пусто", position);
        else if (type == KELQORM_TYPE_CODE)
            std::snprintf(text, sizeof text, "Позиция %d: QORM%s", position, open);
        else
            std::snprintf(text, sizeof text, "Позиция %d: мезонин типа %d", position, type);
    }
    // A line cut to the caller's buffer ends on a whole UTF-8 character.
    std::size_t n = std::strlen(text);
    if (n > static_cast<std::size_t>(size) - 1) {
        n = static_cast<std::size_t>(size) - 1;
        while (n > 0 && (static_cast<unsigned char>(text[n]) & 0xC0) == 0x80) --n;
    }
    std::memcpy(line, text, n);
    line[n] = '\0';
}

ViStatus open_carrier(Host* host, const char* resource) {
    if (host == nullptr) return VI_ERROR_INV_OBJECT;
    ViStatus st = VI_ERROR_RSRC_NFOUND;
    if (resource != nullptr) {
        std::snprintf(host->resource, sizeof host->resource, "%s", resource);
        st = kelbase_init(host->resource, VI_TRUE, VI_TRUE, &host->carrier);
    } else {
        // The first VXI instrument that the carrier driver accepts as a carrier.
        ViSession rm = 0;
        st = viOpenDefaultRM(&rm);
        if (st < 0) return st;
        ViFindList list = 0;
        ViUInt32 count = 0;
        char name[VI_FIND_BUFLEN] = "";
        const ViStatus found = viFindRsrc(rm, "?*VXI[0-9]*::?*INSTR", &list, &count, name);
        st = found < 0 ? found : VI_ERROR_RSRC_NFOUND;
        for (ViUInt32 i = 0; found >= 0 && i < count; ++i) {
            if (i > 0 && viFindNext(list, name) < 0) break;
            // An instrument that is no carrier (or a busy one) does not open: try the next.
            if (kelbase_init(name, VI_TRUE, VI_TRUE, &host->carrier) >= 0) {
                std::snprintf(host->resource, sizeof host->resource, "%s", name);
                st = VI_SUCCESS;
                break;
            }
        }
        if (list != 0) viClose(list);
        viClose(rm);
    }
    if (st < 0) {
        host->carrier = 0;
        return st;
    }
    for (int position = 1; position <= kPositions; ++position) {
        ViInt16 present = 0;
        ViInt16 type = 0;
        const ViStatus q =
            kelbase_m_type_q(host->carrier, static_cast<ViUInt16>(position), &present, &type);
        host->fitted[position - 1] = q >= 0 && present != 0 ? type : kNothing;
    }
    return st;
}

int build_panel(Host* host) {
    if (host == nullptr) return UIE_NULL_POINTER;
    char title[VI_FIND_BUFLEN + 32];
    std::snprintf(title, sizeof title, "%s %s", kTitle, host->resource);
    const int panel = NewPanel(0, title, 60, 60, 230, 400);
    if (panel < 0) return panel;
    host->panel = panel;
    SetPanelAttribute(panel, ATTR_CONSTANT_NAME, "HOST");
    SetPanelAttribute(panel, ATTR_CALLBACK_DATA, static_cast<void*>(host));
    SetPanelAttribute(panel, ATTR_CALLBACK_FUNCTION_POINTER, &panel_cb);
    host->list = add_control(panel, CTRL_LIST_BOX, "HOST_LIST", "Мезонины", 24, 12, 250);
    SetCtrlAttribute(panel, host->list, ATTR_HEIGHT, 120);
    SetCtrlAttribute(panel, host->list, ATTR_CALLBACK_FUNCTION_POINTER, &list_cb);
    struct Button {
        int* id;
        const char* name;
        const char* label;
        int top;
    };
    const Button buttons[] = {{&host->open, "HOST_OPEN", "__Открыть", 24},
                              {&host->hide, "HOST_HIDE", "С__крыть", 60},
                              {&host->close, "HOST_CLOSE", "__Закрыть", 96},
                              {&host->exit, "HOST_EXIT", "__Выход", 190}};
    for (const Button& b : buttons) {
        *b.id = add_control(panel, CTRL_COMMAND_BUTTON, b.name, b.label, b.top, 280, 100);
        if (*b.id < 0) return *b.id;
        SetCtrlAttribute(panel, *b.id, ATTR_CALLBACK_FUNCTION_POINTER, &button_cb);
    }
    if (host->list < 0) return host->list;
    refresh_list(*host);
    return panel;
}

int run(Host* host) {
    if (host == nullptr || host->panel <= 0) return UIE_INVALID_PANEL;
    DisplayPanel(host->panel);
    while (!host->exit_requested) {
        if (ProcessSystemEventsWaiting() < 0) break;
    }
    HidePanel(host->panel);
    return 0;
}

int open_position(Host* host, int position) {
    if (host == nullptr || !valid(position)) return -1;
    const int slot = position - 1;
    if (host->fitted[slot] != KELQORM_TYPE_CODE) {
        char text[96];
        std::snprintf(text, sizeof text, "На позиции %d нет модуля QORM", position);
        MessagePopup(kTitle, text);
        return -1;
    }
    // Already running: qorm_display brings its main panel back and returns at once.
    if (host->running[slot] != nullptr) return qorm_display(host->running[slot]);

    // The instance variable carries the host's panel in: the front panel shows it on request and
    // when it ends.
    auto* instance = reinterpret_cast<ModuleInstance*>(static_cast<intptr_t>(host->panel));
    const ViStatus st =
        qorm_init(host->carrier, static_cast<ViUInt16>(position), VI_TRUE, VI_TRUE, &instance);
    if (st < 0 || instance == nullptr) {
        char reason[KELQORM_TEXT_LEN] = "";
        kelqorm_error_message(VI_NULL, st, reason);
        char text[KELQORM_TEXT_LEN + 96];
        std::snprintf(text, sizeof text, "Модуль на позиции %d не открыт:\n%s", position, reason);
        MessagePopup(kTitle, text);
        return st < 0 ? st : -1;
    }
    host->running[slot] = instance;
    refresh_list(*host);
    // The front panel runs here, inside this callback; another one opened meanwhile runs nested
    // inside it, and ends before this one can.
    ++host->depth;
    if (qorm_display(instance) < 0) qorm_close(&instance);  // never shown: still ours to end
    --host->depth;
    host->running[slot] = nullptr;
    refresh_list(*host);
    return 0;
}

int hide_position(Host* host, int position) {
    if (host == nullptr || !valid(position) || host->running[position - 1] == nullptr) return -1;
    return qorm_hide(host->running[position - 1]);
}

int close_position(Host* host, int position) {
    if (host == nullptr || !valid(position) || host->running[position - 1] == nullptr) return -1;
    // The running qorm_display sees the request at its next turn and releases the instance.
    return qorm_close(&host->running[position - 1]);
}

void request_exit(Host* host) {
    if (host == nullptr) return;
    host->exit_requested = true;
    for (ModuleInstance*& instance : host->running)
        if (instance != nullptr) qorm_close(&instance);
}

}  // namespace host
