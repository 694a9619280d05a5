// The model extension over the bundled printers: DeviceCapabilitiesA answered through the
// spooler's routing, the model's rules in the device-mode store, and the loading of a per-model
// extension library with its fallback.
#include "core/datafile/data_item_cursor.h"
#include "core/library/device_capabilities_entry.h"
#include "core/devmode/devmode_layout.h"
#include "core/devmode/devmode_option_table.h"
#include "core/devmode/devmode_options.h"
#include "core/devmode/devmode_store.h"
#include "core/library/dll_main.h"
#include "core/datafile/printer_data_file.h"
#include "core/datafile/printer_driver_data.h"
#include "core/device/service_table.h"
#include "core/device/table_cursor_device.h"
#include "model/extension_library.h"
#include "model/extension_rules.h"

#include <drvtest/fixture_device.h>
#include <drvtest/kernel.h>
#include <drvtest/spooler.h>
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace {

class BundledPrinters : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(DllMain(reinterpret_cast<HINSTANCE>(0x10000000), DLL_PROCESS_ATTACH, nullptr));
        auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        root_ = std::string(DRVOPUI_TEST_OUTPUT_DIR) + "/roots/" + info->name();
        std::filesystem::remove_all(root_);
        std::filesystem::create_directories(root_ + "/WINDOWS/SYSTEM");
        drvtest::SetRootFolder(root_);
        for (const char* file : {"KELVAR5E.DAT", "KELVAR5C.DAT"})
            std::filesystem::copy_file(std::string(DRVOPUI_BINARY_DIR) + "/data/" + file, root_ + "/WINDOWS/SYSTEM/" + file);
    }
    void TearDown() override {
        DllMain(reinterpret_cast<HINSTANCE>(0x10000000), DLL_PROCESS_DETACH, nullptr);
    }

    std::string root_;
};

// A store of the printer with the model's rules over its data file, as the core context makes it.
struct RuledStore {
    explicit RuledStore(drvtest::FixturePrinter& printer) {
        DataFileError error;
        data = AcquirePrinterDeviceData(printer.Handle(), error);
        EXPECT_NE(data, nullptr) << error.text;
        tables.printerName = printer.Name();
        LoadTableInputs(tables, *data);
        rules = std::make_unique<ExtensionRules>(BuiltInModelExtension(), ExtDevice{data->ModelCode(), data, &tables});
        store.printerName = printer.Name();
        store.rules = rules.get();
        tables.store = &store;
        tables.dataFile = data;
    }
    ~RuledStore() {
        if (data) ReleaseDeviceData(data);
    }
    int16_t publicField(int kind, size_t offset) {
        int16_t v = 0;
        std::memcpy(&v, devmode::GetDevmode(store, kind) + offset, 2);
        return v;
    }

    DeviceData* data = nullptr;
    CoreTables tables;
    std::unique_ptr<ExtensionRules> rules;
    devmode::DevmodeStore store;
};

}  // namespace

TEST_F(BundledPrinters, DeviceCapabilitiesAnswersThePapersThroughTheModelExtension) {
    drvtest::FixturePrinter printer(drvtest::kBundledPcl5ePrinter);
    const char* name = drvtest::kBundledPcl5ePrinter;
    int count = DeviceCapabilitiesA(name, "LPT1:", DC_PAPERS, nullptr, nullptr);
    ASSERT_EQ(count, 11);
    std::vector<WORD> papers(count);
    ASSERT_EQ(DeviceCapabilitiesA(name, "LPT1:", DC_PAPERS, reinterpret_cast<LPSTR>(papers.data()), nullptr), count);
    EXPECT_EQ(papers, (std::vector<WORD>{1, 3, 5, 7, 8, 9, 11, 13, 20, 27, 256}));
    std::vector<POINT> sizes(count);
    DeviceCapabilitiesA(name, "LPT1:", DC_PAPERSIZE, reinterpret_cast<LPSTR>(sizes.data()), nullptr);
    EXPECT_EQ(sizes[5].x, 2100);
    EXPECT_EQ(sizes[5].y, 2970);
    std::vector<char> names(64 * count);
    DeviceCapabilitiesA(name, "LPT1:", DC_PAPERNAMES, names.data(), nullptr);
    EXPECT_STREQ(&names[64 * 5], "A4");

    struct Case { WORD capability; int answer; };
    for (auto c : {Case{DC_BINS, 6}, Case{DC_DUPLEX, 1}, Case{DC_COPIES, 999}, Case{DC_ORIENTATION, 90},
                   Case{DC_SIZE, 148}, Case{DC_EXTRA, int(devmode::kPrivateSize)}, Case{DC_MAXEXTENT, MAKELONG(3120, 4572)},
                   Case{DC_TRUETYPE, -1}})
        EXPECT_EQ(DeviceCapabilitiesA(name, "LPT1:", c.capability, nullptr, nullptr), c.answer) << c.capability;
    std::vector<char> bins(24 * 6);
    DeviceCapabilitiesA(name, "LPT1:", DC_BINNAMES, bins.data(), nullptr);
    EXPECT_STREQ(&bins[24 * 5], "Bypass tray");
    EXPECT_EQ(DriverDeviceCapabilities("No such printer", "LPT1:", DC_PAPERS, nullptr, nullptr), -1);

    // The attached library is what answers: once it is detached, the spooler has no driver.
    DllMain(reinterpret_cast<HINSTANCE>(0x10000000), DLL_PROCESS_DETACH, nullptr);
    EXPECT_EQ(DeviceCapabilitiesA(name, "LPT1:", DC_PAPERS, nullptr, nullptr), -1);
}

TEST_F(BundledPrinters, StoreDefaultsAndValidationFollowTheModel) {
    struct Case { const char* printer; int16_t colour; uint16_t model; };
    for (auto c : {Case{drvtest::kBundledPcl5ePrinter, DMCOLOR_MONOCHROME, 2059},
                   Case{drvtest::kBundledPcl5cPrinter, DMCOLOR_COLOR, 2071}}) {
        drvtest::FixturePrinter printer(c.printer);
        RuledStore ruled(printer);
        EXPECT_EQ(ruled.publicField(1, offsetof(DEVMODEA, dmPaperSize)), 9) << c.printer;
        EXPECT_EQ(ruled.publicField(1, offsetof(DEVMODEA, dmDefaultSource)), 7) << c.printer;
        EXPECT_EQ(ruled.publicField(1, offsetof(DEVMODEA, dmColor)), c.colour) << c.printer;
        EXPECT_EQ(ruled.publicField(1, devmode::kOffModelNumber), int16_t(c.model)) << c.printer;
        uint32_t size = 0;
        devmode::GetOption(devmode::GetDevmode(ruled.store, 1), devmode::kDevmodeSize, 114, &size, 4);
        EXPECT_EQ(size, 2100u | (2970u << 16)) << c.printer;

        // A caller asks for a paper and a source the device does not offer, colour and duplex.
        std::vector<uint8_t> caller(devmode::GetDevmode(ruled.store, 1), devmode::GetDevmode(ruled.store, 1) + devmode::kDevmodeSize);
        auto put = [&](size_t offset, int16_t v) { std::memcpy(&caller[offset], &v, 2); };
        put(offsetof(DEVMODEA, dmPaperSize), 70);
        put(offsetof(DEVMODEA, dmDefaultSource), 99);
        put(offsetof(DEVMODEA, dmColor), DMCOLOR_COLOR);
        put(offsetof(DEVMODEA, dmDuplex), DMDUP_VERTICAL);
        put(offsetof(DEVMODEA, dmCopies), 5000);
        ASSERT_TRUE(devmode::SetRequestDevmode(ruled.store, caller.data()));
        EXPECT_EQ(ruled.publicField(3, offsetof(DEVMODEA, dmPaperSize)), 9) << c.printer;
        EXPECT_EQ(ruled.publicField(3, offsetof(DEVMODEA, dmDefaultSource)), 7) << c.printer;
        EXPECT_EQ(ruled.publicField(3, offsetof(DEVMODEA, dmColor)), c.colour) << c.printer;
        EXPECT_EQ(ruled.publicField(3, offsetof(DEVMODEA, dmDuplex)), DMDUP_VERTICAL) << c.printer;  // both have duplex
        EXPECT_EQ(ruled.publicField(3, offsetof(DEVMODEA, dmCopies)), 999) << c.printer;
    }
}

TEST_F(BundledPrinters, ExtensionLibraryLoadsFromTheDriverFolderOrFallsBack) {
    EXPECT_EQ(ExtLibraryName(2059), "VOMX080B.DLL");
    EXPECT_EQ(ExtLibraryName(7), "VOMX0007.DLL");
    ModelExtensionLibrary library;
    SetLastError(0);
    EXPECT_FALSE(library.Load("C:\\WINDOWS\\SYSTEM", 2059));  // none installed
    EXPECT_EQ(GetLastError(), 0u);
    EXPECT_EQ(library.ResourceModule(), nullptr);
    EXPECT_TRUE(library.Extension().HasHandler(kExtDeviceCapabilities));

    std::filesystem::copy_file(STANDIN_OTHER_LIBRARY, root_ + "/WINDOWS/SYSTEM/VOMX0807.DLL");  // no entry
    EXPECT_FALSE(library.Load("C:\\WINDOWS\\SYSTEM", 2055));
    std::filesystem::copy_file(STANDIN_MODEL_EXT, root_ + "/WINDOWS/SYSTEM/VOMX080B.DLL");
    ASSERT_TRUE(library.Load("C:\\WINDOWS\\SYSTEM", 2059));
    EXPECT_NE(library.ResourceModule(), nullptr);
    EXPECT_EQ(library.ResourceModule(), library.Module());
    EXPECT_EQ(&library.Extension(), &BuiltInModelExtension());
    library.Unload();
    EXPECT_EQ(library.Module(), nullptr);
}

TEST_F(BundledPrinters, ModelInformationUserPaperAndUpgrades) {
    drvtest::FixturePrinter printer(drvtest::kBundledPcl5cPrinter);
    RuledStore ruled(printer);
    const ModelExtension& ext = BuiltInModelExtension();
    ExtDevice device{ruled.data->ModelCode(), ruled.data, &ruled.tables};
    EXPECT_STREQ(ext.ModelInfoB(device), "PCL5c");
    EXPECT_STREQ(ext.ModelInfoB(ExtDevice{}), "");
    EXPECT_EQ(ext.ModelInfoA(ExtDevice{}).size(), 0u);

    struct Case { uint32_t w, l; uint16_t code; };
    for (auto c : {Case{2100, 2970, 9}, Case{2101, 2968, 9}, Case{2970, 4200, 8}, Case{2000, 2000, 256},
                   Case{3200, 4572, 256}, Case{3201, 4572, 0}, Case{500, 500, 0}})
        EXPECT_EQ(ext.ConvertUserPaper(device, c.w, c.l), c.code) << c.w << "x" << c.l;

    // A device mode of an older version that never recorded its model takes this printer's.
    std::vector<uint8_t> dm(devmode::GetDevmode(ruled.store, 1), devmode::GetDevmode(ruled.store, 1) + devmode::kDevmodeSize);
    std::memset(&dm[devmode::kOffModelNumber], 0, 2);
    std::memset(&dm[devmode::kOffPdlId], 0, 2);
    int16_t paper = 999;
    std::memcpy(&dm[offsetof(DEVMODEA, dmPaperSize)], &paper, 2);
    ext.UpgradeLegacy(device, 0x0600, MutableByteView(dm.data(), dm.size()));
    uint16_t model = 0, pdl = 0;
    std::memcpy(&model, &dm[devmode::kOffModelNumber], 2);
    std::memcpy(&pdl, &dm[devmode::kOffPdlId], 2);
    std::memcpy(&paper, &dm[offsetof(DEVMODEA, dmPaperSize)], 2);
    EXPECT_EQ(model, 2071);
    EXPECT_EQ(pdl, 272);
    EXPECT_EQ(paper, 9);
    EXPECT_FALSE(ext.ValidateDevmode(device, MutableByteView(dm.data(), dm.size())));  // nothing left to change

    void* out = nullptr;
    ASSERT_TRUE(QueryTable(ruled.tables, kTableDataItems, &out));
    auto* items = static_cast<DataItemCursor*>(out);
    EXPECT_EQ(items->ops->ItemSize(items, 2063), 4u);
    items->ops->Release(items);
}

TEST(ExtensionModule, TheServiceTableLoadsTheModelsLibraryOrFallsBackToTheResourceModule) {
    drvtest::FixtureDevice fixture;
    ASSERT_NE(fixture.Device(), nullptr);
    UIDEVDATA* plain = fixture.Device();
    HMODULE resources = plain->svc->GetExtModule(plain);
    EXPECT_NE(resources, nullptr) << "no library: the built-in models' bitmaps in the resource module";
    EXPECT_EQ(resources, GetModuleHandleA("DRVOPRES.DLL"));

    std::filesystem::copy_file(STANDIN_MODEL_EXT, fixture.Root() + "/WINDOWS/SYSTEM/VOMX080B.DLL");
    UIDEVDATA* withLibrary = fixture.Make(kKindUserInterface);
    ASSERT_NE(withLibrary, nullptr);
    HMODULE library = withLibrary->svc->GetExtModule(withLibrary);
    EXPECT_NE(library, nullptr);
    EXPECT_EQ(library, GetModuleHandleA("VOMX080B.DLL"));
    EXPECT_EQ(withLibrary->svc->GetExtModule(withLibrary), library) << "loaded once";
}
