// `ModelDescription`: what one device model offers beyond its driver data file, as the option
// interfaces, the page-composition adapter, the previews, the configuration and the settings
// summary read it. A model that is not described reads as all zeros: every feature absent.
#pragma once

#include <cstddef>
#include <cstdint>

// One paper source of the model, as the source lists and capabilities read it.
struct ModelSourceRecord {
    uint16_t sourceId;   // 0 ends the table
    uint16_t kind;       // tray kind (2 tray, 3 large-capacity)
    uint16_t paperSize;  // the paper the source holds by default
    uint16_t reserved;
    uint32_t flags;      // kModelSource* bits
};
inline constexpr uint32_t kModelSourceHidden = 0x1;     // not offered in lists
inline constexpr uint32_t kModelSourceInPageList = 0x2;  // may feed pages of the page lists
inline constexpr uint32_t kModelSourceLargeCapacity = 0x4;

// Where a finisher code finds its record in the device data; a code of 0 ends the table.
struct FinisherIndexEntry {
    uint16_t recordIndex;
    uint32_t finisherCode;
};

// A name the device is expected to report for an option; id 0 ends the list.
struct ExpectedName {
    uint16_t id;
    uint16_t value;
    uint32_t compareFlag;  // 1: compare without regard to case
    const char* name;
};

// One mail box: its name and its attribute word. Stored as 71 bytes (see mail_box_names.h).
inline constexpr size_t kMailBoxNameField = 67;
inline constexpr size_t kMailBoxCount = 300;
inline constexpr size_t kMailBoxDisplayName = 32;  // characters the mail-box dialog shows
struct MailBoxRecord {
    char name[kMailBoxNameField];  // NUL-terminated within the field
    uint32_t attribute;
};

// Model flags of application option codes: the code is offered (or handled in the model's way)
// when the flag is non-zero.
inline constexpr uint32_t kGatedCodes[] = {0x10040, 0x10044, 0x10056, 0x10068, 0x100CA, 0x100CB, 0x100CC,
                                           0x100DD, 0x10115, 0x1012E, 0x10150, 0x1001C, 0x1000E, 0x10015};
inline constexpr size_t kGatedCodeCount = sizeof kGatedCodes / sizeof kGatedCodes[0];

// Feature words of the page-composition adapter: host codes 0x15, 0x48E, 0x806, set request 0x1B
// and the "matching" word.
enum class CompositionFeature { Host15, Host48E, Host806, Set1B, Matching, Count };

inline constexpr size_t kSummaryFlagCount = 16;  // M1 to M16

struct ModelDescription {
    uint16_t modelCode;

    // Capability words (words 16 to 18 of the original record) and the last flag word.
    uint32_t capabilities[3];
    uint32_t lastFlags;  // kLastFlagMailBoxNames
    static constexpr uint32_t kLastFlagMailBoxNames = 0x2;

    // Page lists.
    uint32_t pageListFlag;
    uint32_t pageListBFlag;
    uint16_t pageListLength;  // at most kMaxPageListLength
    uint32_t pageList30Flag;
    static constexpr uint16_t kMaxPageListLength = 100;

    // Paper sources.
    const ModelSourceRecord* sources;  // null when the model has no table
    uint32_t trayTableFlag;
    uint16_t trayTableKind;
    uint32_t trayKindFlag;
    uint16_t trayKind;  // 2 or 3
    uint32_t sourceListFlag;
    uint32_t bit14Flag;

    // Accounts, media and mail boxes.
    uint16_t accountKind;  // 1: department ids
    uint32_t mediaLibraryFlag;
    uint32_t mailBoxNameFlags;  // two bits
    uint32_t bookletUnitFlag;
    const int16_t* mediaIds;    // pairs of 16-bit ids, ended by -1; null when none
    MailBoxRecord mailBoxes[kMailBoxCount];

    // Other option-interface fields.
    uint32_t layoutFlag;
    const FinisherIndexEntry* finisherIndex;  // null when the model has none
    uint16_t unitWord;                        // 16, 100 or 400
    uint32_t deviceInfoFlag;                  // 1: account checks go through the device-information library
    uint32_t codeFlags[kGatedCodeCount];      // by the position of the code in kGatedCodes

    // Page composition.
    uint16_t finisherKind;  // 1 or 3
    uint32_t features[static_cast<size_t>(CompositionFeature::Count)];

    // Previews, configuration, dialogs and summary.
    uint32_t brandMediaFlag;
    uint32_t attribute2153Switch;
    uint16_t paperSet;       // 1 or 2
    uint16_t mailBoxSwitch;
    const ExpectedName* expectedNames;  // ended by id 0; null when none
    uint16_t insertionTableWords;
    uint32_t insertionFlag;
    uint32_t coverOptionsFlag;
    uint16_t coverKind;  // 1 to 3
    const uint16_t* mediaLibraryList;  // media ids of the media dialog, ended by 0; null when none
    uint16_t currentTray;              // written by the previews
    uint32_t trayPictureFlag;
    uint32_t singlePictureFlag;
    const uint16_t* secondTrayList;  // source ids, ended by 0; null when none
    uint32_t shortFormFlag;
    uint32_t staplePictureFlag;          // the sheet picture shows staple positions
    uint32_t secondFinishingPictureFlag;  // the sheet picture shows fold-over and booklet
    uint32_t summaryFlags[kSummaryFlagCount];  // M1 to M16; M10 holds a 16-bit value
    uint32_t graphicsFlag;
    uint32_t colourModelFlags;

    // The flag of a gated option code; 0 for a code that has none.
    uint32_t CodeFlag(uint32_t code) const;
    uint32_t Feature(CompositionFeature which) const { return features[static_cast<size_t>(which)]; }
    // Summary flag M1 to M16 (n 1 to 16); 0 outside.
    uint32_t SummaryFlag(unsigned n) const { return n >= 1 && n <= kSummaryFlagCount ? summaryFlags[n - 1] : 0; }
};
