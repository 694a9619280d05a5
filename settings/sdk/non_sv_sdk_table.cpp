// The request codes the driver answers itself, sorted by code, each with its operation.
#include "settings/sdk/non_sv_sdk.h"

#include <algorithm>
#include <array>

namespace {

using N = NonSvSDK;

constexpr std::array<NonSvSDK::Entry, 62> kTable{{
    {0x10005, &N::RunOperation<nonsv::Code10005>},
    {0x1000B, &N::RunOperation<nonsv::Code1000B>},
    {0x1000C, &N::RunOperation<nonsv::Query1000C>},
    {0x1000E, &N::RunOperation<nonsv::RefreshDeviceConfiguration>},
    {0x1000F, &N::RunOperation<nonsv::PaperSourceSettings>},
    {0x10010, &N::RunOperation<nonsv::Code10010>},
    {0x10012, &N::RunOperation<nonsv::GetSupportedCodes>},
    {0x10013, &N::RunOperation<nonsv::PaperSourceList>},
    {0x10015, &N::RunOperation<nonsv::Code10015>},
    {0x10016, &N::RunOperation<nonsv::Code10016>},
    {0x10017, &N::RunOperation<nonsv::Code10017>},
    {0x10018, &N::RunOperation<nonsv::Code10018>},
    {0x10019, &N::RunOperation<nonsv::Code10019>},
    {0x1001A, &N::RunOperation<nonsv::Code1001A>},
    {0x1001B, &N::RunOperation<nonsv::Code1001B>},
    {0x1001C, &N::RunOperation<nonsv::Code1001C>},
    {0x1002C, &N::RunOperation<nonsv::Code1002C>},
    {0x10032, &N::RunOperation<nonsv::SetAccountMode>},
    {0x1003B, &N::RunOperation<nonsv::Code1003B>},
    {0x1003E, &N::RunOperation<nonsv::Code1003E>},
    {0x10040, &N::RunOperation<nonsv::Code10040>},
    {0x10041, &N::RunOperation<nonsv::FinishingSwitch>},
    {0x10042, &N::RunOperation<nonsv::Code10042>},
    {0x10043, &N::RunOperation<nonsv::PageListA>},
    {0x10044, &N::RunOperation<nonsv::Code10044>},
    {0x10045, &N::RunOperation<nonsv::Code10045>},
    {0x1004A, &N::RunOperation<nonsv::Code1004A>},
    {0x10050, &N::RunOperation<nonsv::Code10050>},
    {0x10056, &N::RunOperation<nonsv::Code10056>},
    {0x1005D, &N::RunOperation<nonsv::BrandMediaName>},
    {0x10060, &N::RunOperation<nonsv::VerifyAccount>},
    {0x10061, &N::RunOperation<nonsv::AccountData>},
    {0x10063, &N::RunOperation<nonsv::Code10063>},
    {0x1007D, &N::Profile},
    {0x100C8, &N::RunOperation<nonsv::PageListB>},
    {0x100CA, &N::RunOperation<nonsv::Code100CA>},
    {0x100CB, &N::RunOperation<nonsv::Code100CB>},
    {0x100DD, &N::RunOperation<nonsv::Code100DD>},
    {0x100E6, &N::RunOperation<nonsv::MailBoxDestination>},
    {0x100E7, &N::RunOperation<nonsv::MailBoxList>},
    {0x100E8, &N::RunOperation<nonsv::GetMaxMailBoxNumber>},
    {0x100EA, &N::RunOperation<nonsv::SetUserAndPin>},
    {0x100EC, &N::RunOperation<nonsv::PageList30A>},
    {0x100ED, &N::RunOperation<nonsv::PageList30B>},
    {0x1010A, &N::RunOperation<nonsv::Code1010A>},
    {0x1010E, &N::RunOperation<nonsv::Code1010E>},
    {0x10112, &N::RunOperation<nonsv::Code10112>},
    {0x10115, &N::RunOperation<nonsv::Code10115>},
    {0x10117, &N::RunOperation<nonsv::PageSourceList>},
    {0x10118, &N::RunOperation<nonsv::Code10118>},
    {0x1011C, &N::RunOperation<nonsv::Code1011C>},
    {0x1012E, &N::RunOperation<nonsv::Code1012E>},
    {0x1012F, &N::RunOperation<nonsv::GetSizeMaxima>},
    {0x10130, &N::RunOperation<nonsv::GetSizeMinima>},
    {0x10131, &N::RunOperation<nonsv::RefreshBrandMedia>},
    {0x10132, &N::RunOperation<nonsv::BrandMediaList>},
    {0x10139, &N::RunOperation<nonsv::SizeClassLarge>},
    {0x1013A, &N::RunOperation<nonsv::SizeClassMedium>},
    {0x1013B, &N::RunOperation<nonsv::SizeClassSmall>},
    {0x1013C, &N::RunOperation<nonsv::PaperSourceCapabilities>},
    {0x1013D, &N::RunOperation<nonsv::Code1013D>},
    {0x1013F, &N::RunOperation<nonsv::Code1013F>},
}};

static_assert(std::is_sorted(kTable.begin(), kTable.end(),
                             [](const NonSvSDK::Entry& a, const NonSvSDK::Entry& b) { return a.code < b.code; }));

}  // namespace

std::span<const NonSvSDK::Entry> NonSvSDK::Table() { return kTable; }
