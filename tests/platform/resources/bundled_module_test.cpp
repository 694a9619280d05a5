// The bundled printer's resource module as the library reads it: every page and dialog carries
// the control ids the settings bind to, and its texts and bitmaps are there.
#include <windows.h>

#include "data/resources/drvopui_ids.h"
#include "platform/resources/res_file.h"
#include "platform/user/dialog_template.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

TEST(BundledModule, DialogsCarryTheirControlsAndTextsAndBitmapsAreThere) {
    HMODULE module = res::OpenResourceFile(DRVOPUI_BINARY_DIR "/data/resources/drvopui.res");
    ASSERT_NE(module, nullptr);
    const std::vector<int> common = {IDC_ADD_PROFILE, IDC_EDIT_PROFILE,          IDC_VIEW_SETTINGS, IDC_STATUS_MONITOR,
                                     IDC_JOB_OPERATION, IDC_JOB_OPERATION_DETAILS, IDC_LOCK};
    struct Case {
        int dialog;
        std::vector<int> controls;
    };
    for (const auto& c : {Case{IDD_PAGE_SETUP, {IDC_PAGE_SIZE, IDC_OUTPUT_SIZE, IDC_COPIES, IDC_PORTRAIT, IDC_LANDSCAPE,
                                               IDC_LAYOUT, IDC_PAGE_ORDER, IDC_SCALING, IDC_SCALING_RATIO, IDC_STAMP,
                                               IDC_STAMP_SELECT, IDC_EDIT_STAMP, IDC_CUSTOM_PAPER, IDC_PAGE_OPTIONS}},
                          Case{IDD_DEVICE_SETTINGS, {IDC_SPOOL, IDC_PAPER_SOURCE_SETTINGS, IDC_FONT_SETTINGS, IDC_ABOUT}},
                          Case{IDD_SETTINGS_SUMMARY, {IDC_SUMMARY_LIST, IDC_SUMMARY_COPY, IDOK, IDCANCEL}}}) {
        HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(c.dialog), RT_DIALOG);
        ASSERT_NE(found, nullptr) << c.dialog;
        user::DialogTemplate parsed;
        ASSERT_TRUE(user::ParseDialogTemplate(static_cast<const uint8_t*>(LockResource(LoadResource(module, found))),
                                              SizeofResource(module, found), parsed));
        std::vector<int> ids;
        for (const auto& item : parsed.items) ids.push_back(static_cast<int>(item.id));
        std::vector<int> wanted = c.controls;
        if (c.dialog != IDD_SETTINGS_SUMMARY) wanted.insert(wanted.end(), common.begin(), common.end());
        for (int id : wanted) EXPECT_NE(std::find(ids.begin(), ids.end(), id), ids.end()) << c.dialog << " " << id;
    }
    char text[64];
    EXPECT_GT(LoadStringA(module, 4006, text, sizeof text), 0);
    EXPECT_GT(LoadStringA(module, 4893, text, sizeof text), 0);
    for (int bitmap = IDB_ADD_PROFILE; bitmap < IDB_PROFILE_DOWN + 4; ++bitmap)
        EXPECT_NE(FindResourceA(module, MAKEINTRESOURCEA(bitmap), RT_BITMAP), nullptr) << bitmap;
    res::CloseResourceFile(module);
}

}  // namespace
