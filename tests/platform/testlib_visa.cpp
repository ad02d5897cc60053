// A stand-in VISA library for the loader tests: the six operations, each answering with a
// status that tells it apart.
#include "visa.h"

extern "C" {

ViStatus viOpenDefaultRM(ViSession* vi) {
    *vi = 4242;
    return 0;
}
ViStatus viFindRsrc(ViSession, ViConstString, ViFindList*, ViUInt32*, ViChar[]) {
    return 1;
}
ViStatus viFindNext(ViFindList, ViChar[]) {
    return 2;
}
ViStatus viOpen(ViSession, ViConstRsrc, ViAccessMode, ViUInt32, ViSession*) {
    return 3;
}
ViStatus viClose(ViObject) {
    return 4;
}
ViStatus viGetAttribute(ViObject, ViAttr, void*) {
    return 5;
}

}  // extern "C"
