// Replacing the brand media and the paper sources' media with the device's: one query of two
// attributes (322, the brand media, 292-byte entries; 2356, the media of each source, 296-byte
// entries), the list written to the store, and each source's medium written into its slot.
#include "core/datafile/device_data.h"
#include "core/device/service_table.h"
#include "core/devmode/device_option_block.h"
#include "device/config/configuration.h"
#include "device/config/device_messages.h"
#include "device/config/option_codes.h"
#include "device/devinfo_library.h"
#include "device/devinfo_queries.h"
#include "model/media_bit_set.h"
#include "model/media_table.h"
#include "model/pdl_data.h"

#include <cstring>
#include <vector>

namespace {

constexpr uint32_t kBrandMediaAttribute = 322;
constexpr uint32_t kSourceMediaAttribute = 2356;

// The structured values of one attribute in the answers, each at least `size` bytes.
std::vector<const uint8_t*> EntriesOf(const DevInfoAnswer& answer, uint32_t id, size_t size) {
    std::vector<const uint8_t*> out;
    for (uint32_t i = 0; i < answer.count; ++i) {
        auto* reply = static_cast<const ZdsvGroupReply*>(answer.replies[i]);
        for (uint32_t g = 0; reply && reply->groups && g < reply->count; ++g) {
            const ZdsvAttributeGroup& group = reply->groups[g];
            for (uint32_t a = 0; group.attributes && a < group.count; ++a) {
                const ZdsvAttribute& attribute = group.attributes[a];
                if (attribute.id != id || !attribute.values) continue;
                for (uint32_t v = 0; v < attribute.count; ++v)
                    if (attribute.values[v].type == kZdsvStructured && attribute.values[v].value &&
                        attribute.values[v].size >= size)
                        out.push_back(reinterpret_cast<const uint8_t*>(attribute.values[v].value));
            }
        }
    }
    return out;
}

struct SlotChoice {
    int slot;       // -1: the entry names no slot
    int16_t code;   // 0: the source code is left as it is
};

// The slot and source code of device source s, by model and the option word.
SlotChoice ChooseSlot(uint16_t m, uint32_t s, uint32_t count, uint32_t option) {
    auto bit = [option](unsigned b) { return (option >> b) & 1; };
    if (m == 2069) {
        if (s == count) return {0, 4};
        int16_t code = s == 1 ? 1 : s == 2 ? 3 : s == 3 ? 2 : s == 4 ? 264 : bit(1) ? 265 : bit(6) ? 266 : 0;
        return {static_cast<int>(s), code};
    }
    if (m == 2071) {
        bool shifted = bit(21) || bit(6) || (bit(1) && s == 4);
        int slot = shifted ? static_cast<int>(s) - 1 : s == 3 ? 0 : static_cast<int>(s);
        static constexpr int16_t kCodes[] = {268, 1, 3, 0, 0, 265, 266, 267, 268};
        int16_t code = kCodes[s];
        if (s == 3) code = bit(21) || bit(6) ? 2 : 4;
        if (s == 4) code = bit(1) ? 269 : 264;
        return {slot, code};
    }
    int slot = s == 5 || (s == 3 && !bit(0)) ? 0 : static_cast<int>(s);
    int16_t code = s == 1   ? 1
                   : s == 2 ? 3
                   : s == 3 ? (bit(0) ? 2 : 4)
                   : s == 4 ? (bit(0) ? 264 : 265)
                   : s == 5 ? 4
                            : 265;
    return {slot, code};
}

}  // namespace

int Configuration::UpdateBrandMedia(HWND owner, bool interactive) {
    show_ = interactive;
    const UiServiceTable* s = ctx_->svc;
    MutableByteView dop = DeviceOptionData();
    DevInfoStatus status{-2, 0, 0};
    if (dop.size() < devopt::kPageListFlags) {
        status.status = -3;
        ShowDeviceMessage(ctx_, owner, kMsgBrandMediaFailed, show_);
        return 0;
    }
    HCURSOR previous = nullptr;
    const bool cursor = show_ && owner;
    if (cursor) previous = SetCursor(LoadCursorA(nullptr, IDC_WAIT));
    const bool pseudo = s->IsPseudoPrinter(ctx_, printer_);
    char folder[MAX_PATH] = {};
    uint8_t address[4] = {};
    DeviceData* data = s->LoadDeviceData(ctx_);
    const char* expected = data ? data->TextAt(devicedata::kDeviceNameHandle) : nullptr;
    DevInfoClient* client = nullptr;
    DevInfoAnswer answers[2] = {};
    if (pseudo && !PseudoAddress(folder, sizeof folder, address)) {
        status.status = -3;
    } else if (!DevInfoClient_Create(&client)) {
        status.status = -11;
    } else {
        const DevInfoEntryRequest requests[2] = {{601, kBrandMediaAttribute, 0}, {601, kSourceMediaAttribute, 0}};
        DevInfoDeviceAddress where{{address[0], address[1], address[2], address[3]}, nullptr};
        DevInfo_QueryDevice2(client, 2, requests, pseudo ? nullptr : s->GetPrinterName(ctx_), pseudo ? &where : nullptr,
                             expected, answers, &status);
    }
    const uint16_t m = model_->ModelCode();
    const char* printer = s->GetPrinterName(ctx_);
    const uint32_t language = pseudo ? 0 : data ? data->U32(devicedata::kPdlId) : 0;
    if (status.status == 0 && status.libraryCode == 0) {
        std::vector<const uint8_t*> media = EntriesOf(answers[0], kBrandMediaAttribute, kDeviceMediaEntrySize);
        if (media.empty()) {
            ResetBrandMedia(language, printer);
            brand_.records.clear();
            brand_.count = 0;
            brand_.present = false;
        } else {
            std::vector<uint8_t> bytes;
            for (const uint8_t* e : media) bytes.insert(bytes.end(), e, e + kDeviceMediaEntrySize);
            BrandMediaFromDevice(bytes.data(), bytes.size(), static_cast<uint32_t>(media.size()), brand_);
            if (!WriteBrandMedia(language, printer, brand_)) status.status = -11;
        }
        std::vector<const uint8_t*> sources = EntriesOf(answers[1], kSourceMediaAttribute, kDeviceSourceEntrySize);
        if (!sources.empty()) {
            dop.fill(devopt::kMediaBitSet, 0, kMediaBitSetBytes);
            uint32_t option = 0;
            dop.u32(devopt::kOptionWord, option);
            bool custom = false;
            for (const uint8_t* e : sources) {
                ByteView entry(e, kDeviceSourceEntrySize);
                uint32_t number = 0, value = 0;
                uint16_t customWord = 0;
                entry.u32(0, number);
                entry.u16(4, customWord);
                entry.u32(8, value);
                if (number > 8) continue;
                SlotChoice c = ChooseSlot(m, number, static_cast<uint32_t>(sources.size()), option);
                // Source 8, and source 0 of the model whose slots shift down, lie outside the eight slots.
                if (c.slot < 0 || c.slot >= static_cast<int>(devopt::kSourceSlotCount)) continue;
                size_t at = devopt::kSourceSlots + static_cast<size_t>(c.slot) * devopt::kSourceSlotSize;
                if (c.code) dop.put_u16(at + devopt::kSlotSourceCode, static_cast<uint16_t>(c.code));
                dop.put_u16(at + devopt::kSlotCustomMedia, customWord);
                if (customWord == 0) {
                    int16_t id = MediaIdFromDevice(value, m);
                    dop.put_u16(at + devopt::kSlotMediaId, static_cast<uint16_t>(id));
                    int index = MediaTable_IndexOf(static_cast<uint16_t>(id), m);
                    if (index >= 0)
                        MediaBitSet_SetBit(dop.data() + devopt::kMediaBitSet, static_cast<unsigned>(index), 1);
                } else {
                    dop.put_u16(at + devopt::kSlotMediaId, static_cast<uint16_t>(value));
                    custom = true;
                }
            }
            dop.put_u16(devopt::kSourceTableValid, 1);
            uint8_t byte37 = 0;
            dop.u8(37, byte37);
            dop.put_u8(37, custom ? byte37 | 1 : byte37 & ~1);
        }
    }
    if (client) {
        DevInfo_FreeAnswers(client, answers, 2);
        DevInfoClient_FreeLibrary(client);
        DevInfoClient_Destroy(client);
    }
    if (cursor) SetCursor(previous);
    // Any status but full success is a failure, whatever its sign.
    const bool ok = status.status == 0 && status.libraryCode == 0;
    ShowDeviceMessage(ctx_, owner, ok ? kMsgQueryDone : kMsgBrandMediaFailed, show_);
    return ok ? 1 : 0;
}
