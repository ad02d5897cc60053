// Opening and ending a module instance: qorm_init, qorm_close, qorm_hide, release_instance.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <vector>

#include "allocation.h"
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
        // A self-test that could not run leaves no text of its own; the popup would end in
        // nothing, so the driver's text for the failing status says why.
        if (test_status < 0 && driver_text[0] == '\0') {
            char reason[KELQORM_TEXT_LEN];
            driver_error_text(test_status, reason);
            ctext::copy(driver_text, sizeof driver_text, reason, sizeof reason);
        }
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

// The records created and not yet released. A host that closes an instance twice, or displays
// one that a finished run has consumed, hands in the address of freed memory; each exported
// operation looks the address up here first and refuses it with -1 without reading it. The
// record's own address stays the handle, so a correct host sees no difference.
std::vector<const ModuleInstance*>& live_records() {
    static std::vector<const ModuleInstance*> records;
    return records;
}

// A zero-filled record, registered as live; null when there is no memory for either. The memory
// comes through the platform, where the simulated crate can make it run out.
ModuleInstance* new_record() {
    auto* record = static_cast<ModuleInstance*>(platform::allocate_record(sizeof(ModuleInstance)));
    if (record == nullptr) return nullptr;
    try {
        live_records().push_back(record);
    } catch (const std::bad_alloc&) {
        std::free(record);
        return nullptr;
    }
    return record;
}

void free_record(ModuleInstance* record) {
    auto& records = live_records();
    records.erase(std::remove(records.begin(), records.end(), record), records.end());
    std::free(record);
}

// Undoes a half-finished opening: the driver session is closed without a reset.
ViStatus abandon(ModuleInstance** variable, ModuleInstance* record, ViSession session,
                 ViStatus st) {
    if (session != 0) kelqorm_close(session);
    if (record != nullptr) free_record(record);
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

    ModuleInstance* record = new_record();
    if (record == nullptr) {
        MessagePopup(kPopupTitle, "Не хватает оперативной памяти");
        abandon(instance, nullptr, session, QORM_NO_MEMORY);
        return QORM_NO_MEMORY;
    }
    *instance = record;
    record->session = session;
    record->carrier_panel = carrier_panel;

    char interface_name[VI_FIND_BUFLEN] = "";
    const ViStatus named = viGetAttribute(carrier, VI_ATTR_INTF_INST_NAME, interface_name);
    interface_name[sizeof interface_name - 1] = '\0';

    char position[32];
    std::snprintf(position, sizeof position, ", мез.№ %d", static_cast<int>(mezzanine));
    // Only a carrier known to sit in a VXI mainframe is asked for its mainframe and slot. Without
    // the interface's name nothing says so (a LAN carrier has no such attributes, and asking
    // would fail the opening with an unrelated status), so it is named by its resource like a
    // USB or LAN carrier.
    if (named < 0 || starts_with(interface_name, "USB") || starts_with(interface_name, "TCPIP")) {
        record->mainframe_la = 0;
        record->slot = 0;
        char name[VI_FIND_BUFLEN] = "";
        viGetAttribute(carrier, VI_ATTR_RSRC_NAME, name);
        // The name is cut, at a character, where it would crowd out the position: the position
        // is what tells two modules of one carrier apart.
        const size_t room = sizeof record->location_text - std::strlen(position);
        ctext::copy(record->location_text, room, name, sizeof name);
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

bool is_live_record(const ModuleInstance* instance) {
    if (instance == nullptr) return false;
    const auto& records = live_records();
    return std::find(records.begin(), records.end(), instance) != records.end();
}

ModuleInstance* new_demo_instance(ViInt32 carrier_panel) {
    ModuleInstance* demo = new_record();
    if (demo == nullptr) return nullptr;
    demo->session = 0;
    demo->mainframe_la = 1;
    demo->slot = 1;
    demo->mezzanine_number = 1;
    demo->display_active = 0;
    demo->carrier_panel = carrier_panel;
    return demo;
}

ViStatus release_instance(ModuleInstance* instance) {
    if (instance->session != 0) {
        kelqorm_reset(instance->session);
        kelqorm_close(instance->session);
    }
    // The caller's panel comes back when the module panel goes.
    if (instance->carrier_panel != 0) DisplayPanel(instance->carrier_panel);
    free_record(instance);
    return 0;
}

extern "C" ViStatus QORM_API qorm_close(ModuleInstance** instance) {
    if (instance == nullptr || !is_live_record(*instance)) return -1;
    ModuleInstance* record = *instance;
    record->exit_requested = 1;
    // A running front panel sees the flag at its next turn and releases the instance itself.
    if (record->display_active != 0) return 0;
    return release_instance(record);
}

extern "C" ViStatus QORM_API qorm_hide(ModuleInstance* instance) {
    if (!is_live_record(instance)) return -1;
    if (instance->display_active != 0) {
        for (PanelField handle : kFrontPanelsEndOrder) HidePanel(instance->*handle);
    }
    return 0;
}
