// The model table object: a copy of the model's description and the printer's mail-box names.
#include "model/pdl_data.h"

#include "model/mail_box_names.h"
#include "model/model_catalogue.h"

PdlData::PdlData(uint16_t model, const char* printerName) : model_(model) {
    described_ = DescribeModel(model, description_);
    if (printerName) LoadMailBoxNames(printerName);
}

bool PdlData::LoadMailBoxNames(const char* printerName) {
    if (!ReadMailBoxNames(printerName, description_.mailBoxes)) return false;
    description_.lastFlags |= ModelDescription::kLastFlagMailBoxNames;
    return true;
}
