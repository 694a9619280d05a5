// Test-only: a scripted person in front of property sheets. While a ScriptedSheet lives, each
// modal property sheet of its thread is handed, once shown, to the next script in line, which
// switches pages, uses the controls of a page (with the helpers of drvtest/scripted_user.h on
// Page()) and presses OK, Cancel or Apply. A sheet with no script left, or one its script left
// open, is cancelled.
#pragma once

#include <windows.h>

#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace commctl {
struct SheetObserver;
}

namespace drvtest {

class SheetDriver {
public:
    explicit SheetDriver(HWND sheet) : sheet_(sheet) {}
    HWND Sheet() const { return sheet_; }
    int PageCount() const;
    int CurrentIndex() const;
    HWND Page() const;  // the current page's dialog
    std::string PageTitle(int index) const;
    bool SelectPage(int index);  // a click on the page's tab
    bool PressOk();
    bool PressCancel();
    bool PressApply();
    bool PressHelp();
    // A key pressed on a control of the current page, through the sheet as its loop passes it on
    // (Enter presses the sheet's default button, Escape its Cancel).
    bool PressKey(int id, UINT virtualKey);
    bool IsApplyEnabled() const;
    bool IsOpen() const;

private:
    HWND sheet_;
};

class ScriptedSheet {
public:
    ScriptedSheet();
    ~ScriptedSheet();
    ScriptedSheet(const ScriptedSheet&) = delete;
    ScriptedSheet& operator=(const ScriptedSheet&) = delete;

    void OnSheet(std::function<void(SheetDriver&)> script) { scripts_.push_back(std::move(script)); }
    int sheetsSeen() const { return sheetsSeen_; }

private:
    static void sheetShown(HWND sheet, void* self);

    std::deque<std::function<void(SheetDriver&)>> scripts_;
    int sheetsSeen_ = 0;
    std::unique_ptr<commctl::SheetObserver> observer_;
    const commctl::SheetObserver* previous_ = nullptr;
};

// A page of a sheet: a dialog template of the module and its procedure, given lParam as a page's is.
struct SheetPage {
    int templateId;
    DLGPROC proc;
    LPARAM lParam;
};

// Shows a modal property sheet of the pages, in order, and answers what PropertySheetA answers.
// A ScriptedSheet alive on the thread drives it.
INT_PTR RunSheet(HMODULE module, const std::vector<SheetPage>& pages, const char* caption);
inline INT_PTR RunOnePageSheet(HMODULE module, int templateId, DLGPROC proc, LPARAM lParam, const char* caption) {
    return RunSheet(module, {{templateId, proc, lParam}}, caption);
}

}  // namespace drvtest
