// Reading the rule sources. Every size that comes from outside (a file's length, an unpacked
// size, a data item's size, an XML size element) is checked against the bounds before a buffer
// is made, and a source that does not fit, does not read or does not inflate is reported by
// name while the others still load.
#include "settings/rules/rule_sources.h"

#include "core/datafile/data_item_cursor.h"
#include "core/datafile/device_data.h"
#include "core/datafile/device_data_layout.h"
#include "core/device/service_table.h"
#include "settings/rules/rule_version.h"
#include "settings/rules/rule_xml.h"

#include <windows.h>

#include <cstring>
#include <string_view>

namespace {

constexpr int kQueryDataItems = 7;

void Report(RuleSourceLoad& out, std::string_view what) {
    out.errors.append(what);
    out.errors += '\n';
}

void Report(RuleSourceLoad& out, std::string_view a, std::string_view b, std::string_view c) {
    PoolString line;
    line.append(a);
    line.append(b);
    line.append(c);
    Report(out, line);
}

// The whole file at `path`, with one NUL after it; false when it cannot be read or is too big.
bool ReadWholeFile(const char* path, PoolString& bytes, RuleSourceLoad& out) {
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                              nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        Report(out, "the rule file \"", path, "\" does not open");
        return false;
    }
    DWORD high = 0;
    const DWORD size = GetFileSize(file, &high);
    bool ok = false;
    if (size == INVALID_FILE_SIZE || high != 0 || size > kRuleSourceLimit) {
        Report(out, "the rule file \"", path, "\" is larger than a rule source may be");
    } else if (SetFilePointer(file, 0, nullptr, FILE_BEGIN) == INVALID_SET_FILE_POINTER) {
        Report(out, "the rule file \"", path, "\" does not seek");
    } else {
        bytes.assign(size + 1, '\0');
        DWORD read = 0;
        ok = ReadFile(file, bytes.data(), size, &read, nullptr) && read == size;
        if (!ok) {
            Report(out, "the rule file \"", path, "\" does not read whole");
            bytes.clear();
        } else {
            bytes.resize(size);
        }
    }
    CloseHandle(file);
    return ok;
}

void TakeXml(std::string_view xml, std::string_view what, RuleSourceLoad& out) {
    XmlRuleScan scan = ScanXmlRules(xml);
    if (scan.hasVersion) out.commonVersion = scan.version;
    if (scan.aborted) {
        Report(out, what, " is not well-formed rule XML", "");
        return;
    }
    if (!scan.hasRule) {
        Report(out, what, " has no rule element", "");
        return;
    }
    out.text = std::move(scan.rule);
    out.hasText = true;
}

void LoadRuleFile(UIDEVDATA* ctx, const DeviceData& data, uint32_t kind, RuleSourceLoad& out) {
    const char* name = data.TextAt(devicedata::kRuleFileNameHandle);
    if (!name || !*name) {
        Report(out, "the device names no rule file");
        return;
    }
    const char* folder = ctx->svc->GetDriverDirectory(ctx);
    if (!folder) folder = "";
    if (std::strlen(folder) + 1 + std::strlen(name) + 1 > kRulePathLimit) {
        Report(out, "the path of the rule file \"", name, "\" is too long");
        return;
    }
    PoolString path(folder);
    path += '\\';
    path += name;
    PoolString bytes;
    if (!ReadWholeFile(path.c_str(), bytes, out)) return;

    PoolString what("the rule file \"");
    what += name;
    what += '"';
    const bool xml = bytes.starts_with("<?") || bytes.starts_with("\xEF\xBB\xBF");
    if (xml || kind == kRuleSourceXmlFile) return TakeXml(bytes, what, out);

    const uint32_t unpacked = data.U32(devicedata::kRuleFileUnpackedSize);
    if (unpacked == 0 || unpacked >= kRuleSourceLimit) {
        Report(out, what, " has no usable unpacked size", "");
        return;
    }
    PoolString text(size_t{unpacked} + 1, '\0');
    if (!ctx->svc->Inflate(ctx, bytes.data(), static_cast<DWORD>(bytes.size()), text.data(),
                           static_cast<DWORD>(text.size()))) {
        Report(out, what, " does not inflate to its recorded size", "");
        return;
    }
    bytes.clear();
    bytes.shrink_to_fit();
    text.resize(strnlen(text.data(), text.size()));
    TakeXml(text, what, out);
}

// A 4-byte version item, read only when it is exactly 4 bytes.
void ReadVersionItem(DataItemCursor* items, uint32_t id, int32_t& version, RuleSourceLoad& out) {
    const UINT size = items->ops->ItemSizeAt2(items, id);
    if (size == 0) return;
    int32_t value = 0;
    if (size != sizeof value || items->ops->ReadItemAt4(items, id, &value, sizeof value) != sizeof value) {
        Report(out, id == kCommonVersionItem ? "the common rule version item is not a 4-byte number"
                                             : "the PDL rule version item is not a 4-byte number");
        return;
    }
    version = value;
}

void LoadDataItems(UIDEVDATA* ctx, RuleSourceLoad& out) {
    void* interface = nullptr;
    if (!ctx->svc->Query(ctx, kQueryDataItems, 0, &interface) || !interface) {
        Report(out, "the driver data file's items cannot be read");
        return;
    }
    auto* items = static_cast<DataItemCursor*>(interface);
    ReadVersionItem(items, kCommonVersionItem, out.commonVersion, out);
    ReadVersionItem(items, kPdlVersionItem, out.pdlVersion, out);
    uint32_t id = kRuleTextItemFirst;
    UINT size = items->ops->ItemSizeAt2(items, id);
    if (size == 0) size = items->ops->ItemSizeAt2(items, id = kRuleTextItem);
    if (size > kRuleSourceLimit) {
        Report(out, "the rule text item is larger than a rule source may be");
    } else if (size != 0) {
        PoolString text(size_t{size} + 1, '\0');
        if (items->ops->ReadItemAt4(items, id, text.data(), size) == size) {
            text.resize(strnlen(text.data(), size));
            out.text = std::move(text);
            out.hasText = true;
        } else {
            Report(out, "the rule text item does not read whole");
        }
    }
    items->ops->Release(items);
}

}  // namespace

void LoadRuleSources(UIDEVDATA* ctx, RuleSourceLoad& out) {
    DeviceData* data = ctx && ctx->svc ? ctx->svc->LoadDeviceData(ctx) : nullptr;
    if (!data) {
        Report(out, "the driver data file is not loaded");
        return;
    }
    const uint32_t kind = data->U32(devicedata::kRuleSourceKind);
    switch (kind) {
    case kRuleSourceEmbedded:
    case kRuleSourceEmbeddedToo:
        if (const char* text = data->TextAt(devicedata::kRuleTextHandle)) {
            out.commonVersion = ScanRuleVersion(text);
            out.text.assign(text);
            out.hasText = true;
        }
        break;
    case kRuleSourceXmlFile:
    case kRuleSourceZlibFile:
        LoadRuleFile(ctx, *data, kind, out);
        break;
    case kRuleSourceDataItems:
        LoadDataItems(ctx, out);
        break;
    default:
        break;
    }
}
