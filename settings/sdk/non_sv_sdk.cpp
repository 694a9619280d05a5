// The driver's answers by table lookup, and the re-evaluation after a changed device mode.
#include "settings/sdk/non_sv_sdk.h"

#include <algorithm>

LONG NonSvSDK::Answer(DWORD kind, DWORD code, void* data) {
    const auto table = Table();
    const auto at = std::lower_bound(table.begin(), table.end(), code,
                                     [](const Entry& entry, DWORD wanted) { return entry.code < wanted; });
    if (at != table.end() && at->code == code) return (this->*at->op)(kind, data);
    return AnswerCommon(kind, code, data);
}

namespace {

template <typename Entry>
bool InTable(std::span<const Entry> table, DWORD code) {
    const auto at = std::lower_bound(table.begin(), table.end(), code,
                                     [](const Entry& entry, DWORD wanted) { return entry.code < wanted; });
    return at != table.end() && at->code == code;
}

}  // namespace

bool NonSvSDK::Names(DWORD code) {
    return code >= kFirstDriverCode && code <= kLastDriverCode && (InTable(Table(), code) || InTable(CommonTable(), code));
}

void NonSvSDK::OnDevmodeChanged(DWORD code) {
    switch (code) {
    case 0x10025: case 0x10026: case 0x10027: case 0x10068: case 0x1006A: case 0x1006B:
    case 0x10072: case 0x1007A: case 0x1007F: case 0x10082:
        Refresh(1);
        break;
    default:
        break;
    }
}

LONG NonSvSDK::ItemProc(UIDEVDATA*, DWORD, DWORD, void*) { return kSdkAnswerNotSupported; }
