// `CmProc`: the base of every dialog and page object. One object per dialog window, made on
// WM_INITDIALOG by the class's static dialog procedure (`CmProc::DialogProcFor`), kept in the
// window's user data and deleted on WM_DESTROY. Its router turns window messages into calls of
// virtual handlers (declared below in their table order), keeps the context of the current
// message, answers the sheet's notifications and shows help.
#pragma once

#include "core/memory/pool_object.h"
#include "core/device/uidevdata.h"
#include "ui/page_message.h"
#include "ui/sheet_data.h"

#include <commctrl.h>
#include <windows.h>

#include <cstdint>

struct DialogEntry;

// A button that opens a dialog of another kind.
struct DialogButton {
    WORD controlId;  // 0 ends a table
    WORD dialogKind;
};

class CmProc : public PoolObject {
public:
    CmProc(int dialogKind, int pageId);
    virtual ~CmProc();
    CmProc(const CmProc&) = delete;
    CmProc& operator=(const CmProc&) = delete;

    // The router: every message of the window after the object exists comes here.
    virtual INT_PTR DialogProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam);
    // Whether the router handles this message at all; the others go to the dialog manager.
    virtual BOOL WantsMessage(UINT msg);
    // Keeps the control id, window and notification code of a command, a drawing or measuring
    // request or a scroll.
    virtual void RecordMessageContext(UINT msg, WPARAM wParam, LPARAM lParam);
    virtual BOOL OnInitDialog();
    virtual void OnDestroy();
    // Closes the help window this dialog opened, if any.
    virtual void OnCloseHelp();
    // Buttons of the two button tables open their dialogs; IDOK and IDCANCEL end a modal dialog.
    // Answers whether the command was handled.
    virtual BOOL OnCommand(WORD id, WORD code);
    // The sheet's notifications go to OnSetActive, OnKillActive, OnApply, OnReset; PSN_HELP shows
    // help. Answers whether the notification was handled (its result is in DWLP_MSGRESULT).
    virtual BOOL OnNotify(int id, NMHDR* header);
    // The page message, by its code: 0 OnPageChanged, 100 OnPageMessage100, 200 OnPageMessage200.
    virtual BOOL OnPageMessage(HWND from, PageMessageRecord* record);
    virtual BOOL OnPaint();
    virtual BOOL OnDrawItem(int id, DRAWITEMSTRUCT* item);
    virtual BOOL OnMeasureItem(int id, MEASUREITEMSTRUCT* item);
    virtual BOOL OnHScroll(int code, int position, HWND control);
    virtual BOOL OnVScroll(int code, int position, HWND control);
    // Context help for the control asked about, from the dialog's help-id table.
    virtual BOOL OnHelp(HELPINFO* info);
    virtual BOOL OnContextMenu(HWND window, int x, int y);
    virtual BOOL OnMouseMove(WPARAM keys, int x, int y);
    virtual BOOL OnActivate(WPARAM state, HWND other);
    virtual BOOL OnQueryNewPalette();
    virtual BOOL OnPaletteChanged(HWND changer);
    virtual BOOL OnSetActive();
    virtual BOOL OnKillActive();
    // Commits the sheet's settings into the request's device mode and its device options into
    // the request's block and the printer; answers whether it did.
    virtual BOOL OnApply();
    virtual BOOL OnReset();
    virtual BOOL OnPageChanged(HWND from, PageMessageRecord* record);
    virtual BOOL OnPageMessage100(HWND from, PageMessageRecord* record);
    virtual BOOL OnPageMessage200(HWND from, PageMessageRecord* record);
    // (control id, context id) pairs ending at a control id of 0; null without context help.
    virtual const DWORD* GetHelpIdTable();
    // The title (the page id's string); answers its length, 0 when there is none.
    virtual int LoadPageTitle(LPSTR buffer, int size);
    virtual void UpdateControls();
    // The printer driver's help file; answers false when the driver names none.
    virtual BOOL GetHelpFilePath(LPSTR buffer, DWORD size);
    virtual const DialogButton* GetDialogButtonTable();
    virtual const DialogButton* GetDialogListButtonTable();
    virtual const DialogEntry* GetDialogEntry();
    virtual const WORD* GetItemList();
    virtual void UpdateEnabledItems();
    virtual void UpdateVisibleItems();

    // The page's help topic: WinHelp with the page title as keyword.
    BOOL ShowHelp();

    int DialogKind() const { return dialogKind_; }
    int PageId() const { return pageId_; }
    HWND Dialog() const { return dialog_; }
    SHEETDATA* SheetData() const { return sheetData_; }
    DWORD SheetKind() const { return sheetData_ ? sheetData_->kind : 0; }
    UIDEVDATA* Request() const { return ctx_; }
    uint8_t* Devmode() const { return devmode_; }
    HANDLE Printer() const { return printer_; }
    WORD ControlId() const { return controlId_; }
    HWND ControlWindow() const { return controlWindow_; }
    WORD NotifyCode() const { return notifyCode_; }

    // The routing every class's static dialog procedure shares: `make` builds the object on
    // WM_INITDIALOG; the object is deleted after WM_DESTROY. No exception leaves it.
    static INT_PTR Route(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam, CmProc* (*make)());

    // The static dialog procedure of a class whose constructor takes no arguments.
    template <class T>
    static INT_PTR CALLBACK DialogProcFor(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam) {
        return Route(dialog, msg, wParam, lParam, []() -> CmProc* { return new T; });
    }

protected:
    // The result word of a notification or of a message whose answer is not the handled flag.
    void SetMessageResult(LRESULT result);
    void SetControlContext(WORD id, HWND window, WORD code);

private:
    BOOL OpenButtonDialog(const DialogButton* table, WORD id);
    // The sheet's device-option block, when it differs from the request's, written as the
    // printer's; false when the printer refused it.
    bool CommitDeviceOptions();

    int dialogKind_;
    int pageId_;
    HWND dialog_ = nullptr;
    SHEETDATA* sheetData_ = nullptr;
    UIDEVDATA* ctx_ = nullptr;
    uint8_t* devmode_ = nullptr;
    HANDLE printer_ = nullptr;
    WORD controlId_ = 0;
    HWND controlWindow_ = nullptr;
    WORD notifyCode_ = 0;
    bool helpShown_ = false;
};
