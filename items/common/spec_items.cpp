// The fixed-field device capability items: flags, numbers, texts and constant-table choices.
#include "items/common/spec_items.h"

#include "core/helpers/bounded_text.h"
#include "core/memory/pool_text.h"
#include "core/device/service_table.h"
#include "items/common/devmode_flag.h"

#include <cstring>

namespace {

constexpr CmSvOptionRecord kThreeState[] = {ValueChoice("DISABLE", 0), ValueChoice("OFF", 1), ValueChoice("ON", 2)};
constexpr CmSvOptionRecord kStorage[] = {ValueChoice("NONE", 0), ValueChoice("FLASH", 1), ValueChoice("RAM", 2),
                                         ValueChoice("HDD", 3)};
constexpr CmSvOptionRecord kCollateType[] = {ValueChoice("AUTO", 0), ValueChoice("JS", 16),
                                             ValueChoice("HARDWARE", 18)};
constexpr CmSvOptionRecord kResoUnit[] = {ValueChoice("DPI", 1), ValueChoice("INCH", 2), ValueChoice("MM", 3)};
constexpr CmSvOptionRecord kEngineType[] = {ValueChoice("QRT", 2), ValueChoice("XK", 4)};
constexpr CmSvOptionRecord kFoldIds[] = {
    ValueChoice("NONE", 0),     ValueChoice("ZFOLD", 1),    ValueChoice("SADDLE", 2),
    ValueChoice("DOUBLEGATE", 3), ValueChoice("LEFTGATE", 4), ValueChoice("RIGHTGATE", 5),
    ValueChoice("LETTERFOLD", 6), ValueChoice("XFOLD", 7)};
constexpr CmSvOptionRecord kFace[] = {ValueChoice("PRINTERDEFAULT", 0), ValueChoice("FACEDOWN", 1),
                                      ValueChoice("FACEUP", 2)};
constexpr CmSvOptionRecord kColorSpace[] = {ValueChoice("NONE", 0), ValueChoice("NTSC", 20052),
                                            ValueChoice("SRGB", 29522)};
constexpr CmSvOptionRecord kColorSwitch[] = {ValueChoice("NONE", 0), ValueChoice("AUTO", 1), ValueChoice("JOB", 2),
                                             ValueChoice("PAGE", 3)};
constexpr CmSvOptionRecord kGrayout[] = {
    ValueChoice("PRINTERDEFAULT", 0), ValueChoice("TEXTGRAPHIC", 1), ValueChoice("TEXT", 2),
    ValueChoice("OFF", 3),          ValueChoice("DEFAULT", 4),     ValueChoice("GRAPHIC", 5),
    ValueChoice("IMAGE", 6),        ValueChoice("TEXTIMAGE", 7),   ValueChoice("GRAPHICIMAGE", 8),
    ValueChoice("ALL", 9)};

template <size_t N>
constexpr uint32_t CountOf(const CmSvOptionRecord (&)[N]) {
    return N;
}

constexpr uint16_t kGrayoutCount = 0x86c;
constexpr uint16_t kGrayoutHandle = 0x870;
constexpr size_t kListIdOffset = 64;  // grayout and storage entries keep their id or type there

}  // namespace

const DeviceData* SpecRecord(UIDEVDATA* ctx) {
    return ctx && ctx->svc ? ctx->svc->LoadDeviceData(ctx) : nullptr;
}

int32_t SpecField(const DeviceData& data, SpecWidth width, uint16_t offset) {
    switch (width) {
    case SpecWidth::U16: return data.U16(offset);
    case SpecWidth::S16: return data.S16(offset);
    case SpecWidth::U32: return static_cast<int32_t>(data.U32(offset));
    }
    return 0;
}

CmSvSpecFlag::CmSvSpecFlag(const char* key, uint32_t itemId, uint16_t offset)
    : CmSvOnOff(key, itemId, kSvKindValueOnly, 0, 0),
      CmSvSdk_OnOff(kSdkItemKeyBase + itemId, 0, 0, 4, 0),
      offset(offset) {}

int CmSvSpecFlag::LoadValue(UIDEVDATA* ctx, const uint8_t*) {
    const DeviceData* data = SpecRecord(ctx);
    if (!data) return 0;
    current = data->U32(offset) != 0 ? 1 : 0;
    return 1;
}

int CmSvSpecFlag::GetCurrent(UIDEVDATA* ctx, uint32_t, void* data) {
    if (int answer = Guard(data)) return answer;
    const DeviceData* record = SpecRecord(ctx);
    *static_cast<uint32_t*>(data) = record ? record->U32(offset) : 0;
    return kSdkDone;
}

int CmSvSpecFlag::SetCurrent(UIDEVDATA*, uint32_t, void* data) { return ReadOnlySet(data); }

int CmSvSpecNumber::SetCurrent(UIDEVDATA*, uint32_t, void* data) { return ReadOnlySet(data); }

int CmSvSpecText::SetCurrent(UIDEVDATA*, uint32_t, void* data) { return ReadOnlySet(data); }

int CmSvSpecChoice::SetCurrent(UIDEVDATA*, uint32_t, void* data) { return ReadOnlySet(data); }

CmSvSpecNumber::CmSvSpecNumber(const char* key, uint32_t itemId, SpecWidth width, uint16_t offset, uint32_t valueWord)
    : CmSvNumeric(key, itemId, kSvKindValueOnly, 0, 0, 0x7fffffff),
      CmSvSdk_Numeric(kSdkItemKeyBase + itemId, valueWord, 0),
      width(width),
      offset(offset) {}

int CmSvSpecNumber::LoadValue(UIDEVDATA* ctx, const uint8_t*) {
    const DeviceData* data = SpecRecord(ctx);
    if (!data) return 0;
    current = SpecField(*data, width, offset);
    return 1;
}

CmSvSpecText::CmSvSpecText(const char* key, uint32_t itemId, uint16_t offset, uint32_t size)
    : CmSvString(key, itemId, kSvKindValueOnly, NewPoolText(size), size),
      CmSvSdk_String(kSdkItemKeyBase + itemId, size, 0),
      offset(offset) {}

CmSvSpecText::~CmSvSpecText() { FreePoolText(current); }

int CmSvSpecText::LoadValue(UIDEVDATA* ctx, const uint8_t*) {
    const DeviceData* data = SpecRecord(ctx);
    const char* text = data ? data->FieldText(offset) : nullptr;
    if (!text || !current || maxSize == 0) return 0;
    const size_t length = BoundedLength(text, devicedata::kRecordSize - offset);
    if (length < maxSize) {
        std::memcpy(current, text, length);
        current[length] = '\0';
        return 1;
    }
    // Too long for the item: keep what fits, terminated, and say the copy failed.
    std::memcpy(current, text, maxSize - 1);
    current[maxSize - 1] = '\0';
    return 0;
}

CmSvSpecChoice::CmSvSpecChoice(const char* key, uint32_t itemId, SpecWidth width, uint16_t offset, uint16_t guard,
                               const CmSvOptionRecord* rows, uint32_t rowCount, uint32_t valueWord)
    : CmSvMulti(key, itemId, kSvKindValueOnly, 0, 0u, rowCount, rows),
      CmSvSdk_Multi(kSdkItemKeyBase + itemId, valueWord, 0),
      width(width),
      offset(offset),
      guard(guard) {}

uint32_t CmSvSpecChoice::Match(int32_t field) const {
    for (uint32_t i = 0; i < count; ++i) {
        const int32_t value = Row(i)->value;
        if (width == SpecWidth::U32 ? value == field : static_cast<uint16_t>(value) == static_cast<uint16_t>(field))
            return i;
    }
    return count;
}

int CmSvSpecChoice::LoadValue(UIDEVDATA* ctx, const uint8_t*) {
    const DeviceData* data = SpecRecord(ctx);
    if (!data || (guard && data->U16(guard) == 0)) return 0;
    const uint32_t found = Match(SpecField(*data, width, offset));
    if (found >= count) return 0;
    current = found;
    return 1;
}

CmSvMulti_ExpStorage::CmSvMulti_ExpStorage()
    : CmSvSpecChoice("Spec$ExpStorage", 1088, SpecWidth::U16, 0, 0, kStorage, CountOf(kStorage), 2) {}

int CmSvMulti_ExpStorage::LoadValue(UIDEVDATA*, const uint8_t*) {
    current = 0;
    return 1;
}

int CmSvMulti_ExpStorage::Action(UIDEVDATA* ctx, int argumentCount, const char* const* arguments, PieValue*) {
    if (argumentCount != 1 || !arguments || !arguments[0]) return 0;
    uint16_t wanted = 0;
    if (std::strcmp(arguments[0], "CHECK_FLASH") == 0) wanted = 1;
    else if (std::strcmp(arguments[0], "CHECK_RAM") == 0) wanted = 2;
    else if (std::strcmp(arguments[0], "CHECK_HDD") == 0) wanted = 3;
    const DeviceData* data = SpecRecord(ctx);
    if (!wanted || !data) return 0;
    const DeviceList storage = data->ListAt(devicedata::kExpStorageHandle);
    for (uint32_t i = 0; i < storage.count; ++i) {
        uint16_t type = 0;
        if (storage.Entry(i).u16(kListIdOffset, type) && type == wanted) return 1;
    }
    return 0;
}

CmSvMulti_Grayout::CmSvMulti_Grayout()
    : CmSvSpecChoice("Spec$Grayout", 1218, SpecWidth::U16, 0, kGrayoutCount, kGrayout, CountOf(kGrayout), 2) {}

int CmSvMulti_Grayout::LoadValue(UIDEVDATA* ctx, const uint8_t*) {
    const DeviceData* data = SpecRecord(ctx);
    if (!data || data->U16(kGrayoutCount) == 0) return 0;
    uint16_t first = 0;
    if (!data->ListAt(kGrayoutHandle).Entry(0).u16(kListIdOffset, first)) return 0;
    for (uint32_t i = count; i-- > 0;)
        if (static_cast<uint16_t>(Row(i)->value) == first) {
            current = i;
            return 1;
        }
    return 0;
}

#define DEFINE_SPEC_FLAG(Name, Id, Offset) \
    CmSvOnOff_##Name::CmSvOnOff_##Name() : CmSvSpecFlag("Spec$" #Name, Id, Offset) {}
#define DEFINE_SPEC_NUMBER(Name, Id, Width, Offset, ValueWord) \
    CmSvNumeric_##Name::CmSvNumeric_##Name() : CmSvSpecNumber("Spec$" #Name, Id, SpecWidth::Width, Offset, ValueWord) {}
#define DEFINE_SPEC_TEXT(Name, Id, Offset, Size) \
    CmSvString_##Name::CmSvString_##Name() : CmSvSpecText("Spec$" #Name, Id, Offset, Size) {}
#define DEFINE_SPEC_CHOICE(Name, Id, Width, Offset, Guard, Rows, ValueWord)                                   \
    CmSvMulti_##Name::CmSvMulti_##Name()                                                                      \
        : CmSvSpecChoice("Spec$" #Name, Id, SpecWidth::Width, Offset, Guard, Rows, CountOf(Rows), ValueWord) {}
SPEC_FLAG_ITEMS(DEFINE_SPEC_FLAG)
SPEC_NUMBER_ITEMS(DEFINE_SPEC_NUMBER)
SPEC_TEXT_ITEMS(DEFINE_SPEC_TEXT)
SPEC_CHOICE_ITEMS(DEFINE_SPEC_CHOICE)
