// The account check through the device-information library's second interface: texts that are
// not numbers never reach the device, the device's answer decides, and a device that does not
// check accounts accepts every one.
#include "bridges_fixture.h"

#include "device/bridges/library_bridges.h"

namespace {

const char* const kRefused = "The printer did not accept the account.";

TEST(IsAlnumString, ReadsLettersAndDigitsOrANumber) {
    struct Case {
        const char* text;
        int mode, value;
    };
    for (auto c : {Case{"", 2, 0}, Case{"Ab12", 2, 1}, Case{"Ab-12", 2, -1}, Case{"é", 2, -1}, Case{"", 1, 0},
                   Case{"0042", 1, 42}, Case{"12ab", 1, -1}, Case{"abc", 1, -1}, Case{" 1", 1, -1},
                   Case{"2147483647", 1, 2147483647}, Case{"2147483648", 1, -1}, Case{"99999999999", 0, -1}})
        EXPECT_EQ(IsAlnumString(c.text, c.mode), c.value) << c.text << " mode " << c.mode;
}

TEST_F(BridgeTest, TheDeviceDecidesTheAccountAndTextsThatAreNotNumbersAreRefusedFirst) {
    struct Case {
        const char* what;
        const char* description;
        const char* id;
        const char* password;
        int result;
        const char* sent;  // the check the device saw, or null
        bool asked = true; // the library was asked at all
    };
    for (auto c : {Case{"accepted", "account 12 34", "12", "0034", 1, "account 12 34"},
                   Case{"wrong password", "account 12 34", "12", "35", 0, "account 12 35"},
                   Case{"letters in the id", "account 12 34", "12ab", "34", 0, nullptr, false},
                   Case{"letters in the password", "account 12 34", "12", "x", 0, nullptr, false},
                   Case{"id past 31 bits", "account 12 34", "99999999999", "34", 0, nullptr, false},
                   Case{"device does not check", "fault account 0xC098B001", "7", "1", 1, "account 7 1"},
                   Case{"device refuses the question", "fault info 0xC098B001", "7", "1", 1, nullptr},
                   Case{"no address", "address none", "12", "34", 0, nullptr}}) {
        sim_->Describe(c.description);
        ClearLogs();
        const size_t shown = Messages().size();
        EXPECT_EQ(CallPelomRequest3(Ctx(), nullptr, c.id, c.password), c.result) << c.what;
        EXPECT_EQ(sim_->Count("account "), c.sent ? 1 : 0) << c.what;
        if (c.sent) {
            EXPECT_EQ(sim_->First("account "), c.sent) << c.what;
        }
        EXPECT_EQ(Messages().size(), shown + (c.result ? 0 : 1)) << c.what;
        if (!c.result && !Messages().empty()) {
            EXPECT_EQ(Messages().back(), kRefused) << c.what;
        }
        EXPECT_EQ(sim_->Count("SS_GetInterface 784"), c.asked ? 1 : 0) << c.what;
        EXPECT_EQ(sim_->Count("start"), sim_->Count("stop")) << c.what;
        EXPECT_EQ(sim_->Count("connect"), sim_->Count("disconnect")) << c.what;
        EXPECT_EQ(sim_->Count("attach"), sim_->Count("detach")) << c.what;
    }
    sim_->Remove("Zdsvc2.dll");  // without the library the account is refused
    const size_t shown = Messages().size();
    EXPECT_EQ(CallPelomRequest3(Ctx(), nullptr, "12", "34"), 0);
    ASSERT_EQ(Messages().size(), shown + 1);
    EXPECT_EQ(Messages().back(), kRefused);
}

}  // namespace
