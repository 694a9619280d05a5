// Lists of page numbers kept in the device mode's private part: lists A and B share the 100
// entries of the page table (bits 0 to 9 and 10 to 19 of each 32-bit entry), list B with the
// paper source its pages use, and two lists of 30 numbers. A list is kept ascending, without
// repeats, zeros at its end; sorting one list leaves the other list of the same entries alone.
#include "settings/sdk/nonsv_operations.h"

#include "core/devmode/model_section.h"
#include "core/device/service_table.h"
#include "core/device/table_cursor_query.h"
#include "core/device/table_cursor_sources.h"
#include "settings/items/sv.h"
#include "settings/registry/conflict.h"
#include "settings/sdk/nonsv_predicates.h"
#include "settings/sdk/sdk_binding.h"

#include <algorithm>
#include <vector>

namespace nonsv {

namespace {

namespace model = devmode::model;

constexpr uint32_t kMaxPage = 999;
constexpr unsigned kShiftA = 0;
constexpr unsigned kShiftB = 10;
constexpr uint32_t kField = 0x3FF;
constexpr uint16_t kSourcePairFirst = 403;
constexpr uint16_t kSourcePairSecond = 404;
constexpr uint16_t kSourceListB = 402;
constexpr uint8_t kListFlagB = 1u << 2;
constexpr uint8_t kListFlagA = 1u << 3;

size_t listLength(const NonSvHost& host) {
    return std::min<size_t>(host.model->pageListLength, model::kPageTableEntries);
}

// Reads count page numbers of the caller; false when one is above 999 (negative numbers are
// large unsigned words and fail the same test).
bool takePages(const void* data, size_t count, std::vector<uint32_t>& out) {
    ByteView in(data, count * 4);
    out.assign(count, 0);
    for (size_t i = 0; i < count; ++i)
        if (!in.u32(i * 4, out[i]) || out[i] > kMaxPage) return false;
    return true;
}

// Ascending, no repeats, zeros last.
void sortPages(std::vector<uint32_t>& pages) {
    std::vector<uint32_t> kept;
    for (uint32_t p : pages)
        if (p) kept.push_back(p);
    std::sort(kept.begin(), kept.end());
    kept.erase(std::unique(kept.begin(), kept.end()), kept.end());
    kept.resize(pages.size(), 0);
    pages = std::move(kept);
}

class PageTable {
public:
    explicit PageTable(const NonSvHost& host) : priv_(host.Private()) {}
    bool Reachable() const { return priv_.contains(0, model::kFieldsEnd); }

    uint32_t Page(size_t i, unsigned shift) const {
        uint32_t entry = 0;
        priv_.u32(model::kPageTable + 4 * i, entry);
        return (entry >> shift) & kField;
    }
    void SetPage(size_t i, unsigned shift, uint32_t page) {
        uint32_t entry = 0;
        priv_.u32(model::kPageTable + 4 * i, entry);
        entry = (entry & ~(kField << shift)) | ((page & kField) << shift);
        priv_.put_u32(model::kPageTable + 4 * i, entry);
    }
    // Sorts one list's field of the first n entries and answers the number of pages in it.
    uint8_t Sort(size_t n, unsigned shift) {
        std::vector<uint32_t> pages(n);
        for (size_t i = 0; i < n; ++i) pages[i] = Page(i, shift);
        sortPages(pages);
        uint8_t count = 0;
        for (size_t i = 0; i < n; ++i) {
            SetPage(i, shift, pages[i]);
            count += pages[i] != 0;
        }
        return count;
    }
    void SetListFlag(uint8_t bit, bool on) {
        uint8_t flags = 0;
        priv_.u8(model::kListFlags, flags);
        priv_.put_u8(model::kListFlags, static_cast<uint8_t>(on ? flags | bit : flags & ~bit));
    }
    uint16_t State() const {
        uint16_t state = 0;
        priv_.u16(model::kPageTableState, state);
        return state;
    }
    MutableByteView& Bytes() { return priv_; }

private:
    MutableByteView priv_;
};

int putPages(const PageTable& table, size_t n, unsigned shift, void* data) {
    if (!data) return kNsNoBuffer;
    std::vector<uint32_t> words(n);
    for (size_t i = 0; i < n; ++i) words[i] = table.Page(i, shift);
    return PutWords(data, words.data(), n);
}

// Paper selection by page list: the selection item takes mode 5, the other pages coming from
// automatic selection, and option 201 follows.
void selectByPageList(NonSvHost& host) {
    if (host.Option16(201) == 5) return;
    if (CmSvConflict* registry = host.Registry()) {
        if (auto* binding = dynamic_cast<CmSvSdk*>(registry->FindItem(1061))) {
            uint8_t record[16] = {};
            if (binding->GetCurrent(host.ctx, 0x10082, record) == kNsDone) {
                MutableByteView r(record, sizeof record);
                r.put_u32(0, 5);
                r.put_u16(8, 7);
                binding->SetCurrent(host.ctx, 0x10082, record);
            }
        }
    }
    host.SetOption16(201, 5);
}

uint16_t firstPageListSource(const NonSvHost& host) {
    for (const ModelSourceRecord* r = host.model->sources; r && r->sourceId; ++r)
        if (r->flags & kModelSourceInPageList) return r->sourceId;
    return 0;
}

// Gives the page table's state bit 2 (list B in use), as list B's setters do.
void takeListB(PageTable& table) {
    uint16_t state = table.State();
    if (state & (1u << 2)) return;
    table.Bytes().put_u16(model::kPageTableState, static_cast<uint16_t>(state | (1u << 2)));
    table.Bytes().put_u8(model::kStateValueBytes[2], 0);
}

int pageListAB(NonSvHost& host, int kind, void* data, bool listA) {
    size_t n = listLength(host);
    unsigned shift = listA ? kShiftA : kShiftB;
    uint8_t flag = listA ? kListFlagA : kListFlagB;
    PageTable table(host);
    switch (kind) {
    case kNsSize:
        return PutWord(data, static_cast<uint32_t>(4 * n));
    case kNsGet: {
        int answer = putPages(table, n, shift, data);
        if (answer == kNsDone) table.SetListFlag(flag, table.Page(0, shift) != 0);
        return answer;
    }
    case kNsDefault: {
        std::vector<uint32_t> zeros(n, 0);
        return pageListAB(host, kNsSet, zeros.data(), listA);
    }
    case kNsSet:
        break;
    default:
        return kNsNotSupported;
    }
    if (!data) return kNsNoBuffer;
    if ((listA && !host.DopBit(nsdop::kPageLists, 3)) || !CanInsertPages(host)) return kNsRefused;
    std::vector<uint32_t> pages;
    if (!takePages(data, n, pages)) return kNsNotSupported;
    if (!table.Reachable()) return kNsNoBuffer;
    if (listA) selectByPageList(host);
    else if (host.Option16(201) != 5) host.SetOption16(201, 5);
    MutableByteView& priv = table.Bytes();
    uint16_t state = table.State();
    if (listA) {
        priv.put_u8(model::kStateValueBytes[4], 1);
        if (!(state & (1u << 4))) {
            state = static_cast<uint16_t>((state & ~((1u << 2) | (1u << 3))) | (1u << 4));
            priv.put_u16(model::kPageTableState, state);
            priv.put_u16(model::kListASourceWord, firstPageListSource(host));
        }
    } else if (!(state & (1u << 2))) {
        takeListB(table);
        priv.put_u16(model::kListBSourceWord, kSourceListB);
    }
    for (size_t i = 0; i < n; ++i) table.SetPage(i, shift, pages[i]);
    uint8_t count = table.Sort(model::kPageTableEntries, shift);
    priv.put_u8(listA ? model::kListACount : model::kListBCount, count);
    if (listA) table.SetListFlag(flag, table.Page(0, shift) != 0);
    return kNsDone;
}

}  // namespace

int PageListA(NonSvHost& host, int kind, void* data) {
    if (!host.model->pageListFlag) return kNsNotSupported;
    return pageListAB(host, kind, data, true);
}

int PageListB(NonSvHost& host, int kind, void* data) {
    if (!host.model->pageListBFlag || !host.DopBit(nsdop::kPageLists, 1)) return kNsNotSupported;
    return pageListAB(host, kind, data, false);
}

// --- 0x10117: list B with the source of its pages --------------------------------------------

namespace {

struct SourcePair {
    uint32_t first;
    uint32_t second;
};

// The pair of extra sources the device offers; none without bit 1 of the page-list byte.
bool extraPair(const NonSvHost& host, SourcePair& pair) {
    if (!host.DopBit(nsdop::kPageLists, 1)) return false;
    if (!host.DopBit(nsdop::kThirdByte, 0)) pair = {0x10000, 0x10001};
    else if (!(host.Priv16(model::kPrivateFlags) & 1)) pair = {0x10002, 0x10003};
    else pair = {0x101F4, 0x101F5};
    return true;
}

// The source ids of the source table other than 500 and 7.
std::vector<uint32_t> tableSources(const NonSvHost& host) {
    std::vector<uint32_t> ids;
    void* out = nullptr;
    if (!host.ctx || !host.ctx->svc || !host.ctx->svc->Query(host.ctx, kTableSources, 0, &out) || !out) return ids;
    auto* cursor = static_cast<PaperSourceCursor*>(out);
    for (int more = cursor->First(); more; more = cursor->Next()) {
        int32_t id = cursor->GetNumber(1);
        if (id != 500 && id != 7) ids.push_back(static_cast<uint32_t>(id));
    }
    cursor->Release();
    return ids;
}

bool validSource(const NonSvHost& host, uint32_t source) {
    bool extra = host.DopBit(nsdop::kPageLists, 1);
    bool third = host.DopBit(nsdop::kThirdByte, 0);
    bool flag0 = host.Priv16(model::kPrivateFlags) & 1;
    switch (source) {
    case 0x10000: case 0x10001: return extra && !third;
    case 0x10002: case 0x10003: return extra && !flag0 && third;
    case 0x101F4: case 0x101F5: return extra && flag0 && third;
    default: break;
    }
    if (!((source >= 1 && source <= 4) || (source >= 264 && source <= 266))) return false;
    std::vector<uint32_t> ids = tableSources(host);
    return std::find(ids.begin(), ids.end(), source) != ids.end();
}

uint16_t storedSource(uint32_t source, uint32_t page) {
    if (page == 0) return 1;
    if (source == 0x10000 || source == 0x10002 || source == 0x101F4) return kSourcePairFirst;
    if (source == 0x10001 || source == 0x10003 || source == 0x101F5) return kSourcePairSecond;
    return static_cast<uint16_t>(source);
}

void clearListB(PageTable& table, size_t n) {
    for (size_t i = 0; i < n; ++i) table.SetPage(i, kShiftB, 0);
    MutableByteView& priv = table.Bytes();
    priv.put_u16(model::kPageTableState, static_cast<uint16_t>(table.State() & ~(1u << 2)));
    priv.put_u8(model::kStateValueBytes[2], 0);
    priv.put_u8(model::kListBCount, 0);
    priv.put_u16(model::kListBSourceWord, 1);
    table.SetListFlag(kListFlagB, false);
}

}  // namespace

int PageSourceList(NonSvHost& host, int kind, void* data) {
    if (!host.model->sourceListFlag) return kNsNotSupported;
    size_t n = listLength(host);
    PageTable table(host);
    SourcePair pair{};
    bool hasPair = extraPair(host, pair);
    switch (kind) {
    case kNsSize:
        return PutWord(data, static_cast<uint32_t>(8 * n));
    case kNsCount:
        return PutWord(data, static_cast<uint32_t>(tableSources(host).size() + (hasPair ? 2 : 0)));
    case kNsList: {
        if (!data) return kNsNoBuffer;
        std::vector<uint32_t> ids = tableSources(host);
        if (hasPair) ids.insert(ids.end(), {pair.first, pair.second});
        return PutWords(data, ids.data(), ids.size());
    }
    case kNsGet: {
        if (!data) return kNsNoBuffer;
        uint32_t source = host.Priv16(model::kListBSourceWord);
        if (source == kSourcePairFirst && hasPair) source = pair.first;
        else if (source == kSourcePairSecond && hasPair) source = pair.second;
        std::vector<uint32_t> words(2 * n);
        for (size_t i = 0; i < n; ++i) {
            words[2 * i] = table.Page(i, kShiftB);
            words[2 * i + 1] = source;
        }
        return PutWords(data, words.data(), words.size());
    }
    case kNsSet:
        break;
    case kNsDefault:
        if (!CanInsertPages(host)) return kNsRefused;
        if (!table.Reachable()) return kNsNoBuffer;
        clearListB(table, n);
        return kNsDone;
    default:
        return kNsNotSupported;
    }
    if (!data || n == 0) return kNsNoBuffer;
    if (!CanInsertPages(host)) return kNsRefused;
    ByteView in(data, 8 * n);
    std::vector<uint32_t> pages(n), sources(n);
    for (size_t i = 0; i < n; ++i) {
        in.u32(8 * i, pages[i]);
        in.u32(8 * i + 4, sources[i]);
        if (pages[i] > kMaxPage) return kNsNotSupported;
    }
    size_t chosen = 0;
    while (chosen < n && pages[chosen] == 1) ++chosen;
    if (chosen == n) chosen = 0;
    if (pages[chosen] != 0 && !validSource(host, sources[chosen])) return kNsNotSupported;
    if (!table.Reachable()) return kNsNoBuffer;
    if (host.Option16(201) != 5) host.SetOption16(201, 5);
    takeListB(table);
    // A page number of 1 names the first page, which always takes the list's source: no entry.
    for (size_t i = 0; i < n; ++i) table.SetPage(i, kShiftB, pages[i] == 1 ? 0 : pages[i]);
    table.Bytes().put_u16(model::kListBSourceWord, storedSource(sources[chosen], pages[chosen]));
    table.Bytes().put_u8(model::kListBCount, table.Sort(n, kShiftB));
    table.SetListFlag(kListFlagB, table.Page(0, kShiftB) != 0);
    return kNsDone;
}

// --- 0x100EC, 0x100ED: the two lists of 30 numbers -------------------------------------------

namespace {

std::vector<uint32_t> list30(const NonSvHost& host, size_t at) {
    std::vector<uint32_t> pages(model::kPageListEntries);
    for (size_t i = 0; i < pages.size(); ++i)
        pages[i] = static_cast<uint32_t>(static_cast<int32_t>(static_cast<int16_t>(host.Priv16(at + 2 * i))));
    return pages;
}

int pageList30(NonSvHost& host, int kind, void* data, bool second) {
    if (!host.model->pageList30Flag) return kNsNotSupported;
    size_t at = second ? model::kPageList30B : model::kPageList30A;
    constexpr size_t n = model::kPageListEntries;
    std::vector<uint32_t> zeros;
    switch (kind) {
    case kNsSize:
        return PutWord(data, 4 * n);
    case kNsGet: {
        std::vector<uint32_t> pages = list30(host, at);
        return PutWords(data, pages.data(), n);
    }
    case kNsDefault:
        zeros.assign(n, 0);
        data = zeros.data();
        break;
    case kNsSet:
        break;
    default:
        return kNsNotSupported;
    }
    if (!data) return kNsNoBuffer;
    if (second && !HasFinisherFeatureA(host)) return kNsRefused;
    std::vector<uint32_t> pages;
    if (!takePages(data, n, pages)) return kNsNotSupported;
    if (second) {
        std::vector<uint32_t> first = list30(host, model::kPageList30A);
        for (uint32_t p : pages)
            if (p && std::find(first.begin(), first.end(), p) == first.end()) return kNsRefused;
    }
    MutableByteView priv = host.Private();
    if (!priv.contains(at, 2 * n)) return kNsNoBuffer;
    sortPages(pages);
    for (size_t i = 0; i < n; ++i) priv.put_u16(at + 2 * i, static_cast<uint16_t>(pages[i]));
    return kNsDone;
}

}  // namespace

int PageList30A(NonSvHost& host, int kind, void* data) { return pageList30(host, kind, data, false); }
int PageList30B(NonSvHost& host, int kind, void* data) { return pageList30(host, kind, data, true); }

}  // namespace nonsv
