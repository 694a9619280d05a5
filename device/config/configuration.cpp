// Construction of the configuration (the model's mail-box bins, media table and brand media)
// and its one public query: consent, the wait cursor, the path by model number, one message.
#include "device/config/configuration.h"

#include "core/datafile/device_data.h"
#include "core/device/service_table.h"
#include "core/devmode/device_option_block.h"
#include "core/helpers/ipv4_text.h"
#include "device/config/device_messages.h"
#include "device/config/model_sets.h"
#include "device/devinfo_library.h"
#include "model/media_table.h"
#include "model/pdl_data.h"

#include <cstring>
#include <initializer_list>

namespace {

using devconfig::In;
using devconfig::Range;

constexpr uint32_t kPseudoKindBrandMedia = 4;
constexpr DWORD kPseudoItemAddress = 11;
constexpr DWORD kPseudoItemBrandMedia = 1;

}  // namespace

Configuration::Path Configuration::PathFor(uint16_t m, bool pseudo) {
    if (pseudo) return kPathModelTables;
    if (In(m, {1, 7, 12, 15})) return kPathNetwork;
    if (In(m, {1023, 1025}) || Range(m, 1027, 1030) || Range(m, 2010, 2012) || Range(m, 2014, 2017) ||
        Range(m, 2019, 2021) || Range(m, 2024, 2048) || Range(m, 2053, 2086))
        return kPathConfiguration;
    return kPathDirect;
}

Configuration::Configuration(UIDEVDATA* ctx) : ctx_(ctx) {
    const UiServiceTable* s = ctx_->svc;
    printer_ = s->GetPrinterHandle(ctx_);
    const uint16_t code = static_cast<uint16_t>(s->GetDeviceDataValue2(ctx_));
    model_ = new PdlData(code);
    const ModelDescription& d = model_->Description();
    lastFlags_ = d.lastFlags;
    // The bins the data file numbers, no more than the object keeps or the model describes.
    uint32_t n = MailBoxCount();
    bins_.assign(n, MailBoxRecord{});
    for (uint32_t i = 0; i < n; ++i) {
        std::memcpy(bins_[i].name, d.mailBoxes[i].name, sizeof bins_[i].name);
        bins_[i].name[sizeof bins_[i].name - 1] = 0;
        bins_[i].attribute = d.mailBoxes[i].attribute;
    }
    if (In(code, {2065, 2066, 2069, 2071, 2073, 2076, 2077, 2080, 2083, 2084})) {
        BuildModelMediaTable();
        if (s->PseudoPrinterGetField8(ctx_, printer_) == kPseudoKindBrandMedia) {
            ReadPseudoBrandMedia();
        } else {
            DeviceData* data = s->LoadDeviceData(ctx_);
            ReadBrandMedia(data ? data->U32(devicedata::kPdlId) : 0, s->GetPrinterName(ctx_), brand_);
        }
    }
}

Configuration::~Configuration() { delete model_; }

uint32_t Configuration::MailBoxCount() const {
    DeviceData* data = ctx_->svc->LoadDeviceData(ctx_);
    if (!data) return 0;
    int64_t n = int64_t{data->U32(devicedata::kMailBoxNumMax)} - int64_t{data->U32(devicedata::kMailBoxNumMin)} + 1;
    if (n < 0) n = 0;
    if (n > kConfigMailBoxLimit) n = kConfigMailBoxLimit;
    return static_cast<uint32_t>(n);
}

void Configuration::BuildModelMediaTable() {
    DeviceData* data = ctx_->svc->LoadDeviceData(ctx_);
    if (!data || data->U32(devicedata::kMediaNameFlag) != 1) return;
    const uint16_t model = model_->ModelCode();
    const MediaRecord* table = MediaTable_ForModel(model);
    modelMedia_.assign(table, table + kMediaTableEntries);
    DeviceList names = data->ListAt(devicedata::kMediaHandle);
    for (uint32_t i = 0; i < names.count; ++i) {
        ByteView entry = names.Entry(i);
        uint16_t id = 0;
        if (entry.size() < 2 || !entry.u16(entry.size() - 2, id)) break;
        int index = MediaTable_IndexOf(id, model);
        if (index < 0) continue;
        char* name = modelMedia_[static_cast<size_t>(index)].name;
        std::memset(name, 0, sizeof modelMedia_[0].name);
        entry.bytes(0, name, std::min<size_t>(entry.size() - 2, sizeof modelMedia_[0].name - 1));
        name[sizeof modelMedia_[0].name - 1] = 0;
    }
}

void Configuration::ReadPseudoBrandMedia() {
    const UiServiceTable* s = ctx_->svc;
    brand_ = BrandMediaList{};
    std::string key = BrandMediaKey(0, s->GetPrinterName(ctx_));
    if (key.empty()) return;
    DWORD count = s->GetPrinterDwordKey(ctx_, printer_, HKEY_CURRENT_USER, key.c_str(), "MediaCount", 0xFFFFFFFF, 10);
    DWORD charCode =
        s->GetPrinterDwordKey(ctx_, printer_, HKEY_CURRENT_USER, key.c_str(), "MediaCharCode", 0xFFFFFFFF, 11);
    if (count == 0xFFFFFFFF || charCode == 0xFFFFFFFF) return;
    brand_.count = count;
    brand_.charCode = charCode;
    // The pseudo printer's store is outside input as the registry is: bounded before allocation.
    if (count > kBrandMediaLimit) return;
    std::vector<MediaRecord> records(count);
    if (count && !s->PseudoPrinterGetData(ctx_, printer_, kPseudoItemBrandMedia, records.data(),
                                          static_cast<DWORD>(count * sizeof(MediaRecord))))
        return;
    for (MediaRecord& r : records) r.name[sizeof r.name - 1] = 0;
    brand_.records = std::move(records);
    brand_.present = true;
}

bool Configuration::PseudoAddress(char* folder, size_t folderSize, uint8_t (&address)[4]) const {
    const UiServiceTable* s = ctx_->svc;
    const char* driverFolder = s->GetDriverDirectory(ctx_);
    char text[260] = {};
    if (!driverFolder || std::strlen(driverFolder) >= folderSize ||
        !s->PseudoPrinterGetData(ctx_, printer_, kPseudoItemAddress, text, sizeof text - 1) ||
        !IsIpv4Text(text, address, sizeof address))
        return false;
    std::strcpy(folder, driverFolder);
    return true;
}

MutableByteView Configuration::DeviceOptionData() const {
    uint8_t* block = ctx_->svc->GetDeviceOption(ctx_);
    uint8_t* data = block ? devopt::blockData(block) : nullptr;
    if (!data) return {};
    size_t offset = static_cast<size_t>(data - block);
    uint32_t size = devopt::blockSize(block);
    return size > offset ? MutableByteView(data, size - offset) : MutableByteView();
}

OptionWriterInput Configuration::WriterInput() const {
    OptionWriterInput in;
    DeviceData* data = ctx_->svc->LoadDeviceData(ctx_);
    const ModelDescription& d = model_->Description();
    const uint16_t m = model_->ModelCode();
    in.codes = {m, data ? data->U32(devicedata::kLanguageId) : 0, d.paperSet};
    in.defaults = {m, data ? data->U32(devicedata::kPdlId) : 0,
                   data ? data->U16(devicedata::kDefaultPaper) : uint16_t{0},
                   ctx_->svc->PseudoPrinterGetField8(ctx_, printer_) == kPseudoKindBrandMedia};
    in.brandMedia = d.brandMediaFlag != 0;
    in.reservedMemory = data ? data->U32(devicedata::kReservedMemory) : 0;
    return in;
}

void Configuration::TakeMailBoxNames(const uint8_t* entries, size_t bytes, uint32_t count) {
    ByteView view(entries, entries ? bytes : 0);
    ModelDescription& d = model_->Description();
    bool any = false;
    for (uint32_t i = 0; i < count; ++i) {
        size_t at = size_t{i} * 76;
        uint32_t index = 0;
        if (!view.contains(at, 76) || !view.u32(at + 4, index)) break;
        // An index the device gives beyond the bins this printer has names no bin.
        if (index >= bins_.size()) continue;
        char name[kMailBoxNameField] = {};
        view.bytes(at + 8, name, 66);
        std::memcpy(bins_[index].name, name, sizeof name);
        std::memcpy(d.mailBoxes[index].name, name, sizeof name);
        any = any || name[0];
    }
    if (any) lastFlags_ |= ModelDescription::kLastFlagMailBoxNames;
    else lastFlags_ &= ~ModelDescription::kLastFlagMailBoxNames;
    d.lastFlags = lastFlags_;
}

void Configuration::RefreshPaperTable() const { ctx_->svc->RefreshTable(ctx_, 2); }

int Configuration::IsOptionAllowed(uint16_t group, uint16_t mediaId, uint16_t paperSize) const {
    const uint16_t m = model_->ModelCode();
    if (group == 0) {
        if (modelMedia_.empty()) return 0;
        return ::IsOptionAllowed(modelMedia_.data(), modelMedia_.size(), m, 0, mediaId, paperSize);
    }
    if (!brand_.present) return 0;
    return ::IsOptionAllowed(brand_.records.data(), brand_.records.size(), m, group, mediaId, paperSize);
}

int Configuration::QueryDevice(HWND owner, bool interactive) {
    show_ = interactive;
    if (interactive && owner) MessageBeep(MB_ICONASTERISK);
    if (interactive && ShowDeviceMessage(ctx_, owner, kMsgQueryQuestion, true) == IDNO) return 0;
    HCURSOR previous = nullptr;
    bool cursor = interactive && owner;
    if (cursor) previous = SetCursor(LoadCursorA(nullptr, IDC_WAIT));
    DevInfoClient* client = nullptr;
    int result = 0;
    if (DevInfoClient_Create(&client)) {
        const UiServiceTable* s = ctx_->svc;
        const uint16_t model = static_cast<uint16_t>(s->GetDeviceDataValue2(ctx_));
        switch (PathFor(model, s->IsPseudoPrinter(ctx_, s->GetPrinterHandle(ctx_)))) {
        case kPathModelTables: result = QueryByModelTables(owner, client, model); break;
        case kPathNetwork: result = QueryNetworkPrinter(owner, client) ? 1 : 0; break;
        case kPathConfiguration: result = QueryByConfiguration(owner, client, model) ? 1 : 0; break;
        case kPathDirect: result = BuildDeviceOptionTables(owner, client, model) ? 1 : 0; break;
        }
        DevInfoClient_FreeLibrary(client);
        DevInfoClient_Destroy(client);
    } else {
        DevInfoStatus status{-11, 0, 0};
        MapDeviceInfoError(ctx_, owner, &status, show_);
    }
    if (cursor) SetCursor(previous);
    return result;
}
