// The initial rules: one fact per capability of the device, written from the device capability
// record by the capability table, so that rule texts older than version 110 can test what the
// printer has ("$FN_Duplex(ON)", "$PaperSource(CASSETTE1)") as host facts.
#pragma once

#include "core/memory/pool_allocator.h"

class DeviceData;

inline constexpr size_t kInitialRulesSizeHint = 262144;

// "# Initial Rule >", the facts in table order, "# > Initial Rule". The text grows as needed: a
// record with very long lists makes a longer text, never a cut or overrun one.
PoolString BuildInitialRules(const DeviceData& data);
