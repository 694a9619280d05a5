// The objective builders and the one-step write of their block. A builder starts from the
// quality flags with the objective's bits reset (AND 0xFFF9A662, OR 0x640) and from the current
// colour block; what it decides goes into the 204-byte settings block, which the write applies in
// a fixed order: the quality-flag word last, so that a reader of the flags sees a finished set.
#include "features/objective.h"

#include "core/datafile/device_data.h"
#include "core/datafile/device_data_layout.h"
#include "core/device/service_table.h"
#include "core/devmode/devmode_layout.h"
#include "core/devmode/model_section.h"
#include "core/helpers/byte_view.h"
#include "features/colour_block.h"

#include <cstring>

namespace {

constexpr DWORD kOptFlags = 220, kOptImage = 221, kOptColour = 222, kOpt226 = 226, kOpt227 = 227, kOpt229 = 229,
                kOpt230 = 230;
constexpr uint32_t kMask = 0x2C3FDD;
constexpr uint32_t kKeep = 0xFFF9A662, kStart = 0x640;
constexpr uint32_t kDraftBit = 0x800, kFineBit = 0x1000;
// Bits of the block's flag word, copied into the private flag word.
constexpr uint32_t kMonoBit = 0x1, kColourBit = 0x20, kHighBit = 0x8000;
constexpr uint32_t kMatchingBits = 0x04 | 0x08 | 0x10;

// The settings block, 204 bytes; positions as the builders and the write know them.
namespace block {
constexpr size_t kColourOn = 0, kFlags = 4, kMaskWord = 8, kDmColor = 18, k226 = 20, k227 = 22, kMonoOne = 24,
                 k229 = 26, k230 = 28, kColourBlock = 32, kByte168 = 168, kBytes184 = 184, kWord188 = 188,
                 kWord192 = 192, kQuality = 196, kPrivateFlags = 200, kSize = 204;
static_assert(kColourBlock + colourblock::kSize <= kByte168);
}  // namespace block

// What the builders test of a model; models without a row test nothing.
struct ModelFlags {
    bool graphics;       // objective 1 keeps the draft bit clear
    bool zero226;        // objective 2 turns the mode switch off
    bool fineDraft;      // objective 3 clears the fine bit and marks the block
    bool qualityBytes;   // the monochrome quality byte follows the objective
    bool monoFlag;       // the private flag's bit 0 follows the block
    bool channelsThree;  // objective 6 sets the groups' methods to 3, else 0
    bool colourBytes;    // the colour quality bytes and the private flag's bit 0x20 are written
};
ModelFlags FlagsOf(uint16_t model) {
    if (model == 2059) return {false, true, true, true, true, true, false};
    if (model == 2075 || IsObjectiveGroupE(model)) return {false, false, false, false, false, false, true};
    if (model == 1024 || model == 1020) return {true, false, true, true, true, false, false};
    return {};
}

MutableByteView ModelSection(uint8_t* devmode) {
    if (!devmode) return {};
    ByteView head(devmode, devmode::kHeaderEnd);
    uint16_t size = 0, extra = 0;
    int16_t offset = 0;
    head.u16(devmode::kOffSize, size);
    head.u16(devmode::kOffDriverExtra, extra);
    const size_t total = size_t{size} + extra;
    if (total < devmode::kHeaderEnd || !head.s16(devmode::kOffModelSection, offset) || offset < 0 ||
        static_cast<size_t>(offset) >= total)
        return {};
    return MutableByteView(devmode + offset, total - static_cast<size_t>(offset));
}

uint32_t WithBits(uint32_t word, uint32_t bits, bool on) { return on ? word | bits : word & ~bits; }

// The options a builder and the write work through.
class Settings {
public:
    explicit Settings(UIDEVDATA* ctx)
        : ctx_(ctx), devmode_(ctx && ctx->svc && ctx->svc->GetUserData(ctx)
                                  ? ctx->svc->GetUserData(ctx)->GetSettingsSource()
                                  : nullptr) {}
    bool Usable() const { return devmode_ != nullptr; }
    template <typename T>
    T Get(DWORD option) const {
        T value{};
        ctx_->svc->GetOption(ctx_, devmode_, option, &value, sizeof value);
        return value;
    }
    template <typename T>
    void Set(DWORD option, T value) {
        ctx_->svc->SetOption(ctx_, devmode_, option, &value, sizeof value);
    }
    void GetBlock(colourblock::Block out) const {
        std::memset(out, 0, colourblock::kSize);
        ctx_->svc->GetOption(ctx_, devmode_, colourblock::kOption, out, colourblock::kSize);
    }
    void SetBlock(const colourblock::Block in) {
        ctx_->svc->SetOption(ctx_, devmode_, colourblock::kOption, in, colourblock::kSize);
    }
    int16_t DmColor() const {
        int16_t value = 0;
        ByteView(devmode_, devmode::kPublicSize).s16(devmode::kOffColor, value);
        return value;
    }
    void SetDmColor(int16_t value) { MutableByteView(devmode_, devmode::kPublicSize).put_s16(devmode::kOffColor, value); }
    MutableByteView Private() const { return ModelSection(devmode_); }

private:
    UIDEVDATA* ctx_;
    uint8_t* devmode_;
};

using Block = uint8_t[block::kSize];

uint32_t U32(const Block b, size_t at) {
    uint32_t v = 0;
    ByteView(b, block::kSize).u32(at, v);
    return v;
}
uint16_t U16(const Block b, size_t at) {
    uint16_t v = 0;
    ByteView(b, block::kSize).u16(at, v);
    return v;
}

// Objectives 1 to 7 on a device without colour.
bool BuildMonochrome(const Settings& s, const ModelFlags& model, uint32_t o, Block out) {
    if (o < 1 || o > 7) return false;
    MutableByteView b(out, block::kSize);
    uint32_t flags = (s.Get<uint32_t>(kOptFlags) & kKeep) | kStart;
    uint32_t blockFlags = 0;
    uint16_t mode226 = s.Get<uint16_t>(kOpt226), value229 = s.Get<uint16_t>(kOpt229);
    uint8_t* colours = out + block::kColourBlock;
    s.GetBlock(colours);
    colourblock::ResetToDefaults(colours);
    for (size_t g = 0; g < colourblock::kGroupCount; ++g)
        colourblock::SetProfileName(colours, g, colourblock::kDefaultProfileName);
    uint8_t quality = 11;
    if (model.qualityBytes) quality = o == 1 || o == 3 ? 12 : o == 4 ? 15 : o == 6 ? 14 : 11;
    bool decided = false;
    switch (o) {
    case 1:
        flags = WithBits(flags, kDraftBit, !model.graphics);
        decided = true;
        break;
    case 2:
        if (model.zero226) mode226 = 0;
        break;
    case 3:
        if (model.fineDraft) {
            flags &= ~kFineBit;
            blockFlags |= kMonoBit;
            decided = true;
        }
        break;
    case 5:
        value229 = 2;
        flags |= kDraftBit;
        break;
    case 6:
        flags |= kDraftBit;
        for (size_t start : colourblock::kGroupStarts) colours[start + colourblock::kMethod] = model.channelsThree ? 3 : 0;
        break;
    default: break;
    }
    if (model.graphics && !decided) {
        if (mode226 == 1) flags |= kFineBit;
        else blockFlags |= kMonoBit;
    }
    b.put_u32(block::kFlags, flags);
    b.put_u16(block::k226, mode226);
    b.put_u16(block::k227, 0);
    b.put_u16(block::kMonoOne, 1);
    b.put_u16(block::k229, value229);
    b.put_u16(block::k230, 0);
    b.put_u8(block::kQuality, quality);
    b.put_u32(block::kPrivateFlags, blockFlags);
    return true;
}

// Objectives 1 to 7 on a colour device: the groups start from their defaults with the
// device's monochrome mark kept, and each objective chooses its matching and quality bits.
bool BuildColour(const Settings& s, const ModelFlags& model, uint16_t modelNumber, uint32_t o, Block out) {
    if (o < 1 || o > 7) return false;
    MutableByteView b(out, block::kSize);
    uint32_t flags = (s.Get<uint32_t>(kOptFlags) & kKeep) | kStart;
    uint32_t blockFlags = 0;
    uint16_t value229 = s.Get<uint16_t>(kOpt229);
    uint8_t* colours = out + block::kColourBlock;
    s.GetBlock(colours);
    const uint8_t monochromeMark = colours[101];
    colourblock::ResetToDefaults(colours);
    colours[101] = monochromeMark;
    switch (o) {
    case 1:
        flags = WithBits(flags, kDraftBit, !IsObjectiveGroupE(modelNumber));
        break;
    case 2:
        for (size_t start : colourblock::kGroupStarts) colours[start + colourblock::kMethod] = 1;
        break;
    case 3: flags |= kFineBit; break;
    case 4:
        for (size_t start : colourblock::kGroupStarts) colours[start + colourblock::kMethod] = 0;
        break;
    case 5: value229 = 2; break;
    case 6:
        flags |= kDraftBit;
        blockFlags |= kColourBit;
        break;
    case 7: blockFlags |= kHighBit; break;
    default: break;
    }
    b.put_u32(block::kFlags, flags);
    b.put_s16(block::kDmColor, DMCOLOR_COLOR);
    b.put_u16(block::k227, s.Get<uint16_t>(kOpt227));
    b.put_u16(block::k229, value229);
    b.put_u32(block::kWord188, 1);
    b.put_u32(block::kWord192, 2);
    if (model.colourBytes) {
        b.put_u8(block::kQuality + 1, static_cast<uint8_t>(o));
        b.put_u8(block::kQuality + 2, 0);
    }
    b.put_u32(block::kPrivateFlags, blockFlags);
    return true;
}

void ApplySettings(Settings& s, const ModelFlags& model, bool colour, const Block in) {
    ByteView b(in, block::kSize);
    const uint32_t old220 = s.Get<uint32_t>(kOptFlags);
    const uint32_t mask = U32(in, block::kMaskWord);
    const uint32_t new220 = (old220 & ~mask) | (U32(in, block::kFlags) & mask);
    const uint32_t blockFlags = U32(in, block::kPrivateFlags);
    MutableByteView priv = s.Private();
    uint32_t privateFlags = priv.u32_or_zero(devmode::model::kPrivateFlagWord);
    if (!colour) {
        s.Set<uint16_t>(kOpt226, U16(in, block::k226));
        priv.put_u8(devmode::model::kObjectiveQuality, in[block::kQuality]);
        s.Set<uint16_t>(kOpt230, U16(in, block::k230));
        if (model.monoFlag) privateFlags = WithBits(privateFlags, kMonoBit, blockFlags & kMonoBit);
    } else {
        s.SetDmColor(static_cast<int16_t>(U16(in, block::kDmColor)));
        priv.put_u8(devmode::model::kObjectiveBytes, in[block::kByte168]);
        for (size_t i = 0; i < 3; ++i) priv.put_u8(devmode::model::kObjectiveBytes + 1 + i, in[block::kBytes184 + i]);
        priv.put_u32(devmode::model::kObjectiveWords, U32(in, block::kWord188));
        priv.put_u32(devmode::model::kObjectiveWords + 4, U32(in, block::kWord192));
        if (model.colourBytes) {
            priv.put_u8(devmode::model::kObjectiveQuality + 1, in[block::kQuality + 1]);
            priv.put_u8(devmode::model::kObjectiveQuality + 2, in[block::kQuality + 2]);
            privateFlags = WithBits(privateFlags, kColourBit, blockFlags & kColourBit);
        }
    }
    s.Set<uint16_t>(kOpt227, U16(in, block::k227));
    s.Set<uint16_t>(kOpt229, U16(in, block::k229));
    s.SetBlock(in + block::kColourBlock);
    privateFlags = WithBits(privateFlags, kHighBit, blockFlags & kHighBit);
    priv.put_u32(devmode::model::kPrivateFlagWord, privateFlags);
    s.Set<uint32_t>(kOptFlags, new220);
}

}  // namespace

CmObjective::CmObjective(UIDEVDATA* owner) : owner_(owner) {
    const DeviceData* data = owner && owner->svc ? owner->svc->LoadDeviceData(owner) : nullptr;
    colour_ = data && data->U32(devicedata::kColorState) != 0;
    model_ = owner && owner->svc ? static_cast<uint16_t>(owner->svc->GetDeviceDataValue2(owner)) : 0;
    table_ = ObjectiveTableFor(model_, colour_, &rows_);
}

BOOL CmObjective::Contains(uint32_t objective) const {
    for (size_t row = 0; row < rows_; ++row)
        if (table_[row].value == objective) return TRUE;
    return FALSE;
}

BOOL CmObjective::Apply(uint32_t) { return FALSE; }
BOOL CmObjective::AdjustQualityFlags(uint32_t) { return FALSE; }

BOOL CmObjective::Select(uint32_t objective) {
    if (!(objective & 0x80) && Contains(objective)) return Apply(objective);
    return AdjustQualityFlags(objective);
}

BOOL Objective::Apply(uint32_t objective) {
    Settings s(owner_);
    if (!s.Usable()) return FALSE;
    Block out = {};
    MutableByteView b(out, block::kSize);
    b.put_u32(block::kColourOn, s.Get<uint16_t>(kOptColour) != 0 ? 1 : 0);
    b.put_u32(block::kMaskWord, kMask);
    const ModelFlags model = FlagsOf(model_);
    const bool built = colour_ ? BuildColour(s, model, model_, objective, out) : BuildMonochrome(s, model, objective, out);
    if (!built) return FALSE;
    ApplySettings(s, model, colour_, out);
    return TRUE;
}

BOOL Objective::AdjustQualityFlags(uint32_t objective) {
    Settings s(owner_);
    if (!s.Usable()) return FALSE;
    const uint32_t o = objective & ~0x80u;
    uint32_t flags = s.Get<uint32_t>(kOptFlags);
    colourblock::Block colours = {};
    s.GetBlock(colours);
    MutableByteView priv = s.Private();
    uint32_t privateFlags = priv.u32_or_zero(devmode::model::kPrivateFlagWord) & ~kColourBit;
    if (o == 1 && IsObjectiveGroupE(model_)) flags &= ~kDraftBit;
    if (s.DmColor() == DMCOLOR_COLOR) flags &= ~kMatchingBits;
    if (o >= 1 && o <= 7) {
        flags = WithBits(flags, kFineBit, o == 3);
        flags = WithBits(flags, kDraftBit, o == 5 || o == 6);
        if (colour_ && o == 6) privateFlags |= kColourBit;
        if (!colour_ && o == 3) privateFlags |= kMonoBit;
        s.Set<uint32_t>(kOptFlags, flags);
    } else if (model_ == 2059 || model_ == 2075) {
        s.Set<uint16_t>(kOptImage, model_ == 2059 ? 0x81 : 0x87);
    }
    priv.put_u32(devmode::model::kPrivateFlagWord, privateFlags);
    s.SetBlock(colours);
    return TRUE;
}

CmModule* MakeObjective(UIDEVDATA* ctx) {
    try {
        return new Objective(ctx);
    } catch (...) {
        return nullptr;
    }
}
