// The page-composition lock, the job operation and the spooling choice.
#include "items/common/job_items.h"

#include "core/helpers/drawing.h"
#include "core/memory/pool_text.h"
#include "core/device/service_table.h"
#include "core/device/user_data.h"
#include "data/resources/drvopui_ids.h"
#include "items/common/choice_select.h"
#include "items/common/option_word.h"
#include "settings/items/sv_item.h"

namespace {

// The sheet's device-option block and one value of it.
uint8_t* OptionBlock(UIDEVDATA* ctx) {
    CmUserData* user = ctx && ctx->svc ? ctx->svc->GetUserData(ctx) : nullptr;
    return user ? user->GetDeviceOptionSource() : nullptr;
}

template <typename T>
T ReadDeviceValue(UIDEVDATA* ctx, uint32_t id) {
    T value = 0;
    if (uint8_t* block = OptionBlock(ctx)) ctx->svc->GetDeviceOptionValue(ctx, block, id, &value, sizeof value);
    return value;
}

template <typename T>
void WriteDeviceValue(UIDEVDATA* ctx, uint32_t id, T value) {
    if (uint8_t* block = OptionBlock(ctx)) ctx->svc->SetDeviceOptionValue(ctx, block, id, &value, sizeof value);
}

void Repaint(HWND dialog, int id) {
    if (HWND control = GetDlgItem(dialog, id)) {
        InvalidateRect(control, nullptr, FALSE);
        UpdateWindow(control);
    }
}

const int32_t kJobCompanions[] = {IDC_JOB_OPERATION_LABEL, 0};
const uint32_t kJobKeys[] = {0x1007b, 0x10002, 0};
constexpr uint32_t kKeyProof = 0x1007b, kKeyJob = 0x10002;

// Job operations the option interface names 0 to 5 (4 has no operation).
int32_t JobCodeOf(int32_t value) {
    switch (value) {
    case 1: return 0;
    case 32: return 1;
    case 8: return 2;
    case 4: return 3;
    case 16: return 5;
    default: return -1;
    }
}

const int32_t kSpoolCompanions[] = {IDC_SPOOL_LABEL, 0};
constexpr CmSvOptionRecord Spool(const char* name, int32_t value, int32_t textId) {
    return CmSvOptionRecord{name, nullptr, value, textId, 0, 1, 1, 0, 0, nullptr, 1, value, 1};
}
const CmSvOptionRecord kSpoolRows[] = {Spool("AUTO", 0, 4165), Spool("HOST", 1, 4166), Spool("DISABLE", 2, 4167)};

}  // namespace

// --- lock ----------------------------------------------------------------------------------

CmSvPB_FolionixLock::CmSvPB_FolionixLock() : CmSvPushButton("FolionixLock", kItemId, IDC_LOCK, nullptr, 1, 1) {}

int CmSvPB_FolionixLock::LoadValue(UIDEVDATA* ctx, const uint8_t*) {
    current = (ReadDeviceValue<uint32_t>(ctx, kDevOptLockWord) >> kLockBit) & 1;
    return 1;
}

int CmSvPB_FolionixLock::StoreValue(UIDEVDATA* ctx, uint8_t*) {
    const uint32_t word = ReadDeviceValue<uint32_t>(ctx, kDevOptLockWord);
    WriteDeviceValue(ctx, kDevOptLockWord, WithBit(word, kLockBit, current == 1));
    return 1;
}

int CmSvPB_FolionixLock::FromDialog(UIDEVDATA* ctx, HWND dialog, int32_t) {
    const uint32_t word = ReadDeviceValue<uint32_t>(ctx, kDevOptLockWord);
    const bool locked = (word >> kLockBit) & 1;
    current = locked ? 0 : 1;
    WriteDeviceValue(ctx, kDevOptLockWord, WithBit(word, kLockBit, !locked));
    Repaint(dialog, controlId);
    return 1;
}

int CmSvPB_FolionixLock::DrawItem(UIDEVDATA* ctx, HWND, int32_t, DRAWITEMSTRUCT* draw) {
    if (!draw || draw->CtlType != ODT_BUTTON || draw->CtlID != static_cast<UINT>(IDC_LOCK)) return 0;
    const bool locked = (ReadDeviceValue<uint32_t>(ctx, kDevOptLockWord) >> kLockBit) & 1;
    const bool focused = draw->itemState & ODS_FOCUS, pressed = draw->itemState & ODS_SELECTED;
    UINT picture = locked ? 4455 : 4453;
    if (focused) picture = pressed ? 4454 : (locked ? 4457 : 4456);
    DrawMaskedBitmap(ctx, draw->hDC, draw->rcItem.left, draw->rcItem.top, picture, picture + 5, COLOR_BTNFACE);
    return 1;
}

// --- job operation -------------------------------------------------------------------------

CmSvCB_JobOperation::CmSvCB_JobOperation()
    : CmSvComboBox("JobOperation", kItemId, 0, 0, nullptr, IDC_JOB_OPERATION, kJobCompanions, 1, 1, 20, kBitmapImage,
                   2),
      CmSvSdk(kJobKeys, 4, 0) {}

int CmSvCB_JobOperation::LoadValue(UIDEVDATA* ctx, const uint8_t* source) {
    return LoadRowFromShort(ctx, *this, source, kOptJobOperation);
}

int CmSvCB_JobOperation::StoreValue(UIDEVDATA* ctx, uint8_t* destination) {
    return StoreRowAsShort(ctx, *this, destination, kOptJobOperation);
}

int CmSvCB_JobOperation::ToDialog(UIDEVDATA* ctx, HWND dialog, int onlyChanged) {
    window = dialog;
    return CmSvComboBox::ToDialog(ctx, dialog, onlyChanged);
}

int CmSvCB_JobOperation::FromDialog(UIDEVDATA* ctx, HWND dialog, int32_t id) {
    if (CmSvComboBox::FromDialog(ctx, dialog, id) != 1) return 0;
    const int32_t value = CurrentRow() ? CurrentRow()->value : 0;
    if (value == 4 || value == 16) {
        if (char* text = NewPoolText(64)) {
            if (ctx && ctx->svc) ctx->svc->LoadString(ctx, value == 16 ? 4443 : 4444, text, 64);
            if (HWND details = GetDlgItem(dialog, IDC_JOB_OPERATION_DETAILS)) SetWindowTextA(details, text);
            FreePoolText(text);
        }
        Repaint(dialog, IDC_JOB_OPERATION_DETAILS);
    } else if (value == 32) {
        Repaint(dialog, IDC_LOCK);
    }
    return 1;
}

int CmSvCB_JobOperation::GetCurrent(UIDEVDATA*, uint32_t key, void* data) {
    if (int refused = Guard(data)) return refused;
    const CmSvOptionRecord* row = CurrentRow();
    if (!row) return kSdkNotSupported;
    int32_t answer = 0;
    if (key == kKeyProof) {
        answer = row->value == 2 ? 1 : 0;
    } else if (key == kKeyJob) {
        answer = JobCodeOf(row->value);
        if (answer < 0) return kSdkNotSupported;
    } else {
        return kSdkNotSupported;
    }
    *static_cast<int32_t*>(data) = answer;
    return kSdkDone;
}

int CmSvCB_JobOperation::SetCurrent(UIDEVDATA*, uint32_t key, void* data) {
    if (int refused = SetGuard(data)) return refused;
    if (key != kKeyJob) return kSdkNotSupported;
    int32_t value = 0;
    switch (*static_cast<const int32_t*>(data)) {
    case 0: value = 1; break;
    case 1: value = 32; break;
    case 2: value = 8; break;
    default: return kSdkNotSupported;
    }
    const uint32_t index = FindValue(value);
    if (index >= count) return kSdkNotSupported;
    if (table[index].enabled != 1) return kSdkRefused;
    current = index;
    return kSdkDone;
}

int CmSvCB_JobOperation::Apply(UIDEVDATA*, uint32_t key, void* data) {
    if (int refused = SetGuard(data ? data : this)) return refused;
    if (key != kKeyJob) return kSdkNotSupported;
    const uint32_t index = FindValue(1);
    if (index >= count) return kSdkNotSupported;
    if (table[index].shown != 1) return kSdkRefused;
    current = index;
    return kSdkDone;
}

// --- spooling ------------------------------------------------------------------------------

CmSvCB_SpoolSetting::CmSvCB_SpoolSetting()
    : CmSvComboBox("Device$SpoolSetting", kItemId, 0, 3, kSpoolRows, IDC_SPOOL, kSpoolCompanions, 1, 1, 15, kNoImage,
                   0),
      CmSvSdk_Multi(0x100dc, 4, 0) {}

int CmSvCB_SpoolSetting::LoadValue(UIDEVDATA* ctx, const uint8_t*) {
    const uint32_t index = FindValue(ReadDeviceValue<uint16_t>(ctx, kDevOptSpooling));
    if (index >= count) return 0;
    current = index;
    return 1;
}

int CmSvCB_SpoolSetting::StoreValue(UIDEVDATA* ctx, uint8_t*) { return WriteChoice(ctx); }

int CmSvCB_SpoolSetting::WriteChoice(UIDEVDATA* ctx) {
    const CmSvOptionRecord* row = CurrentRow();
    if (!row) return 0;
    saved = ReadDeviceValue<uint16_t>(ctx, kDevOptSpooling);
    WriteDeviceValue(ctx, kDevOptSpooling, static_cast<uint16_t>(row->value));
    return 1;
}

int CmSvCB_SpoolSetting::Commit(UIDEVDATA* ctx) {
    // The whole block goes to the printer, with any other change the sheet made to it so far.
    WriteChoice(ctx);
    uint8_t* block = OptionBlock(ctx);
    if (block && ctx->svc->WriteDeviceOption(ctx, block)) return kSdkDone;
    // The printer keeps the old value, and so does the sheet: a refused change is not half made.
    WriteDeviceValue(ctx, kDevOptSpooling, saved);
    SetReference(ctx, 0);
    if (Load(ctx, SheetSettings(ctx)) == 1) needsRedisplay = 1;
    return kSdkRefused;
}

int CmSvCB_SpoolSetting::SetCurrent(UIDEVDATA* ctx, uint32_t key, void* data) {
    if (int answer = CmSvSdk_Multi::SetCurrent(ctx, key, data)) return answer;
    return Commit(ctx);
}

int CmSvCB_SpoolSetting::Apply(UIDEVDATA* ctx, uint32_t, void* data) {
    if (int refused = SetGuard(data ? data : this)) return refused;
    for (uint32_t i = 0; i < count; ++i) {
        if (table[i].option_value != 0) continue;
        current = i;
        return Commit(ctx);
    }
    return kSdkNotSupported;
}
