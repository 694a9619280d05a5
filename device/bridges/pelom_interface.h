// The calling contract of two further libraries of the maker, the request library ("PELOM.dll")
// and the import library ("TARQEN.dll"): their exports, the entry table the request library
// fills, and the two records the driver exchanges with it. The bridges and the test stand-ins
// are both built from this one header. The records are byte-exact and little-endian, their
// fields reached by offset; only the entry table carries native pointers.
#pragma once

#include <cstddef>
#include <cstdint>

inline constexpr const char* kTarqenLibraryName = "TARQEN.dll";
inline constexpr const char* kTarqenImportName = "TARQEN_ImpRMFile";
inline constexpr const char* kPelomLibraryName = "PELOM.dll";
inline constexpr const char* kPelomEntryPointsName = "FB_GetEntryPoints";

// TARQEN_ImpRMFile(printer name, file path, output buffer of 260 bytes): negative on failure.
using TarqenImportProc = int32_t (*)(const char* printerName, const char* path, char* output);

// The request library's entry points, in the order FB_GetEntryPoints fills them. In the library's
// 32-bit layout the entries start at byte 12 of the table, so entry n sits at 12 + 4n: open at
// 20, close at 24, list at 28, request at 32, the two status entries at 36 and 40.
using PelomProc = void (*)();
inline constexpr int kPelomEntryCount = 8;
inline constexpr int kPelomOpen = 2;
inline constexpr int kPelomClose = 3;
inline constexpr int kPelomList = 4;
inline constexpr int kPelomRequest = 5;
inline constexpr int kPelomStatusRecord = 6;
inline constexpr int kPelomStatusWord = 7;

// FB_GetEntryPoints(256, the room in bytes, the entries): 1 when the entries were filled.
inline constexpr uint32_t kPelomVersion = 256;
using PelomGetEntryPointsProc = int32_t (*)(uint32_t version, uint32_t room, PelomProc* entries);
// Opens the printer (its name twice): 1 on success.
using PelomOpenProc = int32_t (*)(const char* printerName, const char* portName);
using PelomCloseProc = int32_t (*)(const char* printerName);
// A list of stored documents into the buffer: negative on failure, else the answer, with the
// bytes written in `written`.
using PelomListProc = int32_t (*)(uint32_t kind, void* buffer, uint32_t size, uint32_t flags, uint32_t* written);
// One request (10, the user name, the reply buffer and its size, place for a result): negative on
// failure.
using PelomRequestProc = int32_t (*)(uint32_t ten, const char* userName, void* reply, uint32_t size, int32_t* result);
using PelomStatusWordProc = int32_t (*)();
using PelomStatusRecordProc = int32_t (*)(void* record, uint32_t size);

// The entry table. The link and the interface come first, in the places of the device link of
// the device-information library's operations, so that both run through the client's one handler.
struct PelomEntryTable {
    const void* link;
    void* iface;
    uint32_t mode;  // 2 after a successful open; a request runs in mode 1 or 2
    uint32_t reserved;
    PelomProc entries[kPelomEntryCount];
};
static_assert(offsetof(PelomEntryTable, iface) == sizeof(void*) && offsetof(PelomEntryTable, mode) == 2 * sizeof(void*));
static_assert(offsetof(PelomEntryTable, entries) == 2 * sizeof(void*) + 8);

// The reply of a request, as the library writes it into the caller's buffer: 3,168 bytes in mode
// 1, 3,232 in mode 2 (whose data part is longer).
namespace pelom_reply {
inline constexpr uint32_t kSizeMode1 = 3168;
inline constexpr uint32_t kSizeMode2 = 3232;
inline constexpr size_t kLength = 0;      // u16: the bytes of data
inline constexpr size_t kText = 2;        // char[64], terminated within
inline constexpr size_t kTextSize = 64;
inline constexpr size_t kWordA = 66;      // u16
inline constexpr size_t kWordB = 68;      // u32
inline constexpr size_t kWords = 72;      // 16 x u32, mode 2
inline constexpr size_t kData = 160;
}  // namespace pelom_reply

// The request record of device operations 3 and 4 (3,576 bytes).
namespace pelom_request {
inline constexpr size_t kSize = 3576;
inline constexpr size_t kPrinterName = 0;   // char[256]
inline constexpr size_t kNameSize = 256;
inline constexpr size_t kSizeWord = 256;    // u32 256
inline constexpr size_t kResult = 260;      // i32, negative: failure
inline constexpr size_t kPdlCode = 264;     // u32
inline constexpr size_t kTen = 272;         // u32 10; operation 4: the status word
inline constexpr size_t kUserName = 276;    // char[64]; operation 4: the status record
inline constexpr size_t kUserNameSize = 64;
inline constexpr size_t kReplyAt = 340;     // u32: where in the reply the data starts (160)
inline constexpr size_t kReplyLength = 344; // u16
inline constexpr size_t kReplyText = 346;   // char[64]
inline constexpr size_t kReplyWords = 410;  // 16 x u32
inline constexpr size_t kReplyWordA = 474;  // u16
inline constexpr size_t kReplyWordB = 476;  // u32
inline constexpr size_t kDataAt = 480;      // u32 160
inline constexpr size_t kData = 504;        // the reply's data, at most 3,072 bytes
inline constexpr size_t kDataSize = 3072;
inline constexpr size_t kCallerReply = 387; // what the caller gets of the data
}  // namespace pelom_request
static_assert(pelom_request::kData + pelom_request::kDataSize == pelom_request::kSize);
static_assert(pelom_reply::kData + pelom_request::kDataSize == pelom_reply::kSizeMode2);

// The file-browse request record of device operation 2 (13,488 bytes).
namespace pelom_browse {
inline constexpr size_t kSize = 13488;
inline constexpr size_t kPrinterName = 0;  // char[256]
inline constexpr size_t kSizeWord = 256;   // u32: 512 for the browse list
inline constexpr size_t kResult = 260;     // i32
inline constexpr size_t kPdlCode = 264;    // u32
inline constexpr size_t kKind = 272;       // u32: 10, or 1 to 5 in the short form
inline constexpr size_t kFlags = 276;      // u32: bit 2 asks for the whole list
inline constexpr size_t kAnswer = 280;     // i32
inline constexpr size_t kWritten = 284;    // u32
inline constexpr size_t kData = 288;       // 13,200 bytes: 100 entries of 132 bytes
inline constexpr size_t kDataSize = 13200;
inline constexpr size_t kEntrySize = 132;
inline constexpr size_t kShortSize = 6400; // the short form's room
inline constexpr uint32_t kShortFormLimit = 257;
inline constexpr uint32_t kWholeList = 1u << 2;
}  // namespace pelom_browse
static_assert(pelom_browse::kData + pelom_browse::kDataSize == pelom_browse::kSize);
static_assert(pelom_browse::kEntrySize * 100 == pelom_browse::kDataSize);

struct PelomRequestRecord {
    uint8_t bytes[pelom_request::kSize];
};
struct PelomBrowseRecord {
    uint8_t bytes[pelom_browse::kSize];
};
static_assert(sizeof(PelomRequestRecord) == 3576 && sizeof(PelomBrowseRecord) == 13488);
