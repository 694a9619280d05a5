// The option interface's profile codes over the real store, through the exported VomelDeviceMode
// as an application calls it: the list of the printer's profiles, applying one, adding, importing
// and deleting user profiles, each read back from what the registry holds afterwards.
#include "profile_fixture.h"

#include "core/devmode/devmode_layout.h"
#include "core/helpers/byte_view.h"
#include "drvtest/export_session.h"
#include "items/pdl/sdk.h"

#include <cstring>

namespace profiletest {
namespace {

constexpr DWORD kList = 0x1007D, kAdd = 0x10008, kDelete = 0x10009, kImport = 0x1007C;

void RegisterAll() {
    RegisterApplicationOptions();
    RegisterProfiles();
}

class ProfileCodes : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_NE(open_.handle, nullptr); }
    LONG Ask(DWORD kind, DWORD code, void* data) { return open_.Ask(kind, code, data); }
    std::vector<std::string> Listed() {
        DWORD count = 0;
        EXPECT_EQ(Ask(1, kList, &count), 0);
        std::vector<char> names(64 * count + 64, 0);
        EXPECT_EQ(Ask(4, kList, names.data()), 0);
        std::vector<std::string> out;
        for (DWORD i = 0; i < count; ++i) out.emplace_back(&names[64 * i]);
        return out;
    }
    std::vector<uint8_t> Stored(const std::string& key) {
        UIDEVDATA* ctx = static_cast<UIDEVDATA*>(open_.handle);
        const std::string base = Profile(ctx, 0).BuildRegistryPath();
        const std::string printer = ctx->svc->GetPrinterName(ctx);
        DWORD size = 0;
        if (!RegQueryValueRead(HKEY_CURRENT_USER, base.c_str(), printer.c_str(), key.c_str(), "DATA", nullptr, &size))
            return {};
        std::vector<uint8_t> data(size);
        RegQueryValueRead(HKEY_CURRENT_USER, base.c_str(), printer.c_str(), key.c_str(), "DATA", data.data(), &size);
        return data;
    }
    LONG AddNamed(const char* name) {
        DWORD size = 0, extended = 0;
        EXPECT_EQ(Ask(0, kAdd, &size), 0);
        EXPECT_EQ(Ask(0, 0x10001, &extended), 0);
        std::vector<uint8_t> add(size, 0);
        std::memcpy(add.data(), name, std::strlen(name));
        std::memcpy(&add[580], open_.devmode.data(), std::min<size_t>(open_.devmode.size(), extended));
        MutableByteView(&add[580], extended).put_u16(devmode::kOffDriverExtra, static_cast<uint16_t>(extended - 148));
        return Ask(8, kAdd, add.data());
    }
    int16_t Orientation() {
        int16_t value = 0;
        ByteView(open_.devmode.data(), open_.devmode.size()).s16(devmode::kOffOrientation, value);
        return value;
    }

    drvtest::ExportSession open_{RegisterAll};
    drvtest::ScriptedUser person;
};

TEST_F(ProfileCodes, TheBuiltInProfilesAreListedAndApplied) {
    const std::vector<std::string> builtIns = {"Factory settings", "Landscape", "Two-sided", "Default",
                                               "Two-sided, short edge", "Two copies"};
    EXPECT_EQ(Listed(), builtIns);
    char name[64] = "Landscape";
    ASSERT_EQ(Ask(3, kList, name), 0);
    EXPECT_EQ(Orientation(), DMORIENT_LANDSCAPE);
    char applied[64] = {};
    ASSERT_EQ(Ask(2, kList, applied), 0);
    EXPECT_STREQ(applied, "Landscape");
    std::strcpy(name, "Factory settings");
    ASSERT_EQ(Ask(3, kList, name), 0);
    EXPECT_EQ(Orientation(), DMORIENT_PORTRAIT);
}

TEST_F(ProfileCodes, UserProfilesAreAddedImportedAndDeletedInTheRegistry) {
    ASSERT_EQ(AddNamed("Office"), 0);
    EXPECT_EQ(AddNamed("OFFICE"), 3);
    const std::vector<uint8_t> office = Stored("UIProfile\\Office");
    ASSERT_FALSE(office.empty());
    EXPECT_EQ(Listed().back(), "Office");

    // A file of that profile under another name imports as a new user profile, byte for byte.
    std::vector<uint8_t> file(36, 0);
    std::memcpy(file.data(), "VOMEL PROFILE SYSTEM for 9x", 27);
    file[32] = file[34] = 1;
    file.insert(file.end(), office.begin(), office.end());
    std::memset(&file[36 + 2], 0, 32);
    std::memcpy(&file[36 + 2], "Imported", 8);
    const std::string root = open_.fixture.Root();
    auto write = [&](const std::vector<uint8_t>& bytes) {
        std::ofstream(root + "/import.pfl", std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    };
    write(file);
    char path[520] = "C:\\import.pfl";
    ASSERT_EQ(Ask(8, kImport, path), 0);
    EXPECT_EQ(Listed().back(), "Imported");
    EXPECT_EQ(Stored("UIProfile\\Imported").size(), office.size());

    // A damaged file is refused and the list stays as it was; no message is shown to a caller
    // that has no window.
    const std::vector<std::string> before = Listed();
    std::vector<uint8_t> damaged(file.begin(), file.end() - 50);
    std::memcpy(&damaged[36 + 2], "Damaged", 8);
    write(damaged);
    EXPECT_EQ(Ask(8, kImport, path), 3);
    EXPECT_EQ(Listed(), before);
    EXPECT_TRUE(Stored("UIProfile\\Damaged").empty());
    EXPECT_TRUE(person.messageBoxes().empty());

    char name[64] = "Office";
    ASSERT_EQ(Ask(8, kDelete, name), 0);
    EXPECT_TRUE(Stored("UIProfile\\Office").empty());
    const std::vector<std::string> after = Listed();
    EXPECT_EQ(std::count(after.begin(), after.end(), "Office"), 0);
    EXPECT_EQ(after.size(), before.size() - 1);
}

}  // namespace
}  // namespace profiletest
