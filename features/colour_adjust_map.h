// `CmColorAdjustMap`: the colour map of the colour adjustment page, a control that subclasses a
// window of the page. It draws a picture of the colour space with a grid and a square the user
// drags (with Shift held the square moves from grid step to grid step); the square's position
// stands for two of the four adjustment values, -5 to 5 each. It tells its page what happens
// with the page message (code 201): subcode 1 the snapped values while dragging, 2 the free
// values, 39 when a drag ended and the values were stored.
#pragma once

#include "core/device/uidevdata.h"

#include <windows.h>

class CmColorAdjustMap {
public:
    // The values the map shows and stores, and two words the page gives back with notices.
    struct Values {
        int mapX = 0;
        int mapY = 0;
        DWORD word1 = 0;
        DWORD word2 = 0;
    };
    // Geometry of the control, in pixels.
    static constexpr int kSize = 181;       // the map runs over 0..180
    static constexpr int kFirst = 2;        // the usable area runs from 2 to 179
    static constexpr int kLast = 179;
    static constexpr int kStep = 11;        // grid lines at 2, 13, ..., 178
    static constexpr int kSquare = 67;
    static constexpr int kCentre = 57;      // the square's left (top) edge for the value 0
    static constexpr int kHighest = 112;    // its left (top) edge for the value 5 (-5 for top)
    static constexpr int kPictureSize = 176;
    static constexpr UINT kSubSnapped = 1, kSubFree = 2, kSubStored = 39;

    // `inUse` points at the page's three in-use bytes of the colour block; the map is live while
    // one of them is set. The map subclasses `window` and keeps itself in its user data.
    CmColorAdjustMap(HWND window, UIDEVDATA* ctx, Values* values, const BYTE* inUse);
    ~CmColorAdjustMap();
    CmColorAdjustMap(const CmColorAdjustMap&) = delete;
    CmColorAdjustMap& operator=(const CmColorAdjustMap&) = delete;

    HWND Window() const { return window_; }
    bool IsInactive() const;
    // After the page changed the values or the groups in use: the picture and the square follow.
    void Refresh();
    // Realises the halftone palette in the window's device context; answers whether it could.
    BOOL RealizePalette();

    // The position of a square's edge for a value, and the nearest grid position to a position.
    static int LeftFor(int mapX) { return kCentre + kStep * mapX; }
    static int TopFor(int mapY) { return kCentre - kStep * mapY; }
    static int Snap(int position);
    static int ValueX(int left) { return (left - kFirst) / kStep - 5; }
    static int ValueY(int top) { return 5 - (top - kFirst) / kStep; }

    // What the square shows now (free while dragging, the snapped one with Shift held).
    RECT SquareRect() const;
    bool IsDragging() const { return dragging_; }
    int Zone() const { return zone_; }

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam);

    void Paint();
    void Dispatch(UINT msg, WPARAM keys, int x, int y);
    void OnMove(WPARAM keys, int x, int y);
    void OnLeftDown(int x, int y);
    void StartDrag(int x, int y);
    void Drag(int x, int y);
    void EndDrag(int x, int y);
    void BuildPicture();
    void DrawSquare(HDC dc, const RECT& square) const;
    void InvalidateSquare();
    void SetCursorById(UINT id) const;
    void Notify(UINT subCode, int valueX, int valueY) const;

    HWND window_;
    UIDEVDATA* ctx_;
    WNDPROC previous_ = nullptr;
    HDC memory_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ replaced_ = nullptr;
    HPALETTE palette_ = nullptr;
    Values* values_;
    const BYTE* inUse_;
    bool grabbed_ = false;
    bool dragging_ = false;
    bool shift_ = false;
    int zone_ = 0;
    POINT last_{};
    POINT free_{};      // the square's left and top as dragged
    POINT snapped_{};
    RECT shown_{};      // where the square was last drawn
    HWND focusBefore_ = nullptr;
};
