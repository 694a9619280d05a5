// The device configuration's request (0x1000E): the configuration reads the device, then the
// device-option block is stored with its "queried" bit and the model table's mail-box names go
// to the printer's registry key. Also the registration of the configuration's services.
#include "settings/sdk/nonsv_operations.h"

#include "core/device/service_table.h"
#include "core/devmode/device_option_block.h"
#include "model/mail_box_names.h"
#include "settings/sdk/nonsv_device_services.h"

#include <windows.h>

#include <string>
#include <vector>

namespace {

const NonSvDeviceServices*& services() {
    static const NonSvDeviceServices* current = nullptr;
    return current;
}

}  // namespace

const NonSvDeviceServices* RegisterNonSvDeviceServices(const NonSvDeviceServices* s) {
    const NonSvDeviceServices* previous = services();
    services() = s;
    return previous;
}

const NonSvDeviceServices* NonSvDeviceServicesOf() { return services(); }

namespace nonsv {

bool WriteRegistryValue(HKEY root, const char* path, const char* name, const void* data, DWORD size) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(root, path, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr) != ERROR_SUCCESS) return false;
    bool written = RegSetValueExA(key, name, 0, REG_BINARY, static_cast<const BYTE*>(data), size) == ERROR_SUCCESS;
    RegCloseKey(key);
    return written;
}

int WriteMailBoxNames(NonSvHost& host) {
    uint32_t kind = host.Device32(nsdevice::kMailBoxKind);
    bool boxes = kind == 2 || (kind == 1 && (host.DopBit(nsdop::kByte9, 3) || (host.Dop32(nsdop::kAccountFlags) & 8)));
    if (!boxes || (host.model->mailBoxNameFlags & 3) == 0) return 0;
    const char* printer = host.ctx && host.ctx->svc ? host.ctx->svc->GetPrinterName(host.ctx) : nullptr;
    if (!printer || !*printer) return 0;
    std::string path = std::string("System\\CurrentControlSet\\control\\Print\\Printers\\") + printer +
                       "\\PrinterDriverData\\DeviceOption";
    // The names the device reported when the configuration read it, else the model's own.
    const NonSvDeviceServices* s = NonSvDeviceServicesOf();
    size_t reported = 0;
    const MailBoxRecord* device = s && s->mailBoxNames ? s->mailBoxNames(host.ctx, &reported) : nullptr;
    auto box = [&](size_t i) -> const MailBoxRecord& {
        return device && i < reported ? device[i] : host.model->mailBoxes[i];
    };
    uint32_t top = host.Device32(nsdevice::kMailBoxHighest);
    auto value = [&](size_t first, size_t last, bool names) {
        std::vector<uint8_t> out(kMailBoxValueSize, 0);
        for (size_t i = first; i <= last && i < first + kMailBoxesPerValue && i < kMailBoxCount; ++i) {
            MutableByteView record(out.data() + (i - first) * kMailBoxRecordSize, kMailBoxRecordSize);
            if (names) record.put_bytes(0, box(i).name, kMailBoxNameField);
            record.put_u8(kMailBoxNameField - 1, 0);
            record.put_u32(kMailBoxNameField, box(i).attribute);
        }
        return out;
    };
    auto write = [&](const char* name, const std::vector<uint8_t>& bytes) {
        return WriteRegistryValue(HKEY_LOCAL_MACHINE, path.c_str(), name, bytes.data(),
                                  static_cast<DWORD>(bytes.size()));
    };
    if (top < 100) {
        write("BoxName", value(0, 99, true));
    } else if (top >= 200 && top <= 299) {
        // The first of three values carries the words of its boxes without their names.
        write("BoxName01", value(0, 99, false));
        write("BoxName02", value(100, 199, true));
        write("BoxName03", value(200, top, true));
    }
    return 1;
}

int RefreshDeviceConfiguration(NonSvHost& host, int kind, void* data) {
    if (kind == kNsSize) return PutWord(data, 4);
    if (kind != kNsAction) return kNsNotSupported;
    uint32_t word = 0;
    bool installer = TakeWord(data, word) && word == 1;
    if (installer && host.model->CodeFlag(0x1000E)) return kNsNoBuffer;
    const NonSvDeviceServices* s = NonSvDeviceServicesOf();
    int answer = kNsNoBuffer;
    if (s && s->queryDevice && s->queryDevice(host.ctx, 0) && host.deviceOption) {
        uint32_t flags = 0;
        devopt::GetValue(host.deviceOption, devopt::kValueFlags, &flags, sizeof flags);
        flags |= devopt::kFlagQueried;
        WriteMailBoxNames(host);
        devopt::SetValue(host.deviceOption, devopt::kValueFlags, &flags, sizeof flags);
        answer = host.ctx->svc->WriteDeviceOption(host.ctx, host.deviceOption) ? kNsDone : kNsNoBuffer;
    }
    if (installer && host.ctx && host.ctx->svc) host.ctx->svc->CallDevInstall(host.ctx, 1, answer == kNsDone);
    return answer;
}

}  // namespace nonsv
