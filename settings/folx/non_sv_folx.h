// `NonSvFOLX`: the page-composition adapter for the device models of this driver. Over the common
// adapter it adjusts the derived setting bits after the host changed settings, answers the host
// codes whose values depend on the model, its finisher and the model section of the device mode,
// and describes the job-banner stamps.
#pragma once

#include "settings/folx/cm_non_sv_folx.h"

class PdlData;

class NonSvFOLX : public CmNonSvFOLX {
public:
    NonSvFOLX() = default;
    ~NonSvFOLX() override;

    LONG Attach(UIDEVDATA* ctx) override;
    void Reset(UIDEVDATA* ctx) override;
    LONG AfterSet() override;
    LONG QueryHost(DWORD code, void* data) override;
    LONG GetHostValue(DWORD code, void* data) override;
    LONG SetHostValue(DWORD code, void* data) override;
    LONG GetValue1024(void* data) override;

    // Tests on the model's description; false when the model is not described.
    bool IsFinisherKind1() const;
    bool IsFinisherKind3() const;
    bool HasModelFeature() const;

protected:
    // The model-section fields of the current settings, read as 0 and never written outside it.
    uint8_t Priv8(size_t offset) const { return host_.Priv8(offset); }
    uint16_t Priv16(size_t offset) const { return host_.Priv16(offset); }
    uint32_t Priv32(size_t offset) const { return host_.Priv32(offset); }
    void SetPriv8(size_t offset, uint8_t value) const { host_.Private().put_u8(offset, value); }
    void SetPriv16(size_t offset, uint16_t value) const { host_.Private().put_u16(offset, value); }
    void SetPriv32(size_t offset, uint32_t value) const { host_.Private().put_u32(offset, value); }
    uint8_t FinisherCode() const { return host_.Dop8(0); }
    bool TrayFlag() const { return (Priv8(347) & 0x2) != 0; }
    uint32_t Feature(int which) const;

    LONG BannerRecord(void* data);
    LONG MediaId(DWORD code, void* data);
    LONG PageListState(DWORD code, void* data);
    LONG SetPageListState(DWORD code, uint32_t value, const void* data);
    LONG SetCheck806(uint32_t value);

private:
    PdlData* model_ = nullptr;
};
