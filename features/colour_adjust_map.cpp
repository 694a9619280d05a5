// The colour map's messages, its drag and its picture. The map grabs the mouse as soon as the
// pointer is over it, so that a drag keeps its messages when the pointer leaves the window; a
// movement beyond the usable area counts as if pinned to its edge, so the square stops at the
// edge instead of running away from the pointer.
#include "features/colour_adjust_map.h"

#include "core/device/service_table.h"
#include "data/resources/drvopui_ids.h"
#include "ui/page_message.h"

#include <algorithm>

namespace {

int Clamped(int position) {
    if (position < CmColorAdjustMap::kFirst) return CmColorAdjustMap::kFirst;
    if (position + CmColorAdjustMap::kSquare > CmColorAdjustMap::kLast) return CmColorAdjustMap::kHighest;
    return position;
}

int Pinned(int coordinate) { return std::clamp(coordinate, CmColorAdjustMap::kFirst, CmColorAdjustMap::kLast); }

RECT SquareAt(POINT topLeft) {
    return {topLeft.x, topLeft.y, topLeft.x + CmColorAdjustMap::kSquare, topLeft.y + CmColorAdjustMap::kSquare};
}

}  // namespace

CmColorAdjustMap::CmColorAdjustMap(HWND window, UIDEVDATA* ctx, Values* values, const BYTE* inUse)
    : window_(window), ctx_(ctx), values_(values), inUse_(inUse) {
    snapped_ = free_ = {LeftFor(values_->mapX), TopFor(values_->mapY)};
    shown_ = SquareAt(snapped_);
    SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    previous_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CmColorAdjustMap::Procedure)));
    HDC dc = GetDC(window_);
    palette_ = CreateHalftonePalette(dc);
    memory_ = CreateCompatibleDC(dc);
    bitmap_ = CreateCompatibleBitmap(dc, kSize, kSize);
    ReleaseDC(window_, dc);
    if (memory_ && bitmap_) replaced_ = SelectObject(memory_, bitmap_);
    BuildPicture();
}

CmColorAdjustMap::~CmColorAdjustMap() {
    if (grabbed_ && GetCapture() == window_) ReleaseCapture();
    if (previous_) SetWindowLongPtrA(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous_));
    SetWindowLongPtrA(window_, GWLP_USERDATA, 0);
    if (memory_ && replaced_) SelectObject(memory_, replaced_);
    if (bitmap_) DeleteObject(bitmap_);
    if (memory_) DeleteDC(memory_);
    if (palette_) DeleteObject(palette_);
}

bool CmColorAdjustMap::IsInactive() const { return !inUse_ || !(inUse_[0] || inUse_[1] || inUse_[2]); }

int CmColorAdjustMap::Snap(int position) {
    const int steps = (position - kFirst + kStep / 2) / kStep;
    return std::clamp(kFirst + kStep * steps, kFirst, kHighest);
}

RECT CmColorAdjustMap::SquareRect() const { return SquareAt(dragging_ && !shift_ ? free_ : snapped_); }

LRESULT CALLBACK CmColorAdjustMap::Procedure(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* map = reinterpret_cast<CmColorAdjustMap*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (!map) return DefWindowProcA(window, msg, wParam, lParam);
    return map->OnMessage(msg, wParam, lParam);
}

LRESULT CmColorAdjustMap::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_PAINT) {
        Paint();
        return 0;
    }
    if (msg >= WM_MOUSEMOVE && msg <= WM_RBUTTONDBLCLK) {
        Dispatch(msg, wParam, static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
        return 0;
    }
    return CallWindowProcA(previous_, window_, msg, wParam, lParam);
}

void CmColorAdjustMap::Refresh() {
    if (!dragging_) snapped_ = free_ = {LeftFor(values_->mapX), TopFor(values_->mapY)};
    BuildPicture();
    InvalidateRect(window_, nullptr, FALSE);
}

BOOL CmColorAdjustMap::RealizePalette() {
    if (!palette_) return FALSE;
    HDC dc = GetDC(window_);
    HPALETTE old = SelectPalette(dc, palette_, FALSE);
    const UINT mapped = ::RealizePalette(dc);
    SelectPalette(dc, old, FALSE);
    ReleaseDC(window_, dc);
    if (mapped) InvalidateRect(window_, nullptr, FALSE);
    return TRUE;
}

void CmColorAdjustMap::SetCursorById(UINT id) const {
    HCURSOR cursor = id ? ctx_->svc->LoadCursor(ctx_, id) : nullptr;
    SetCursor(cursor ? cursor : LoadCursorA(nullptr, IDC_ARROW));
}

void CmColorAdjustMap::Dispatch(UINT msg, WPARAM keys, int x, int y) {
    const RECT square = SquareRect();
    zone_ = x > square.left && x < square.right && y > square.top && y < square.bottom ? 2
            : x >= 0 && x <= kSize && y >= 0 && y <= kSize                          ? 1
                                                                                     : 0;
    if (zone_ != 0 && !grabbed_) {
        SetCapture(window_);
        grabbed_ = true;
    } else if (zone_ == 0 && !dragging_ && grabbed_) {
        ReleaseCapture();
        grabbed_ = false;
    }
    UINT cursor = 0;
    if (!IsInactive()) cursor = dragging_ ? (zone_ == 0 ? IDCUR_CA_OUTSIDE : IDCUR_CA_DRAG) : (zone_ == 2 ? IDCUR_CA_OVER : 0);
    SetCursorById(cursor);
    shift_ = (GetKeyState(VK_SHIFT) & 0x8000) != 0;
    switch (msg) {
    case WM_MOUSEMOVE: OnMove(keys, x, y); break;
    case WM_LBUTTONDOWN: OnLeftDown(x, y); break;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
        if (dragging_) EndDrag(x, y);
        break;
    default: break;
    }
}

void CmColorAdjustMap::OnMove(WPARAM keys, int x, int y) {
    if (IsInactive() || !dragging_) return;
    if (keys & MK_LBUTTON) Drag(x, y);
    else EndDrag(x, y);  // the button went up where the map could not see it
}

void CmColorAdjustMap::OnLeftDown(int x, int y) {
    if (IsInactive() || dragging_) return;
    const int left = LeftFor(values_->mapX), top = TopFor(values_->mapY);
    const bool onSquare = x > left && x < left + kSquare && y > top && y < top + kSquare;
    free_ = onSquare ? POINT{left, top} : POINT{Clamped(x - kSquare / 2), Clamped(y - kSquare / 2)};
    snapped_ = {Snap(free_.x), Snap(free_.y)};
    StartDrag(x, y);
    Drag(x, y);
}

void CmColorAdjustMap::StartDrag(int x, int y) {
    dragging_ = true;
    InvalidateSquare();
    last_ = {x, y};
    SetCursorById(IDCUR_CA_DRAG);
    focusBefore_ = SetFocus(window_);
}

void CmColorAdjustMap::Drag(int x, int y) {
    free_.x = Clamped(free_.x + Pinned(x) - Pinned(last_.x));
    free_.y = Clamped(free_.y + Pinned(y) - Pinned(last_.y));
    last_ = {x, y};
    snapped_ = {Snap(free_.x), Snap(free_.y)};
    InvalidateSquare();
    Notify(kSubSnapped, ValueX(snapped_.x), ValueY(snapped_.y));
    Notify(kSubFree, ValueX(free_.x), ValueY(free_.y));
}

void CmColorAdjustMap::EndDrag(int x, int y) {
    if (x < kFirst || x > kLast || y < kFirst || y > kLast) {
        if (GetCapture() == window_) ReleaseCapture();
        grabbed_ = false;
    }
    Drag(x, y);
    values_->mapX = ValueX(snapped_.x);
    values_->mapY = ValueY(snapped_.y);
    dragging_ = false;
    free_ = snapped_;
    InvalidateSquare();
    if (focusBefore_ && IsWindow(focusBefore_)) SetFocus(focusBefore_);
    focusBefore_ = nullptr;
    Notify(kSubStored, values_->mapX, values_->mapY);
    SetCursorById(IDCUR_CA_OVER);
}

void CmColorAdjustMap::Notify(UINT subCode, int valueX, int valueY) const {
    // The two values travel as signed words in the record's value words.
    const PageMessageRecord record{0, 0, kPageColorMap, subCode, static_cast<DWORD>(valueX),
                                   static_cast<ULONG_PTR>(static_cast<LONG_PTR>(valueY))};
    SendPageMessage(GetParent(window_), window_, record);
}

void CmColorAdjustMap::InvalidateSquare() {
    InvalidateRect(window_, &shown_, FALSE);
    shown_ = SquareRect();
    InvalidateRect(window_, &shown_, FALSE);
}

void CmColorAdjustMap::BuildPicture() {
    if (!memory_) return;
    const RECT all{0, 0, kSize, kSize};
    FillRect(memory_, &all, GetSysColorBrush(COLOR_3DFACE));
    const bool active = !IsInactive();
    if (active) {
        if (HBITMAP space = ctx_->svc->LoadBitmap(ctx_, IDB_CA_SPACE)) {
            BITMAP info{};
            GetObjectA(space, sizeof info, &info);
            HDC source = CreateCompatibleDC(memory_);
            HGDIOBJ old = SelectObject(source, space);
            HPALETTE oldPalette = palette_ ? SelectPalette(memory_, palette_, FALSE) : nullptr;
            if (palette_) ::RealizePalette(memory_);
            SetStretchBltMode(memory_, HALFTONE);
            StretchBlt(memory_, kFirst, kFirst, kPictureSize, kPictureSize, source, 0, 0, info.bmWidth, info.bmHeight,
                       SRCCOPY);
            if (oldPalette) SelectPalette(memory_, oldPalette, FALSE);
            SelectObject(source, old);
            DeleteDC(source);
            DeleteObject(space);
        }
    }
    HPEN white = CreatePen(PS_SOLID, 1, RGB(255, 255, 255));
    HGDIOBJ oldPen = SelectObject(memory_, white);
    for (int line = kFirst; line <= kLast; line += kStep) {
        MoveToEx(memory_, line, kFirst, nullptr);
        LineTo(memory_, line, kLast + 1);
        MoveToEx(memory_, kFirst, line, nullptr);
        LineTo(memory_, kLast + 1, line);
    }
    HPEN shadow = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_3DSHADOW));
    HPEN light = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_3DHIGHLIGHT));
    SelectObject(memory_, shadow);
    MoveToEx(memory_, 0, kSize - 1, nullptr);
    LineTo(memory_, 0, 0);
    LineTo(memory_, kSize, 0);
    SelectObject(memory_, light);
    MoveToEx(memory_, 1, kSize - 1, nullptr);
    LineTo(memory_, kSize - 1, kSize - 1);
    LineTo(memory_, kSize - 1, 0);
    HPEN centre = CreatePen(PS_SOLID, 1, active ? RGB(0, 0, 255) : GetSysColor(COLOR_3DSHADOW));
    SelectObject(memory_, centre);
    SelectObject(memory_, GetStockObject(NULL_BRUSH));
    Rectangle(memory_, kCentre, kCentre, kCentre + kSquare + 1, kCentre + kSquare + 1);
    SelectObject(memory_, oldPen);
    for (HPEN pen : {white, shadow, light, centre}) DeleteObject(pen);
}

void CmColorAdjustMap::DrawSquare(HDC dc, const RECT& square) const {
    if (IsInactive()) return;
    HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
    HPEN dark = CreatePen(PS_SOLID, 2, RGB(0, 0, 0));
    HGDIOBJ oldPen = SelectObject(dc, dark);
    Rectangle(dc, square.left + 1, square.top + 1, square.right, square.bottom);
    SelectObject(dc, GetStockObject(WHITE_PEN));
    Rectangle(dc, square.left + 3, square.top + 3, square.right - 2, square.bottom - 2);
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
    DeleteObject(dark);
}

void CmColorAdjustMap::Paint() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window_, &ps);
    if (!dc) return;
    HPALETTE old = nullptr;
    if (palette_ && GetDeviceCaps(dc, BITSPIXEL) <= 8 && (GetDeviceCaps(dc, RASTERCAPS) & RC_PALETTE)) {
        old = SelectPalette(dc, palette_, FALSE);
        ::RealizePalette(dc);
    }
    if (memory_) BitBlt(dc, 0, 0, kSize, kSize, memory_, 0, 0, SRCCOPY);
    DrawSquare(dc, SquareRect());
    if (old) SelectPalette(dc, old, FALSE);
    EndPaint(window_, &ps);
}
