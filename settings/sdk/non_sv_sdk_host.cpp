// How `NonSvSDK` hands its request's handles to the driver's own operations, its profile request
// and the carrying of the mail-box and secured-user settings into an applied profile.
#include "settings/sdk/non_sv_sdk.h"

#include "core/device/service_table.h"
#include "core/devmode/model_section.h"
#include "model/pdl_data.h"

#include <new>

NonSvSDK::~NonSvSDK() { Reset(); }

void NonSvSDK::Reset() {
    delete modelTable_;
    modelTable_ = nullptr;
    CmNonSvSDK::Reset();
}

NonSvHost NonSvSDK::Host() {
    if (!modelTable_) {
        const char* printerName = ctx && ctx->svc ? ctx->svc->GetPrinterName(ctx) : nullptr;
        modelTable_ = new PdlData(modelCode, printerName);
    }
    NonSvHost host;
    host.ctx = ctx;
    host.devmode = settings;
    host.deviceOption = deviceOption;
    host.device = deviceData;
    host.model = &modelTable_->Description();
    host.modelCode = modelCode;
    host.object = this;
    host.request = [](void* self, int kind, uint32_t code, void* data) {
        return static_cast<int>(static_cast<NonSvSDK*>(self)->Request(static_cast<DWORD>(kind), code, data));
    };
    host.codeState = [](void* self, uint32_t key) {
        return static_cast<int>(static_cast<NonSvSDK*>(self)->GetCodeState(key));
    };
    return host;
}

LONG NonSvSDK::Profile(DWORD kind, void* data) {
    LONG answer = CmNonSvSDK::Profile(kind, data);
    if (answer == kSdkAnswerDone && (kind == kSdkKindSet || kind == kSdkKindDefault)) Refresh(1);
    return answer;
}

LONG NonSvSDK::CheckProfileDevmode(uint8_t* profile, uint8_t* current) {
    NonSvHost from = Host();
    from.devmode = current;
    NonSvHost to = from;
    to.devmode = profile;
    MutableByteView source = from.Private();
    MutableByteView target = to.Private();
    namespace model = devmode::model;
    if (!source.contains(0, model::kFieldsEnd) || !target.contains(0, model::kFieldsEnd)) return 0;

    char name[34] = {};
    if (!ctx || !ctx->svc->GetOption(ctx, current, 262, name, sizeof name)) return 0;
    ctx->svc->SetOption(ctx, profile, 262, name, sizeof name);
    if (from.model->mailBoxSwitch) {
        target.put_bytes(model::kMailBoxArea, source.data() + model::kMailBoxArea, model::kMailBoxAreaSize);
        target.put_u16(model::kMailBoxState, from.Priv16(model::kMailBoxState));
    } else {
        uint8_t box = 0;
        ctx->svc->GetOption(ctx, current, 332, &box, 1);
        ctx->svc->SetOption(ctx, profile, 332, &box, 1);
    }
    to.SetOption32(100, from.Option32(100));
    // The secured user: name, PIN, the word and text after them, and the keep byte.
    target.put_bytes(model::kSecuredUserName, source.data() + model::kSecuredUserName,
                     model::kSecuredText + 33 - model::kSecuredUserName);
    target.put_u8(model::kKeepByte, from.Priv8(model::kKeepByte));
    return 1;
}
