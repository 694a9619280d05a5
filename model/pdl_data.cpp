// The model table object: a copy of the model's description and the printer's mail-box names.
#include "model/pdl_data.h"

#include "model/mail_box_names.h"
#include "model/model_catalogue.h"

#include "core/device/service_table.h"

namespace {

CmModule* MakeModelTables(UIDEVDATA* ctx) {
    if (!ctx || !ctx->svc || !ctx->svc->GetDeviceDataValue2) return nullptr;
    const auto model = static_cast<uint16_t>(ctx->svc->GetDeviceDataValue2(ctx));
    const char* printer = ctx->svc->GetPrinterName ? ctx->svc->GetPrinterName(ctx) : nullptr;
    return new PdlData(model, printer && *printer ? printer : nullptr);
}

}  // namespace

PdlData::PdlData(uint16_t model, const char* printerName) : model_(model) {
    described_ = DescribeModel(model, description_);
    if (printerName) LoadMailBoxNames(printerName);
}

bool PdlData::LoadMailBoxNames(const char* printerName) {
    if (!ReadMailBoxNames(printerName, description_.mailBoxes)) return false;
    description_.lastFlags |= ModelDescription::kLastFlagMailBoxNames;
    return true;
}

PdlData* SheetModelData(UIDEVDATA* ctx) {
    CmUserData* user = ctx && ctx->svc && ctx->svc->GetUserData ? ctx->svc->GetUserData(ctx) : nullptr;
    return user ? static_cast<PdlData*>(user->GetPdlData()) : nullptr;
}

void RegisterModelTables() { RegisterModuleFactory(kModulePdlData, MakeModelTables); }
