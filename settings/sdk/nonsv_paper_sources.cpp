// Request codes about the device's paper sources: the list of sources with their capability
// bits, the paper and media each source holds (which an application may set), and the fixed
// and named extra entries of the tray tables. Sources are walked with the core's source cursor;
// every count and its list are computed by the same walk, so a list never outgrows its count.
#include "settings/sdk/nonsv_operations.h"

#include "core/datafile/device_data.h"
#include "core/device/service_table.h"
#include "core/device/table_cursor_query.h"
#include "core/device/table_cursor_sources.h"
#include "core/devmode/model_section.h"
#include "settings/sdk/nonsv_predicates.h"

#include <windows.h>
#include <winspool.h>

#include <algorithm>
#include <cstring>
#include <initializer_list>
#include <vector>

namespace nonsv {

namespace {

// The source cursor for the length of one request, released on every path.
class Sources {
public:
    explicit Sources(const NonSvHost& host) {
        void* out = nullptr;
        if (host.ctx && host.ctx->svc && host.ctx->svc->Query(host.ctx, kTableSources, 0, &out))
            cursor_ = static_cast<PaperSourceCursor*>(out);
    }
    ~Sources() {
        if (cursor_) cursor_->Release();
    }
    Sources(const Sources&) = delete;
    Sources& operator=(const Sources&) = delete;

    // Calls visit for every source (hidden ones too when withHidden); stops when it answers false.
    template <typename Visit>
    void Each(bool withHidden, Visit visit) {
        if (!cursor_) return;
        for (int more = cursor_->First(); more; more = cursor_->Next())
            if ((withHidden || !cursor_->GetFlag(1)) && !visit(*cursor_)) return;
    }
    size_t Count(bool withHidden) {
        size_t n = 0;
        Each(withHidden, [&](PaperSourceCursor&) { return ++n, true; });
        return n;
    }
    PaperSourceCursor* operator->() const { return cursor_; }

private:
    PaperSourceCursor* cursor_ = nullptr;
};

bool among(int32_t value, std::initializer_list<int32_t> set) {
    return std::find(set.begin(), set.end(), value) != set.end();
}

const ModelSourceRecord* modelSource(const NonSvHost& host, int32_t id) {
    for (const ModelSourceRecord* r = host.model->sources; r && r->sourceId; ++r)
        if (r->sourceId == id) return r;
    return nullptr;
}

bool inPageList(const NonSvHost& host, int32_t id) {
    const ModelSourceRecord* record = modelSource(host, id);
    return record && (record->flags & kModelSourceInPageList);
}

// --- 0x10013 ---------------------------------------------------------------------------------

constexpr size_t kListEntry = 72;
constexpr size_t kListName = 4;
constexpr size_t kListNameMax = 32;  // 31 characters and the terminator
constexpr size_t kListFlags = 68;

uint32_t sourceFlags(const NonSvHost& host, PaperSourceCursor& source) {
    int32_t type = source.GetNumber(1);
    uint32_t flags = 0;
    if (type == host.Device16(nsdevice::kDefaultSource)) flags |= 1u << 0;
    if (source.GetFlag(4)) flags |= 1u << 1;
    if (source.GetFlag(2)) flags |= 1u << 2;
    if (source.GetFlag(3)) flags |= host.model->trayTableFlag ? (1u << 3) | (1u << 6) : 1u << 3;
    if (source.GetFlag(7)) flags |= 1u << 4;
    if (host.CodeState(0x10039) != kNsNotSupported && among(type, {3, 8, 12, 17})) flags |= 1u << 5;
    if (source.GetFlag(11)) flags |= 1u << 7;
    if (host.CodeState(0x10015) != kNsNotSupported || host.model->sourceListFlag) {
        bool listed = host.modelCode == 2071   ? among(type, {1, 3, 5, 7, 8, 9, 12, 13, 17, 256, 4318, 4323, 4446})
                      : host.modelCode == 3001 ? among(type, {1, 8, 9, 12, 17})
                                               : among(type, {1, 3, 5, 8, 9, 12, 13, 17});
        if (listed) flags |= 1u << 8;
    }
    if (host.model->trayKindFlag) {
        if (among(type, {3, 8, 12, 17, 256})) flags |= 1u << 9;
        if (among(type, {1, 7, 9, 13, 256})) flags |= 1u << 10;
        if (among(type, {1, 9, 11, 13, 256})) flags |= 1u << 11;
    }
    if (host.model->bit14Flag && type != 256) flags |= 1u << 14;
    return flags;
}

}  // namespace

int PaperSourceList(NonSvHost& host, int kind, void* data) {
    if (kind == kNsSize) return PutWord(data, kListEntry);
    if (kind != kNsCount && kind != kNsList) return kNsNotSupported;
    if (!data) return kNsNoBuffer;
    Sources sources(host);
    if (kind == kNsCount) return PutWord(data, static_cast<uint32_t>(sources.Count(false)));
    // Built whole first: a name that does not fit answers 1 with nothing written.
    std::vector<uint8_t> out;
    bool fits = true;
    sources.Each(false, [&](PaperSourceCursor& source) {
        char name[kSourceTextSize] = {};
        source.GetText(2, 0, name);
        size_t at = out.size();
        out.resize(at + kListEntry);
        MutableByteView entry(out.data() + at, kListEntry);
        entry.put_u16(0, static_cast<uint16_t>(source.GetNumber(1)));
        if (!CopyText(reinterpret_cast<char*>(entry.data() + kListName), kListNameMax, name, sizeof name))
            return fits = false;
        entry.put_u32(kListFlags, sourceFlags(host, source));
        return true;
    });
    if (!fits) return kNsNoBuffer;
    if (!out.empty()) std::memcpy(data, out.data(), out.size());
    return kNsDone;
}

// --- 0x1013C ---------------------------------------------------------------------------------

int PaperSourceCapabilities(NonSvHost& host, int kind, void* data) {
    if (!host.model->sourceListFlag) return kNsNotSupported;
    if (kind == kNsSize) return PutWord(data, 12);
    if (kind != kNsCount && kind != kNsList) return kNsNotSupported;
    if (!data) return kNsNoBuffer;
    Sources sources(host);
    if (kind == kNsCount) return PutWord(data, static_cast<uint32_t>(sources.Count(false)));
    bool paired = host.DopBit(nsdop::kThirdByte, 0);
    size_t at = 0;
    sources.Each(false, [&](PaperSourceCursor& source) {
        int32_t type = source.GetNumber(1);
        uint32_t bits = 0;
        if (!paired) {
            if (among(type, {1, 7, 9, 13})) bits |= 1u << 0;
            if (among(type, {1, 3, 4, 5, 7, 8, 9, 12, 13, 17, 4318, 4323, 4446})) bits |= 1u << 1;
        } else {
            if (among(type, {1, 7, 9, 13})) bits |= 0x10004;
            if (among(type, {1, 5, 7, 8, 9, 12, 13, 17})) bits |= 0x20008;
        }
        // The third word of each entry is the caller's and stays as passed.
        MutableByteView entry(static_cast<uint8_t*>(data) + at, 8);
        entry.put_u32(0, static_cast<uint32_t>(type));
        entry.put_u32(4, bits);
        at += 12;
        return true;
    });
    return kNsDone;
}

// --- 0x1000F ---------------------------------------------------------------------------------

namespace {

constexpr size_t kSettingsEntry = 12;

// The paper sizes the printer lists (DC_PAPERS), asked for their number first.
bool printerPapers(const NonSvHost& host, std::vector<WORD>& out) {
    if (!host.ctx || !host.ctx->svc) return false;
    HANDLE printer = host.ctx->svc->GetPrinterHandle(host.ctx);
    DWORD needed = 0;
    host.ctx->svc->GetPrinter(host.ctx, printer, 2, nullptr, 0, &needed);
    if (needed == 0 || needed > (1u << 20)) return false;
    std::vector<BYTE> buffer(needed);
    if (!host.ctx->svc->GetPrinter(host.ctx, printer, 2, buffer.data(), needed, &needed)) return false;
    const auto* info = reinterpret_cast<const PRINTER_INFO_2A*>(buffer.data());
    int count = DeviceCapabilitiesA(info->pPrinterName, info->pPortName, DC_PAPERS, nullptr, nullptr);
    if (count <= 0 || count > 4096) return false;
    out.assign(static_cast<size_t>(count), 0);
    int again = DeviceCapabilitiesA(info->pPrinterName, info->pPortName, DC_PAPERS,
                                    reinterpret_cast<LPSTR>(out.data()), nullptr);
    if (again <= 0) return false;
    out.resize(std::min(out.size(), static_cast<size_t>(again)));
    return true;
}

bool knownMedia(const NonSvHost& host, uint16_t id) {
    if (!host.device) return false;
    DeviceList media = host.device->ListAt(nsdevice::kMediaRecords);
    for (uint32_t i = 0; i < media.count; ++i) {
        uint16_t own = 0;
        if (media.Entry(i).u16(64, own) && own == id) return true;
    }
    return false;
}

int16_t shownSourceValue(int32_t stored) {
    if (stored == 0) return -2;
    if (stored == -1 || stored == -2) return -1;
    if (stored < -2) return -3;
    return static_cast<int16_t>(stored);
}

int32_t storedSourceValue(int16_t shown) {
    if (shown == -2) return 0;
    if (shown == -1) return -2;
    return shown;
}

struct SourceSetting {
    uint16_t paper;
    int16_t value;
    uint16_t media;
};

}  // namespace

int PaperSourceSettings(NonSvHost& host, int kind, void* data) {
    if (kind == kNsSize) return PutWord(data, kSettingsEntry);
    if (kind != kNsCount && kind != kNsList && kind != kNsSet) return kNsNotSupported;
    if (!data) return kNsNoBuffer;
    Sources sources(host);
    if (kind == kNsCount) return PutWord(data, static_cast<uint32_t>(sources.Count(true)));
    if (kind == kNsList) {
        size_t at = 0;
        sources.Each(true, [&](PaperSourceCursor& source) {
            int32_t id = source.GetNumber(1);
            int32_t media = source.GetNumber(5);
            MutableByteView entry(static_cast<uint8_t*>(data) + at, kSettingsEntry);
            entry.put_u16(0, static_cast<uint16_t>(id));
            entry.put_u16(2, static_cast<uint16_t>(source.GetNumber(2)));
            entry.put_s16(4, shownSourceValue(source.GetNumber(4)));
            entry.put_u16(6, static_cast<uint16_t>(media == -2 ? 2 : media));
            entry.put_u32(8, host.model->pageListFlag && inPageList(host, id) ? 1 : 0);
            at += kSettingsEntry;
            return true;
        });
        return kNsDone;
    }
    // A set checks every entry before anything is written, so a refused entry leaves the source
    // table, the device-option block and the stored block as they were.
    std::vector<WORD> papers;
    if (!printerPapers(host, papers)) return kNsNoBuffer;
    size_t count = sources.Count(true);
    std::vector<SourceSetting> settings;
    ByteView in(data, count * kSettingsEntry);
    bool valid = true;
    size_t i = 0;
    sources.Each(true, [&](PaperSourceCursor& source) {
        SourceSetting s{};
        uint32_t flag = 0;
        in.u16(i * kSettingsEntry + 2, s.paper);
        in.s16(i * kSettingsEntry + 4, s.value);
        in.u16(i * kSettingsEntry + 6, s.media);
        in.u32(i * kSettingsEntry + 8, flag);
        ++i;
        if (std::find(papers.begin(), papers.end(), s.paper) == papers.end() || !knownMedia(host, s.media) ||
            (flag == 1 && !inPageList(host, source.GetNumber(1))))
            return valid = false;
        settings.push_back(s);
        return true;
    });
    if (!valid) return kNsNotSupported;
    i = 0;
    bool written = true;
    sources.Each(true, [&](PaperSourceCursor& source) {
        const SourceSetting& s = settings[i++];
        written &= source.SetNumber(2, s.paper) == kTableDone;
        written &= source.SetNumber(4, storedSourceValue(s.value)) == kTableDone;
        written &= source.SetNumber(5, s.media) == kTableDone;
        return true;
    });
    if (!written || !host.ctx->svc->WriteDeviceOption(host.ctx, host.deviceOption)) return kNsNoBuffer;
    return kNsDone;
}

// --- 0x1003B, 0x10118, 0x1011C ---------------------------------------------------------------

int Code1003B(NonSvHost& host, int kind, void* data) {
    if (!host.model->trayTableFlag) return kNsNotSupported;
    if (kind == kNsSize || kind == kNsCount) return PutWord(data, 6);
    if (kind != kNsList) return kNsNotSupported;
    if (!data) return kNsNoBuffer;
    static constexpr uint16_t kTypes[] = {17, 8, 12, 9, 1, 5};
    bool first = host.model->trayTableKind == 0;
    MutableByteView out(data, 36);
    for (size_t i = 0; i < 6; ++i) {
        out.put_u16(i * 6, kTypes[i]);
        out.put_u16(i * 6 + 2, first ? 0xFBFA : 200);
        out.put_u16(i * 6 + 4, first ? 1020 : 2000);
    }
    return kNsDone;
}

namespace {

constexpr size_t kNamedEntry = 72;

// Two named entries: a 32-bit id, then the name from the string resources, the last 4 bytes 0.
int namedPair(NonSvHost& host, void* data, uint32_t firstId, UINT firstString) {
    uint8_t out[2 * kNamedEntry] = {};
    for (size_t i = 0; i < 2; ++i) {
        MutableByteView entry(out + i * kNamedEntry, kNamedEntry);
        entry.put_u32(0, firstId + static_cast<uint32_t>(i));
        char* name = reinterpret_cast<char*>(entry.data() + 4);
        if (host.ctx && host.ctx->svc) host.ctx->svc->LoadString(host.ctx, firstString + static_cast<UINT>(i), name, 64);
        name[63] = '\0';
    }
    std::memcpy(data, out, sizeof out);
    return kNsDone;
}

bool privateFlag0(const NonSvHost& host) { return host.Priv16(devmode::model::kPrivateFlags) & 1; }

}  // namespace

int Code10118(NonSvHost& host, int kind, void* data) {
    if (!host.model->sourceListFlag) return kNsNotSupported;
    if (kind == kNsSize) return PutWord(data, kNamedEntry);
    bool offered = !privateFlag0(host) && (host.DopBit(nsdop::kSecondByte, 0) || host.DopBit(nsdop::kSecondByte, 6));
    if (kind == kNsCount) return PutWord(data, offered ? 2 : 0);
    if (kind != kNsList) return kNsNotSupported;
    if (!data) return kNsNoBuffer;
    if (!offered) return kNsDone;
    return host.DopBit(nsdop::kThirdByte, 0) ? namedPair(host, data, 0x10002, 9574) : namedPair(host, data, 0x10000, 9572);
}

int Code1011C(NonSvHost& host, int kind, void* data) {
    if (!host.DopBit(nsdop::kSizeClasses, 3)) return kNsNotSupported;
    if (kind == kNsSize) return PutWord(data, kNamedEntry);
    bool offered = privateFlag0(host);
    if (kind == kNsCount) return PutWord(data, offered ? 2 : 0);
    if (kind != kNsList) return kNsNotSupported;
    if (!data) return kNsNoBuffer;
    return offered ? namedPair(host, data, 0x101F4, 9572) : kNsDone;
}

}  // namespace nonsv
