// Byte layout of the driver's device mode: the public DEVMODE, the private header that follows it
// at byte 148, the section directory and the model section. Device modes are stored in the
// registry and in profile files, so every position here is fixed and little-endian.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>

namespace devmode {

// Public part.
inline constexpr size_t kPublicSize = 148;
inline constexpr uint16_t kSpecVersion = DM_SPECVERSION;
inline constexpr size_t kOffDeviceName = offsetof(DEVMODEA, dmDeviceName);
inline constexpr size_t kOffSpecVersion = offsetof(DEVMODEA, dmSpecVersion);
inline constexpr size_t kOffDriverVersion = offsetof(DEVMODEA, dmDriverVersion);
inline constexpr size_t kOffSize = offsetof(DEVMODEA, dmSize);
inline constexpr size_t kOffDriverExtra = offsetof(DEVMODEA, dmDriverExtra);
inline constexpr size_t kOffFields = offsetof(DEVMODEA, dmFields);
inline constexpr size_t kOffFormName = offsetof(DEVMODEA, dmFormName);
inline constexpr size_t kOffOrientation = offsetof(DEVMODEA, dmOrientation);
inline constexpr size_t kOffCopies = offsetof(DEVMODEA, dmCopies);
inline constexpr size_t kOffDefaultSource = offsetof(DEVMODEA, dmDefaultSource);
inline constexpr size_t kOffColor = offsetof(DEVMODEA, dmColor);
inline constexpr size_t kOffDuplex = offsetof(DEVMODEA, dmDuplex);
inline constexpr size_t kOffIcmMethod = offsetof(DEVMODEA, dmICMMethod);
static_assert(sizeof(DEVMODEA) == kPublicSize);
static_assert(kOffSpecVersion == 32 && kOffSize == 36 && kOffDriverExtra == 38 && kOffFields == 40);

// Private header. The signature and the version come first so that a foreign private part is
// recognised before anything else in it is believed.
inline constexpr size_t kOffSignature = 148;  // char[8], "Vomel" NUL-padded
inline constexpr size_t kSignatureSize = 8;
inline constexpr char kSignature[kSignatureSize] = {'V', 'o', 'm', 'e', 'l', 0, 0, 0};
inline constexpr size_t kOffPrivateVersion = 170;  // u16
inline constexpr size_t kOffModelSection = 174;    // s16, from the start of the device mode
inline constexpr size_t kOffPdlId = 178;           // u16: 0x100 PCL5e, 0x110 PCL5c, 0x200 PCL6
inline constexpr size_t kOffHostWord = 180;        // u16, kept for the page-composition host
inline constexpr size_t kOffModelNumber = 182;     // u16, the device model code
inline constexpr size_t kOffDriverName = 184;      // char[32], NUL-terminated
inline constexpr size_t kDriverNameSize = 32;
inline constexpr size_t kOffHeaderReserved = 216;  // u32
inline constexpr size_t kHeaderEnd = 220;          // the shortest private part ends here
inline constexpr size_t kPrivateHeaderSize = kHeaderEnd - kPublicSize;
static_assert(kPrivateHeaderSize == 72, "callers accept dmSize + dmDriverExtra >= 220");

// Versions of the private part. Each newer version only appends: items at the end of a section,
// bytes at the end of the model section. Older, shorter parts are therefore read by prefix.
inline constexpr uint16_t kPrivateVersion = 0x0602;
inline constexpr uint16_t kOldestPrivateVersion = 0x0600;

// Section directory: one {u16 offset from the start of the device mode, u16 size} per section id
// 0x2 to 0xC; size 0 marks a section the device mode does not hold.
inline constexpr unsigned kFirstSection = 0x2;
inline constexpr unsigned kLastSection = 0xC;
inline constexpr unsigned kModelSectionId = 0xC;
inline constexpr unsigned kSectionCount = kLastSection - kFirstSection + 1;
inline constexpr size_t kOffDirectory = kHeaderEnd;
inline constexpr size_t kDirectoryEntrySize = 4;
inline constexpr size_t kDirectoryEnd = kOffDirectory + kSectionCount * kDirectoryEntrySize;
inline constexpr size_t directoryEntry(unsigned section) {
    return kOffDirectory + (section - kFirstSection) * kDirectoryEntrySize;
}
static_assert(kDirectoryEnd == 264);

// The model section: per-model private fields at fixed offsets (see model_section.h). Fields are
// placed up to byte 1,183; the rest is room that later versions append into.
inline constexpr size_t kModelSectionMin = 1183;
inline constexpr size_t kModelSectionSize = 1280;

}  // namespace devmode
