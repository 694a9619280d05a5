// The built-in profiles: the table of what each printer offers, their list, their records read
// from the resource module and completed for the printer, and their merge into a stored list.
#include "profiles/profile.h"

#include "core/datafile/device_data.h"
#include "core/datafile/device_data_layout.h"
#include "core/device/service_table.h"
#include "core/helpers/byte_view.h"

#include <algorithm>
#include <cstring>

using namespace profile;

namespace {

constexpr uint32_t kEnglishUs = 0x409;
constexpr UINT kNameStandard = 8118, kNameDefault = 8120;
constexpr size_t kBuiltInListEntries = 8;  // the table's seven rows and the end entry

enum class Offered { Always, Profile5, NotEnglishUs, EnglishUs, ModelAvailable };

struct BuiltInRow {
    uint16_t id;
    UINT nameId;
    uint16_t icon;
    UINT commentId;
    UINT resourceOther;    // the language is not 0x409
    UINT resourceEnglish;  // the language is 0x409
    Offered offered;
};

constexpr BuiltInRow kBuiltIns[] = {
    {1, 10726, 1, 8124, 12017, 12022, Offered::Always},
    {4, 8116, 5, 8125, 12018, 12023, Offered::Always},
    {5, 8117, 6, 8126, 12019, 12024, Offered::Profile5},
    {6, kNameStandard, 7, 8127, 12005, 0, Offered::NotEnglishUs},
    {17, kNameDefault, 70, 8129, 0, 12025, Offered::EnglishUs},
    {7, 8119, 8, 8128, 12020, 12026, Offered::Always},
    {8, 8123, 9, 8133, 12021, 12027, Offered::ModelAvailable},
};
static_assert(std::size(kBuiltIns) + 1 == kBuiltInListEntries);

constexpr uint16_t kModelsWithoutProfile8[] = {2046, 2047, 2048, 2060, 2064, 2070, 2072, 2076,
                                               2077, 2078, 2079, 2081, 2082, 2083, 2086};

struct Facts {
    uint32_t language = 0;
    uint16_t model = 0;
    uint32_t profile5 = 0;
    uint32_t colour = 0;
};

Facts FactsOf(const DeviceData& data) {
    return {data.U32(devicedata::kLanguageId), data.ModelCode(), data.U32(devicedata::kProfile5Flag),
            data.U32(devicedata::kColorState)};
}

bool IsOffered(const BuiltInRow& row, const Facts& facts) {
    switch (row.offered) {
    case Offered::Always: return true;
    case Offered::Profile5: return facts.profile5 != 0;
    case Offered::NotEnglishUs: return facts.language != kEnglishUs;
    case Offered::EnglishUs: return facts.language == kEnglishUs;
    case Offered::ModelAvailable: return Profile::IsModelProfileAvailable(facts.model, facts.colour);
    }
    return false;
}

UINT CommentFor(const BuiltInRow& row, uint16_t model) {
    if (row.id != 5) return row.commentId;
    if (model == 2035 || model == 2036 || model == 2041 || model == 2043) return 8131;
    if (model == 3001) return 8130;
    return row.commentId;
}

}  // namespace

bool Profile::IsModelProfileAvailable(uint16_t model, uint32_t colourFlag) {
    return colourFlag == 0 && std::find(std::begin(kModelsWithoutProfile8), std::end(kModelsWithoutProfile8), model) ==
                                  std::end(kModelsWithoutProfile8);
}

std::string Profile::LoadText(UINT id, size_t room) const {
    UIDEVDATA* ctx = Owner();
    std::vector<char> text(room, 0);
    const int length = ctx->svc->LoadString(ctx, id, text.data(), static_cast<int>(room));
    return std::string(text.data(), static_cast<size_t>(std::max(length, 0)));
}

ProfileList Profile::BuildDefaultList() {
    UIDEVDATA* ctx = Owner();
    DeviceData* data = ctx->svc->LoadDeviceData(ctx);
    if (!data) return {};
    const Facts facts = FactsOf(*data);
    std::vector<ProfileListEntry> entries;
    for (const BuiltInRow& row : kBuiltIns) {
        if (!IsOffered(row, facts)) continue;
        ProfileListEntry entry;
        const std::string name = LoadText(row.nameId, kNameSize);
        if (name.empty()) return {};
        std::memcpy(entry.name, name.data(), std::min(name.size(), kNameSize - 1));
        entry.type = kTypeBuiltIn;
        entry.icon = row.icon;
        entries.push_back(entry);
    }
    ProfileList list = MakeList(entries);
    list.resize(kBuiltInListEntries * kEntrySize, 0);
    return list;
}

ProfileRecord Profile::ReadBuiltInRecord(const char* name) {
    UIDEVDATA* ctx = Owner();
    DeviceData* data = name ? ctx->svc->LoadDeviceData(ctx) : nullptr;
    if (!data) return {};
    const Facts facts = FactsOf(*data);
    const BuiltInRow* found = nullptr;
    std::string rowName;
    for (const BuiltInRow& row : kBuiltIns) {
        rowName = LoadText(row.nameId, kNameSize);
        if (!rowName.empty() && rowName == name) {
            found = &row;
            break;
        }
    }
    if (!found) return {};
    const UINT resource = facts.language == kEnglishUs ? found->resourceEnglish : found->resourceOther;
    DWORD size = 0;
    const auto* bytes = resource ? static_cast<const uint8_t*>(ctx->svc->FindResource(ctx, resource, kBuiltInResourceType, &size)) : nullptr;
    // The resource is a profile file; one too short for its header and a whole record is refused.
    if (!bytes || size < kFileHeaderSize + kRecordDevmode ||
        std::memcmp(bytes, kFileSignature, kFileSignatureCompared) != 0)
        return {};
    const uint8_t* body = bytes + kFileHeaderSize;
    const size_t bodySize = size - kFileHeaderSize;
    if (!IsSoundRecord(body, bodySize)) return {};
    const size_t grown = RecordSizeForCurrent(bodySize);
    if (grown > kRecordLimit) return {};
    ProfileRecord record(grown, 0);
    std::memcpy(record.data(), body, bodySize);
    MutableByteView view(record.data(), record.size());
    // The record's size is its buffer's, as an imported record's is.
    view.put_u16(kRecordSize, static_cast<uint16_t>(grown));
    view.put_u16(kRecordType, kTypeBuiltIn);
    view.fill(kRecordName, 0, kNameSize);
    view.put_bytes(kRecordName, rowName.data(), std::min(rowName.size(), kNameSize - 1));
    const std::string comment = LoadText(CommentFor(*found, facts.model), kCommentSize);
    view.fill(kRecordComment, 0, kCommentSize);
    view.put_bytes(kRecordComment, comment.data(), std::min(comment.size(), kCommentSize - 1));
    const bool converted = EditRecordDevmode(record, [&](uint8_t* dm) {
        NormalizeBuiltInDevmode(dm);
        ApplyModelDefaults(dm, *data);
    });
    return converted ? record : ProfileRecord{};
}

ProfileList Profile::MergeList(const ProfileList& stored) {
    const ProfileList builtIn = BuildDefaultList();
    const uint32_t builtInCount = CountEntries(builtIn), storedCount = CountEntries(stored);
    uint32_t a = 0, b = 0;
    bool allFound = true;
    for (uint32_t i = 0; i < builtInCount; ++i) {
        const ProfileListEntry e = EntryAt(builtIn, i);
        if (e.type != kTypeBuiltIn) continue;
        ++a;
        bool found = false;
        for (uint32_t j = 0; j < storedCount && !found; ++j) {
            const ProfileListEntry s = EntryAt(stored, j);
            found = s.type == kTypeBuiltIn && std::strcmp(s.name, e.name) == 0;
        }
        allFound = allFound && found;
    }
    for (uint32_t j = 0; j < storedCount; ++j) b += EntryAt(stored, j).type == kTypeBuiltIn ? 1 : 0;
    if (a == b && allFound) return {};
    std::vector<ProfileListEntry> entries;
    for (uint32_t i = 0; i < builtInCount; ++i) entries.push_back(EntryAt(builtIn, i));
    for (uint32_t j = 0; j < storedCount; ++j) {
        const ProfileListEntry s = EntryAt(stored, j);
        if (s.type != kTypeBuiltIn) entries.push_back(s);
    }
    return MakeList(entries);
}

std::vector<std::pair<std::string, std::string>> Profile::GetRenameTable() {
    UIDEVDATA* ctx = Owner();
    DeviceData* data = ctx->svc->LoadDeviceData(ctx);
    if (!data) return {};
    const bool english = data->U32(devicedata::kLanguageId) == kEnglishUs;
    std::string standard = LoadText(kNameStandard, kNameSize), byDefault = LoadText(kNameDefault, kNameSize);
    if (standard.empty() || byDefault.empty()) return {};
    if (english) return {{standard, byDefault}};
    return {{byDefault, standard}};
}

CmModule* MakeProfileStore(UIDEVDATA* ctx) {
    if (!ctx || !ctx->svc) return nullptr;
    auto* store = new Profile(ctx, 0);
    store->ReloadTable();
    return store;
}
