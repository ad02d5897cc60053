// Main panel set-up (mpInitPanels) and the channel model: reading the panel into the instance
// (mpGet) and dimming the controls by control mode and line selection (mpSetView).
#include <cstdio>
#include <string>

#include "ctext/ctext.h"
#include "qorm_internal.h"
#include "qorm_uir.h"
#include "rules.h"
#include "time_ranges.h"

namespace {

constexpr char kSoftwareVersion[] = "1.2.2";
// Windows of modules in different mezzanine positions come up this far apart, both ways.
constexpr int kStaggerPixels = 20;
// Panel titles hold 63 characters; UTF-8 Cyrillic takes two bytes a character.
constexpr size_t kTitleBytes = 2 * 64;

void set_time_range(int panel, int control, const layout::TimeRange& range) {
    SetCtrlAttribute(panel, control, ATTR_INCR_VALUE, range.increment);
    SetCtrlAttribute(panel, control, ATTR_MIN_VALUE, range.minimum);
    SetCtrlAttribute(panel, control, ATTR_MAX_VALUE, range.maximum);
}

// Binds one panel to the instance and completes its title with the module's place.
int complete_panel(int panel, ModuleInstance* instance, const char* suffix) {
    int st = SetPanelAttribute(panel, ATTR_CALLBACK_DATA, static_cast<void*>(instance));
    if (st < 0) return st;
    char title[kTitleBytes] = "";
    st = GetPanelAttribute(panel, ATTR_TITLE, title);
    if (st < 0) return st;
    if (std::string(title) != "QORM") ctext::append(title, sizeof title, " QORM");
    ctext::append(title, sizeof title, suffix);
    return SetPanelAttribute(panel, ATTR_TITLE, title);
}

// Identity fields are unsigned 16-bit indicators; a location VISA could not tell (-1) shows as
// the 16-bit pattern, 65535, as everywhere else in the system.
void set_identity(int panel, int control, ViInt32 value) {
    SetCtrlVal(panel, control, static_cast<unsigned short>(value));
}

}  // namespace

int mpInitPanels(ModuleInstance* instance, const int* panels) {
    if (instance == nullptr || panels == nullptr) return UIE_NULL_POINTER;
    char driver_revision[KELQORM_REVISION_LEN] = "";
    char hardware_revision[KELQORM_REVISION_LEN] = "";
    const int mp = instance->mp_panel;

    const int offset = kStaggerPixels * (instance->mezzanine_number - 1);
    int place = 0;
    GetPanelAttribute(mp, ATTR_LEFT, &place);
    SetPanelAttribute(mp, ATTR_LEFT, place + offset);
    GetPanelAttribute(mp, ATTR_TOP, &place);
    SetPanelAttribute(mp, ATTR_TOP, place + offset);

    char suffix[2 * 56];
    std::snprintf(suffix, sizeof suffix, " кр.%d, сл.%d, мез.%d",
                  static_cast<int>(instance->mainframe_la), static_cast<int>(instance->slot),
                  static_cast<int>(instance->mezzanine_number));
    int result = 0;
    for (const int* panel = panels; *panel != 0; ++panel) {
        result = complete_panel(*panel, instance, suffix);
        if (result < 0) return result;
    }

    SetCtrlVal(mp, MP_I, static_cast<unsigned short>(instance->interface_number));
    set_identity(mp, MP_K, instance->mainframe_la);
    set_identity(mp, MP_S, instance->slot);
    set_identity(mp, MP_MEZ_NUM, instance->mezzanine_number);

    const ViStatus revision_status =
        kelqorm_revision_query(instance->session, driver_revision, hardware_revision);
    // A driver may fill a revision to the last byte without a terminating zero.
    driver_revision[sizeof driver_revision - 1] = '\0';
    hardware_revision[sizeof hardware_revision - 1] = '\0';
    SetCtrlVal(instance->about_panel, ABOUT_DRVR_VERSION, driver_revision);
    SetCtrlVal(instance->about_panel, ABOUT_HRDW_VERSION, hardware_revision);
    SetCtrlVal(mp, MP_HW_VER, instance->session != 0 ? hardware_revision : "");
    SetCtrlVal(instance->about_panel, ABOUT_SOFT_VERSION, kSoftwareVersion);

    const PanelVariant variant = panel_variant(hardware_revision);
    instance->fine_time_step = variant.fine_time_step ? 1 : 0;
    instance->group_time_mode = variant.group_time_mode ? 1 : 0;

    // The variant still follows what the texts hold, but a module whose revision could not be
    // read may have other ranges than the panel now offers: the operator is told why on the
    // error line. A record without a module has no ranges to doubt.
    if (revision_status < 0 && instance->session != 0) errMsg(mp, revision_status);

    const layout::TimeRange& range = layout::time_range(instance->fine_time_step != 0);
    set_time_range(mp, MP_GT, range);
    if (instance->group_time_mode == 1) {
        // One common time for all channels: the per-channel times and the button that copies
        // the common time into them have no use.
        SetCtrlAttribute(mp, MP_SET_GT, ATTR_VISIBLE, 0);
        SetCtrlAttribute(mp, MP_GT, ATTR_CALLBACK_FUNCTION_POINTER, &mpChangeT);
        for (int control : mpTimeCtrls) SetCtrlAttribute(mp, control, ATTR_VISIBLE, 0);
    } else {
        for (int control : mpTimeCtrls) set_time_range(mp, control, range);
    }
    return result;
}

void mpGet(ModuleInstance* instance) {
    const int mp = instance->mp_panel;
    for (int k = 0; k < QORM_CHANNELS; ++k)
        GetCtrlVal(mp, mpLineCtrls[k], &instance->channel_codes[k]);
    if (instance->group_time_mode == 1) {
        GetCtrlVal(mp, MP_GT, &instance->channel_times[0]);
        for (float& time : instance->channel_times) time = instance->channel_times[0];
    } else {
        for (int k = 0; k < QORM_CHANNELS; ++k)
            GetCtrlVal(mp, mpTimeCtrls[k], &instance->channel_times[k]);
    }
}

void mpSetView(ModuleInstance* instance) {
    mpGet(instance);
    const int mp = instance->mp_panel;
    int mode = 0;
    GetCtrlVal(mp, MP_CTRL_MODE, &mode);
    if (instance->group_time_mode != 1) {
        for (int k = 0; k < QORM_CHANNELS; ++k) {
            const bool dim = channel_time_dimmed(mode, instance->channel_codes[k]);
            SetCtrlAttribute(mp, mpTimeCtrls[k], ATTR_DIMMED, dim ? 1 : 0);
        }
    }
    const ViewDimming dimming = view_dimming(mode);
    for (int control : {MP_START_MODE, MP_GT, MP_SET_GT, MP_START}) {
        SetCtrlAttribute(mp, control, ATTR_DIMMED, dimming.run_controls ? 1 : 0);
    }
    for (int control : {MP_GRP_ON, MP_GRP_OFF}) {
        SetCtrlAttribute(mp, control, ATTR_DIMMED, dimming.group_buttons ? 1 : 0);
    }
}

namespace {

// The channel controls' common refresh: on a commit, recompute the dimmed controls.
int refresh_view_on_commit(int panel, int event) {
    if (event != EVENT_COMMIT) return 0;
    if (ModuleInstance* instance = record_of(panel)) mpSetView(instance);
    return 0;
}

}  // namespace

int mpChangeT(int panel, int, int event, void*, int, int) {
    return refresh_view_on_commit(panel, event);
}

int mpCheckChan(int panel, int, int event, void*, int, int) {
    return refresh_view_on_commit(panel, event);
}

int mpCtrlMode(int panel, int, int event, void*, int, int) {
    return refresh_view_on_commit(panel, event);
}
