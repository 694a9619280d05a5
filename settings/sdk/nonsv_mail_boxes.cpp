// Request codes of the device's mail boxes: the highest box number, the named boxes, and the box
// a job goes to with its name. Box records come from the model table (300 records, a 67-byte
// name field each); the box number of a job is one byte, so a box above 255 is refused rather
// than cut to another box.
#include "settings/sdk/nonsv_operations.h"

#include "core/device/service_table.h"
#include "core/devmode/model_section.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace nonsv {

namespace {

namespace model = devmode::model;

constexpr size_t kListEntry = 68;
constexpr size_t kNameField = 64;
constexpr size_t kDestinationEntry = 72;
constexpr size_t kMaxDestinationName = 24;  // characters of a box name a job may carry
constexpr uint32_t kBitByName = 1u << 29;
constexpr uint32_t kBitLocked = 1u << 31;

bool hasMailBoxes(const NonSvHost& host) { return host.Device32(nsdevice::kMailBoxKind) != 0; }

uint32_t highest(const NonSvHost& host) { return host.Device32(nsdevice::kMailBoxHighest); }

// Records the device's box range covers, at most the table's 300; none when highest < lowest.
size_t boxCount(const NonSvHost& host) {
    int64_t n = int64_t{highest(host)} - int64_t{host.Device32(nsdevice::kMailBoxLowest)} + 1;
    return static_cast<size_t>(std::clamp<int64_t>(n, 0, kMailBoxCount));
}

bool named(const MailBoxRecord& box) { return box.name[0] != '\0'; }

// The models that keep the job's box in the device mode's private part.
bool keepsBoxPrivately(const NonSvHost& host) { return host.model->mailBoxSwitch != 0; }

uint8_t currentBox(NonSvHost& host) {
    if (keepsBoxPrivately(host)) return host.Priv8(model::kMailBoxArea);
    uint8_t box = 0;
    if (host.ctx && host.ctx->svc && host.devmode) host.ctx->svc->GetOption(host.ctx, host.devmode, 332, &box, 1);
    return box;
}

// Writes {index, name} into a 68-byte entry; false when the name does not fit its 64 bytes.
bool putEntry(uint8_t* entry, uint32_t index, const MailBoxRecord& box) {
    MutableByteView(entry, 4).put_u32(0, index);
    return CopyText(reinterpret_cast<char*>(entry + 4), kNameField, box.name, kMailBoxNameField);
}

}  // namespace

int GetMaxMailBoxNumber(NonSvHost& host, int kind, void* data) {
    if (!hasMailBoxes(host)) return kNsNotSupported;
    if (kind == kNsSize) return PutWord(data, 4);
    if (kind == kNsGet) return PutWord(data, highest(host));
    return kNsNotSupported;
}

int MailBoxList(NonSvHost& host, int kind, void* data) {
    if (!hasMailBoxes(host)) return kNsNotSupported;
    size_t n = boxCount(host);
    const MailBoxRecord* boxes = host.model->mailBoxes;
    switch (kind) {
    case kNsSize:
        return PutWord(data, kListEntry);
    case kNsCount:
        return PutWord(data, static_cast<uint32_t>(std::count_if(boxes, boxes + n, named)));
    case kNsGet: {
        if (!data) return kNsNoBuffer;
        uint8_t entry[kListEntry] = {};
        uint8_t box = currentBox(host);
        size_t index = box - std::min<size_t>(box, host.Device32(nsdevice::kMailBoxLowest));
        MailBoxRecord none{};
        const MailBoxRecord& record = box >= host.Device32(nsdevice::kMailBoxLowest) && index < n ? boxes[index] : none;
        if (!putEntry(entry, box, record)) return kNsNoBuffer;
        std::memcpy(data, entry, sizeof entry);
        return kNsDone;
    }
    case kNsList: {
        if (!data) return kNsNoBuffer;
        std::vector<uint8_t> out;
        for (size_t i = 0; i < n; ++i) {
            if (!named(boxes[i])) continue;
            out.resize(out.size() + kListEntry);
            if (!putEntry(out.data() + out.size() - kListEntry, static_cast<uint32_t>(i), boxes[i])) return kNsNoBuffer;
        }
        if (!out.empty()) std::memcpy(data, out.data(), out.size());
        return kNsDone;
    }
    default:
        return kNsNotSupported;
    }
}

int MailBoxDestination(NonSvHost& host, int kind, void* data) {
    if (!hasMailBoxes(host)) return kNsNotSupported;
    uint32_t flags = host.Option32(100);
    switch (kind) {
    case kNsSize:
        return PutWord(data, kDestinationEntry);
    case kNsGet: {
        if (!data) return kNsNoBuffer;
        uint8_t out[kDestinationEntry] = {};
        MutableByteView entry(out, sizeof out);
        if (flags & kBitByName) {
            entry.put_u32(0, 1);
        } else {
            char name[34] = {};
            host.ctx->svc->GetOption(host.ctx, host.devmode, 262, name, sizeof name);
            CopyText(reinterpret_cast<char*>(out + 4), kNameField, name, sizeof name);
        }
        entry.put_u32(68, currentBox(host));
        std::memcpy(data, out, sizeof out);
        return kNsDone;
    }
    case kNsSet:
    case kNsDefault:
        break;
    default:
        return kNsNotSupported;
    }
    uint16_t operation = host.Option16(102);
    if (kind == kNsDefault) {
        if (operation != 4 && operation != 5) return kNsRefused;
        char empty[34] = {};
        host.SetOption32(100, flags & ~(kBitLocked | kBitByName));
        host.ctx->svc->SetOption(host.ctx, host.devmode, 262, empty, sizeof empty);
        if (keepsBoxPrivately(host)) {
            MutableByteView priv = host.Private();
            priv.fill(model::kMailBoxArea, 0, model::kMailBoxAreaSize);
            priv.put_u16(model::kMailBoxState, 0);
        } else {
            uint8_t none = 0;
            host.ctx->svc->SetOption(host.ctx, host.devmode, 332, &none, 1);
        }
        return kNsDone;
    }
    if (!data) return kNsNoBuffer;
    if ((operation != 4 && operation != 5) || (flags & kBitLocked)) return kNsRefused;
    ByteView in(data, kDestinationEntry);
    uint32_t byNumber = 0, box = 0;
    in.u32(0, byNumber);
    in.u32(68, box);
    const char* name = static_cast<const char*>(data) + 4;
    if (box > highest(host)) return kNsNotSupported;
    if (box > 0xFF) return kNsNoBuffer;  // the job's box is one byte
    if (byNumber > 1) return kNsNotSupported;
    char stored[34] = {};
    if (byNumber == 0 && (FieldLength(name, kNameField) > kMaxDestinationName ||
                          !CopyText(stored, sizeof stored, name, kNameField)))
        return kNsNotSupported;
    if (keepsBoxPrivately(host) && !host.Private().contains(0, model::kFieldsEnd)) return kNsNoBuffer;
    if (byNumber == 0) {
        host.ctx->svc->SetOption(host.ctx, host.devmode, 262, stored, sizeof stored);
        flags &= ~kBitByName;
    } else {
        flags |= kBitByName;
    }
    host.SetOption32(100, flags);
    uint8_t number = static_cast<uint8_t>(box);
    if (keepsBoxPrivately(host)) {
        host.Private().put_u8(model::kMailBoxArea, number);
        host.Private().put_u16(model::kMailBoxState, 1);
    } else {
        host.ctx->svc->SetOption(host.ctx, host.devmode, 332, &number, 1);
    }
    return kNsDone;
}

}  // namespace nonsv
