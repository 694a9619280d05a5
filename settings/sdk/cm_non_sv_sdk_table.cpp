// The request codes the common adapter answers, sorted by code. Codes that no operation answers
// but that must not reach the items (0x10088, 0x10156, 0x10157) are named here with `NotSupported`.
#include "settings/sdk/cm_non_sv_sdk.h"

#include <algorithm>
#include <array>

namespace {

using C = CmNonSvSDK;

constexpr std::array<C::Entry, 23> kTable{{
    {0x10000, &C::GetSdkVersion},
    {0x10001, &C::ResetAll},
    {0x10008, &C::AddProfile},
    {0x10009, &C::DeleteProfile},
    {0x1000A, &C::Watermark},
    {0x1000C, &C::Query1000C},
    {0x1000D, &C::GetModelName},
    {0x1001F, &C::NotSupported},
    {0x1002B, &C::OpenSettingsSheet},
    {0x10047, &C::Option100Bit19},
    {0x1004C, &C::GetDeviceArea2},
    {0x1004D, &C::GetDeviceArea1},
    {0x1004E, &C::GetSecondVersion},
    {0x10051, &C::QueryMany},
    {0x1007C, &C::ImportProfile},
    {0x1007D, &C::Profile},
    {0x10088, &C::NotSupported},
    {0x100C9, &C::Option110Level},
    {0x1010C, &C::DeviceItem81B},
    {0x1010D, &C::DeviceItemMask},
    {0x10113, &C::Option110Bit19},
    {0x10156, &C::NotSupported},
    {0x10157, &C::NotSupported},
}};

static_assert(std::is_sorted(kTable.begin(), kTable.end(),
                             [](const C::Entry& a, const C::Entry& b) { return a.code < b.code; }));

}  // namespace

std::span<const CmNonSvSDK::Entry> CmNonSvSDK::CommonTable() { return kTable; }
