// Test-only: items of the common pages over the fixture printer's sheet settings, with the
// options they write read back by number and a choice picked by name. The printer is the default
// one, or under a test parameterised by printer name (`ItemSettings<TestWithParam<const char*>>`)
// the printer named by the parameter.
#pragma once

#include "core/device/service_table.h"
#include "core/device/user_data.h"
#include "drvtest/fixture_device.h"
#include "items/common/option_word.h"
#include "settings/items/sv_multi.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <string_view>
#include <type_traits>

// The default printer, or under a test parameterised by printer name the parameter's.
template <typename Base>
std::string_view PrinterUnderTest([[maybe_unused]] const Base& test) {
    if constexpr (std::is_base_of_v<::testing::WithParamInterface<const char*>, Base>)
        return test.GetParam();
    else
        return drvtest::kBundledPcl5ePrinter;
}

template <typename Base = ::testing::Test>
class ItemSettings : public Base {
protected:
    void SetUp() override {
        ASSERT_NE(fixture.Device(), nullptr);
        dm = Ctx()->svc->GetUserData(Ctx())->GetSettingsSource();
        ASSERT_NE(dm, nullptr);
    }
    UIDEVDATA* Ctx() { return fixture.Device(); }
    uint16_t Short(uint32_t option) { return ReadOptionShort(Ctx(), dm, option); }
    void SetShort(uint32_t option, uint16_t v) { WriteOptionShort(Ctx(), dm, option, v); }
    uint32_t Word(uint32_t option) { return ReadOptionWord(Ctx(), dm, option); }
    void SetWord(uint32_t option, uint32_t v) { WriteOptionWord(Ctx(), dm, option, v); }
    static void Choose(CmSvMulti& item, const char* name) {
        for (uint32_t i = 0; i < item.count; ++i)
            if (std::strcmp(item.Row(i)->name, name) == 0) {
                item.current = i;
                return;
            }
        ADD_FAILURE() << "no choice " << name;
    }
    static std::string Current(const CmSvMulti& item) { return item.CurrentRow() ? item.CurrentRow()->name : "-"; }

    drvtest::FixtureDevice fixture{kKindDevmode, PrinterUnderTest<Base>(*this)};
    uint8_t* dm = nullptr;
};
