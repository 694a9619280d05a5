// The direct device query of the models without a configuration table: the device record
// (operation 1) over the library's direct table, the device's name checked, the mail-box names
// and the device fonts, the engine version and the per-source lists, then the device's answers
// written. Everything is written into a copy of the device-option data, which replaces the
// printer's only when the whole query succeeded: a failure at any step writes nothing.
#include "core/datafile/device_data.h"
#include "core/device/service_table.h"
#include "core/devmode/device_option_block.h"
#include "core/memory/private_heap.h"
#include "core/system/helper_dll.h"
#include "device/config/configuration.h"
#include "device/config/device_config_block.h"
#include "device/config/device_messages.h"
#include "device/config/model_sets.h"
#include "device/config/source_slots.h"
#include "device/device_info_record.h"
#include "device/device_operations.h"
#include "device/devinfo_information.h"
#include "model/pdl_data.h"

#include <cstring>
#include <initializer_list>
#include <memory>
#include <vector>

namespace {

using devconfig::In;
using devconfig::Range;

struct PrivateDeleter {
    void operator()(void* p) const { PrivateFree(p); }
};

// The library, its direct table, its service and the device's information, released in reverse.
class DirectLink {
public:
    DirectLink(DevInfoClient* client, DevInfoStatus* status) : client_(client), status_(status) {}
    ~DirectLink() {
        if (started_)
            if (auto stop = ZdsvSlot<ZdsvStopProc>(iface_, zdsv784::kStop)) stop();
        PrivateFree(information_);
        if (library_) HelperDll_Destroy(library_);
    }
    bool Open(const char* printer) {
        ZdsvGetInterfaceProc get = nullptr;
        ZdsvStartProc start = nullptr;
        if (!(library_ = HelperDll_Create())) return Fail(kDevInfoNoMemory);
        if (HelperDll_GetFolder(library_->folder, sizeof library_->folder, printer, kHelperFolderDriver) < 0)
            return Fail(kDevInfoNoDriverFolder);
        if (HelperDll_LoadWithFallback(library_, kZdsvLibraryName, kZdsvOldLibraryName) != kHelperDone)
            return Fail(kDevInfoNotLoadedMode1);
        if (!(get = reinterpret_cast<ZdsvGetInterfaceProc>(
                  reinterpret_cast<void (*)()>(GetProcAddress(library_->module, kZdsvGetInterfaceName)))))
            return Fail(-24);
        if (!(iface_ = get(kZdsvVersionDirect))) return Fail(-25);
        if (!(start = ZdsvSlot<ZdsvStartProc>(iface_, zdsv784::kStart)) || start() != 0) return Fail(-26);
        started_ = true;
        if (!(information_ = DevInfoClient_QueryInfo(client_, printer, 0, iface_, status_))) return false;
        if (information_->addressCount == 0 || !information_->address) return Fail(-27);
        link_ = {information_, iface_};
        return true;
    }
    DevInfoDeviceLink* Link() { return &link_; }

private:
    bool Fail(int32_t code) {
        *status_ = {code, 0, 0};
        return false;
    }
    DevInfoClient* client_;
    DevInfoStatus* status_;
    HelperDll* library_ = nullptr;
    ZdsvInterface* iface_ = nullptr;
    bool started_ = false;
    ZdsvDeviceInformation* information_ = nullptr;
    DevInfoDeviceLink link_{};
};

// One request of operation 19 for a single attribute, parsed into a block.
int AskAttribute(DevInfoClient* client, DevInfoDeviceLink* link, const char* printer, uint32_t id,
                 DeviceConfigBlock* block, DevInfoStatus* status) {
    DevInfoAttributeRecord request{};
    request.size = 256;
    std::strncpy(request.printerName, printer, sizeof request.printerName - 1);
    request.idCount = 1;
    request.ids = &id;
    int code = DevInfoClient_GetHandler(client, link, &request, kDevOpAttributeList);
    *status = {code, code ? 0 : request.deviceStatus, 0};
    int parsed = code == 0 && request.deviceStatus == 0
                     ? ParseDeviceInfoRecords(block, request.answer, request.answerSize, request.answerCount)
                     : 0;
    PrivateFree(request.answer);
    // An answer that does not parse fails the step as a refused one does.
    if (code == 0 && request.deviceStatus == 0 && (!parsed || request.answerCount == 0)) *status = {0, -1, 0};
    return status->status == 0 && status->libraryCode == 0 ? 0 : -1;
}

// A name cut to the 31 characters the device compares.
void Cut(char (&out)[32], const char* text, size_t width) {
    size_t n = text ? strnlen(text, width < sizeof out - 1 ? width : sizeof out - 1) : 0;
    std::memcpy(out, text, n);
    out[n] = 0;
}

int SlotOfDirectName(const char* n) {
    static constexpr const char* kNames[] = {"Stack Bypass", "Drawer1",   "Drawer2",   "Drawer3",  "Drawer4",
                                             "MPT",          "Drawer 1",  "Drawer 2",  "Drawer 3", "Drawer 4",
                                             "Cassette1",    "Cassette2", "Cassette3"};
    static constexpr int kSlots[] = {0, 1, 2, 3, 4, 0, 1, 2, 3, 4, 1, 2, 3};
    for (size_t j = 0; j < sizeof kSlots / sizeof kSlots[0]; ++j)
        if (std::strcmp(n, kNames[j]) == 0) return kSlots[j];
    if (std::strcmp(n, "Deck") == 0 || std::strcmp(n, "Paper Deck") == 0) return 5;
    return -1;
}

}  // namespace

int Configuration::BuildDeviceOptionTables(HWND owner, DevInfoClient* client, uint16_t model) {
    DevInfoStatus status{-2, 0, 0};
    const UiServiceTable* s = ctx_->svc;
    MutableByteView live = DeviceOptionData();
    const char* printer = s->GetPrinterName(ctx_);
    DeviceData* data = s->LoadDeviceData(ctx_);
    if (live.size() < devopt::kDataSize || !printer || std::strlen(printer) >= 256 || !data) {
        status.status = live.size() ? -2 : -3;
        return MapDeviceInfoError(ctx_, owner, &status, show_);
    }
    // The answers are written into a copy, which replaces the data only on success.
    std::vector<uint8_t> copy(live.data(), live.data() + live.size());
    MutableByteView dop(copy.data(), copy.size());
    ModelDescription& d = model_->Description();
    DirectLink link(client, &status);
    std::unique_ptr<DeviceInfoRecord, PrivateDeleter> record(
        static_cast<DeviceInfoRecord*>(PrivateAlloc(sizeof(DeviceInfoRecord))));
    int result = 0;
    bool messageShown = false;
    uint16_t fontValues[3] = {};
    if (!record) status = {kDevInfoNoMemory, 0, 0};
    if (record && link.Open(printer)) {
        DeviceInfoRecord& r = *record;
        r.printerHandle = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(printer_));
        std::strcpy(r.printerName, printer);
        std::memcpy(r.requestWords, d.capabilities, sizeof r.requestWords);
        MutableByteView parameters(r.requestParameters, sizeof r.requestParameters);
        parameters.put_u32(0, 277);
        parameters.put_u32(8, 2);
        parameters.put_u16(12, 1);
        int code = DevInfoClient_GetHandler(client, link.Link(), &r, kDevOpDeviceRecord);
        status = {code, code ? 0 : r.status, 0};
        bool go = code == 0 && r.status == 0;

        // The device must be the model this driver is for.
        if (go && ((r.requestWords[2] >> 10) & 1)) {
            char name[32];
            Cut(name, r.text10001, sizeof r.text10001);
            bool match = false;
            if (!d.expectedNames) {
                char expected[32];
                const char* own = data->TextAt(devicedata::kDeviceNameHandle);
                Cut(expected, own ? own : "", 256);
                match = std::strcmp(name, expected) == 0;
            } else {
                for (const ExpectedName* e = d.expectedNames; e->id != 0 && !match; ++e) {
                    char expected[32];
                    Cut(expected, e->name ? e->name : "", 256);
                    if (e->compareFlag == 1 && std::strcmp(name, expected) == 0) {
                        dop.put_u16(devopt::kDeviceNameVariant, e->value);
                        match = true;
                    }
                }
            }
            if (!match) {
                status = {-27, 0, 0};
                go = false;
            }
        }
        bool wantNames = false;
        if (go) {
            uint32_t flags = 0;
            dop.u32(devopt::kFlagWord, flags);
            flags &= ~8u;
            uint32_t kind = data->U32(devicedata::kMailBoxState);
            if (kind == 2 || (kind == 1 && data->U32(devicedata::kMailBoxFlag) == 1 && (r.stateBits209 & 0xE))) {
                flags |= 8;
                wantNames = d.mailBoxSwitch != 1;
            }
            dop.put_u32(devopt::kFlagWord, flags);
        }
        // The mail-box names and the device fonts report their own failure; the query then ends
        // with nothing written and no further message.
        if (go && wantNames && !bins_.empty()) {
            uint32_t n = static_cast<uint32_t>(bins_.size());
            std::vector<uint8_t> entries(size_t{n} * kNamedEntrySize, 0);
            DevInfoListRequest request{};
            std::strcpy(request.printerName, printer);
            request.size = 256;
            request.kind = kListMailBoxes;
            request.count = n;
            request.entries = entries.data();
            int c = DevInfoClient_GetHandler(client, link.Link(), &request, kDevOpListEntries);
            DevInfoStatus boxes{c, c ? 0 : request.deviceStatus, 0};
            if (c == 0 && request.deviceStatus == 0) {
                TakeMailBoxNames(entries.data(), entries.size(), n);
            } else {
                MapDeviceInfoError(ctx_, owner, &boxes, show_);
                messageShown = true;
                go = false;
            }
        }
        if (go) {
            uint16_t n = data->U16(devicedata::kDeviceFontCount);
            std::vector<uint8_t> entries(size_t{n} * kFontEntrySize, 0);
            DevInfoFontRequest request{};
            std::strcpy(request.printerName, printer);
            request.size = 256;
            request.count = n;
            request.entries = n ? entries.data() : nullptr;
            int c = n ? DevInfoClient_GetHandler(client, link.Link(), &request, kDevOpDeviceFonts) : 0;
            DevInfoStatus fonts{c, c ? 0 : request.deviceStatus, 0};
            if (c == 0 && request.deviceStatus == 0) {
                // 514: the bar-code font is installed and usable; 515: the brush font is installed;
                // 516: how many fonts the device has (at most 0xFFFF).
                bool barcode = false, brush = false;
                for (uint16_t i = 0; i < n; ++i) {
                    ByteView entry(entries.data() + size_t{i} * kFontEntrySize, kFontEntrySize);
                    char name[257] = {};
                    entry.bytes(0, name, 256);
                    uint32_t flag = 0;
                    entry.u32(256, flag);
                    if (std::strcmp(name, "BARcode39") == 0 && flag == 1) barcode = true;
                    if (std::strcmp(name, "Kaisho-Medium") == 0) brush = true;
                }
                fontValues[0] = barcode ? 1 : 0;
                fontValues[1] = brush ? 1 : 0;
                fontValues[2] = n;
            } else {
                MapDeviceInfoError(ctx_, owner, &fonts, show_);
                messageShown = true;
                go = false;
            }
        }
        // The engine version, then the per-source lists of the models that have them.
        const OptionWriterInput in = WriterInput();
        auto block = std::make_unique<DeviceConfigBlock>();
        if (go && model != 3001) {
            if (AskAttribute(client, link.Link(), printer, kAttrEngineVersion, block.get(), &status) != 0) {
                go = false;
            } else {
                bool known = false;
                const auto version = static_cast<uint16_t>(ConfigNumber(*block, kAttrEngineVersion));
                int16_t deck = DeckCountFromEngineVersion(model, version, known);
                dop.put_s16(devopt::kDeckCount, deck);
                if (!known) {
                    dop.put_u32(devopt::kOptionMaskA, 0);
                    dop.put_u32(devopt::kOptionMaskB, 0);
                }
                SetModelOptionDefaults(dop, in.defaults);
                if (model == 1019) SetModelOptionDefaults(dop, in.defaults);
            }
        }
        uint32_t sourcePapers[8] = {};
        bool firstBuilder = In(model, {1003, 1026, 1027, 2009}) || Range(model, 1005, 1007) ||
                            Range(model, 1009, 1012) || Range(model, 1015, 1022);
        if (go && firstBuilder) {
            if (AskAttribute(client, link.Link(), printer, kAttrSourceValues, block.get(), &status) != 0) go = false;
            for (uint32_t i = 0; go && i < 8; ++i) sourcePapers[i] = ConfigNumber(*block, kAttrSourceValues, i);
        }
        bool secondBuilder = In(model, {1006, 1007}) || Range(model, 1009, 1012) || Range(model, 1015, 1017);
        if (go && secondBuilder) {
            if (AskAttribute(client, link.Link(), printer, kAttrSourceKinds, block.get(), &status) != 0) {
                go = false;
            } else {
                bool onlyLarge = In(model, {1009, 1010, 1012});
                uint32_t option = 0;
                if (onlyLarge) dop.u32(devopt::kOptionWord, option);
                for (uint32_t i = 0; i < 8; ++i) {
                    if (std::strncmp(r.texts3000001[i], "Deck", 5) != 0) continue;
                    uint32_t kind = ConfigNumber(*block, kAttrSourceKinds, i);
                    if (kind == 3) option |= 0x2;
                    if (kind == 6 && !onlyLarge) option |= 0x40;
                }
                dop.put_u32(devopt::kOptionWord, option);
            }
        }
        if (go) {
            if (owner && show_) MessageBeep(MB_ICONASTERISK);
            result = MapDeviceInfoError(ctx_, owner, &status, show_);
            messageShown = true;
            if (result == 1) {
                WriteDirectAnswers(dop, r, in);
                if (firstBuilder)
                    for (uint32_t i = 0; i < 8; ++i) {
                        char n[65] = {};
                        std::memcpy(n, r.texts3000001[i], 64);
                        int k = SlotOfDirectName(n);
                        if (k >= 0 && sourcePapers[i])
                            SourceSlot(dop, static_cast<size_t>(k))
                                .SetPaper(PaperSizeFromDeviceShort(sourcePapers[i], in.codes));
                    }
            }
        }
    }
    if (!messageShown) MapDeviceInfoError(ctx_, owner, &status, show_);
    if (result == 1) {
        std::memcpy(live.data(), copy.data(), copy.size());
        const DWORD ids[3] = {devopt::kValueFontSet1, devopt::kValueFontSet2, devopt::kValueFontSet3};
        for (int i = 0; i < 3; ++i) s->SetDeviceOptionValue(ctx_, nullptr, ids[i], &fontValues[i], 2);
        RefreshPaperTable();
    }
    return result;
}
