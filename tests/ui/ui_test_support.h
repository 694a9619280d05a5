// Shared by the dialog framework tests: a request on the fixture printer, the tests' resource
// module, and a dialog class that writes every handler call into a log.
#pragma once

#include "core/memory/chunk_pool.h"
#include "drvtest/fixture_device.h"
#include "drvtest/gdi.h"
#include "platform/resources/res_file.h"
#include "test_ui_ids.h"
#include "ui/cm_proc.h"
#include "ui/cm_tooltip.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace uitest {

inline constexpr int kTestKind = 99;
inline constexpr int kTestPageId = 10832;  // "Profiles" in the bundled resource module

inline std::vector<std::string> g_log;
// Behaviour a test chooses for the next objects.
inline BOOL g_applyAnswer = TRUE;
inline const DialogButton* g_buttons = nullptr;
inline const DWORD* g_helpIds = nullptr;
inline std::function<void(CmProc&)> g_onInit;
inline std::function<void(CmProc&)> g_onDestroy;
inline CmProc* g_last = nullptr;

inline void Log(const std::string& line) { g_log.push_back(line); }

class RecordingProc : public CmProc {
public:
    RecordingProc() : CmProc(kTestKind, kTestPageId) {}
    ~RecordingProc() override {
        Log("deleted");
        if (g_last == this) g_last = nullptr;
    }
    BOOL OnInitDialog() override {
        g_last = this;
        Log("init");
        if (g_onInit) g_onInit(*this);
        return CmProc::OnInitDialog();
    }
    void OnDestroy() override {
        Log("destroy");
        if (g_onDestroy) g_onDestroy(*this);
        CmProc::OnDestroy();
    }
    BOOL OnCommand(WORD id, WORD code) override {
        Log("command " + std::to_string(id) + " " + std::to_string(code));
        return CmProc::OnCommand(id, code);
    }
    BOOL OnDrawItem(int id, DRAWITEMSTRUCT*) override {
        Log("draw " + std::to_string(id));
        return TRUE;
    }
    BOOL OnHScroll(int code, int, HWND) override {
        Log("hscroll " + std::to_string(code));
        return TRUE;
    }
    BOOL OnSetActive() override {
        Log("setactive");
        return TRUE;
    }
    BOOL OnKillActive() override {
        Log("killactive");
        return TRUE;
    }
    BOOL OnApply() override {
        Log("apply");
        return g_applyAnswer && CmProc::OnApply();
    }
    BOOL OnReset() override {
        Log("reset");
        return TRUE;
    }
    BOOL OnPageChanged(HWND, PageMessageRecord* r) override {
        Log("page 0 " + std::to_string(r->subCode));
        return TRUE;
    }
    BOOL OnPageMessage100(HWND, PageMessageRecord*) override {
        Log("page 100");
        return TRUE;
    }
    BOOL OnPageMessage200(HWND, PageMessageRecord* r) override {
        Log("page 200 " + std::to_string(r->first));
        return TRUE;
    }
    void UpdateControls() override { Log("update"); }
    const DWORD* GetHelpIdTable() override { return g_helpIds; }
    const DialogButton* GetDialogButtonTable() override { return g_buttons; }
};

inline const char* const kResFile = DRVOPUI_BINARY_DIR "/tests/ui/test_ui.res";

// A user-interface request on the bundled printer, the tests' dialogs, an owner window, and the
// pool and GDI counters as they were before the test.
class DialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        g_log.clear();
        g_applyAnswer = TRUE;
        g_buttons = nullptr;
        g_helpIds = nullptr;
        g_onInit = nullptr;
        g_onDestroy = nullptr;
        InitCommonControls();
        ASSERT_NE(device.Device(), nullptr);
        module = res::OpenResourceFile(kResFile);
        ASSERT_NE(module, nullptr) << kResFile;
        owner = CreateWindowExA(0, "Static", "owner", WS_OVERLAPPED | WS_VISIBLE, 0, 0, 400, 300, nullptr, nullptr,
                                nullptr, nullptr);
        sheetData = SHEETDATA{sizeof(SHEETDATA), device.Device(), 0, kSheetModalDialog};
        poolBlocks = g_chunkPool.LiveBlocks();
        gdiObjects = drvtest::LiveGdiObjects();
    }
    void TearDown() override {
        DestroyWindow(owner);
        res::CloseResourceFile(module);
        g_onInit = nullptr;
        g_onDestroy = nullptr;
    }
    // Nothing the dialogs made is left: no object of the pool, no GDI object.
    void ExpectNothingLeft() {
        EXPECT_EQ(g_chunkPool.LiveBlocks(), poolBlocks);
        EXPECT_EQ(drvtest::LiveGdiObjects(), gdiObjects);
    }
    INT_PTR RunDialog() {
        return DialogBoxParamA(module, MAKEINTRESOURCEA(IDD_TEST_DIALOG), owner,
                               CmProc::DialogProcFor<RecordingProc>, reinterpret_cast<LPARAM>(&sheetData));
    }

    drvtest::FixtureDevice device{kKindUserInterface};
    HMODULE module = nullptr;
    HWND owner = nullptr;
    SHEETDATA sheetData{};
    std::size_t poolBlocks = 0;
    std::size_t gdiObjects = 0;
};

}  // namespace uitest
