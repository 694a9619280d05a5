// The model adapter's handles, its model tests, the size queries and the model rules that run
// after every set request.
#include "settings/folx/non_sv_folx.h"

#include "core/devmode/model_section.h"
#include "model/pdl_data.h"
#include "settings/folx/folx_fields.h"
#include "settings/folx/folx_model_tables.h"
#include "settings/folx/folx_records.h"

NonSvFOLX::~NonSvFOLX() { Reset(nullptr); }

LONG NonSvFOLX::Attach(UIDEVDATA* ctx) {
    CmNonSvFOLX::Attach(ctx);
    if (!Attached()) return 0;
    if (!model_) model_ = new PdlData(host_.modelCode);
    host_.model = &model_->Description();
    return 0;
}

void NonSvFOLX::Reset(UIDEVDATA* ctx) {
    delete model_;
    model_ = nullptr;
    CmNonSvFOLX::Reset(ctx);
}

uint32_t NonSvFOLX::Feature(int which) const { return model_ ? model_->Description().features[which] : 0; }

bool NonSvFOLX::IsFinisherKind1() const {
    return model_ && model_->Description().finisherKind == 1 && host_.Device32(folxdata::kFinisherFlag) != 0;
}

bool NonSvFOLX::IsFinisherKind3() const {
    return model_ && model_->Description().finisherKind == 3 && host_.Device32(folxdata::kFinisherFlag) != 0;
}

bool NonSvFOLX::HasModelFeature() const {
    return model_ && model_->Description().mediaLibraryFlag != 0;
}

LONG NonSvFOLX::QueryHost(DWORD code, void* data) {
    if (!Attached()) return folx::kNotAttached;
    if (code == 0x488) return PutWord(data, folx::banner::kSize);
    if (code == 0x491 && Priv8(devmode::model::kListFlags) == 0) return PutWord(data, folx::kPageListSize);
    if (code == 0x821) return PutWord(data, 4);
    return CmNonSvFOLX::QueryHost(code, data);
}

LONG NonSvFOLX::GetValue1024(void* data) {
    // Without a record to fill nothing was answered: "done" would tell the tool it has one.
    if (!data) return folx::kNotAttached;
    CmNonSvFOLX::GetValue1024(data);
    return folx::kDone;
}

LONG NonSvFOLX::AfterSet() {
    if (!Attached()) return folx::kNotAttached;
    CmNonSvFOLX::AfterSet();
    namespace model = devmode::model;
    const uint16_t code = host_.modelCode;
    const uint16_t m = DeviceMode207();
    const uint32_t o190 = static_cast<uint32_t>(Opt(190));
    const int32_t o124 = Opt(124), o122 = Opt(122), o201 = Opt(201);
    uint32_t o110 = static_cast<uint32_t>(Opt(110));
    uint32_t o220 = static_cast<uint32_t>(Opt(220));
    const bool f = (o110 & 0x2) || Opt(112) != Opt(117);
    const uint8_t flags = Priv8(model::kComposeFlags);
    const folxmodel::Installed device{code, FinisherCode(), host_.Dop8(1), host_.Dop8(9)};

    if (o124 == 1) {
        SetOpt(123, 0);
    } else if (o124 == 2) {
        if (m == 2 || (flags & 0x2)) o110 &= ~0x08u;
        else o110 |= 0x08;
    } else if (f) {
        o110 |= 0x04;
        SetOpt(123, 0);
    }

    o110 &= ~(0x20u | 0x1000u);
    if (m != 2 && (o190 & 0x11)) {
        const bool model5or8 = code == 5 || code == 8;
        if (o190 & 0x1800) {
            o110 |= 0x1000;
        } else if (o190 & 0x2400) {
            if (model5or8) o110 |= 0x20;
        } else if (code == 0x7D7 || code == 0x7D8) {
            if (!(device.byte9 & 0x08)) {
                if (device.finisher == 8 || (flags & 0x1)) o110 |= 0x1000;
                else if (o190 & 0x1) o110 |= 0x20;
            }
        } else if (code == 0x3F5 || code == 0x400 || code == 0x7D9) {
            if (!(m != 1 && host_.Dop32(39) >= 0xFA0000u)) o110 |= (o190 & 0x10) ? 0x1000 : 0x20;
        } else if (code == 0xE || (code >= 0x7D1 && code <= 0x7D5) || code == 0x7FE) {
            o110 |= 0x20;
        } else if (code == 0x80B || code == 0x81B) {
            if (!(device.byte9 & 0x08) && (o190 & 0x1)) o110 |= 0x20;
        }
    }

    int32_t c = 1;
    switch (device.finisher) {
    case 2: case 3: c = 10; break;
    case 4: case 5: c = 20; break;
    case 6: c = 5; break;
    default: break;
    }
    if ((o190 & 0x1800) == 0x1800) SetOpt(144, c + 1 - Opt(196));
    else if (o190 & 0x2400) SetOpt(144, 1);
    else SetOpt(144, c);

    const auto follow = [&](uint32_t bit, bool on) { o110 = on ? (o110 | bit) : (o110 & ~bit); };
    if (code == 5 || code == 8) follow(0x80, (o190 & 0x08) != 0);
    if (code == 0xE || code == 0x7D5 || code == 0x7D7 || code == 0x7D8) follow(0x80, (o190 & 0x04) != 0);

    if (o124 != 2 && o122 != 0 && Priv16(model::kComposeGutterWord) == 1 && m == 1) {
        o110 &= ~0x40u;
        o110 |= 0x800;
    }
    if (o201 == 3) {
        o110 &= ~0x2000u;
        if (code == 0xBB9) SetPriv16(model::kComposeSourceWord, 2);
    }
    if (o124 == 5) {
        follow(0x400, (o190 & 0x08) && (o110 & 0x80));
    } else {
        o110 &= ~0x400u;
        if (o124 == 2 && m != 2 && (code == 0x7D1 || code == 0x7D2 || code == 0x7D4 || code == 0x7D7 || code == 0x7D8))
            o110 |= 0x20;
    }
    o220 |= 0x2000;
    SetOpt(220, static_cast<int32_t>(o220));
    SetOpt(110, static_cast<int32_t>(o110));

    if (o190 & 0x10) {
        if (Feature(static_cast<int>(CompositionFeature::Matching)))
            SetPriv32(model::kWord259, Priv32(model::kWord259) & ~0x1u);
        if (folxmodel::ClearsByte194(device, Priv8(model::kRuleClearedByte))) SetPriv8(model::kRuleClearedByte, 0);
    }
    return folx::kDone;
}
