// The device operations of the client's slot 2: the account check here, the others in files of
// their own, those of the request library among them; each opens its own connection and closes
// it on every path.
#include "device/device_operations.h"

#include "device/device_connection.h"
#include "device/device_info_record.h"
#include "device/pelom_operations.h"

// The request library's table stands where a device link would.
static_assert(offsetof(PelomEntryTable, link) == offsetof(DevInfoDeviceLink, information) &&
              offsetof(PelomEntryTable, iface) == offsetof(DevInfoDeviceLink, iface));

namespace {

int AccountCheck(const DevInfoDeviceLink& link, DevInfoAccountRecord* record) {
    DeviceConnection connection(link);
    if (int32_t answer = connection.Open()) {
        record->status = answer;
        return 0;
    }
    auto check = ZdsvSlot<ZdsvAccountCheckProc>(link.iface, zdsv784::kAccountCheck);
    if (!check) return kDevInfoBadArgument;
    int32_t answer = check(connection.Handle(), record->account, record->password, &record->checkStatus,
                           &record->accepted);
    if (answer < 0) record->status = answer;
    return 0;
}

}  // namespace

int DevInfoClient_GetHandler(DevInfoClient* client, void* link, void* record, int operation) {
    if (!client || !link || !record) return kDevInfoBadArgument;
    // The request library's operations take its entry table as the link.
    if (operation == kDevOpBrowseList || operation == kDevOpPelomRequest || operation == kDevOpPelomStatus)
        return RunPelomOperation(*static_cast<const PelomEntryTable*>(link), record, operation);
    const DevInfoDeviceLink& device = *static_cast<const DevInfoDeviceLink*>(link);
    switch (operation) {
    case kDevOpDeviceRecord: return RunDeviceRecordOperation(client, device, static_cast<DeviceInfoRecord*>(record));
    case kDevOpAccountCheck: return AccountCheck(device, static_cast<DevInfoAccountRecord*>(record));
    case kDevOpListEntries: return RunListOperation(client, device, static_cast<DevInfoListRequest*>(record));
    case kDevOpDeviceFonts: return RunFontOperation(client, device, static_cast<DevInfoFontRequest*>(record));
    case kDevOpAttributesFlat:
    case kDevOpAttributeList: return RunAttributeOperation(client, device, static_cast<DevInfoAttributeRecord*>(record));
    default: return -2;
    }
}
