// The format dialog of the printed date, user name and page number (kind 27, the layout options'
// Format... button): face, style and size into the 48-byte font block of option 0x30025, the
// colour into option 0x30024.
#include "features/job_dialogs.h"

#include "core/device/service_table.h"
#include "core/device/user_data.h"
#include "core/helpers/byte_view.h"
#include "data/resources/drvopui_ids.h"

#include <algorithm>
#include <cstring>
#include <iterator>

namespace {

constexpr DWORD kOptionColour = 0x30024, kOptionFont = 0x30025;
constexpr size_t kFontBlock = 48, kSize = 0, kWeight = 8, kItalic = 12, kFace = 13;
constexpr int kSizeDigits = 2, kMinSize = 1, kMaxSize = 72, kDefaultSize = 10;
constexpr int kColourItemHeight = 20;

struct Row {
    UINT text;
    uint32_t value;
};
// Styles: bit 0 bold, bit 1 italic.
constexpr Row kStyles[] = {{9670, 0}, {9671, 1}, {9672, 2}, {9673, 3}};
constexpr Row kColours[] = {{9680, RGB(0, 0, 0)}, {9681, RGB(128, 128, 128)}, {9682, RGB(255, 0, 0)}, {9683, RGB(0, 0, 255)}};

int CALLBACK CollectFace(const LOGFONTA* lf, const TEXTMETRICA*, DWORD type, LPARAM param) {
    if (lf && (type & TRUETYPE_FONTTYPE)) {
        char face[LF_FACESIZE] = {};
        std::memcpy(face, lf->lfFaceName, LF_FACESIZE - 1);
        reinterpret_cast<std::vector<std::string>*>(param)->emplace_back(face);
    }
    return 1;
}

void Fill(UIDEVDATA* ctx, HWND combo, const Row* rows, size_t count) {
    for (size_t i = 0; i < count; ++i) {
        char text[64] = {};
        ctx->svc->LoadString(ctx, rows[i].text, text, sizeof text);
        const LRESULT at = SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
        if (at >= 0) SendMessageA(combo, CB_SETITEMDATA, WPARAM(at), LPARAM(rows[i].value));
    }
}

void SelectData(HWND combo, LPARAM value) {
    const LRESULT n = SendMessageA(combo, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < n; ++i)
        if (SendMessageA(combo, CB_GETITEMDATA, WPARAM(i), 0) == value) {
            SendMessageA(combo, CB_SETCURSEL, WPARAM(i), 0);
            return;
        }
    SendMessageA(combo, CB_SETCURSEL, 0, 0);
}

}  // namespace

FormatSettingsProc::FormatSettingsProc() : Proc(kFormatSettingsDialogKind, 10843) {}

uint8_t* FormatSettingsProc::Settings() const {
    CmUserData* user = Request()->svc->GetUserData(Request());
    uint8_t* settings = user ? user->GetSettingsSource() : nullptr;
    return settings ? settings : Devmode();
}

BOOL FormatSettingsProc::OnInitDialog() {
    const BOOL answer = Proc::OnInitDialog();
    UIDEVDATA* ctx = Request();
    std::vector<std::string> faces;
    if (HDC screen = GetDC(nullptr)) {
        EnumFontFamiliesA(screen, nullptr, CollectFace, reinterpret_cast<LPARAM>(&faces));
        ReleaseDC(nullptr, screen);
    }
    HWND face = GetDlgItem(Dialog(), IDC_FMT_FACE);
    for (const std::string& f : faces) SendMessageA(face, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(f.c_str()));
    Fill(ctx, GetDlgItem(Dialog(), IDC_FMT_STYLE), kStyles, std::size(kStyles));
    Fill(ctx, GetDlgItem(Dialog(), IDC_FMT_COLOUR), kColours, std::size(kColours));
    SendDlgItemMessageA(Dialog(), IDC_FMT_SIZE, EM_LIMITTEXT, kSizeDigits, 0);
    SendDlgItemMessageA(Dialog(), IDC_FMT_SIZE_SPIN, UDM_SETRANGE32, kMinSize, kMaxSize);

    uint8_t block[kFontBlock] = {};
    uint32_t colour = 0;
    ctx->svc->GetOption(ctx, Settings(), kOptionFont, block, sizeof block);
    ctx->svc->GetOption(ctx, Settings(), kOptionColour, &colour, sizeof colour);
    const ByteView font(block, sizeof block);
    int32_t size = 0;
    uint32_t weight = 0;
    font.s32(kSize, size);
    font.u32(kWeight, weight);
    char name[kFontBlock - kFace + 1] = {};
    std::memcpy(name, block + kFace, kFontBlock - kFace);
    Show(name, (weight >= FW_BOLD ? 1 : 0) | (block[kItalic] ? 2 : 0), size, colour);
    if (CmUserData* user = ctx->svc->GetUserData(ctx); user && user->IsReadOnly()) {
        for (int id = IDC_FMT_FIRST; id <= IDC_FMT_COLOUR; ++id) EnableWindow(GetDlgItem(Dialog(), id), FALSE);
        EnableWindow(GetDlgItem(Dialog(), IDC_FMT_DEFAULTS), FALSE);
    }
    return answer;
}

void FormatSettingsProc::Show(const std::string& face, uint32_t style, int size, uint32_t colour) {
    HWND faces = GetDlgItem(Dialog(), IDC_FMT_FACE);
    const LRESULT at = SendMessageA(faces, CB_FINDSTRINGEXACT, WPARAM(-1), reinterpret_cast<LPARAM>(face.c_str()));
    SendMessageA(faces, CB_SETCURSEL, WPARAM(at == CB_ERR ? 0 : at), 0);
    SelectData(GetDlgItem(Dialog(), IDC_FMT_STYLE), LPARAM(style));
    SelectData(GetDlgItem(Dialog(), IDC_FMT_COLOUR), LPARAM(colour));
    SetDlgItemInt(Dialog(), IDC_FMT_SIZE, UINT(size >= kMinSize && size <= kMaxSize ? size : kDefaultSize), FALSE);
}

bool FormatSettingsProc::Store() {
    UIDEVDATA* ctx = Request();
    BOOL valid = FALSE;
    const UINT size = GetDlgItemInt(Dialog(), IDC_FMT_SIZE, &valid, FALSE);
    const int kept = valid ? std::clamp<int>(int(size), kMinSize, kMaxSize) : kDefaultSize;
    uint8_t block[kFontBlock] = {};
    ctx->svc->GetOption(ctx, Settings(), kOptionFont, block, sizeof block);
    MutableByteView font(block, sizeof block);
    const LRESULT style = SendDlgItemMessageA(Dialog(), IDC_FMT_STYLE, CB_GETITEMDATA,
                                              WPARAM(SendDlgItemMessageA(Dialog(), IDC_FMT_STYLE, CB_GETCURSEL, 0, 0)), 0);
    font.put_s32(kSize, kept);
    font.put_u32(kWeight, (style != CB_ERR && (style & 1)) ? FW_BOLD : FW_NORMAL);
    font.put_u8(kItalic, style != CB_ERR && (style & 2) ? 1 : 0);
    // The face always ends inside the block.
    char face[kFontBlock - kFace] = {};
    GetDlgItemTextA(Dialog(), IDC_FMT_FACE, face, sizeof face);
    font.put_bytes(kFace, face, sizeof face);
    ctx->svc->SetOption(ctx, Settings(), kOptionFont, block, sizeof block);
    const LRESULT choice = SendDlgItemMessageA(Dialog(), IDC_FMT_COLOUR, CB_GETCURSEL, 0, 0);
    if (choice >= 0) {
        const uint32_t colour = uint32_t(SendDlgItemMessageA(Dialog(), IDC_FMT_COLOUR, CB_GETITEMDATA, WPARAM(choice), 0));
        ctx->svc->SetOption(ctx, Settings(), kOptionColour, &colour, sizeof colour);
    }
    return true;
}

BOOL FormatSettingsProc::OnCommand(WORD id, WORD code) {
    if (id == IDC_FMT_DEFAULTS && code == BN_CLICKED) {
        Show("", 0, kDefaultSize, kColours[0].value);
        return TRUE;
    }
    if (id == IDOK) Store();
    return Proc::OnCommand(id, code);
}

BOOL FormatSettingsProc::OnMeasureItem(int id, MEASUREITEMSTRUCT* item) {
    if (id != IDC_FMT_COLOUR || !item) return Proc::OnMeasureItem(id, item);
    item->itemHeight = kColourItemHeight;
    return TRUE;
}

BOOL FormatSettingsProc::OnDrawItem(int id, DRAWITEMSTRUCT* item) {
    if (id != IDC_FMT_COLOUR || !item) return Proc::OnDrawItem(id, item);
    HDC dc = item->hDC;
    const bool selected = item->itemState & ODS_SELECTED;
    FillRect(dc, &item->rcItem, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    if (item->itemID == UINT(-1)) return TRUE;
    RECT swatch{item->rcItem.left + 2, item->rcItem.top + 3, item->rcItem.left + 26, item->rcItem.bottom - 3};
    HBRUSH brush = CreateSolidBrush(COLORREF(item->itemData));
    FillRect(dc, &swatch, brush);
    DeleteObject(brush);
    FrameRect(dc, &swatch, GetSysColorBrush(COLOR_WINDOWTEXT));
    char text[64] = {};
    SendMessageA(item->hwndItem, CB_GETLBTEXT, item->itemID, reinterpret_cast<LPARAM>(text));
    RECT label = item->rcItem;
    label.left = swatch.right + 4;
    SetBkMode(dc, TRANSPARENT);
    const COLORREF old = SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    DrawTextA(dc, text, -1, &label, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    SetTextColor(dc, old);
    return TRUE;
}
