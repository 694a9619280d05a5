// The parts of a picture a person can point at: laid out anew for each paint and update by the
// picture mode and the part kind (`subMode`), each a rectangle with its action flags, cursor and
// value. Parts that change a setting exist only while the picture may change settings and the
// rules leave the setting's control enabled.
#include "preview/basic_preview.h"

#include "core/device/service_table.h"

#include <cstring>

namespace {

constexpr uint32_t kKeyLayout = 0x10064;
constexpr uint32_t kKeyBinding = 0x10072;
constexpr uint32_t kKeyStapleChoice = 0x1006a;
constexpr uint32_t kKeyFinishing = 0x1007f;
constexpr UINT kCursorHand = 4825, kCursorBinding = 4828, kCursorPosition = 4829;
constexpr UINT kCursorInner = 4830, kCursorOuter = 4831;
constexpr UINT kCursorZoneFirst = 4837, kCursorZoneStapled = 4839;
constexpr int kStrip = 8;
constexpr int kZoneStrip = 9;
constexpr int kLeftControl = 10037, kRightControl = 10039;

// The staple-position grid: place (row, column) of positions 0 to 7 in a 3 x 3 grid without its
// centre, read row by row.
constexpr int kRow[8] = {0, 0, 0, 1, 1, 2, 2, 2};
constexpr int kColumn[8] = {0, 1, 2, 0, 2, 0, 1, 2};

// The choice of the staple-position key that position p stands for, upright and turned.
int ChoiceOfPosition(int p, bool upright) {
    static const int kTurned[8] = {3, 5, 8, 2, 7, 1, 4, 6};
    return upright ? p + 1 : kTurned[p];
}

}  // namespace

PicturePart* CmBasicPreview::AddPart(uint16_t flags, const RECT& rect, uint16_t cursorId, uint16_t value,
                                     int32_t extra) {
    if (partCount_ >= kMaxParts) return nullptr;
    PicturePart& p = parts_[partCount_++];
    p = {flags, rect, rect, 0, cursorId, value, extra};
    return &p;
}

BOOL CmBasicPreview::LayoutParts() {
    std::memset(parts_, 0, sizeof parts_);
    partCount_ = 0;
    BOOL added = FALSE;
    switch (mode_) {
    case 0:
        added |= AddFrameParts();
        added |= AddStateAPart();
        added |= AddStateBPart();
        break;
    case 1:
    case 2: added |= AddFrameParts(); break;
    default: break;
    }
    const int checked = CheckSubMode(subMode_);
    if (checked >= 0) subMode_ = checked;
    switch (subMode_) {
    case 1: added |= AddSheetPart(); break;
    case 3: added |= AddBindingParts(); break;
    case 4: added |= AddStaplePositionParts(); break;
    case 5: added |= AddNavigationParts(); break;
    case 6: added |= AddFinishingParts(); break;
    default:
        if (subMode_ >= 7 && subMode_ <= 14) added |= AddButtonPart();
        break;
    }
    for (int i = 0; i < partCount_; ++i) {
        RECT& r = parts_[i].hitRect;
        r = {r.left * zoom_ / 100, r.top * zoom_ / 100, r.right * zoom_ / 100, r.bottom * zoom_ / 100};
    }
    return added;
}

int CmBasicPreview::CheckSubMode(int kind) {
    if (!Registry()) return -1;
    switch (kind) {
    case 1: return AnyEnabled(kKeyLayout) ? 1 : 0;
    case 3: return AnyEnabled(kKeyBinding) ? 3 : 0;
    case 4: return ValueEnabled(kKeyFinishing, 3) ? 4 : 0;
    case 5:
        if (IsLeftControlEnabled() || IsRightControlEnabled()) return 5;
        return AnyEnabled(kKeyLayout) ? 1 : 0;
    default: break;
    }
    if (kind < 7 || kind > 13) return kind;
    const int v = Option16(201);
    switch (kind) {
    case 7: return v == 0 || v == 1 ? kind : 0;
    case 8: case 10: return v == 1 || v == 2 ? kind : 0;
    case 9: return v == 2 ? kind : 0;
    case 11: return v == 4 ? kind : 0;
    default: return v == 3 ? kind : 0;  // 12 and 13
    }
}

BOOL CmBasicPreview::AddFrameParts() {
    if (drawFlags_ & kModeStrip) {
        AddPart(kPartMode, {0, 0, 18, 18}, kCursorHand, 0);
        AddPart(kPartMode, {18, 0, 36, 18}, kCursorHand, 2);
    }
    if (drawFlags_ & kCaptionLine) {
        int top = Word(kSheetAreaHeight);
        if (drawFlags_ & kStateIconStrip) top += Word(kIconStripHeight);
        AddPart(kPartTipOver, {0, top, Word(kCaptionWidth), top + Word(kCaptionHeight)}, 0, 0);
        return TRUE;
    }
    return (drawFlags_ & kModeStrip) ? TRUE : FALSE;
}

BOOL CmBasicPreview::AddStateAPart() {
    const int state = GetStateA();
    if (state < 1 || state > 3) return FALSE;
    const int top = Word(kSheetAreaHeight);
    return AddPart(kPartStateA, {135, top, 173, top + 38}, kCursorHand, 0) != nullptr;
}

BOOL CmBasicPreview::AddStateBPart() {
    const int state = GetStateB();
    if (state < 1 || state > 3) return FALSE;
    const int top = Word(kSheetAreaHeight);
    return AddPart(kPartStateB, {93, top, 131, top + 38}, kCursorHand, 0) != nullptr;
}

BOOL CmBasicPreview::AddSheetPart() {
    if (!interactive_ || !AnyEnabled(kKeyLayout)) return FALSE;
    RECT sheet{};
    GetSheetRect(&sheet);
    const int layout = Option16(124), pagesCode = Option16(126);
    const int o = EffectiveOrientation(layout, pagesCode, PublicWord(offsetof(DEVMODEA, dmOrientation)));
    UINT cursor = 0;
    if (layout == 0 || layout == 1) {
        if (ValueEnabled(kKeyLayout, 1)) cursor = o == 1 ? 4873 : 4870;
    } else if (layout == 3 && pagesCode == 0) {
        if (ValueEnabled(kKeyLayout, 2)) cursor = o == 1 ? 4874 : 4871;
    } else if (ValueEnabled(kKeyLayout, 0)) {
        cursor = o == 1 ? 4869 : 4872;
    }
    return AddPart(kPartClick, sheet, static_cast<uint16_t>(cursor), 1) != nullptr;
}

BOOL CmBasicPreview::AddBindingParts() {
    if (!interactive_ || !AnyEnabled(kKeyBinding)) return FALSE;
    RECT s{};
    GetSheetRect(&s);
    const int o = EffectiveOrientation(Option16(124), Option16(126), PublicWord(offsetof(DEVMODEA, dmOrientation)));
    const RECT left{s.left + 1, s.top, s.left + 1 + kStrip, s.bottom};
    const RECT right{s.right - 1 - kStrip, s.top, s.right - 1, s.bottom};
    const RECT top{s.left, s.top + 1, s.right, s.top + 1 + kStrip};
    const RECT bottom{s.left, s.bottom - 1 - kStrip, s.right, s.bottom - 1};
    const RECT upright[4] = {left, right, top, bottom};
    const RECT turned[4] = {top, bottom, right, left};
    BOOL added = FALSE;
    for (int value = 0; value < 4; ++value)
        if (ValueEnabled(kKeyBinding, value))
            added |= AddPart(kPartClick, (o == 1 ? upright : turned)[value], kCursorBinding,
                             static_cast<uint16_t>(value)) != nullptr;
    return added;
}

BOOL CmBasicPreview::AddStaplePositionParts() {
    if (!interactive_ || !ValueEnabled(kKeyFinishing, 3)) return FALSE;
    RECT s{};
    GetSheetRect(&s);
    const int o = EffectiveOrientation(Option16(124), Option16(126), PublicWord(offsetof(DEVMODEA, dmOrientation)));
    const bool upright = o == 1;
    const int w3 = (s.right - s.left) / 3, h3 = (s.bottom - s.top) / 3;
    // The three thirds of a strip along an edge: across (left to right) or down (top to bottom).
    auto across = [&](int y0, int y1, int third) {
        const int x0 = s.left + third * w3, x1 = third == 2 ? s.right : s.left + (third + 1) * w3;
        return RECT{x0, y0, x1, y1};
    };
    auto down = [&](int x0, int x1, int third) {
        const int y0 = s.top + third * h3, y1 = third == 2 ? s.bottom : s.top + (third + 1) * h3;
        return RECT{x0, y0, x1, y1};
    };
    const RECT leftStrip{s.left + 1, 0, s.left + 1 + kStrip, 0}, rightStrip{s.right - 1 - kStrip, 0, s.right - 1, 0};
    const RECT topStrip{0, s.top + 1, 0, s.top + 1 + kStrip}, bottomStrip{0, s.bottom - 1 - kStrip, 0, s.bottom - 1};
    int positions[3] = {};
    RECT rects[3] = {};
    const int edge = Option16(121);
    auto set = [&](int a, int b, int c, bool horizontal, const RECT& strip) {
        positions[0] = a, positions[1] = b, positions[2] = c;
        for (int t = 0; t < 3; ++t)
            rects[t] = horizontal ? across(strip.top, strip.bottom, t) : down(strip.left, strip.right, t);
    };
    if (upright) {
        switch (edge) {
        case 0: set(0, 3, 5, false, leftStrip); break;
        case 1: set(2, 4, 7, false, rightStrip); break;
        case 2: set(0, 1, 2, true, topStrip); break;
        case 3: set(5, 6, 7, true, bottomStrip); break;
        default: return FALSE;
        }
    } else {
        switch (edge) {
        case 0: set(5, 3, 0, true, topStrip); break;
        case 1: set(7, 4, 2, true, bottomStrip); break;
        case 2: set(0, 1, 2, false, rightStrip); break;
        case 3: set(5, 6, 7, false, leftStrip); break;
        default: return FALSE;
        }
    }
    BOOL added = FALSE;
    for (int t = 0; t < 3; ++t)
        if (ValueEnabled(kKeyStapleChoice, ChoiceOfPosition(positions[t], upright)))
            added |= AddPart(kPartClick, rects[t], kCursorPosition, static_cast<uint16_t>(positions[t])) != nullptr;
    return added;
}

BOOL CmBasicPreview::AddFinishingZoneParts() {
    if (!interactive_ || !ValueEnabled(kKeyFinishing, 3)) return FALSE;
    RECT s{};
    GetSheetRect(&s);
    const int o = EffectiveOrientation(Option16(124), Option16(126), PublicWord(offsetof(DEVMODEA, dmOrientation)));
    const bool upright = o == 1;
    const int w = s.right - s.left, h = s.bottom - s.top;
    const int stapled = (Option32(190) & 0x10) ? Option16(191) : -1;
    // The zones follow the staple-position grid: the corners and the middles of the four edges,
    // each a square of the strip's depth, offered while its staple choice is enabled.
    BOOL added = FALSE;
    for (int p = 0; p < 8; ++p) {
        if (!ValueEnabled(kKeyStapleChoice, ChoiceOfPosition(p, upright))) continue;
        const int cx = kColumn[p] == 0 ? s.left : kColumn[p] == 2 ? s.right - kZoneStrip : s.left + (w - kZoneStrip) / 2;
        const int cy = kRow[p] == 0 ? s.top : kRow[p] == 2 ? s.bottom - kZoneStrip : s.top + (h - kZoneStrip) / 2;
        const int code = 11 + p;
        const UINT cursor = code == stapled ? kCursorZoneStapled : kCursorZoneFirst + 4 * p + (upright ? 0 : 2);
        added |= AddPart(kPartClick, {cx, cy, cx + kZoneStrip, cy + kZoneStrip}, static_cast<uint16_t>(cursor), 3,
                         code) != nullptr;
    }
    return added;
}

BOOL CmBasicPreview::AddFinishingParts() {
    BOOL added = AddFinishingZoneParts();
    added |= AddSheetPart();
    return added;
}

BOOL CmBasicPreview::AddNavigationParts() {
    if (!interactive_) return FALSE;
    RECT s{};
    GetSheetRect(&s);
    const RECT inner{s.left + 9, s.top + 9, s.right - 9, s.bottom - 9};
    const bool left = IsLeftControlEnabled() != FALSE, right = IsRightControlEnabled() != FALSE;
    AddPart(left ? kPartClick : 0, inner, left ? kCursorInner : 0, 1);
    AddPart(right ? kPartClick : 0, s, right ? kCursorOuter : 0, 0);
    return TRUE;
}

BOOL CmBasicPreview::AddButtonPart() {
    if (!interactive_) return FALSE;
    BOOL added = FALSE;
    if (HasPushButton()) {
        const int y = (drawFlags_ & kStateIconStrip) ? Word(kSheetAreaHeight) + Word(kIconStripHeight)
                                                     : Word(kLayerAreaBottom);
        const RECT hit{Word(kLayerAreaWidth) - buttonWidth_, y - buttonHeight_, Word(kLayerAreaWidth), y};
        if (PicturePart* p = AddPart(kPartButton | kPartPressedLook, hit, kCursorHand, 7)) {
            p->drawRect = {hit.left - 1, hit.top - 1, hit.right, hit.bottom};
            added = TRUE;
        }
    }
    added |= AddModelParts();
    return added;
}

BOOL CmBasicPreview::IsLeftControlEnabled() {
    HWND c = parent_ ? GetDlgItem(parent_, kLeftControl) : nullptr;
    return c && IsWindowEnabled(c);
}

BOOL CmBasicPreview::IsRightControlEnabled() {
    HWND c = parent_ ? GetDlgItem(parent_, kRightControl) : nullptr;
    return c && IsWindowEnabled(c);
}

int CmBasicPreview::HitTest(int x, int y) const {
    if (x < 0 || x > Word(kPictureWidth0) || y < 0 || y > Word(kPictureHeightMax)) return -1;
    for (int i = 0; i < partCount_; ++i) {
        const RECT& r = parts_[i].hitRect;
        if (x >= r.left && x <= r.right && y >= r.top && y <= r.bottom) return i;
    }
    return -1;
}

void CmBasicPreview::UpdateCursor(int part) {
    HCURSOR cursor = nullptr;
    if (part >= 0 && part < partCount_ && parts_[part].cursorId)
        cursor = devData_->svc->LoadCursor(devData_, parts_[part].cursorId);
    SetCursor(cursor ? cursor : LoadCursorA(nullptr, IDC_ARROW));
}
