// `PdlData`: the model table object of one sheet or dialog. It holds its own copy of the model's
// description, because the previews and the configuration write into it (the current tray, the
// mail-box names, the names-present flag), and one sheet must not see another's writes. A sheet
// reaches its own through the user data's module of the model tables.
#pragma once

#include "core/device/user_data.h"
#include "model/model_description.h"

#include <cstdint>

class PdlData : public CmModule {
public:
    // The description of the model; an unknown model gets all zeros. With a printer name, the
    // mail-box names the printer has stored are read in as well.
    explicit PdlData(uint16_t model, const char* printerName = nullptr);

    uint16_t ModelCode() const { return model_; }
    // True when the model is in the model table.
    bool Described() const { return described_; }

    ModelDescription& Description() { return description_; }
    const ModelDescription& Description() const { return description_; }

    // Rereads the printer's stored mail-box names into the copy and sets the names-present bit
    // of the last flag word when any were found. Answers whether any were found.
    bool LoadMailBoxNames(const char* printerName);

private:
    uint16_t model_;
    bool described_;
    ModelDescription description_;
};

// The sheet's model tables; null when the request made none.
PdlData* SheetModelData(UIDEVDATA* ctx);
// Makes the user data's model-table module for each request, from the request's model number
// and printer. Called once as the library loads.
void RegisterModelTables();
