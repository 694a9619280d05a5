// Every outcome of a configuration path or of the network query maps to its one message, and
// only full success counts as success.
#include "device/config/device_messages.h"

#include <gtest/gtest.h>

namespace {

TEST(DeviceMessages, EveryStatusMapsToItsMessage) {
    struct Case {
        int32_t code, library;
        UINT message;
        int result;
    };
    for (auto c : {Case{0, 0, 1006, 1}, Case{0, static_cast<int32_t>(0xC052000C), 1077, 0},
                   Case{0, static_cast<int32_t>(0xC09884C6), 1084, 0}, Case{0, static_cast<int32_t>(0xC09884C9), 1076, 0},
                   Case{0, 0x77, 1005, 0}, Case{-28, 5, 1075, 0}, Case{-27, 0, 1008, 0}, Case{-26, 0, 1001, 0},
                   Case{-23, 0, 1001, 0}, Case{-21, 0, 1001, 0}, Case{-22, 0, 1005, 0}, Case{-11, 0, 1002, 0},
                   Case{-1, 0, 1005, 0}, Case{-3, 0, 1005, 0}}) {
        DeviceMessage m = DeviceInfoMessage({c.code, c.library, 0});
        EXPECT_EQ(m.id, c.message) << c.code << " " << c.library;
        EXPECT_EQ(m.result, c.result) << c.code << " " << c.library;
    }
    for (auto c : {Case{0, 0, 1006, 1}, Case{0, -21, 1003, 0}, Case{0, -170, 1004, 0}, Case{0, -1062, 1007, 0},
                   Case{0, -1121, 1005, 0}, Case{0, -1053, 1005, 0}, Case{0, -9, 1008, 0}, Case{-44, 0, 1001, 0},
                   Case{-43, 0, 1001, 0}, Case{-21, 0, 1001, 0}, Case{-11, 0, 1002, 0}, Case{-2, 0, 1005, 0}}) {
        DeviceMessage m = NetworkQueryMessage({c.code, c.library, 0});
        EXPECT_EQ(m.id, c.message) << c.code << " " << c.library;
        EXPECT_EQ(m.result, c.result) << c.code << " " << c.library;
    }
    EXPECT_EQ(MapDeviceInfoError(nullptr, nullptr, nullptr, true), 0) << "no record, no message";
}

}  // namespace
