// `CmPreview`: turns a static control of a page into a live picture. It subclasses the control the
// page hands it (no window of its own), keeps what every picture reads settings through, and
// routes paint, command and mouse messages to the picture's handlers; every other message, and
// every one a handler leaves, goes on to the control's own procedure.
#pragma once

#include "ui/page_preview.h"

#include <windows.h>

#include <cstdint>

class CmPreview : public PagePreview {
public:
    CmPreview(HWND control, UIDEVDATA* ctx, uint8_t* settings, int kind);
    // Hands the control its own procedure back, when the control still exists and still runs ours.
    ~CmPreview() override;
    CmPreview(const CmPreview&) = delete;
    CmPreview& operator=(const CmPreview&) = delete;

    virtual LRESULT OnCommand(WPARAM wParam, LPARAM lParam);
    virtual LRESULT OnPaint(WPARAM wParam, LPARAM lParam);
    virtual LRESULT OnMouse(UINT msg, WPARAM wParam, LPARAM lParam);
    virtual BOOL Render(HDC dc);
    // The router shared by all pictures; non-zero: the message was handled.
    virtual LRESULT OnMessage(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
    void Update() override {}
    void CancelTracking() override {}
    virtual void SetMode(int) {}
    virtual void SetSubMode(int) {}
    virtual int GetMode() const { return -1; }
    virtual int GetSubMode() const { return -1; }
    BOOL OnQueryNewPalette() override { return FALSE; }
    BOOL OnPaletteChanged(HWND) override { return FALSE; }

    static LRESULT CALLBACK WindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);

    HWND Control() const { return control_; }
    HWND Parent() const { return parent_; }
    int Kind() const { return kind_; }

protected:
    // The control is going away (its last message): the picture lets go of it.
    virtual void OnControlGone() {}

    UIDEVDATA* devData_;
    uint8_t* settings_;  // the device mode the page edits
    HWND parent_ = nullptr;
    HWND control_ = nullptr;
    int kind_;
    WNDPROC oldProc_ = nullptr;
};
