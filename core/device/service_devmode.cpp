// The service table's device-mode and device-option operations: each forwards to the request's
// device-mode store, which owns the cached device modes and the block.
#include "core/device/core_context.h"
#include "core/devmode/devmode_check.h"
#include "core/devmode/devmode_options.h"
#include "core/device/service_ops.h"

namespace service {

namespace {

devmode::DevmodeStore* Store(UIDEVDATA* ctx) {
    CoreContext* context = Context(ctx);
    return context ? &context->store : nullptr;
}

}  // namespace

uint8_t* GetDevmode(UIDEVDATA* ctx, int kind) {
    devmode::DevmodeStore* store = Store(ctx);
    return store ? devmode::GetDevmode(*store, kind) : nullptr;
}

DWORD GetDevmodeSize(UIDEVDATA* ctx, int form) {
    devmode::DevmodeStore* store = Store(ctx);
    return store ? devmode::GetDevmodeSize(*store, form) : 0;
}

BOOL GetOption(UIDEVDATA* ctx, const void* devmode, DWORD numberOrId, void* buffer, DWORD size) {
    return ctx && devmode && devmode::GetOption(devmode, numberOrId, buffer, size);
}

BOOL SetOption(UIDEVDATA* ctx, void* devmode, DWORD numberOrId, const void* buffer, DWORD size) {
    return ctx && devmode && devmode::SetOption(devmode, numberOrId, buffer, size);
}

BOOL ValidateDevmode(UIDEVDATA* ctx, const void* source, void* destination) {
    devmode::DevmodeStore* store = Store(ctx);
    // The table passes a pointer only: the device mode's own sizes are all there is to go by, and
    // the checks hold the private part to them.
    return store && devmode::ValidateDevmode(*store, source, devmode::declaredSize(source), destination);
}

BOOL ConvertDevmode(UIDEVDATA* ctx, void* current, void* other, int direction) {
    devmode::DevmodeStore* store = Store(ctx);
    return store && devmode::ConvertDevmode(*store, current, other, devmode::declaredSize(other), direction);
}

uint8_t* GetDeviceOption(UIDEVDATA* ctx) {
    devmode::DevmodeStore* store = Store(ctx);
    return store ? devmode::GetDeviceOption(*store) : nullptr;
}

uint8_t* GetDeviceOptionData(UIDEVDATA* ctx) {
    devmode::DevmodeStore* store = Store(ctx);
    return store ? devmode::GetDeviceOptionData(*store) : nullptr;
}

DWORD GetDeviceOptionSize(UIDEVDATA* ctx) {
    devmode::DevmodeStore* store = Store(ctx);
    return store ? devmode::GetDeviceOptionSize(*store) : 0;
}

BOOL WriteDeviceOption(UIDEVDATA* ctx, const void* block) {
    devmode::DevmodeStore* store = Store(ctx);
    return store && block && devmode::WriteDeviceOption(*store, block);
}

BOOL GetDeviceOptionValue(UIDEVDATA* ctx, const void* block, DWORD id, void* buffer, DWORD size) {
    devmode::DevmodeStore* store = Store(ctx);
    return store && devmode::GetDeviceOptionValue(*store, block, id, buffer, size);
}

BOOL SetDeviceOptionValue(UIDEVDATA* ctx, void* block, DWORD id, const void* buffer, DWORD size) {
    devmode::DevmodeStore* store = Store(ctx);
    return store && devmode::SetDeviceOptionValue(*store, block, id, buffer, size);
}

}  // namespace service
