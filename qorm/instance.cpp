// Opening and ending a module instance: qorm_init, qorm_close, qorm_hide, release_instance.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "ctext/ctext.h"
#include "qorm_internal.h"
#include "visa.h"

namespace {

constexpr char kPopupTitle[] = "QORM";
// A popup text is at most 255 characters; UTF-8 Cyrillic takes two bytes a character.
constexpr size_t kPopupTextBytes = 2 * 256;

bool starts_with(const char* text, const char* prefix) {
    return std::strncmp(text, prefix, std::strlen(prefix)) == 0;
}

// kelqorm_connect reported that the module came up with faults: run its self-test and tell the
// operator whether it passes. The opening goes on either way.
void report_connect_warning(ViSession session) {
    ViInt16 result = 0;
    char test_text[KELQORM_TEXT_LEN] = "";
    const ViStatus test_status = kelqorm_self_test(session, &result, test_text);
    if (test_status < 0 || result != 0) {
        char popup[kPopupTextBytes] = "Инициализация прошла с ошибками\r\n";
        char driver_text[KELQORM_TEXT_LEN + 1];
        ctext::copy(driver_text, sizeof driver_text, test_text, sizeof test_text);
        ctext::append(popup, sizeof popup, driver_text);
        MessagePopup(kPopupTitle, popup);
    } else {
        MessagePopup(kPopupTitle, "Инициализация прошла с ошибками(тест +)");
    }
}

// Reads a 16-bit VISA attribute and widens it with its sign, so VISA's -1 ("unknown") stays -1.
ViStatus read_int16_attribute(ViSession carrier, ViAttr attribute, ViInt32* field) {
    ViInt16 value = 0;
    const ViStatus st = viGetAttribute(carrier, attribute, &value);
    if (st >= 0) *field = value;
    return st;
}

// Undoes a half-finished opening: the driver session is closed without a reset.
ViStatus abandon(ModuleInstance** variable, ModuleInstance* record, ViSession session,
                 ViStatus st) {
    if (session != 0) kelqorm_close(session);
    std::free(record);
    *variable = nullptr;
    return st;
}

}  // namespace

extern "C" ViStatus QORM_API qorm_init(ViSession carrier, ViUInt16 mezzanine, ViBoolean idQuery,
                                       ViBoolean reset, ModuleInstance** instance) {
    if (instance == nullptr) return -1;
    // On entry the caller's variable holds its own panel handle rather than a pointer.
    const auto carrier_panel = static_cast<ViInt32>(reinterpret_cast<intptr_t>(*instance));
    *instance = nullptr;

    char resource[VI_FIND_BUFLEN] = "";
    ViStatus st = viGetAttribute(carrier, VI_ATTR_RSRC_NAME, resource);
    if (st < 0) return st;
    resource[sizeof resource - 1] = '\0';

    ViSession session = 0;
    st = kelqorm_init(resource, idQuery, reset, &session);
    if (st < 0) return st;

    const ViStatus connected = kelqorm_connect(session, carrier, mezzanine, idQuery, reset);
    if (connected < 0) return abandon(instance, nullptr, session, connected);
    if (connected > 0) report_connect_warning(session);

    auto* record = static_cast<ModuleInstance*>(std::calloc(1, sizeof(ModuleInstance)));
    if (record == nullptr) {
        MessagePopup(kPopupTitle, "Не хватает оперативной памяти");
        abandon(instance, nullptr, session, QORM_NO_MEMORY);
        return QORM_NO_MEMORY;
    }
    *instance = record;
    record->session = session;
    record->carrier_panel = carrier_panel;

    char interface_name[VI_FIND_BUFLEN] = "";
    viGetAttribute(carrier, VI_ATTR_INTF_INST_NAME, interface_name);
    interface_name[sizeof interface_name - 1] = '\0';

    char position[32];
    std::snprintf(position, sizeof position, ", мез.№ %d", static_cast<int>(mezzanine));
    if (starts_with(interface_name, "USB") || starts_with(interface_name, "TCPIP")) {
        // A carrier outside a VXI mainframe is named by its resource.
        record->mainframe_la = 0;
        record->slot = 0;
        char name[VI_FIND_BUFLEN] = "";
        viGetAttribute(carrier, VI_ATTR_RSRC_NAME, name);
        ctext::copy(record->location_text, sizeof record->location_text, name, sizeof name);
        ctext::append(record->location_text, sizeof record->location_text, position);
    } else {
        st = read_int16_attribute(carrier, VI_ATTR_MAINFRAME_LA, &record->mainframe_la);
        if (st >= 0) st = read_int16_attribute(carrier, VI_ATTR_SLOT, &record->slot);
        if (st < 0) return abandon(instance, record, session, st);
        std::snprintf(record->location_text, sizeof record->location_text, "кр.%d, сл.%d, мез.№ %d",
                      static_cast<int>(record->mainframe_la), static_cast<int>(record->slot),
                      static_cast<int>(mezzanine));
    }
    record->mezzanine_number = mezzanine;
    return 0;
}

ViStatus release_instance(ModuleInstance* instance) {
    if (instance->session != 0) {
        kelqorm_reset(instance->session);
        kelqorm_close(instance->session);
    }
    // The caller's panel comes back when the module panel goes.
    if (instance->carrier_panel != 0) DisplayPanel(instance->carrier_panel);
    std::free(instance);
    return 0;
}

extern "C" ViStatus QORM_API qorm_close(ModuleInstance** instance) {
    if (instance == nullptr || *instance == nullptr) return -1;
    ModuleInstance* record = *instance;
    record->exit_requested = 1;
    // A running front panel sees the flag at its next turn and releases the instance itself.
    if (record->display_active != 0) return 0;
    return release_instance(record);
}

extern "C" ViStatus QORM_API qorm_hide(ModuleInstance* instance) {
    if (instance == nullptr) return -1;
    if (instance->display_active != 0) {
        for (PanelField handle : kFrontPanelsEndOrder) HidePanel(instance->*handle);
    }
    return 0;
}
