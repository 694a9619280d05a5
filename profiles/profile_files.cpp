// Profile files: a 36-byte header that begins with "VOMEL PROFILE SYSTEM for 9x", then one
// profile record and nothing else. A file is outside input: its sizes are checked against its
// own length before anything in it is believed, and a bad file is refused with one message.
#include "profiles/cm_profile.h"

#include "core/datafile/device_data.h"
#include "core/datafile/device_data_layout.h"
#include "core/device/service_table.h"
#include "core/devmode/devmode_layout.h"
#include "core/helpers/byte_view.h"

#include <cstring>

using namespace profile;

namespace {

constexpr UINT kMessageCannotOpen = 18;
constexpr UINT kMessageNotAProfile = 19;
constexpr size_t kFilterRoom = 128;
constexpr UINT kFilterStrings[] = {4001, 4003, 4002, 4004};
// The checks read the device mode up to its model number: a record shorter than that is no
// profile of ours.
constexpr size_t kShortestRecord = kRecordDevmode + devmode::kOffPdlId + 2;
constexpr DWORD kOptionColourMode = 222, kOptionColourBlock = 250;
constexpr uint32_t kForeignDevmodeFlags = 0x1 | 0x20000;

class OpenFile {
public:
    explicit OpenFile(const char* name)
        : handle_(name ? CreateFileA(name, GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)
                       : INVALID_HANDLE_VALUE) {}
    ~OpenFile() {
        if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
    }
    OpenFile(const OpenFile&) = delete;
    OpenFile& operator=(const OpenFile&) = delete;
    bool IsOpen() const { return handle_ != INVALID_HANDLE_VALUE; }
    // Reads up to room bytes; false on a failed read.
    bool Read(void* buffer, DWORD room, DWORD& got) { return ReadFile(handle_, buffer, room, &got, nullptr) != FALSE; }

private:
    HANDLE handle_;
};

}  // namespace

bool CmProfile::ExportProfileFile(HWND owner, const char* fileName, const ProfileRecord& record) {
    if (!IsSoundRecord(record.data(), record.size())) return false;
    std::vector<uint8_t> file(kFileHeaderSize + record.size(), 0);
    MutableByteView view(file.data(), file.size());
    view.put_bytes(0, kFileSignature, sizeof kFileSignature - 1);
    view.put_u16(32, 1);
    view.put_u16(34, 1);
    view.put_bytes(kFileHeaderSize, record.data(), record.size());
    return SaveFile(owner, fileName, file.data(), static_cast<DWORD>(file.size()));
}

ProfileRecord CmProfile::ImportProfileFile(HWND owner, const char* fileName, bool quiet) {
    auto refuse = [&](UINT message) {
        if (!quiet) ShowMessage(owner, message);
        return ProfileRecord{};
    };
    OpenFile file(fileName);
    if (!file.IsOpen()) return refuse(kMessageCannotOpen);
    uint8_t header[kFileHeaderSize] = {};
    DWORD got = 0;
    if (!file.Read(header, sizeof header, got)) return {};
    if (got < sizeof header || std::memcmp(header, kFileSignature, kFileSignatureCompared) != 0)
        return refuse(kMessageNotAProfile);

    // The rest of the file, read with one byte of room beyond the largest record, so that a
    // file longer than any profile is seen as such.
    std::vector<uint8_t> rest(kRecordLimit + 1, 0);
    if (!file.Read(rest.data(), static_cast<DWORD>(rest.size()), got)) return {};
    rest.resize(got);
    ByteView body(rest.data(), rest.size());
    uint16_t recordSize = 0, dmSize = 0, extra = 0, specVersion = 0, pdl = 0;
    if (!body.u16(kRecordSize, recordSize) || recordSize < kShortestRecord || recordSize > rest.size() ||
        rest.size() > kRecordLimit)
        return refuse(kMessageNotAProfile);
    body.u16(kRecordDevmode + devmode::kOffSize, dmSize);
    body.u16(kRecordDevmode + devmode::kOffDriverExtra, extra);
    if (size_t{dmSize} + extra < devmode::kHeaderEnd || kRecordDevmode + dmSize + size_t{extra} > recordSize)
        return refuse(kMessageNotAProfile);
    const size_t grown = RecordSizeForCurrent(recordSize);
    // A record that must grow is the last thing in its file; more bytes are not a file we wrote.
    if (grown > recordSize && rest.size() > recordSize) return {};
    if (grown > kRecordLimit) return refuse(kMessageNotAProfile);

    UIDEVDATA* ctx = Owner();
    DeviceData* data = ctx->svc->LoadDeviceData(ctx);
    body.u16(kRecordDevmode + devmode::kOffSpecVersion, specVersion);
    body.u16(kRecordDevmode + devmode::kOffPdlId, pdl);
    if (specVersion != devmode::kSpecVersion || !data || pdl != static_cast<uint16_t>(data->U32(devicedata::kPdlId)) ||
        (GetDevmodeFlags(rest.data() + kRecordDevmode) & kForeignDevmodeFlags) == kForeignDevmodeFlags)
        return refuse(kMessageNotAProfile);

    ProfileRecord record(grown, 0);
    std::memcpy(record.data(), rest.data(), recordSize);
    MutableByteView(record.data(), record.size()).put_u16(kRecordSize, static_cast<uint16_t>(grown));
    record[kRecordName + kNameSize - 1] = 0;
    record[kRecordComment + kCommentSize - 1] = 0;
    const auto model = static_cast<uint16_t>(ctx->svc->GetDeviceDataValue2(ctx));
    const bool converted = EditRecordDevmode(record, [&](uint8_t* dm) {
        SetColourBlockDefaults(dm);
        MutableByteView(dm, devmode::kHeaderEnd).put_u16(devmode::kOffModelNumber, model);
        uint16_t colourMode = 0xFFFF;
        uint8_t block[130] = {};
        if (ctx->svc->GetOption(ctx, dm, kOptionColourMode, &colourMode, sizeof colourMode) && colourMode <= 2 &&
            ctx->svc->GetOption(ctx, dm, kOptionColourBlock, block, sizeof block)) {
            block[101] = colourMode == 0 ? 1 : 0;
            ctx->svc->SetOption(ctx, dm, kOptionColourBlock, block, sizeof block);
        }
    });
    return converted ? record : ProfileRecord{};
}

std::string CmProfile::GetFileFilter() const {
    UIDEVDATA* ctx = Owner();
    std::string filter;
    char text[kFilterRoom] = {};
    for (UINT id : kFilterStrings) {
        if (filter.size() + 2 >= kFilterRoom) break;
        const int room = static_cast<int>(kFilterRoom - 1 - filter.size());
        const int length = ctx->svc->LoadString(ctx, id, text, room);
        filter.append(text, static_cast<size_t>(length > 0 ? length : 0));
        filter.push_back('\0');
    }
    filter.push_back('\0');
    return filter;
}
