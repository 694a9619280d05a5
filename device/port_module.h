// The printer's port module, as the network query calls it: a library of the printer's maker in
// the printer driver's folder (its file name is string 10709 of the resource module) that opens
// the printer, tells its network address and asks it for attributes, answering through a
// completion callback that may run on a thread of the module.
#pragma once

#include <cstdint>

inline constexpr uint32_t kPortModuleNameString = 10709;
inline constexpr uint32_t kPortInfoSize = 576;
inline constexpr uint32_t kPortInfoAddress = 8;  // the address text in the information buffer
inline constexpr uint32_t kPortRequestsPerCall = 8;

// One attribute asked: {attribute id, 16, 0, 0}.
struct PortRequest {
    uint32_t id;
    uint32_t size;
    uint32_t reserved[2];
};
static_assert(sizeof(PortRequest) == 16);

// One value answered: kind 1 a number, kind 3 a text (which the module may wrap in quotes).
struct PortValue {
    uint32_t kind;
    uint32_t number;
    const char* text;
};
inline constexpr uint32_t kPortNumber = 1;
inline constexpr uint32_t kPortText = 3;

struct PortItem {
    uint32_t id;
    uint32_t reserved[2];
    const PortValue* value;
};

using PortCallback = void (*)(void* context, uint32_t unused1, int32_t status, uint32_t unused2, uint32_t count,
                              const PortItem* items);
using NbOpenPrinterProc = int32_t (*)(const char* printerName, void** handle);
using NbClosePrinterProc = void (*)(void* handle);
using NbGetPrinterInfoProc = int32_t (*)(void* handle, uint8_t* info);
using NbGetPrinterDataProc = int32_t (*)(void* handle, const char* address, uint32_t count,
                                         const PortRequest* requests, PortCallback callback, void* context);
