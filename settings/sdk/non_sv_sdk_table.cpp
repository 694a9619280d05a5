// The request codes the driver answers itself, sorted by code, each with its operation.
#include "settings/sdk/non_sv_sdk.h"

#include <algorithm>
#include <array>

namespace {

constexpr std::array<NonSvSDK::Entry, 0> kTable{};

static_assert(std::is_sorted(kTable.begin(), kTable.end(),
                             [](const NonSvSDK::Entry& a, const NonSvSDK::Entry& b) { return a.code < b.code; }));

}  // namespace

std::span<const NonSvSDK::Entry> NonSvSDK::Table() { return kTable; }
