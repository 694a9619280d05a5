// The common adapter's set requests: each host code changes the options behind it in the
// request's current device mode. A request that is refused (7) or fails (1) changes nothing:
// its conditions are tested before the first write.
#include "settings/folx/cm_non_sv_folx.h"

#include "core/device/service_table.h"
#include "core/device/table_cursor_papers.h"
#include "core/device/table_cursor_query.h"
#include "core/device/table_cursor_ref.h"
#include "core/devmode/devmode_layout.h"
#include "settings/folx/folx_fields.h"
#include "settings/folx/folx_records.h"
#include "settings/registry/conflict.h"

#include <cstddef>

namespace {

// Whether a control for the key may be used; with no item registry started, no item forbids.
bool ControlEnabled(UIDEVDATA* ctx, uint32_t key) {
    CmSvConflict* registry = RegistryOf(ctx);
    return !registry || registry->AnySdkControlEnabled(ctx, key) != 0;
}

}  // namespace

LONG CmNonSvFOLX::SetDuplex(uint32_t value) {
    const int32_t o124 = Opt(124), o201 = Opt(201);
    if (value == 2 && (!ControlEnabled(request, 0x1006B) || (o201 != 0 && o201 != 4))) return folx::kForbidden;
    if ((value == 1 || value == 2) &&
        (!ControlEnabled(request, 0x10068) || (o124 != 2 && (o201 == 3 || o201 == 4))))
        return folx::kForbidden;
    ChangeBits(110, 0, 0x9);
    if (o124 == 2) SetOpt(124, 0);
    if (value == 0) {
        SetField16(devmode::kOffDuplex, 1);
        if (o201 == 4) SetOpt(201, 0);
    } else if (value == 1 || value == 2) {
        const int32_t edge = Opt(121);
        if (edge == 0 || edge == 1) SetField16(devmode::kOffDuplex, 2);
        else if (edge == 2 || edge == 3) SetField16(devmode::kOffDuplex, 3);
        ChangeBits(110, 0x1, 0);
        if (value == 2) {
            TakeFromPrinterDefault(190);
            ChangeBits(190, 0x1, 0);
            SetOpt(124, 2);
            ChangeBits(110, 0x8, 0);
            ChangeBits(200, 0, 0x1);
        }
    }
    if (value != 2) ChangeBits(130, 0, 0x1);
    return folx::kDone;
}

namespace {

// Copies one option's bytes to another option of the same device mode.
void CopyOption(UIDEVDATA* ctx, uint8_t* devmode, DWORD from, DWORD to) {
    uint8_t value[8] = {};
    if (ctx->svc->GetOption(ctx, devmode, from, value, sizeof value))
        ctx->svc->SetOption(ctx, devmode, to, value, sizeof value);
}

// The source paper becomes the output paper again.
void OutputIsSource(UIDEVDATA* ctx, uint8_t* devmode) {
    CopyOption(ctx, devmode, 111, 116);
    CopyOption(ctx, devmode, 112, 117);
    CopyOption(ctx, devmode, 114, 119);
    CopyOption(ctx, devmode, 115, 120);
}

}  // namespace

bool CmNonSvFOLX::TakeHostValue(DWORD code, const void* data, uint32_t& value) {
    value = 0;
    if (!data) return false;
    // The copies and the resolution come as 16-bit values; the page list is read by its own
    // request; every other value is a 32-bit word.
    if (code == 0x801 || code == 0x80C) {
        value = ByteView(data, 2).u16_or_zero(0);
        return true;
    }
    if (code == 0x491) return true;
    return TakeWord(data, value);
}

LONG CmNonSvFOLX::SetHostValue(DWORD code, void* data) {
    if (!Attached()) return folx::kNotAttached;
    uint32_t value = 0;
    if (!TakeHostValue(code, data, value)) return folx::kNotAttached;
    const int16_t value16 = static_cast<int16_t>(value & 0xFFFF);
    const auto bitByValue = [&](DWORD option, uint32_t bit) {
        ChangeBits(option, value == 1 ? bit : 0, value == 1 ? 0 : bit);
        return folx::kDone;
    };
    switch (code) {
    case 0x13: return bitByValue(100, 0x2);
    case 0x14:
        if (value == 0) TakeFromPrinterDefault(190);
        return folx::kDone;
    case 0x19:
        if (value != 0) return folx::kNotSupported;
        SetOpt(140, 1);
        return folx::kDone;
    case 0x1B:
        if (value != 0xFFFFFFFFu) return folx::kNotSupported;
        SetOpt(222, 2);
        if (host_.Device16(folxdata::kColourSwitch) == 1) ChangeBits(220, 0x4000, 0);
        else ChangeBits(220, 0, 0x4000);
        return folx::kDone;
    case 0x406:
        if (value == 0) ChangeBits(110, 0, 0x4);
        if (value & 0x1) {
            ChangeBits(110, 0x2, 0);
        } else {
            ChangeBits(110, 0, 0x2);
            OutputIsSource(request, devmode);
        }
        if (value & 0x2) {
            if (Opt(124) == 0) SetOpt(124, 1);
        } else if (Opt(124) == 1) {
            SetOpt(124, 0);
        }
        return folx::kDone;
    case 0x420:
        if (value == 0) {
            ChangeBits(150, 0, 0x1);
            for (DWORD n = 141; n <= 143; ++n) ChangeBits(n, 0, 0x1000);
        }
        return folx::kDone;
    case 0x439: return bitByValue(220, 0x4);
    case 0x442:
    case 0x46B:
        if (value == 0) {
            SetField16(devmode::kOffDefaultSource, static_cast<int16_t>(host_.Device16(folxdata::kDefaultSource)));
            ChangeBits(200, 0, 0x2);
            for (DWORD n : {201, 202, 203, 204, 208, 205, 207, 206}) TakeFromPrinterDefault(n);
        }
        return folx::kDone;
    case 0x46E:
    case 0x477:
        if (value == 0) {
            SetOpt(201, 0);
            SetOpt(207, 0);
        }
        return folx::kDone;
    case 0x473: SetOpt(207, value16); return folx::kDone;
    case 0x801: SetField16(devmode::kOffCopies, value16); return folx::kDone;
    case 0x802: return SetDuplex(value);
    case 0x803:
        if (value == 1) ChangeBits(190, 0x10, 0);
        else TakeFromPrinterDefault(190);
        return folx::kDone;
    case 0x804: {
        static constexpr uint32_t kPlaces[][2] = {{0x101, 9},  {0x102, 10}, {0x104, 11}, {0x201, 12},
                                                   {0x204, 14}, {0x401, 15}, {0x402, 16}, {0x404, 17}};
        for (const auto& place : kPlaces)
            if (place[0] == value) SetOpt(191, static_cast<int32_t>(place[1]));
        return folx::kDone;
    }
    case 0x805: return bitByValue(130, 0x1);
    case 0x806: {
        if (value > 48) return folx::kNotSupported;
        if (value >= 7) {
            if (Opt(124) == 2 || (Opt(110) & 0x1) || Opt(201) != 0) return folx::kForbidden;
            SetOpt(124, 5);
            if (value == 0x10 || value == 0x20 || value == 0x30) SetOpt(128, static_cast<int32_t>(value / 0x10 - 1));
        } else if (value == 0) {
            if (Opt(124) != 1) SetOpt(124, 0);
        } else {
            const int32_t pages = static_cast<int32_t>(value) - 1;
            SetOpt(124, 3);
            SetOpt(126, pages);
            // Two pages a sheet keep their order among 0..1 upright and 2..3 turned; more pages
            // use 4..7.
            const bool upright = Field16(devmode::kOffOrientation) == 1;
            const int32_t low = pages == 0 ? (upright ? 0 : 2) : 4, high = pages == 0 ? low + 1 : 7;
            const int32_t order = Opt(127);
            if (order < low || order > high) {
                int32_t moved = low;
                if (pages == 0 && order >= 0 && order <= 3) moved = low + (order & 1);
                SetOpt(127, moved);
            }
        }
        if (Opt(124) == 5 && (Opt(190) & 0x10)) ChangeBits(190, 0x1, 0x10);
        return folx::kDone;
    }
    case 0x807: {
        const bool upright = Field16(devmode::kOffOrientation) == 1;
        static constexpr int32_t kOrders[] = {-1, -1, 4, 6, 5, 7};
        if (value > 5) return folx::kDone;
        int32_t order = kOrders[value];
        if (value == 0) order = upright ? 0 : 2;
        if (value == 1) order = upright ? 1 : 3;
        SetOpt(127, order);
        return folx::kDone;
    }
    case 0x808:
        if (value == 1) {
            SetOpt(124, 2);
            ChangeBits(110, 0x8, 0);
        } else if (Opt(124) == 2) {
            ChangeBits(110, 0, 0x8);
        }
        return folx::kDone;
    case 0x80B:
        if (value > 1) return folx::kNotSupported;
        SetOpt(227, static_cast<int32_t>(value));
        return folx::kDone;
    case 0x80C: SetOpt(224, value16); return folx::kDone;
    case 0x80D: return bitByValue(200, 0x1);
    case 0x813: {
        if (value >= 1 && value <= 5) {
            SetOpt(102, 1 << value);
            if (value == 5) ChangeBits(100, 0x3, 0);
        } else if (value == 6) {
            SetOpt(102, 5);
        } else {
            const bool had = Opt(102) & 0x20;
            SetOpt(102, 1);
            if (had) ChangeBits(100, 0x400, 0);
        }
        return folx::kDone;
    }
    case 0x816: {
        if (Opt(226) == 1 && Opt(224) == 1200) return folx::kForbidden;
        if (value == 0) {
            ChangeBits(110, 0, 0x2);
            OutputIsSource(request, devmode);
            return folx::kDone;
        }
        TableCursorRef<PaperCursor> papers(request, kTablePapers);
        if (!papers) return folx::kNotSupported;
        uint32_t size[2] = {};
        int32_t area[4] = {};
        if (!papers->Select(static_cast<uint16_t>(value)) || !papers->GetFormSize(size, area))
            return folx::kNotSupported;
        ChangeBits(110, 0x2, 0);
        SetOpt(117, papers->GetWord(1));
        SetOpt(116, papers->GetWord(2));
        SetOpt(119, static_cast<int32_t>((size[0] & 0xFFFF) | (size[1] << 16)));
        int16_t rect[4];
        for (size_t i = 0; i < 4; ++i) rect[i] = static_cast<int16_t>(area[i]);
        request->svc->SetOption(request, devmode, 120, rect, sizeof rect);
        return folx::kDone;
    }
    case 0x817:
        if (value == 0) {
            ChangeBits(100, 0, 0x300);
        } else if (value == 1) {
            const LONG scale = GetScale();
            if (scale < 0) return folx::kNotAttached;
            ChangeBits(100, 0x100, 0x200);
            ChangeBits(150, 0, 0x1);
            if (Opt(124) == 1) SetOpt(124, 0);
            SetOpt(125, scale);
        } else if (value == 2) {
            ChangeBits(100, 0x200, 0x100);
        } else {
            return folx::kNotSupported;
        }
        return folx::kDone;
    case 0x81F: {
        static constexpr int32_t kModes[8] = {3, 6, 5, 8, 2, 7, 1, 9};
        SetOpt(231, kModes[value & 7]);
        return folx::kDone;
    }
    case 0x820: {
        uint8_t block[130] = {};
        OptBytes(250, block, sizeof block);
        if (value <= 1) {
            block[6] = block[38] = block[70] = static_cast<uint8_t>(value);
            SetField32(devmode::kOffIcmMethod, 1);
        } else if (value <= 4) {
            SetField32(devmode::kOffIcmMethod, 6 - value);
        }
        request->svc->SetOption(request, devmode, 250, block, sizeof block);
        return folx::kDone;
    }
    default: return folx::kNotSupported;
    }
}
