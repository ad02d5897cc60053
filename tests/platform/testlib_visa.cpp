// A stand-in VISA library for the loader tests: the six operations, each answering with a
// status that tells it apart.
#include "visa.h"

extern "C" {

ViStatus _VI_FUNC viOpenDefaultRM(ViSession* vi) {
    *vi = 4242;
    return 0;
}
ViStatus _VI_FUNC viFindRsrc(ViSession, ViConstString, ViFindList*, ViUInt32*, ViChar[]) {
    return 1;
}
ViStatus _VI_FUNC viFindNext(ViFindList, ViChar[]) {
    return 2;
}
ViStatus _VI_FUNC viOpen(ViSession, ViConstRsrc, ViAccessMode, ViUInt32, ViSession*) {
    return 3;
}
ViStatus _VI_FUNC viClose(ViObject) {
    return 4;
}
ViStatus _VI_FUNC viGetAttribute(ViObject, ViAttr, void*) {
    return 5;
}

}  // extern "C"
