// The standalone run: VXI carrier discovery through VISA, the carrier selection panel, and the
// start-up that opens the chosen carrier and runs the front panel (or a demo instance).
#pragma once

#include "visa.h"

// Longest VISA resource name, with its terminating zero.
inline constexpr int kResourceNameLen = VI_FIND_BUFLEN;
inline constexpr int kInstrumentsMax = 256;

// One VXI instrument that discovery found.
struct InstrumentEntry {
    char resource_name[kResourceNameLen];  // as the search returned it, e.g. "VXI0::8::INSTR"
    ViUInt16 model_code;                   // low 12 bits of VI_ATTR_MODEL_CODE
    ViInt16 interface_number;              // board number from the resource name
    ViInt16 mainframe_la;
    ViInt16 logical_address;
    ViInt16 slot;  // 1 to 12
};

// The instruments found, from entry 0; an entry whose logical address is 0 is never listed.
extern InstrumentEntry Instruments[kInstrumentsMax];

// Fills Instruments with the VXI instruments that sit in a real slot of a mainframe; returns how
// many, or a negative VISA status (Instruments unchanged then).
ViStatus FindVISAinstruments();

// The selection panel. SelectInstrument lists the entries of Instruments whose model code is one
// of the three codes and waits for the operator's choice; null when nothing was listed or the
// operator cancelled.
extern int siPanel;
extern InstrumentEntry* CurInstr;
InstrumentEntry* SelectInstrument(const char* title, ViUInt16 code1, ViUInt16 code2,
                                  ViUInt16 code3);
int BuildSI(const char* title);
int SetListInstrs(ViUInt16 code1, ViUInt16 code2, ViUInt16 code3);
int SetCurInstr();
int siOkCB(int panel, int control, int event, void* data, int ed1, int ed2);
int siListCB(int panel, int control, int event, void* data, int ed1, int ed2);
int siCancelCB(int panel, int control, int event, void* data, int ed1, int ed2);

// Control ids of the selection panel, as BuildSI created them.
struct SiControls {
    int ok, cancel, list, textmsg;
};
extern SiControls siControls;

// The standalone start-up: returns -1 when the user-interface run-time cannot start, else 0
// once the front panel has ended.
int RunStandalone();
