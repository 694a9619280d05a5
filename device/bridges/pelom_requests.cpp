// Requests through the maker's request library: its entry table, its open and close around one
// device operation of a client. The library is closed only when its open succeeded, and the
// caller's buffers are written only when the whole request succeeded.
#include "core/datafile/device_data.h"
#include "core/devmode/devmode_layout.h"
#include "core/devmode/model_section.h"
#include "core/device/service_table.h"
#include "core/memory/private_heap.h"
#include "core/system/helper_dll.h"
#include "device/bridges/library_bridges.h"
#include "device/config/device_messages.h"
#include "device/pelom_operations.h"

#include <cstring>

namespace {

constexpr int32_t kNoEntryPoints = -35;
constexpr int32_t kNotOpened = -36;

// The library, its entry table and its open printer, released in reverse.
class PelomSession {
public:
    ~PelomSession() {
        if (opened_)
            if (auto close = reinterpret_cast<PelomCloseProc>(table_->entries[kPelomClose])) close(name_);
        PrivateFree(table_);
        if (library_) HelperDll_Destroy(library_);
        if (client_) DevInfoClient_Destroy(client_);
    }

    // 0, or the failure's code.
    int32_t Open(const char* printerName) {
        if (DevInfoClient_Create(&client_) != 1) return kDevInfoNoMemory;
        if (!printerName || std::strlen(printerName) >= sizeof name_) return kDevInfoNameTooLong;
        std::strcpy(name_, printerName);
        if (!(library_ = HelperDll_Create())) return kDevInfoNoMemory;
        if (HelperDll_GetFolder(library_->folder, sizeof library_->folder, nullptr, kHelperFolderSystem) != kHelperDone)
            return kDevInfoNoSystemFolder;
        if (HelperDll_Load(library_, kPelomLibraryName) != kHelperDone) return kDevInfoNotLoadedSystem;
        auto get = reinterpret_cast<PelomGetEntryPointsProc>(
            reinterpret_cast<void (*)()>(GetProcAddress(library_->module, kPelomEntryPointsName)));
        if (!get) return -24;
        if (!(table_ = static_cast<PelomEntryTable*>(PrivateAlloc(sizeof(PelomEntryTable))))) return kDevInfoNoMemory;
        if (get(kPelomVersion, sizeof table_->entries, table_->entries) == 0) return kNoEntryPoints;
        auto open = reinterpret_cast<PelomOpenProc>(table_->entries[kPelomOpen]);
        if (!open || open(name_, name_) != 1) return kNotOpened;
        opened_ = true;
        table_->mode = 2;
        return 0;
    }
    int Run(void* record, int operation) { return DevInfoClient_GetHandler(client_, table_, record, operation); }

private:
    DevInfoClient* client_ = nullptr;
    HelperDll* library_ = nullptr;
    PelomEntryTable* table_ = nullptr;
    bool opened_ = false;
    char name_[256] = {};
};

// The user name field of the device mode's model section, read through its checked offset.
void DevmodeUserName(const DEVMODEA* devmode, char (&name)[pelom_request::kUserNameSize + 1]) {
    if (!devmode) return;
    ByteView head(devmode, devmode::kHeaderEnd);
    uint16_t size = 0, extra = 0;
    int16_t offset = 0;
    if (!head.u16(devmode::kOffSize, size) || !head.u16(devmode::kOffDriverExtra, extra) ||
        !head.s16(devmode::kOffModelSection, offset) || offset < 0)
        return;
    ByteView all(devmode, size_t{size} + extra);
    all.bytes(static_cast<size_t>(offset) + devmode::model::kUserName, name, pelom_request::kUserNameSize);
    name[pelom_request::kUserNameSize] = '\0';
}

uint32_t PdlCode(UIDEVDATA* ctx) {
    DeviceData* data = ctx->svc->LoadDeviceData(ctx);
    return data ? data->U32(devicedata::kPdlId) : 0;
}

// Runs operation 3 into `record` (zeroed, `size` bytes, at least the request record's); true
// when the operation and the library's result both succeeded.
bool Request(UIDEVDATA* ctx, const DEVMODEA* devmode, const char* userName, PelomRequestRecord* record) {
    using namespace pelom_request;
    const char* printer = ctx->svc->GetPrinterName(ctx);
    PelomSession session;
    if (session.Open(printer) != 0) return false;
    MutableByteView r(record->bytes, kSize);
    r.put_bytes(kPrinterName, printer, std::strlen(printer));
    r.put_u32(kSizeWord, 256);
    r.put_u32(kPdlCode, PdlCode(ctx));
    r.put_u32(kTen, 10);
    char user[kUserNameSize + 1] = {};
    if (userName) std::strncpy(user, userName, kUserNameSize - 1);
    else DevmodeUserName(devmode, user);
    user[kUserNameSize - 1] = '\0';
    r.put_bytes(kUserName, user, std::strlen(user));
    int32_t result = -1;
    return session.Run(record, kDevOpPelomRequest) == 0 && r.s32(kResult, result) && result >= 0;
}

}  // namespace

int CallPelomRequest(UIDEVDATA* ctx, const DEVMODEA* devmode, const char* userName, uint8_t* reply) {
    if (!ctx || !reply) return 0;
    auto* record = static_cast<PelomRequestRecord*>(PrivateAlloc(sizeof(PelomRequestRecord)));
    if (!record) return 0;
    const bool done = Request(ctx, devmode, userName, record);
    if (done) std::memcpy(reply, record->bytes + pelom_request::kData, pelom_request::kCallerReply);
    PrivateFree(record);
    return done ? 1 : 0;
}

int CallPelomRequestWithHeap(UIDEVDATA* ctx, const DEVMODEA* devmode, const char* userName, uint8_t* reply,
                             uint16_t* wordB, uint16_t* wordA) {
    if (!ctx || !reply) return 0;
    HANDLE heap = ctx->svc->GetHeap(ctx);
    // One byte more than the record, as the device object's callers have always allocated.
    auto* record =
        heap ? static_cast<PelomRequestRecord*>(HeapAlloc(heap, HEAP_ZERO_MEMORY, pelom_request::kSize + 1)) : nullptr;
    if (!record) return 0;
    const bool done = Request(ctx, devmode, userName, record);
    if (done) {
        ByteView r(record->bytes, pelom_request::kSize);
        std::memcpy(reply, record->bytes + pelom_request::kData, pelom_request::kCallerReply);
        if (wordB) r.u16(pelom_request::kReplyWordB, *wordB);
        if (wordA) r.u16(pelom_request::kReplyWordA, *wordA);
    }
    HeapFree(heap, 0, record);
    return done ? 1 : 0;
}

int CallPelomRequest2(UIDEVDATA* ctx, HWND owner, PelomBrowseRecord* record) {
    if (!ctx || !record) return 0;
    MutableByteView r(record->bytes, pelom_browse::kSize);
    char printer[256] = {};
    r.bytes(pelom_browse::kPrinterName, printer, sizeof printer - 1);
    int32_t result = 0;
    r.put_s32(pelom_browse::kResult, 0);  // a word left from an earlier request decides nothing
    {
        PelomSession session;
        // A bridge that could not reach the library fails as a refused request does.
        if (int32_t code = session.Open(printer)) r.put_s32(pelom_browse::kResult, code);
        else if (int code = session.Run(record, kDevOpBrowseList)) r.put_s32(pelom_browse::kResult, code);
    }
    r.s32(pelom_browse::kResult, result);
    if (result >= 0) return 1;
    ShowDeviceMessage(ctx, owner, kMsgImportFailed, true);
    return 0;
}
