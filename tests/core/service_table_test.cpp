// Every service-table operation on the fixture printer and on a null device object: the object
// side may call any of them before the core could serve it, and must get the failure answer.
#include "core/device/core_interface.h"
#include "core/datafile/data_item_cursor.h"
#include "core/datafile/device_data.h"
#include "core/device/service_table.h"
#include "core/device/user_data.h"
#include "data/resources/drvopui_ids.h"
#include "drvtest/fixture_device.h"
#include "platform/spooler/pseudo_printer.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

namespace {

// One operation: `answers` is what it gives for ctx (true when it served).
struct Operation {
    const char* name;
    std::function<bool(UIDEVDATA*)> answers;
};

std::vector<Operation> Operations() {
    const UiServiceTable& s = g_uiServiceTable;
    static uint8_t scratch[4096];
    static char text[300];
    return {
        {"LoadDeviceData", [&](UIDEVDATA* c) { return s.LoadDeviceData(c) != nullptr; }},
        {"GetDevmode", [&](UIDEVDATA* c) { return s.GetDevmode(c, 1) && s.GetDevmode(c, 2) && s.GetDevmode(c, 3); }},
        {"GetDevmodeSize", [&](UIDEVDATA* c) { return s.GetDevmodeSize(c, 1) && s.GetDevmodeSize(c, 2); }},
        {"GetOption", [&](UIDEVDATA* c) { DWORD v = 0; return s.GetOption(c, s.GetDevmode(c, 3), 110, &v, 4) != 0; }},
        {"SetOption", [&](UIDEVDATA* c) { DWORD v = 1; return s.SetOption(c, s.GetDevmode(c, 3), 110, &v, 4) != 0; }},
        {"ValidateDevmode", [&](UIDEVDATA* c) {
             uint8_t* dm = s.GetDevmode(c, 3);
             if (!dm) return s.ValidateDevmode(c, scratch, scratch) != 0;
             std::memcpy(scratch, dm, s.GetDevmodeSize(c, 1));
             return s.ValidateDevmode(c, s.GetDevmode(c, 2), scratch) != 0;
         }},
        {"ConvertDevmode", [&](UIDEVDATA* c) {
             uint8_t* dm = s.GetDevmode(c, 3);
             return s.ConvertDevmode(c, dm ? dm : scratch, scratch, 2) != 0;
         }},
        {"GetDeviceOption", [&](UIDEVDATA* c) { return s.GetDeviceOption(c) != nullptr; }},
        {"GetDeviceOptionData", [&](UIDEVDATA* c) { return s.GetDeviceOptionData(c) != nullptr; }},
        {"GetDeviceOptionSize", [&](UIDEVDATA* c) { return s.GetDeviceOptionSize(c) != 0; }},
        {"WriteDeviceOption", [&](UIDEVDATA* c) { return s.WriteDeviceOption(c, s.GetDeviceOption(c)) != 0; }},
        {"GetDeviceOptionValue", [&](UIDEVDATA* c) { DWORD v = 0; return s.GetDeviceOptionValue(c, nullptr, 0x201, &v, 4) != 0; }},
        {"SetDeviceOptionValue", [&](UIDEVDATA* c) { DWORD v = 1; return s.SetDeviceOptionValue(c, nullptr, 0x201, &v, 4) != 0; }},
        {"Query", [&](UIDEVDATA* c) {
             void* items = &scratch;
             if (!s.Query(c, 7, 0, &items)) return items != nullptr;
             auto* cursor = static_cast<DataItemCursor*>(items);
             cursor->ops->Release(cursor);
             return s.Query(c, 3, 0, &items) == FALSE && items == nullptr;
         }},
        {"QueryTables", [&](UIDEVDATA* c) {
             void* cursor = nullptr;
             const bool papers = s.Query(c, 0, 0, &cursor) && cursor;
             if (cursor) static_cast<CoreInterface*>(cursor)->Release();
             return papers && s.RefreshTable(c, 1) && s.RefreshTable(c, 2);
         }},
        {"SetUserPaperSize", [&](UIDEVDATA* c) { return s.SetUserPaperSize(c, 2100, 2970) && !s.SetUserPaperSize(c, 1, 1); }},
        {"Inflate", [&](UIDEVDATA* c) {
             // A stored block of "abc": zlib header, one stored block, Adler-32.
             const uint8_t packed[] = {0x78, 0x01, 0x01, 0x03, 0x00, 0xFC, 0xFF, 'a', 'b', 'c', 0x02, 0x4D, 0x01, 0x27};
             char out[3] = {};
             return s.Inflate(c, packed, sizeof packed, out, sizeof out) && std::memcmp(out, "abc", 3) == 0;
         }},
        {"GetPrinterName", [&](UIDEVDATA* c) { return s.GetPrinterName(c) && std::string(s.GetPrinterName(c)) == drvtest::kBundledPcl5ePrinter; }},
        {"GetPrinterHandle", [&](UIDEVDATA* c) { return s.GetPrinterHandle(c) != nullptr; }},
        {"GetHeap", [&](UIDEVDATA* c) { return s.GetHeap(c) != nullptr; }},
        {"GetDeviceDataValue2", [&](UIDEVDATA* c) { return s.GetDeviceDataValue2(c) == 2059; }},
        {"GetModelBlockB", [&](UIDEVDATA* c) { return s.GetModelBlockB(c) && std::strncmp(s.GetModelBlockB(c), "PCL5e", 5) == 0; }},
        {"GetUserData", [&](UIDEVDATA* c) { return s.GetUserData(c) != nullptr; }},
        {"GetDriverDirectory", [&](UIDEVDATA* c) { return s.GetDriverDirectory(c) && std::string(s.GetDriverDirectory(c)) == "C:\\WINDOWS\\SYSTEM"; }},
        {"GetPrinter", [&](UIDEVDATA* c) {
             DWORD needed = 0;
             return s.GetPrinter(c, s.GetPrinterHandle(c), 2, scratch, sizeof scratch, &needed) &&
                    std::string(reinterpret_cast<PRINTER_INFO_2A*>(scratch)->pPortName) == "LPT1:";
         }},
        {"LoadString", [&](UIDEVDATA* c) {
             std::memset(text, 'x', sizeof text);
             const bool cut = s.LoadString(c, 4001, text, 8) == 7 && std::string(text) == "Profile";
             const bool missing = s.LoadString(c, 1, text, sizeof text) == 0 && text[0] == 0;
             return cut && missing;
         }},
        {"LoadBitmap", [&](UIDEVDATA* c) {
             HBITMAP b = s.LoadBitmap(c, IDB_ADD_PROFILE);
             if (b) DeleteObject(b);
             return b != nullptr && s.LoadBitmap(c, 1) == nullptr;
         }},
        {"FindResource", [&](UIDEVDATA* c) { DWORD size = 0; return s.FindResource(c, IDB_ADD_PROFILE, 2, &size) && size > 40; }},
        {"LoadImageList", [&](UIDEVDATA* c) {
             HIMAGELIST list = s.LoadImageList(c, IDB_ADD_PROFILE, 4, 1, 0xFF00FF);
             if (list) ImageList_Destroy(list);
             return list != nullptr;
         }},
        {"GetKind", [&](UIDEVDATA* c) { return s.GetKind(c) == kKindDevmode; }},
        {"GetWord", [&](UIDEVDATA* c) { return c && s.GetWord(c, 1) == 2 && s.GetWord(c, 0) == 0; }},
        {"TestAppFlags", [&](UIDEVDATA* c) { return s.TestAppFlags(c, 0x04) && !s.TestAppFlags(c, 0x01); }},
        {"GetItemBufferByIndex", [&](UIDEVDATA* c) { return s.GetItemBuffer(c) && s.GetItemBufferByIndex(c, 16) == nullptr; }},
        {"PrinterData", [&](UIDEVDATA* c) {
             DWORD type = 0, needed = 0, value = 0;
             const bool set = s.SetPrinterData(c, s.GetPrinterHandle(c), "PPCurPFlg", REG_DWORD, "\x07\0\0\0", 4) == 0;
             return set && s.GetPrinterData(c, s.GetPrinterHandle(c), "PPCurPFlg", &type, &value, 4, &needed) == 0 && value == 7;
         }},
        {"PrinterValues", [&](UIDEVDATA* c) {
             const bool written = s.WritePrinterStringId8(c, "PPCurPName", "Draft") && s.SetPrinterDword(c, "PPCurPFlg", 3);
             return written && s.ReadPrinterString(c, "PPCurPName", text, 32, "") && std::string(text) == "Draft" &&
                    s.GetPrinterDword(c, "PPCurPFlg", 9) == 3;
         }},
        {"GetPrinterDwordKey", [&](UIDEVDATA* c) {
             return s.GetPrinterDwordKey(c, s.GetPrinterHandle(c), HKEY_LOCAL_MACHINE,
                                         "System\\CurrentControlSet\\control\\Print\\Printers\\Vomel Kelvaro PCL5e",
                                         "Priority", 9, 0) == 1;
         }},
        {"GetWindowsVersion", [&](UIDEVDATA* c) {
             OSVERSIONINFOA info = {};
             info.dwOSVersionInfoSize = sizeof info;
             return s.GetWindowsVersion(c, &info) && info.dwMajorVersion == 4;
         }},
        {"PseudoPrinter", [&](UIDEVDATA* c) {
             HANDLE pseudo = PseudoPrinterCreate(3);
             DWORD count = 5, back = 0;
             const bool ok = s.IsPseudoPrinter(c, pseudo) && !s.IsPseudoPrinter(c, s.GetPrinterHandle(c)) &&
                             s.PseudoPrinterGetField8(c, pseudo) == 3 && s.PseudoPrinterSetData(c, pseudo, 8, &count, 4) &&
                             s.PseudoPrinterGetData(c, pseudo, 8, &back, 4) && back == 5 &&
                             s.PseudoPrinterSetField24(c, pseudo, 2) && PseudoPrinterGetField24(pseudo) == 2;
             PseudoPrinterDestroy(pseudo);
             return ok;
         }},
        {"CallDevInstall", [&](UIDEVDATA* c) { return s.CallDevInstall(c, 1, 1) && c->devInstallReport[0] == 1 && c->devInstallReport[1] == 1; }},
    };
}

TEST(ServiceTable, EveryOperationServesTheFixturePrinterAndFailsForANullObjectOrAPartNotBuilt) {
    drvtest::FixtureDevice fixture;
    ASSERT_NE(fixture.Device(), nullptr);
    fixture->requestWord1 = 2;
    fixture->appFlags = 0x04;
    for (const Operation& op : Operations()) {
        EXPECT_TRUE(op.answers(fixture.Device())) << op.name;
        EXPECT_FALSE(op.answers(nullptr)) << op.name << " with a null object";
    }

    const UiServiceTable& s = g_uiServiceTable;
    for (UIDEVDATA* c : {fixture.Device(), static_cast<UIDEVDATA*>(nullptr)}) {
        EXPECT_FALSE(s.LoadColorLibraries(c, 0, nullptr));
        EXPECT_FALSE(s.ShowPropertySheetFromRequest(c, nullptr));
        EXPECT_EQ(s.LoadMenu(c, 1), nullptr);
        EXPECT_EQ(s.LoadIcon(c, 1), nullptr);
        EXPECT_EQ(s.LoadCursor(c, 1), nullptr);
        EXPECT_EQ(s.GetSubtype(c), 0);
    }
    EXPECT_EQ(s.GetExtModule(nullptr), nullptr);
}

}  // namespace
