// The summary's pieces: the separator, the heading, the five section bodies and their row order
// by model flag, and the dash lines of the clipboard copy (see view_settings.h).
#include "profiles/summary/view_settings.h"

#include "core/datafile/device_data.h"
#include "core/datafile/device_data_layout.h"
#include "core/device/service_table.h"
#include "core/devmode/devmode_layout.h"
#include "core/helpers/byte_view.h"
#include "core/memory/private_heap.h"
#include "model/model_catalogue.h"
#include "model/model_description.h"
#include "profiles/summary/summary_rows.h"

#include <cstring>
#include <new>

ViewSettings::ViewSettings(UIDEVDATA* ctx) : CmViewSettings(ctx), model_(new ModelDescription{}) {
    modelCode_ = ctx ? static_cast<uint16_t>(ctx->svc->GetDeviceDataValue2(ctx)) : 0;
    DescribeModel(modelCode_, *model_);
}

ViewSettings::~ViewSettings() = default;

uint16_t ViewSettings::Model() { return modelCode_; }
uint32_t ViewSettings::Flag(unsigned n) { return model_->SummaryFlag(n); }
bool ViewSettings::LeavesOutSection2() { return Flag(1) != 0; }

void ViewSettings::FreeText(char* text) { PrivateFree(text); }

char* ViewSettings::GetSectionText(int index) {
    Init();
    auto* text = static_cast<char*>(PrivateAlloc(summary::kTextSize));
    if (!text) return nullptr;
    std::memset(label_, 0, sizeof label_);
    std::memset(scratch_, 0, sizeof scratch_);
    switch (index) {
    case kSummarySeparator: {
        char line[80] = "\r\n";
        std::memset(line + 2, '=', 72);
        std::strcpy(line + 74, "\r\n");
        summary::Append(text, summary::kTextSize, line);
        break;
    }
    case kSummaryFooter: Footer(text); break;
    case kSummaryHeading: Heading(text); break;
    case 0: Section0Body(text); break;
    case 1: Section1Body(text); break;
    case 2: Section2Body(text); break;
    case 3: Section3Body(text); break;
    case 4:
        AddInRows(text);
        Section4Body(text);
        break;
    default: break;
    }
    return text;
}

int ViewSettings::DashLine(char* text) {
    if (!clipboardMode_) return 1;
    char line[80] = {};
    std::memset(line, '-', 73);
    summary::Append(text, summary::kTextSize, line, "\r\n");
    return 1;
}

void ViewSettings::Heading(char* text) {
    // The driver's name is a field of 32 bytes in the device mode: read no further than it.
    char driver[devmode::kDriverNameSize + 1] = {};
    ByteView(Devmode(), DevmodeSize()).bytes(devmode::kOffDriverName, driver, devmode::kDriverNameSize);
    Row(text, 8488, 0, driver);
    Row(text, 8489, 0, Ctx()->svc->GetPrinterName(Ctx()));
}

uint8_t ViewSettings::PrivateByte(size_t offset) {
    ByteView dm(Devmode(), DevmodeSize());
    uint16_t at = 0;
    uint8_t value = 0;
    if (dm.u16(devmode::kOffModelSection, at)) dm.u8(size_t{at} + offset, value);
    return value;
}

uint16_t ViewSettings::PrivateWord(size_t offset) {
    ByteView dm(Devmode(), DevmodeSize());
    uint16_t at = 0, value = 0;
    if (dm.u16(devmode::kOffModelSection, at)) dm.u16(size_t{at} + offset, value);
    return value;
}

namespace {

// The device-option block's data part, at the offset its header's word at byte 12 holds.
ByteView OptionData(UIDEVDATA* ctx) {
    const uint8_t* block = ctx->svc->GetDeviceOption(ctx);
    const DWORD size = ctx->svc->GetDeviceOptionSize(ctx);
    ByteView whole(block, block ? size : 0);
    uint16_t at = 0;
    if (!whole.u16(12, at) || at > whole.size()) return ByteView();
    return ByteView(block + at, whole.size() - at);
}

bool In(uint16_t model, std::initializer_list<uint16_t> models) {
    for (uint16_t m : models)
        if (m == model) return true;
    return false;
}

}  // namespace

uint8_t ViewSettings::OptionByte(size_t offset) {
    uint8_t value = 0;
    OptionData(Ctx()).u8(offset, value);
    return value;
}

uint16_t ViewSettings::OptionWord(size_t offset) {
    uint16_t value = 0;
    OptionData(Ctx()).u16(offset, value);
    return value;
}

void ViewSettings::Section0Body(char* text) {
    for (int slot : {4, 5, 6, 7, 8, 9, 10, 11, 12}) Slot(slot, text);
    if (Flag(1)) Slot(73, text);
    Slot(13, text);
    DashLine(text);
    for (int slot : {14, 15, 16, 17, 18}) Slot(slot, text);
    DashLine(text);
    JobRows(text);
}

void ViewSettings::Section1Body(char* text) {
    if (!In(Model(), {1024, 2009, 2032, 2033})) Slot(19, text);
    if (PrivateWord(kPrivateSampleWord) == 1) {
        Slot(68, text);
    } else {
        Slot(55, text);
        DashLine(text);
        for (int slot : {59, 60, 21}) Slot(slot, text);
        Slot(Flag(2) ? 62 : 23, text);
        if (Flag(3)) {
            for (int slot : {63, 22, 64}) Slot(slot, text);
        } else {
            Slot(22, text);
        }
        for (int slot : {114, 61, 56, 115}) Slot(slot, text);
    }
    PaperHandlingRows(text);
}

void ViewSettings::Section2Body(char* text) {
    const uint16_t m = Model();
    if (In(m, {7, 12, 15})) {
        Slot(24, text);
    } else if (In(m, {1013, 1020, 1024, 2009, 2032, 2033, 2041, 2046, 2059, 2070, 2075, 3001})) {
        Slot(24, text);
        Slot(74, text);
    } else {
        Slot(71, text);
        if (PrivateByte(kPrivateMediaByte) & 0x02) Slot(72, text);
        else if (!ShortSourceRows(text)) Slot(24, text);
    }
    Slot(116, text);
    if (Flag(4)) Slot(78, text);
    Slot(75, text);
    if (Flag(5)) Slot(80, text);
    Slot(79, text);
    Slot(136, text);
    if (Flag(6) && Option16(201) == 0) RowId(text, 8588, 0, (PrivateByte(kPrivateMediaByte) & 0x10) ? 4250 : 4251);
}

void ViewSettings::Section3Body(char* text) {
    DeviceData* data = Ctx()->svc->LoadDeviceData(Ctx());
    if (data && data->U32(devicedata::kColorState) != 0) {
        for (int slot : {89, 90}) Slot(slot, text);
        if (Flag(7)) Slot(87, text);
        for (int slot : {91, 92, 103}) Slot(slot, text);
        if (Flag(8)) Slot(100, text);
        if (Flag(9)) Slot(97, text);
        if ((Flag(10) & 0xFFFF) == 2) Slot(85, text);
        if (Flag(11)) Slot(84, text);
        if (Flag(12)) Slot(83, text);
        for (int slot : {93, 95, 96, 86}) Slot(slot, text);
        if (!Flag(9)) Slot(97, text);
        Slot(104, text);
    } else {
        for (int slot : {91, 99, 100, 101, 94, 95, 96}) Slot(slot, text);
        if (Flag(13)) Slot(93, text);
        Slot(97, text);
        if (Flag(14)) {
            Slot(98, text);
            Slot(102, text);
        }
    }
}

void ViewSettings::Setting124ModeRow(char* text) { CmViewSettings::Setting124ModeRow(text); }

int ViewSettings::ShortSourceRows(char* text) {
    if (Option16(201) != 3) return 0;
    char name[summary::kBufferSize];
    RowId(text, 4358, 0, 4362);
    PaperSourceName(static_cast<uint16_t>(Option16(205)), name, sizeof name);
    Row(text, 4367, 0, name);
    if (Flag(15)) {
        PaperSourceName(static_cast<uint16_t>(Option16(208)), name, sizeof name);
        Row(text, 8422, 0, name);
    }
    RowId(text, 8405, 0, (Option32(200) & 0x01) ? 4250 : 4251);
    return 1;
}

void ViewSettings::PaperHandlingRows(char* text) {
    if (OptionByte(988) & 0x01) {
        const uint8_t flags = PrivateByte(kPrivateFlagByteA);
        if (flags & 0x10) {
            RowId(text, 8504, 0, 8005);
            char name[summary::kBufferSize];
            if (flags & 0x80) {
                RowId(text, 8392, kSubRow, 8394);
                PaperSourceName(static_cast<uint16_t>(Option16(203)), name, sizeof name);
                Row(text, 8408, kSubRow, name);
            } else {
                RowId(text, 8392, kSubRow, 8393);
            }
            PaperSourceName(static_cast<uint16_t>(Option16(205)), name, sizeof name);
            Row(text, 4373, kSubRow, name);
        } else {
            RowId(text, 8504, 0, 8001);
        }
    }
}
