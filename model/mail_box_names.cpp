// Reading the stored mail-box names. Every record is copied field by field through the checked
// view, and a name is only ever read as far as its field reaches.
#include "model/mail_box_names.h"

#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr char kPrintersKey[] = "System\\CurrentControlSet\\control\\Print\\Printers\\";
constexpr char kDeviceOptionKey[] = "\\PrinterDriverData\\DeviceOption";

bool readValue(HKEY key, const char* name, std::vector<uint8_t>& out) {
    DWORD type = 0, size = 0;
    if (RegQueryValueExA(key, name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS || size != kMailBoxValueSize)
        return false;
    out.resize(size);
    return RegQueryValueExA(key, name, nullptr, &type, out.data(), &size) == ERROR_SUCCESS &&
           size == kMailBoxValueSize;
}

}  // namespace

bool ParseMailBoxValue(ByteView value, MailBoxRecord* boxes) {
    if (value.size() != kMailBoxValueSize || !boxes) return false;
    for (size_t i = 0; i < kMailBoxesPerValue; ++i) {
        size_t at = i * kMailBoxRecordSize;
        MailBoxRecord record{};
        value.bytes(at, record.name, kMailBoxNameField);
        // A name is at most 66 characters: the field's last byte is its terminator.
        record.name[kMailBoxNameField - 1] = '\0';
        value.u32(at + kMailBoxNameField, record.attribute);
        boxes[i] = record;
    }
    return true;
}

bool ReadMailBoxNames(const char* printerName, MailBoxRecord (&boxes)[kMailBoxCount]) {
    if (!printerName || !*printerName || std::strchr(printerName, '\\')) return false;
    std::string path = std::string(kPrintersKey) + printerName + kDeviceOptionKey;
    if (path.size() >= MAX_PATH) return false;
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    bool taken = false;
    std::vector<uint8_t> value;
    if (readValue(key, "BoxName", value)) {
        taken = ParseMailBoxValue(ByteView(value.data(), value.size()), boxes);
    } else {
        // The writer of three values may leave the first without names; whatever it holds is
        // taken as it stands, names included, so that nothing stored is dropped here.
        const char* names[] = {"BoxName01", "BoxName02", "BoxName03"};
        for (size_t part = 0; part < 3; ++part)
            if (readValue(key, names[part], value))
                taken |= ParseMailBoxValue(ByteView(value.data(), value.size()), boxes + part * kMailBoxesPerValue);
    }
    RegCloseKey(key);
    return taken;
}

void MailBoxDisplayName(const MailBoxRecord& box, char (&out)[kMailBoxDisplayName + 1]) {
    size_t length = 0;
    while (length < kMailBoxDisplayName && length < kMailBoxNameField && box.name[length]) ++length;
    std::memcpy(out, box.name, length);
    out[length] = '\0';
}
