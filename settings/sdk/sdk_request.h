// What every operation of the application option interface receives: a request kind, a request
// code from 0x10000 and the caller's data, with the answers they give. The request's handles
// (user data, device modes, registry) are fields of the option object (`CmNonSvSDK`).
#pragma once

#include <windows.h>

#include <cstdint>

enum SdkRequestKind : DWORD {
    kSdkKindSize = 0,     // the byte size the other kinds exchange (of one entry for a list)
    kSdkKindCount = 1,    // the number of entries of a list
    kSdkKindGet = 2,      // the current value
    kSdkKindSet = 3,      // set the value
    kSdkKindList = 4,     // every entry, one after the other
    kSdkKindDefault = 6,  // set the default value
    kSdkKindPairs = 7,    // (code, attribute) pairs
    kSdkKindAction = 8,   // run an action
};

// Answers: 0 done, 1 no buffer / no item / action failed, 2 not supported, 3 refused; and, from
// a table lookup only, "not mine" (the code belongs to another table or to the items).
inline constexpr LONG kSdkAnswerDone = 0;
inline constexpr LONG kSdkAnswerNoItem = 1;
inline constexpr LONG kSdkAnswerNotSupported = 2;
inline constexpr LONG kSdkAnswerRefused = 3;
inline constexpr LONG kSdkNotMine = -1;

// Codes from here to kLastDriverCode may be answered by the driver's own operations; every code
// outside (and every code no table names) is an option key of the items.
inline constexpr DWORD kFirstDriverCode = 0x10000;
inline constexpr DWORD kLastDriverCode = 0x10157;

// One request as the option object's item procedure receives it. `data` is the caller's buffer,
// whose size the request code and kind imply (the export carries no size).
struct SdkRequest {
    DWORD kind;
    DWORD code;
    void* data;
};
