// VXI carrier discovery: every VXI or GPIB-VXI instrument resource that VISA reaches, with its
// slot, mainframe and own logical address and model code.
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "si.h"

InstrumentEntry Instruments[kInstrumentsMax];

namespace {

// Every INSTR resource whose name holds VXI and an interface number: VXI and GPIB-VXI.
constexpr char kVxiExpression[] = "?*VXI[0-9]*::?*INSTR";
// VXI slots run 0 to 12; VISA's -1 (unknown) reads above that as unsigned.
constexpr ViUInt16 kLastSlot = 12;
constexpr ViUInt16 kModelCodeMask = 0x0FFF;

// The board number that ends the interface part of a resource name ("VXI12::8::INSTR": 12).
ViInt16 interface_number_of(const char* name) {
    const char* colon = std::strchr(name, ':');
    if (colon == nullptr) return 0;
    const char* digits = colon;
    while (digits > name && std::isdigit(static_cast<unsigned char>(digits[-1]))) --digits;
    long number = 0;
    for (const char* p = digits; p < colon && number <= 0x7FFF; ++p)
        number = number * 10 + (*p - '0');
    return static_cast<ViInt16>(number > 0x7FFF ? 0x7FFF : number);
}

// Examines one matched resource: opens it, records it in `table` when it sits in a slot 0 to 12,
// closes it. Returns viOpen's status when the resource cannot be opened.
ViStatus examine(ViSession rm, const char* name, InstrumentEntry* table, int* count) {
    ViSession instrument = 0;
    const ViStatus st = viOpen(rm, name, VI_NO_LOCK, 0, &instrument);
    if (st < 0) return st;
    const ViInt16 interface_number = interface_number_of(name);
    ViInt16 slot = VI_UNKNOWN_SLOT;  // an unreadable slot is not a real slot
    viGetAttribute(instrument, VI_ATTR_SLOT, &slot);
    if (static_cast<ViUInt16>(slot) <= kLastSlot && *count < kInstrumentsMax) {
        InstrumentEntry& entry = table[(*count)++];
        entry.slot = slot;
        entry.interface_number = interface_number;
        viGetAttribute(instrument, VI_ATTR_MAINFRAME_LA, &entry.mainframe_la);
        std::snprintf(entry.resource_name, sizeof entry.resource_name, "%s", name);
        viGetAttribute(instrument, VI_ATTR_VXI_LA, &entry.logical_address);
        ViUInt16 model = 0;
        viGetAttribute(instrument, VI_ATTR_MODEL_CODE, &model);
        entry.model_code = model & kModelCodeMask;
    }
    viClose(instrument);
    return VI_SUCCESS;
}

}  // namespace

ViStatus FindVISAinstruments() {
    ViSession rm = 0;
    ViStatus st = viOpenDefaultRM(&rm);
    if (st < 0) return st;

    ViFindList list = 0;
    ViUInt32 matches = 0;
    char name[VI_FIND_BUFLEN] = "";
    st = viFindRsrc(rm, kVxiExpression, &list, &matches, name);
    if (st < 0) {
        viClose(rm);
        return st;
    }

    auto* found =
        static_cast<InstrumentEntry*>(std::calloc(kInstrumentsMax, sizeof(InstrumentEntry)));
    ViStatus result = VI_SUCCESS;
    int accepted = 0;
    if (found == nullptr) {
        result = VI_ERROR_ALLOC;
    } else {
        for (ViUInt32 match = 0; match < matches; ++match) {
            if (match > 0) {
                st = viFindNext(list, name);
                if (st < 0) {
                    result = st;
                    break;
                }
            }
            name[sizeof name - 1] = '\0';
            st = examine(rm, name, found, &accepted);
            if (st < 0) {
                result = st;
                break;
            }
        }
    }

    if (result >= 0) {
        // The mainframe's slot-0 controller is no carrier. Entries past the count are cleared,
        // so a repeated discovery never lists an instrument it no longer found.
        int copied = 0;
        for (int k = 0; k < accepted; ++k) {
            if (found[k].slot != 0) Instruments[copied++] = found[k];
        }
        std::memset(Instruments + copied, 0, sizeof(InstrumentEntry) * (kInstrumentsMax - copied));
        result = copied;
    }
    std::free(found);
    viClose(list);
    viClose(rm);
    return result;
}
