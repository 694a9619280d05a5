// Questions about the device that several option operations and the supported-code list ask:
// which finishing units and features it has, whether page lists may be set, and the finisher
// record that belongs to the installed finisher.
#pragma once

#include "core/helpers/byte_view.h"
#include "settings/sdk/nonsv_host.h"

#include <cstdint>

namespace nonsv {

// The record index of the first entry of the model's finisher index table with that finisher
// code; -1 when the model has no table or no entry matches.
int FindFinisherIndex(const NonSvHost& host, uint32_t finisherCode);
// The finisher record of the installed finisher (the first record when the fixed-finisher bit is
// set); an empty view when the device has none.
ByteView FinisherRecord(const NonSvHost& host);

bool HasLayoutOptions(const NonSvHost& host);
bool IsZFoldAvailable(const NonSvHost& host);
bool IsPunchAvailable(const NonSvHost& host);
bool IsRotateAvailable(const NonSvHost& host);
bool TestDeviceOptionBit(const NonSvHost& host);
bool HasSizeClasses(const NonSvHost& host);
bool IsCode10155Available(const NonSvHost& host);
bool HasFinisherFeatureA(const NonSvHost& host);
bool HasFinisherFeatureB(const NonSvHost& host);
// Whether the device's options allow pages to be inserted from other sources (the page lists).
bool CanInsertPages(const NonSvHost& host);

// Unit kinds of the device data count as present when they are 1 or 2.
constexpr bool UnitPresent(uint32_t kind) { return kind == 1 || kind == 2; }

}  // namespace nonsv
