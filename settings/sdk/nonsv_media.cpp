// Request codes of the device's media library: the media the device offers by name, chosen by
// name, listed with their types and classes, and the refresh of that list from the device.
#include "settings/sdk/nonsv_operations.h"

#include "core/device/service_table.h"
#include "core/devmode/model_section.h"
#include "model/media_library.h"
#include "model/media_table.h"
#include "settings/registry/conflict.h"
#include "settings/sdk/nonsv_device_services.h"

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace nonsv {

namespace {

namespace model = devmode::model;

constexpr size_t kFirstListMax = 1000;
constexpr size_t kNameEntry = 512;
constexpr size_t kListEntry = 736;

struct Media {
    ByteView record;
    bool second;
};

bool mediaInUse(const NonSvHost& host) { return host.Priv8(model::kMediaByte) & (1u << 1); }

// The taking-part media: of the first list those its media bit set selects (all when allFirst),
// then the whole second list.
std::vector<Media> takingPart(const NonSvHost& host, bool allFirst) {
    std::vector<Media> out;
    const NonSvDeviceServices* s = NonSvDeviceServicesOf();
    if (!s) return out;
    size_t count = 0;
    const uint8_t* first = s->firstMediaList ? s->firstMediaList(host.ctx, &count) : nullptr;
    uint8_t bits[16] = {};
    host.DeviceOptionData().bytes(nsdop::kMediaBitSet, bits, sizeof bits);
    for (size_t i = 0; first && i < count && i < kFirstListMax; ++i) {
        ByteView record(first + i * kBrandMediaRecordSize, kBrandMediaRecordSize);
        int16_t id = 0;
        record.s16(nsmedia::kMediaId, id);
        if (id == -1) break;
        if (allFirst || (i < 128 && (bits[i / 8] >> (i % 8)) & 1)) out.push_back({record, false});
    }
    const uint8_t* second = s->secondMediaList ? s->secondMediaList(host.ctx, &count) : nullptr;
    for (size_t i = 0; second && i < count; ++i)
        out.push_back({ByteView(second + i * kBrandMediaRecordSize, kBrandMediaRecordSize), true});
    return out;
}

uint16_t word(ByteView record, size_t at) { return record.u16_or_zero(at); }

// The record's name, at most 127 characters (its field need not be terminated).
std::string nameOf(ByteView record) {
    const char* name = reinterpret_cast<const char*>(record.data() + nsmedia::kName);
    return std::string(name, FieldLength(name, nsmedia::kNameSize - 1));
}

bool isMediaAllowed(const NonSvHost& host, ByteView record) {
    uint16_t layout = host.Option16(124);
    uint32_t o110 = host.Option32(110), o190 = host.Option32(190), o130 = host.Option32(130);
    uint16_t type = word(record, nsmedia::kType);
    uint16_t a = word(record, 8), b = type, c = word(record, 4);
    auto test = [&](int operation) { return MediaLibrary_Dispatch(operation, host.modelCode, a, b, c) != 0; };
    if ((layout == 2 || (o110 & 1)) && !test(2)) return false;
    if ((o190 & 1) && type != 6 && type != 7 && !test(4)) return false;
    if ((o190 & (1u << 4)) && !test(6)) return false;
    if ((o190 & (1u << 5)) && !test(7)) return false;
    if ((o130 & 1) && !test(8)) return false;
    if (o190 & (1u << 7)) {
        int16_t id = static_cast<int16_t>(word(record, nsmedia::kMediaId));
        const int32_t* table = GetModelMediaTable(host.modelCode, 2);
        for (; table && *table != -1; ++table)
            if (*table == id) return true;
        return false;
    }
    return true;
}

void refreshItems(NonSvHost& host) {
    if (CmSvConflict* registry = host.Registry()) registry->Refresh(host.ctx, nullptr, 46);
}

int setMediaByName(NonSvHost& host, const char* text, size_t textMax) {
    if (!mediaInUse(host)) return kNsRefused;
    std::string wanted(text, FieldLength(text, textMax));
    bool byTray = host.Option16(201) == 3;
    for (const Media& m : takingPart(host, false)) {
        if (m.second && byTray) return kNsNotSupported;
        if (nameOf(m.record) != wanted) continue;
        if (!isMediaAllowed(host, m.record)) return kNsRefused;
        MutableByteView priv = host.Private();
        priv.put_u16(model::kRecordIds + 6, m.second ? word(m.record, nsmedia::kRecordId) : 0);
        priv.put_u16(byTray ? 359 : 361, word(m.record, nsmedia::kMediaId));
        refreshItems(host);
        return kNsDone;
    }
    return kNsNotSupported;
}

}  // namespace

int RefreshBrandMedia(NonSvHost& host, int kind, void*) {
    if (!host.model->mediaLibraryFlag) return kNsNotSupported;
    if (kind != kNsAction) return kNsNotSupported;
    if (!mediaInUse(host)) return kNsRefused;
    const NonSvDeviceServices* s = NonSvDeviceServicesOf();
    return s && s->updateBrandMedia && s->updateBrandMedia(host.ctx) ? kNsDone : kNsNoBuffer;
}

int BrandMediaName(NonSvHost& host, int kind, void* data) {
    if (!host.model->mediaLibraryFlag) return kNsNotSupported;
    switch (kind) {
    case kNsSize:
        return PutWord(data, kNameEntry);
    case kNsCount:
        return PutWord(data, mediaInUse(host) ? static_cast<uint32_t>(takingPart(host, false).size()) : 0);
    case kNsGet: {
        if (!data) return kNsNoBuffer;
        bool byTray = host.Option16(201) == 3;
        uint16_t mediaId = host.Priv16(byTray ? 359 : 361);
        uint16_t recordId = byTray ? 0 : host.Priv16(model::kRecordIds + 6);
        std::string name;
        for (const Media& m : takingPart(host, true))
            if (word(m.record, nsmedia::kMediaId) == mediaId && (m.second ? word(m.record, nsmedia::kRecordId) : 0) == recordId) {
                name = nameOf(m.record);
                break;
            }
        return CopyText(static_cast<char*>(data), nsmedia::kNameSize, name.c_str(), name.size() + 1) ? kNsDone
                                                                                                    : kNsNoBuffer;
    }
    case kNsSet:
        if (!data) return kNsNoBuffer;
        return setMediaByName(host, static_cast<const char*>(data), kNameEntry);
    case kNsList: {
        if (!data) return kNsNoBuffer;
        if (!mediaInUse(host)) return kNsRefused;
        std::vector<Media> media = takingPart(host, false);
        std::vector<uint8_t> out(media.size() * kNameEntry, 0);
        for (size_t i = 0; i < media.size(); ++i) {
            std::string name = nameOf(media[i].record);
            std::memcpy(out.data() + i * kNameEntry, name.data(), name.size());
        }
        if (!out.empty()) std::memcpy(data, out.data(), out.size());
        return kNsDone;
    }
    case kNsDefault: {
        if (!mediaInUse(host)) return kNsRefused;
        UINT id = 0;
        uint16_t m = host.modelCode;
        if ((m >= 2065 && m <= 2068) || m == 2084 || m == 2085) id = 9637;
        else if (m == 2069 || m == 2071) id = 9618;
        else if (m == 2076 || m == 2077 || m == 2083) id = 9635;
        char name[nsmedia::kNameSize] = {};
        if (id && host.ctx && host.ctx->svc) host.ctx->svc->LoadString(host.ctx, id, name, sizeof name);
        return setMediaByName(host, name, sizeof name);
    }
    default:
        return kNsNotSupported;
    }
}

int BrandMediaList(NonSvHost& host, int kind, void* data) {
    if (!host.model->mediaLibraryFlag) return kNsNotSupported;
    HANDLE printer = host.ctx && host.ctx->svc ? host.ctx->svc->GetPrinterHandle(host.ctx) : nullptr;
    bool allFirst = host.ctx && host.ctx->svc && host.ctx->svc->IsPseudoPrinter(host.ctx, printer) &&
                    host.ctx->svc->PseudoPrinterGetField8(host.ctx, printer) == 4;
    switch (kind) {
    case kNsSize:
        return PutWord(data, kListEntry);
    case kNsCount:
        return PutWord(data, mediaInUse(host) ? static_cast<uint32_t>(takingPart(host, allFirst).size()) : 0);
    case kNsList:
        break;
    default:
        return kNsNotSupported;
    }
    if (!data) return kNsNoBuffer;
    if (!mediaInUse(host)) return kNsRefused;
    std::vector<Media> media = takingPart(host, allFirst);
    std::vector<uint8_t> out(media.size() * kListEntry, 0);
    bool japanese = host.Device32(nsdevice::kLanguage) == 0x411;
    auto text = [&](uint8_t* at, UINT id) {
        if (host.ctx && host.ctx->svc) host.ctx->svc->LoadString(host.ctx, id, reinterpret_cast<char*>(at), 64);
        at[63] = 0;
    };
    auto typeString = [](uint32_t index) -> UINT {
        if (index <= 14) return 9585 + index;
        return index == 15 ? 9634 : 9636;
    };
    for (size_t i = 0; i < media.size(); ++i) {
        const Media& m = media[i];
        MutableByteView e(out.data() + i * kListEntry, kListEntry);
        e.put_bytes(0, m.record.data() + nsmedia::kName, nsmedia::kNameSize);
        e.put_u8(nsmedia::kNameSize - 1, 0);
        e.put_u32(512, japanese ? 932 : 1252);
        uint16_t mediaId = word(m.record, nsmedia::kMediaId);
        if (!m.second && host.model->mediaIds)
            for (const int16_t* pair = host.model->mediaIds; pair[0] != -1 && pair[1] != -1; pair += 2)
                if (pair[0] == static_cast<int16_t>(mediaId)) {
                    mediaId = static_cast<uint16_t>(pair[1]);
                    break;
                }
        e.put_u32(516, mediaId);
        e.put_u32(520, m.second ? word(m.record, nsmedia::kRecordId) : 0);
        e.put_u32(524, word(m.record, nsmedia::kValue));
        uint16_t type = word(m.record, nsmedia::kType), second = word(m.record, nsmedia::kSecond);
        e.put_u32(528, type);
        text(e.data() + 532, typeString(type));
        e.put_u32(596, second);
        text(e.data() + 600, typeString(second + 11));
        uint16_t cls = word(m.record, nsmedia::kClass);
        uint32_t shownClass = m.second ? (cls >= 1 && cls <= 12 ? cls : 99) : (type == 6 ? 12 : 1);
        e.put_u32(664, shownClass);
        text(e.data() + 668, m.second ? (cls <= 12 ? 9602 + cls : 9615) : (type == 6 ? 9614 : 9603));
        e.put_u32(732, m.second ? word(m.record, nsmedia::kWeight) / 5u : 0);
    }
    if (!out.empty()) std::memcpy(data, out.data(), out.size());
    return kNsDone;
}

}  // namespace nonsv
