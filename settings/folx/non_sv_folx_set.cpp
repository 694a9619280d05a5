// The model adapter's set requests: the page-list state and its numbers, the media ids of the
// trays, the booklet and stapling refusals, and the output word of the model section. Refusals
// are tested before anything is written.
#include "settings/folx/non_sv_folx.h"

#include "core/devmode/model_section.h"
#include "model/pdl_data.h"
#include "settings/folx/folx_fields.h"
#include "settings/folx/folx_records.h"

#include <cstdlib>

LONG NonSvFOLX::SetHostValue(DWORD code, void* data) {
    if (!Attached()) return folx::kNotAttached;
    namespace model = devmode::model;
    uint32_t value = 0;
    if (!TakeHostValue(code, data, value)) return folx::kNotAttached;
    switch (code) {
    case 0x48E: case 0x48F: case 0x490: case 0x491:
        if (Priv8(model::kListFlags) != 0) return CmNonSvFOLX::SetHostValue(code, data);
        return SetPageListState(code, value, data);
    case 0x489: {
        const uint8_t flags = Priv8(model::kFlagByteA);
        if (value == 1) SetPriv8(model::kFlagByteA, flags | 0x20);
        else if (value == 2) SetPriv8(model::kFlagByteA, flags & ~0x20);
        else return folx::kNotSupported;
        return folx::kDone;
    }
    case 0x46E:
    case 0x477: {
        const LONG answer = CmNonSvFOLX::SetHostValue(code, data);
        if (value != 0) return answer;
        for (size_t word : {351, 353, 355, 359, 361}) SetPriv16(word, 2);
        for (size_t word : {803, 805, 807, 809}) SetPriv16(word, 0);
        return folx::kDone;
    }
    case 0x473: {
        const LONG answer = CmNonSvFOLX::SetHostValue(code, data);
        if (!(TrayFlag() || IsFinisherKind3())) return answer;
        const ByteView in(data, 4);
        SetPriv16(363, in.u8_or_zero(0));
        SetPriv16(809, HasModelFeature() ? in.u16_or_zero(2) : 0);
        return folx::kDone;
    }
    case 0x1B:
        if (value != 0xFFFFFFFFu) return folx::kNotSupported;
        if (!Feature(static_cast<int>(CompositionFeature::Set1B))) SetOpt(222, 2);
        ChangeBits(220, host_.Device16(folxdata::kColourSwitch) == 1 ? 0x4000 : 0,
                   host_.Device16(folxdata::kColourSwitch) == 1 ? 0 : 0x4000);
        return folx::kDone;
    case 0x802: return SetDuplex(value);
    case 0x803:
        if (value == 1) ChangeBits(190, 0x10, 0x30B);
        else TakeFromPrinterDefault(190);
        return folx::kDone;
    case 0x806: return SetCheck806(value);
    case 0x81B: {
        const LONG answer = CmNonSvFOLX::SetHostValue(code, data);
        if (static_cast<int16_t>(Priv16(model::kOutputWord)) != 1) return answer;
        SetPriv16(model::kOutputWord, static_cast<uint16_t>(value & 0xFFFF));
        SetPriv32(model::kMixedPaperLayoutA, 0);
        SetPriv32(model::kMixedPaperLayoutB, 0);
        if (!(Opt(190) & 0x1)) SetOpt(190, 1);
        if (Opt(191) != 1) SetOpt(191, 9);
        SetOpt(122, 0);
        SetOpt(121, 0);
        return folx::kDone;
    }
    case 0x823:
        if (value == 1 || value == 0) SetPriv8(model::kSwitchByte, static_cast<uint8_t>(value));
        return folx::kDone;
    default: return CmNonSvFOLX::SetHostValue(code, data);
    }
}

LONG NonSvFOLX::SetCheck806(uint32_t value) {
    namespace model = devmode::model;
    if (value == 0) return CmNonSvFOLX::SetHostValue(0x806, &value);
    const uint16_t state = Priv16(model::kPageTableState);
    const int32_t selection = Opt(201);
    const bool tray22 = selection == 0 && Priv16(361) == 22 && TrayFlag();
    if (value >= 1 && value <= 6) {
        if (Feature(static_cast<int>(CompositionFeature::Host806)) == 1 && tray22 &&
            (!HasModelFeature() || Priv16(809) == 0))
            return folx::kForbidden;
        if (state != 0 && state != 0x20 &&
            (((state & 0x1) && Priv8(375)) || ((state & 0x2) && Priv8(376)) || ((state & 0x4) && Priv8(385)) ||
             (state & 0x18)))
            return folx::kForbidden;
    } else if (value == 0x10 || value == 0x20 || value == 0x30) {
        if (selection == 5 || (state & 0x3) || tray22) return folx::kForbidden;
    }
    if (static_cast<int16_t>(Priv16(model::kOutputWord)) == 1) return folx::kForbidden;
    return CmNonSvFOLX::SetHostValue(0x806, &value);
}

LONG NonSvFOLX::SetPageListState(DWORD code, uint32_t value, const void* data) {
    namespace model = devmode::model;
    uint16_t state = Priv16(model::kPageTableState);
    const auto setState = [&](uint16_t bit, bool on, size_t byte, int valueByte) {
        state = on ? static_cast<uint16_t>(state | bit) : static_cast<uint16_t>(state & ~bit);
        if (valueByte >= 0) SetPriv8(byte, static_cast<uint8_t>(valueByte));
    };
    switch (code) {
    case 0x48E:
        if (value == 0x100 || value == 0x200 || value == 0x300) setState(0x1, true, 375, static_cast<int>(value >> 8));
        else if (value == 0x400) setState(0x1, true, 375, 0);
        else setState(0x1, false, 375, 0);
        break;
    case 0x48F:
        if (value == 0x1100 || value == 0x1200 || value == 0x1300) setState(0x2, true, 376, static_cast<int>((value >> 8) & 0xF));
        else if (value == 0x1400) setState(0x2, true, 376, 0);
        else if (value == 0) setState(0x2, false, 376, 0);
        else setState(0x2, false, 376, -1);
        break;
    case 0x490:
        if (value >= 1 && value <= 3) setState(0x4, true, 385, static_cast<int>(value));
        else if (value == 4) setState(0x4, true, 385, 0);
        else if (value == 0x11) setState(0x8, true, 386, 1);
        else if (value == 0x21) setState(0x10, true, 387, 1);
        else if (value == 0) {
            setState(0x4, false, 385, 0);
            setState(0x8, false, 386, 0);
            setState(0x10, false, 387, 0);
        }
        if (value == 0 || !((value >= 1 && value <= 4) || value == 0x11 || value == 0x21)) SetOpt(201, 0);
        break;
    default: {
        unsigned shift = 0;
        size_t countByte = 0;
        if (state & 0x4) shift = 10, countByte = model::kListBCount;
        else if (state & 0x8) shift = 20, countByte = model::kThirdCount;
        else if (state & 0x10) shift = 0, countByte = model::kListACount;
        else return folx::kDone;
        // The caller's list ends at its first 0; no more than the page list holds is ever read.
        int16_t numbers[folx::kPageListNumbers] = {};
        size_t count = 0;
        while (count < folx::kPageListNumbers) {
            int16_t number = 0;
            ByteView(static_cast<const uint8_t*>(data) + 2 * count, 2).s16(0, number);
            if (number == 0) break;
            numbers[count++] = number;
        }
        const uint32_t field = 0x3FFu << shift;
        for (size_t i = 0; i < folx::kPageListNumbers; ++i) {
            uint32_t word = Priv32(model::kPageTable + 4 * i) & ~field;
            if (i < count) word |= (static_cast<uint32_t>(std::abs(numbers[i])) & 0x3FF) << shift;
            SetPriv32(model::kPageTable + 4 * i, word);
        }
        SetPriv8(countByte, static_cast<uint8_t>(count));
        return folx::kDone;
    }
    }
    SetPriv16(model::kPageTableState, state);
    return folx::kDone;
}
