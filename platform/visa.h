/* The part of the VISA C API (VPP-4.3) that the front panel and the carrier discovery call:
 * types, the six operations, the statuses and the attributes they use.
 * Written from the published API; sizes follow it on every platform (sessions are 4 bytes even
 * on 64-bit builds, an attribute state is pointer-sized). */
#ifndef QORM_PLATFORM_VISA_H
#define QORM_PLATFORM_VISA_H

#include <stdint.h>

/* The calling convention of VISA and of the instrument drivers: stdcall on 32-bit Windows,
 * the platform's own elsewhere. Every operation, every table entry and every callback of the
 * three libraries carries it. */
#if defined(_WIN32) && !defined(_WIN64)
#define QORM_VI_FUNC __stdcall
#else
#define QORM_VI_FUNC
#endif
#define _VI_FUNC QORM_VI_FUNC
#define _VI_FUNCH QORM_VI_FUNC

#include "declare.h"

#ifdef __cplusplus
extern "C" {
#endif

typedef int32_t ViInt32;
typedef uint32_t ViUInt32;
typedef int16_t ViInt16;
typedef uint16_t ViUInt16;
typedef char ViChar;
typedef unsigned char ViByte;
typedef ViUInt16 ViBoolean;
typedef double ViReal64;
typedef ViChar* ViString;
typedef const ViChar* ViConstString;
typedef ViString ViRsrc;
typedef ViConstString ViConstRsrc;
typedef ViInt32 ViStatus;
typedef ViUInt32 ViObject;
typedef ViObject ViSession;
typedef ViObject ViFindList;
typedef ViObject ViEvent;
typedef ViUInt32 ViAttr;
typedef ViUInt32 ViAccessMode;
typedef uintptr_t ViAttrState;
typedef void* ViAddr;

#define VI_NULL 0
#define VI_TRUE 1
#define VI_FALSE 0
#define VI_NO_LOCK 0
#define VI_FIND_BUFLEN 256
#define VI_UNKNOWN_LA (-1)
#define VI_UNKNOWN_SLOT (-1)

/* Statuses. The error codes are negative as signed 32-bit values. */
#define VI_SUCCESS ((ViStatus)0)
#define VI_ERROR_SYSTEM_ERROR ((ViStatus)0xBFFF0000u)
#define VI_ERROR_INV_OBJECT ((ViStatus)0xBFFF000Eu)
#define VI_ERROR_INV_EXPR ((ViStatus)0xBFFF0010u)
#define VI_ERROR_RSRC_NFOUND ((ViStatus)0xBFFF0011u)
#define VI_ERROR_INV_RSRC_NAME ((ViStatus)0xBFFF0012u)
#define VI_ERROR_TMO ((ViStatus)0xBFFF0015u)
#define VI_ERROR_NSUP_ATTR ((ViStatus)0xBFFF001Du)
#define VI_ERROR_ALLOC ((ViStatus)0xBFFF003Cu)
#define VI_ERROR_NSUP_OPER ((ViStatus)0xBFFF0067u)
#define VI_ERROR_RSRC_BUSY ((ViStatus)0xBFFF0072u)
#define VI_ERROR_LIBRARY_NFOUND ((ViStatus)0xBFFF009Eu)
#define VI_WARN_NULL_OBJECT ((ViStatus)0x3FFF0082u)

/* Attributes. */
#define VI_ATTR_RSRC_NAME ((ViAttr)0xBFFF0002u)        /* text, 256 bytes */
#define VI_ATTR_INTF_INST_NAME ((ViAttr)0xBFFF00E9u)   /* text, 256 bytes */
#define VI_ATTR_MAINFRAME_LA ((ViAttr)0x3FFF0070u)     /* ViInt16, 0-255 or -1 */
#define VI_ATTR_SLOT ((ViAttr)0x3FFF00E8u)             /* ViInt16, 0-12 or -1 */
#define VI_ATTR_VXI_LA ((ViAttr)0x3FFF00D5u)           /* ViInt16, 0-511 */
#define VI_ATTR_MODEL_CODE ((ViAttr)0x3FFF00DFu)       /* ViUInt16 */
#define VI_ATTR_MANF_ID ((ViAttr)0x3FFF00D9u)          /* ViUInt16 */
#define VI_ATTR_INTF_TYPE ((ViAttr)0x3FFF0171u)        /* ViUInt16 */
#define VI_ATTR_INTF_NUM ((ViAttr)0x3FFF0176u)         /* ViUInt16 */

/* Interface types (VI_ATTR_INTF_TYPE). */
#define VI_INTF_GPIB 1
#define VI_INTF_VXI 2
#define VI_INTF_GPIB_VXI 3
#define VI_INTF_ASRL 4
#define VI_INTF_PXI 5
#define VI_INTF_TCPIP 6
#define VI_INTF_USB 7

/* Every operation of VISA the system calls (the notation is declare.h's). */
#define QORM_VISA_OPERATIONS(X)                                                                 \
    X(ViStatus, viOpenDefaultRM, open_default_rm, (out, ViSession*, vi))                        \
    /* The total match count and the first name; viFindNext gives the rest. */                  \
    X(ViStatus, viFindRsrc, find_rsrc, (in, ViSession, sesn), (text_in, ViConstString, expr),   \
      (out, ViFindList*, vi), (out, ViUInt32*, retCnt), (text_out, ViChar*, desc))              \
    X(ViStatus, viFindNext, find_next, (in, ViFindList, vi), (text_out, ViChar*, desc))         \
    X(ViStatus, viOpen, open, (in, ViSession, sesn), (text_in, ViConstRsrc, name),              \
      (in, ViAccessMode, mode), (in, ViUInt32, timeout), (out, ViSession*, vi))                 \
    X(ViStatus, viClose, close, (in, ViObject, vi))                                             \
    X(ViStatus, viGetAttribute, get_attribute, (in, ViObject, vi), (attr_in, ViAttr, attrName), \
      (attr_out, void*, attrValue))

QORM_VISA_OPERATIONS(QORM_DECLARE_OPERATION)

#ifdef __cplusplus
}
#endif

#endif
