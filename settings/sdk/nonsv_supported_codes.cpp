// The list of request codes the device supports (0x10012), each with its attribute word (0, -1
// or -2). One builder makes the list; the count, the code list and the pair list all come from
// it, so a caller that sized its buffer by the count never receives more.
#include "settings/sdk/nonsv_operations.h"

#include "core/device/service_table.h"
#include "core/devmode/device_option_block.h"
#include "settings/registry/conflict.h"
#include "settings/sdk/nonsv_predicates.h"

#include <vector>

namespace nonsv {

namespace {

struct CodeEntry {
    uint32_t code;
    int32_t attribute;
};

constexpr CodeEntry kFixedCodes[] = {
    {0x10000, 0},  {0x10001, 0},  {0x10002, -1}, {0x10003, -1}, {0x10064, -1}, {0x10065, -1}, {0x10066, -1},
    {0x10067, -1}, {0x1000A, -1}, {0x1007A, -1}, {0x1007B, 0},  {0x1007D, -1}, {0x10008, -1}, {0x10009, -1},
    {0x1007E, -1}, {0x10013, 0},  {0x1000D, 0},  {0x1000F, 0},  {0x1000B, 0},  {0x1000C, 0},  {0x1000E, 0},
    {0x1002B, 0},  {0x10041, -1}, {0x10011, -1}, {0x10047, 0},  {0x1004C, 0},  {0x1004D, 0},  {0x1004E, 0},
    {0x1004A, 0},  {0x10012, 0},  {0x100C9, -1}, {0x10113, -2}, {0x1002D, -1}, {0x1002E, -1}, {0x1007C, -1},
    {0x10051, 0},  {0x1003F, 0},  {0x1002C, 0},  {0x1010A, 0},  {0x1010C, 0},  {0x1010D, 0},  {0x1010E, 0},
    {0x1012D, -1}, {0x1013F, -1}, {0x10156, 0},  {0x10157, 0},  {0x10052, -1}, {0x1012E, 0},
};
static_assert(sizeof kFixedCodes / sizeof kFixedCodes[0] == 48);

// Codes of setting items, listed when their size request answers 0 or 3.
constexpr CodeEntry kItemCodes[] = {
    {0x1006E, -1}, {0x10072, -1}, {0x10073, -1}, {0x10014, -1}, {0x10074, -1}, {0x1007F, -1}, {0x10082, -1},
    {0x10087, -1}, {0x1001E, -1}, {0x10021, -1}, {0x10022, -1}, {0x10023, -1}, {0x10024, -1}, {0x1002A, -1},
    {0x100D2, -1}, {0x100D3, -1}, {0x100D4, -1}, {0x100D7, -1}, {0x100D8, -1}, {0x100DB, -1}, {0x100DE, -1},
    {0x100DF, -1}, {0x100E0, -1}, {0x100DC, -1}, {0x10053, 0},  {0x10078, 0},  {0x10030, -1}, {0x1003D, -1},
    {0x10110, -1}, {0x10111, -1}, {0x10138, -1}, {0x10116, -1}, {0x10145, -1}, {0x10080, -1}, {0x100CD, -1},
    {0x100CF, -1}, {0x100D5, -1}, {0x100D1, -1}, {0x10144, -2}, {0x10147, -1},
};
static_assert(sizeof kItemCodes / sizeof kItemCodes[0] == 40);

// The driver's own codes, listed when their size request answers 0 or 3.
constexpr CodeEntry kOwnCodes[] = {
    {0x10016, -1}, {0x1001C, -1}, {0x10005, -1}, {0x10010, 0},  {0x1003B, 0},  {0x10045, 0},  {0x1003E, 0},
    {0x10040, 0},  {0x10050, 0},  {0x10042, 0},  {0x100EA, -1}, {0x100E7, 0},  {0x100E8, 0},  {0x10112, 0},
    {0x1011C, 0},  {0x10115, 0},  {0x10118, 0},  {0x1013C, 0},  {0x10130, 0},  {0x1012F, 0},  {0x1013D, 0},
    {0x10117, -1}, {0x10158, 0},  {0x10159, 0},  {0x1015A, 0},  {0x1005D, -1}, {0x10132, -1}, {0x10153, -1},
    {0x10017, -1}, {0x10018, -1}, {0x10019, -1}, {0x1001A, -1}, {0x1001B, -1}, {0x1001F, -1}, {0x100DD, 0},
    {0x100EC, -1},
};
static_assert(sizeof kOwnCodes / sizeof kOwnCodes[0] == 36);

bool answersSize(NonSvHost& host, uint32_t code) {
    uint32_t size = 0;
    int answer = host.Request(kNsSize, code, &size);
    return answer == kNsDone || answer == kNsRefused;
}

std::vector<CodeEntry> buildCodes(NonSvHost& host) {
    std::vector<CodeEntry> codes(std::begin(kFixedCodes), std::end(kFixedCodes));
    auto add = [&](uint32_t code, int32_t attribute = -1) { codes.push_back({code, attribute}); };
    const ModelDescription& m = *host.model;
    bool testBit = TestDeviceOptionBit(host);
    uint16_t spooling = 0;
    if (host.deviceOption) devopt::GetValue(host.deviceOption, devopt::kValueSpooling, &spooling, sizeof spooling);
    CmSvConflict* registry = host.Registry();

    uint32_t booklet = host.Device32(nsdevice::kBookletKind);
    bool booklets = booklet == 2 || (booklet == 1 && host.DopBit(nsdop::kByte9, 0));
    if (booklets) {
        add(0x10068, m.CodeFlag(0x10068) || host.DopBit(nsdop::kByte982, 2) ? -2 : -1);
        if (!(host.CodeState(0x1006B) == kNsNotSupported || (m.bookletUnitFlag && spooling == 2))) {
            add(0x1006B);
            add(0x10006);
            add(0x10089);
        }
        if (HasFinisherFeatureB(host)) {
            if (host.CodeState(0x1006C) != kNsNotSupported) add(0x1006C);
            add(0x10031);
        }
    }
    if (host.DopBit(nsdop::kPageLists, 4) && host.DopBit(nsdop::kByte9, 5)) {
        add(0x10028);
        add(0x10029);
    }
    if (IsZFoldAvailable(host)) add(0x10039);
    if (IsPunchAvailable(host)) add(0x10038);
    if (HasFinisherFeatureA(host)) {
        add(0x1003A);
        add(0x1006A, testBit ? -2 : -1);
        if (registry && registry->IsSdkValueShown(host.ctx, 0x1007F, 6) == 1) add(0x1010B);
    }
    if (IsRotateAvailable(host)) add(0x10037);
    if (m.accountKind == 1) {
        add(0x10032);
        add(0x10061);
        add(0x10060);
    }
    if (m.pageListFlag == 1 && host.DopBit(nsdop::kPageLists, 3) && spooling != 2) {
        add(0x10043);
        add(0x1004B);
        add(0x10055);
    }
    HANDLE printer = host.ctx && host.ctx->svc ? host.ctx->svc->GetPrinterHandle(host.ctx) : nullptr;
    uint32_t pseudoField = host.ctx && host.ctx->svc && host.ctx->svc->IsPseudoPrinter(host.ctx, printer)
                               ? host.ctx->svc->PseudoPrinterGetField8(host.ctx, printer)
                               : 0;
    uint8_t finisher = host.Dop8(nsdop::kFinisherCode);
    if (pseudoField != 4 &&
        (((host.Dop32(nsdop::kFlagWord) & ((1u << 0) | (1u << 12))) && !m.sourceListFlag) ||
         (host.modelCode == 3001 && host.DopBit(nsdop::kByte9, 0) && finisher == 38)))
        add(0x10015);
    if (finisher == 38 && booklets) add(0x10058);
    if (testBit) add(0x1003C, -2);
    if (!m.CodeFlag(0x10044)) add(0x10044, 0);
    add(0x10007);
    add(0x10057);
    if (host.DopBit(nsdop::kByte982, 7)) add(0x10063, -2);
    if (HasLayoutOptions(host)) {
        add(0x10025);
        add(0x10026);
        // The layout options are asked as a group: 0x10026 before 0x1004F.
        answersSize(host, 0x10026);
        add(0x1004F);
        add(0x10027);
    }
    if (m.CodeFlag(0x100CB)) add(0x100CB);
    if (m.CodeFlag(0x100CC) && finisher != 0 && finisher != 20 && !(finisher == 21 && !host.DopBit(nsdop::kSecondByte, 3))) {
        add(0x100CC);
        if (m.CodeFlag(0x10115)) add(0x10114);
    }
    if (m.trayKind == 2 || m.trayKind == 3) add(0x10083);
    if (m.pageListBFlag && host.DopBit(nsdop::kPageLists, 1)) add(0x100C8);
    if (m.CodeFlag(0x10056)) add(0x10056, 0);
    if (m.CodeFlag(0x100CA)) add(0x100CA, 0);
    if (host.Device16(nsdevice::kDeviceClass) == 0x100) add(0x1006F);
    if (HasSizeClasses(host))
        for (uint32_t code : {0x10119u, 0x1011Au, 0x1011Bu, 0x1011Fu, 0x1011Eu, 0x1011Du, 0x1013Au, 0x1013Bu, 0x10139u})
            add(code);

    for (const CodeEntry& item : kItemCodes) {
        int32_t attribute = item.code == 0x10074 && testBit ? -2 : item.attribute;
        if (answersSize(host, item.code)) add(item.code, attribute);
    }

    if (registry && registry->IsSdkValueEnabled(host.ctx, 0x10002, 3) == 1) add(0x100E6);
    if (m.mediaLibraryFlag) add(0x10131, 0);
    if (m.CodeFlag(0x10150) && host.DopBit(nsdop::kThirdByte, 3)) add(0x10150);
    if (IsCode10155Available(host)) add(0x10155);
    if (m.pageList30Flag && HasFinisherFeatureA(host)) add(0x100ED);

    for (const CodeEntry& own : kOwnCodes)
        if (answersSize(host, own.code)) add(own.code, own.attribute);
    return codes;
}

}  // namespace

int GetSupportedCodes(NonSvHost& host, int kind, void* data) {
    if (kind == kNsSize) return PutWord(data, 4);
    if (kind != kNsCount && kind != kNsList && kind != kNsPairs) return kNsNotSupported;
    if (!data) return kNsNoBuffer;
    std::vector<CodeEntry> codes = buildCodes(host);
    if (kind == kNsCount) return PutWord(data, static_cast<uint32_t>(codes.size()));
    std::vector<uint32_t> words;
    for (const CodeEntry& e : codes) {
        words.push_back(e.code);
        if (kind == kNsPairs) words.push_back(static_cast<uint32_t>(e.attribute));
    }
    return PutWords(data, words.data(), words.size());
}

}  // namespace nonsv
