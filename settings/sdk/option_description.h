// The record of the option interface's describe request (kind 11): one setting item as an
// application meets it, with its name, page, value, range, its choices by name and the reasons the
// rules gave. The caller's buffer receives a head and then the choices, in this fixed layout.
#pragma once

#include <cstddef>
#include <cstdint>

inline constexpr uint32_t kSdkKindDescribe = 11;

// Value types, as the items name them.
enum OptionDescriptionType : uint32_t {
    kDescribedOnOff = 1,
    kDescribedChoice = 2,
    kDescribedNumber = 3,
    kDescribedText = 4,
};

// State bits of the item.
inline constexpr uint32_t kDescribedAvailable = 0x1;  // the printer offers the setting
inline constexpr uint32_t kDescribedHasControl = 0x2;
inline constexpr uint32_t kDescribedShown = 0x4;
inline constexpr uint32_t kDescribedEnabled = 0x8;  // the rules let it change

// State bits of a choice.
inline constexpr uint32_t kChoiceOffered = 0x1;  // an application may set it
inline constexpr uint32_t kChoiceShown = 0x2;
inline constexpr uint32_t kChoiceEnabled = 0x4;
inline constexpr uint32_t kChoiceAvailable = 0x8;
inline constexpr uint32_t kChoiceCurrent = 0x10;

struct OptionDescriptionHead {
    uint32_t size;         // in: the room of the caller's buffer; out: the record's size
    uint32_t key;          // the option key described
    uint32_t itemId;
    uint32_t page;         // the item set (page or dialog) that holds the item
    uint32_t type;         // OptionDescriptionType
    uint32_t state;        // kDescribed... bits
    int32_t current;       // the value request 2 gives (a text item: 0)
    int32_t minimum;       // a number's range; a text item: 0 and its longest text
    int32_t maximum;
    uint32_t valueSize;    // the size request 0 gives
    uint32_t choiceCount;  // entries after the head
    uint32_t boundItems;   // items bound to the key (the head describes the last)
    char name[64];         // "Group$Key"
    char reason[128];      // the rules' reason for the item, empty when they gave none
    char text[128];        // a text item's text, a choice item's current choice name
};
static_assert(sizeof(OptionDescriptionHead) == 368);
static_assert(offsetof(OptionDescriptionHead, name) == 48 && offsetof(OptionDescriptionHead, reason) == 112 &&
              offsetof(OptionDescriptionHead, text) == 240);

struct OptionDescriptionChoice {
    char name[32];      // "LANDSCAPE"
    int32_t value;      // the value the option interface sets and reads for it
    uint32_t state;     // kChoice... bits
    char reason[88];    // the rules' reason for the choice, empty when they gave none
};
static_assert(sizeof(OptionDescriptionChoice) == 128);
static_assert(offsetof(OptionDescriptionChoice, value) == 32 && offsetof(OptionDescriptionChoice, reason) == 40);

// The smallest buffer a describe request takes: the head alone.
inline constexpr uint32_t kOptionDescriptionMinimum = sizeof(OptionDescriptionHead);
