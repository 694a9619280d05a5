// Page size and output size.
#include "items/common/paper_size_items.h"

#include "core/datafile/device_data.h"
#include "core/device/service_table.h"
#include "core/device/table_cursor_papers.h"
#include "core/device/table_cursor_query.h"
#include "core/device/table_cursor_ref.h"
#include "data/resources/drvopui_ids.h"
#include "items/common/option_word.h"
#include "items/common/public_devmode.h"

#include <cstring>

namespace {

const int32_t kPageSizeCompanions[] = {IDC_PAGE_SIZE_LABEL, 0};
const int32_t kOutputSizeCompanions[] = {IDC_OUTPUT_SIZE_LABEL, 0};

// One paper as the options hold it.
struct PaperValues {
    uint16_t code = 0;
    uint16_t id = 0;
    uint16_t size[2] = {};  // width, length
    uint16_t area[4] = {};
    char formName[publicdm::kFormNameSize] = {};
};

// The selected paper of the cursor.
PaperValues ValuesOf(const TableCursorRef<PaperCursor>& cursor) {
    PaperCursor& papers = *cursor.operator->();
    PaperValues v;
    v.code = papers.GetWord(1);
    v.id = papers.GetWord(2);
    uint32_t size[2] = {};
    int32_t area[4] = {};
    papers.GetFormSize(size, area);
    for (int i = 0; i < 2; ++i) v.size[i] = static_cast<uint16_t>(size[i]);
    for (int i = 0; i < 4; ++i) v.area[i] = static_cast<uint16_t>(area[i]);
    papers.GetFormName(1, v.formName, sizeof v.formName);
    return v;
}

void WritePaper(UIDEVDATA* ctx, uint8_t* devmode, const PaperValues& v, uint32_t code, uint32_t id, uint32_t size,
                uint32_t area) {
    WriteOptionShort(ctx, devmode, code, v.code);
    WriteOptionShort(ctx, devmode, id, v.id);
    ctx->svc->SetOption(ctx, devmode, size, v.size, sizeof v.size);
    ctx->svc->SetOption(ctx, devmode, area, v.area, sizeof v.area);
}

// Copies one option to another of the same width.
void CopyOption(UIDEVDATA* ctx, uint8_t* devmode, uint32_t from, uint32_t to) {
    uint8_t value[8] = {};
    if (ctx->svc->GetOption(ctx, devmode, from, value, sizeof value))
        ctx->svc->SetOption(ctx, devmode, to, value, sizeof value);
}

bool CanReach(UIDEVDATA* ctx, const uint8_t* devmode) { return ctx && ctx->svc && devmode; }

}  // namespace

// --- page size -----------------------------------------------------------------------------

CmSvCB_PageSize::CmSvCB_PageSize()
    : CmSvComboBox("Layout$PageSize", kItemId, 0, 0, nullptr, IDC_PAGE_SIZE, kPageSizeCompanions, 1, 1, 15,
                   kNoImage, 0),
      CmSvSdk_Multi(kSdkItemKeyBase + kItemId, 2, 0) {}

int CmSvCB_PageSize::LoadValue(UIDEVDATA* ctx, const uint8_t* source) {
    const uint32_t index = FindValue(ReadOptionShort(ctx, source, kOptPaperCode));
    if (index >= count) return 0;
    current = index;
    return 1;
}

int CmSvCB_PageSize::StoreValue(UIDEVDATA* ctx, uint8_t* destination) {
    const CmSvOptionRecord* row = CurrentRow();
    if (!row || !CanReach(ctx, destination)) return 0;
    TableCursorRef<PaperCursor> papers(ctx, kTablePapers);
    if (!papers) return 0;
    if (!papers->Select(static_cast<uint16_t>(row->value))) {
        DeviceData* data = ctx->svc->LoadDeviceData(ctx);
        if (!data || !papers->Select(data->U16(devicedata::kDefaultPaper))) return 0;
    }
    const PaperValues v = ValuesOf(papers);
    WritePaper(ctx, destination, v, kOptPaperCode, kOptPaperId, kOptPaperSize, kOptPaperArea);
    uint32_t fields = publicdm::U32(destination, publicdm::kFields);
    fields = v.code == kCustomPaperCode ? (fields | DM_PAPERLENGTH | DM_PAPERWIDTH)
                                        : (fields & ~static_cast<uint32_t>(DM_PAPERLENGTH | DM_PAPERWIDTH));
    publicdm::PutU32(destination, publicdm::kFields, fields);
    if (!(ReadOptionWord(ctx, destination, kOptLayoutFlags) & (1u << kSeparateOutputBit)))
        WritePaper(ctx, destination, v, kOptOutputCode, kOptOutputId, kOptOutputSize, kOptOutputArea);
    publicdm::PutU16(destination, publicdm::kPaperSize, v.code);
    publicdm::PutU16(destination, publicdm::kPaperWidth, v.size[0]);
    publicdm::PutU16(destination, publicdm::kPaperLength, v.size[1]);
    publicdm::PutFormName(destination, v.formName);
    return 1;
}

// --- output size ---------------------------------------------------------------------------

CmSvCB_OutPutSize::CmSvCB_OutPutSize()
    : CmSvComboBox("Layout$OutPutSize", kItemId, 0, 0, nullptr, IDC_OUTPUT_SIZE, kOutputSizeCompanions, 1, 1, 15,
                   kNoImage, 0),
      CmSvSdk(0x1007e, 4, 0) {}

uint32_t CmSvCB_OutPutSize::SameAsPageSize() const {
    for (uint32_t i = 0; i < count; ++i)
        if (table[i].name && std::strcmp(table[i].name, "DRAFT") == 0) return i;
    return count;
}

int CmSvCB_OutPutSize::LoadValue(UIDEVDATA* ctx, const uint8_t* source) {
    if (!table || count == 0) return 0;
    if (!(ReadOptionWord(ctx, source, kOptLayoutFlags) & (1u << kSeparateOutputBit))) {
        current = 0;
        return 1;
    }
    const int32_t code = ReadOptionShort(ctx, source, kOptOutputCode);
    for (uint32_t i = 1; i < count; ++i) {
        if (table[i].value == code) {
            current = i;
            return 1;
        }
    }
    return 0;
}

int CmSvCB_OutPutSize::StoreValue(UIDEVDATA* ctx, uint8_t* destination) {
    const CmSvOptionRecord* row = CurrentRow();
    if (!row || !CanReach(ctx, destination)) return 0;
    const uint32_t flags = ReadOptionWord(ctx, destination, kOptLayoutFlags);
    if (row->value == 0) {
        WriteOptionWord(ctx, destination, kOptLayoutFlags, WithBit(flags, kSeparateOutputBit, false));
        CopyOption(ctx, destination, kOptPaperCode, kOptOutputCode);
        CopyOption(ctx, destination, kOptPaperId, kOptOutputId);
        CopyOption(ctx, destination, kOptPaperSize, kOptOutputSize);
        CopyOption(ctx, destination, kOptPaperArea, kOptOutputArea);
        return 1;
    }
    TableCursorRef<PaperCursor> papers(ctx, kTablePapers);
    if (!papers || !papers->Select(static_cast<uint16_t>(row->value))) return 0;
    // The flag follows the paper: a paper the table lacks leaves the output size as it was.
    WriteOptionWord(ctx, destination, kOptLayoutFlags, WithBit(flags, kSeparateOutputBit, true));
    WritePaper(ctx, destination, ValuesOf(papers), kOptOutputCode, kOptOutputId, kOptOutputSize, kOptOutputArea);
    return 1;
}

int CmSvCB_OutPutSize::GetCurrent(UIDEVDATA*, uint32_t, void* data) {
    if (int refused = Guard(data)) return refused;
    const CmSvOptionRecord* row = CurrentRow();
    if (!row) return kSdkNotSupported;
    *static_cast<int32_t*>(data) = current == SameAsPageSize() ? 0 : row->value;
    return kSdkDone;
}

int CmSvCB_OutPutSize::Select(uint32_t index) {
    if (index >= count) return kSdkNotSupported;
    if (table[index].enabled != 1) return kSdkRefused;
    current = index;
    return kSdkDone;
}

int CmSvCB_OutPutSize::SetCurrent(UIDEVDATA*, uint32_t, void* data) {
    if (int refused = SetGuard(data)) return refused;
    const int32_t value = *static_cast<const int32_t*>(data);
    return Select(value == 0 ? SameAsPageSize() : FindValue(value));
}

int CmSvCB_OutPutSize::Apply(UIDEVDATA*, uint32_t, void* data) {
    if (int refused = SetGuard(data ? data : this)) return refused;
    return Select(SameAsPageSize());
}
