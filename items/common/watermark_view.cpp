// The empty watermark object that stands in while a sheet has none.
#include "items/common/watermark_view.h"

#include "core/device/service_table.h"

namespace {

class NoWaterMark final : public CmWaterMark {
public:
    uint32_t Count() const override { return 0; }
    uint16_t Id(uint32_t) const override { return 0; }
    const char* Name(uint32_t) const override { return ""; }
    const char* Text(uint32_t) const override { return ""; }
    CmWaterMarkFont Font(uint32_t) const override { return {}; }
    uint32_t Colour(uint32_t) const override { return 0; }
    uint32_t Flags(uint32_t) const override { return 0; }
    uint16_t Angle(uint32_t) const override { return 0; }
    void Position(uint32_t, uint16_t out[2]) const override { out[0] = out[1] = 0; }
};

}  // namespace

const CmWaterMark& WaterMarkOf(UIDEVDATA* ctx) {
    static const NoWaterMark none;
    CmUserData* user = ctx && ctx->svc ? ctx->svc->GetUserData(ctx) : nullptr;
    const auto* mark = user ? dynamic_cast<const CmWaterMark*>(user->GetWaterMark()) : nullptr;
    return mark ? *mark : none;
}

CmWaterMark* EditableWaterMarkOf(UIDEVDATA* ctx) {
    CmUserData* user = ctx && ctx->svc ? ctx->svc->GetUserData(ctx) : nullptr;
    return user ? dynamic_cast<CmWaterMark*>(user->GetWaterMark()) : nullptr;
}
