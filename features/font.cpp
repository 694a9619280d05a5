// The font module: device fonts through an information context the printer's driver makes,
// TrueType faces of the screen matched with the stored substitution table, and the store of the
// table and of the installed font sets.
#include "features/font.h"

#include "core/datafile/device_data.h"
#include "core/datafile/device_data_layout.h"
#include "core/datafile/font_subst_cursor.h"
#include "core/devmode/device_option_block.h"
#include "core/device/service_table.h"
#include "core/device/table_cursor_query.h"
#include "core/device/table_cursor_ref.h"

#include <cstdio>
#include <cstring>

namespace font {

void CopyFace(char (&field)[kFaceField], const char* text) {
    std::memset(field, 0, sizeof field);
    if (text) std::memcpy(field, text, strnlen(text, kFaceField - 1));
}

}  // namespace font

namespace {

using namespace font;

constexpr char kPrintersKey[] = "System\\CurrentControlSet\\control\\Print\\Printers\\";
constexpr char kDriversKey[] = "System\\CurrentControlSet\\control\\Print\\Environments\\Windows 4.0\\Drivers\\%s";
constexpr size_t kDriverNameLimit = 32;
constexpr size_t kConfigurationFileSize = 13;  // an 8.3 name and its terminator
constexpr DWORD kOptionDownloadMode = 226;     // cleared so the driver reports its resident fonts
constexpr size_t kFontSetRecord = 72, kFontSetId = 64, kFontSetMemory = 66;

struct Enumeration {
    DWORD wanted;    // DEVICE_FONTTYPE or TRUETYPE_FONTTYPE
    bool counting;
    size_t count = 0;
    std::vector<std::string>* names = nullptr;
};

int CALLBACK Collect(const LOGFONTA* lf, const TEXTMETRICA*, DWORD type, LPARAM param) {
    auto* e = reinterpret_cast<Enumeration*>(param);
    const bool device = (type & DEVICE_FONTTYPE) && !(type & TRUETYPE_FONTTYPE);
    const bool wanted = e->wanted == DEVICE_FONTTYPE ? device : (type & TRUETYPE_FONTTYPE) != 0;
    if (!wanted || !lf) return 1;
    if (e->counting) {
        ++e->count;
    } else if (e->names->size() < e->count) {
        // The face is read only inside its field, whether or not the field ends in it.
        e->names->emplace_back(lf->lfFaceName, strnlen(lf->lfFaceName, sizeof lf->lfFaceName));
    }
    return 1;
}

// Counts, then fills: the second pass never takes more than the first one counted.
std::vector<std::string> Families(HDC dc, DWORD wanted) {
    std::vector<std::string> names;
    Enumeration e{wanted, true};
    EnumFontFamiliesA(dc, nullptr, Collect, reinterpret_cast<LPARAM>(&e));
    e.counting = false;
    e.names = &names;
    names.reserve(e.count);
    EnumFontFamiliesA(dc, nullptr, Collect, reinterpret_cast<LPARAM>(&e));
    return names;
}

std::string ComboText(HWND combo, LRESULT index) {
    const LRESULT length = SendMessageA(combo, CB_GETLBTEXTLEN, WPARAM(index), 0);
    if (length < 0) return {};
    std::string text(size_t(length) + 1, '\0');
    SendMessageA(combo, CB_GETLBTEXT, WPARAM(index), reinterpret_cast<LPARAM>(text.data()));
    text.resize(std::strlen(text.c_str()));
    return text;
}

}  // namespace

LONG CmFont::ReadDriverValue(const char* driver, const char* value, DWORD* type, void* buffer, DWORD size) {
    char path[300];
    const int n = std::snprintf(path, sizeof path, kDriversKey, driver ? driver : "");
    if (n < 0 || size_t(n) >= sizeof path) return 1;
    HKEY key = nullptr;
    LONG answer = RegOpenKeyExA(HKEY_LOCAL_MACHINE, path, 0, KEY_READ, &key);
    if (answer != ERROR_SUCCESS) return answer;
    DWORD length = size;
    answer = RegQueryValueExA(key, value, nullptr, type, static_cast<LPBYTE>(buffer), &length);
    RegCloseKey(key);
    return answer;
}

HDC CmFont::CreateDeviceIC(const char* printer, const uint8_t* devmode) {
    if (!printer || !*printer || !devmode || std::strchr(printer, '\\')) return nullptr;
    std::string path = kPrintersKey;
    path += printer;
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return nullptr;
    char driver[kDriverNameLimit + 1] = {};
    DWORD length = kDriverNameLimit;
    const LONG read = RegQueryValueExA(key, "Printer Driver", nullptr, nullptr, reinterpret_cast<LPBYTE>(driver), &length);
    RegCloseKey(key);
    if (read != ERROR_SUCCESS) return nullptr;
    char configuration[kConfigurationFileSize + 1] = {};
    if (ReadDriverValue(driver, "Configuration File", nullptr, configuration, kConfigurationFileSize) != ERROR_SUCCESS)
        return nullptr;
    const DWORD currentSize = ctx_->svc->GetDevmodeSize(ctx_, 1);
    const DWORD extendedSize = ctx_->svc->GetDevmodeSize(ctx_, 2);
    if (!currentSize || extendedSize < sizeof(DEVMODEA)) return nullptr;
    std::vector<uint8_t> current(devmode, devmode + currentSize), extended(extendedSize, 0);
    if (!ctx_->svc->ConvertDevmode(ctx_, current.data(), extended.data(), 2)) return nullptr;
    return CreateICA(configuration, printer, nullptr, reinterpret_cast<const DEVMODEA*>(extended.data()));
}

uint8_t* CmFont::SheetBlock() const {
    CmUserData* user = ctx_->svc->GetUserData(ctx_);
    uint8_t* block = user ? user->GetDeviceOptionSource() : nullptr;
    return block ? block : ctx_->svc->GetDeviceOption(ctx_);
}

void CmFont::FillDeviceFontList() {
    deviceFonts_.clear();
    // The printer's driver reads the installed font sets from the stored device options.
    ctx_->svc->WriteDeviceOption(ctx_, SheetBlock());
    CmUserData* user = ctx_->svc->GetUserData(ctx_);
    const uint8_t* settings = user ? user->GetSettingsSource() : ctx_->svc->GetDevmode(ctx_, 3);
    if (!settings) return;
    std::vector<uint8_t> copy;
    const uint8_t* used = settings;
    try {
        copy.assign(settings, settings + ctx_->svc->GetDevmodeSize(ctx_, 1));
        const uint16_t zero = 0;
        ctx_->svc->SetOption(ctx_, copy.data(), kOptionDownloadMode, &zero, sizeof zero);
        used = copy.data();
    } catch (...) {
        // Without room for a copy the fonts are asked with the settings unchanged.
    }
    HDC ic = CreateDeviceIC(ctx_->svc->GetPrinterName(ctx_), used);
    if (!ic) return;
    deviceFonts_ = Families(ic, DEVICE_FONTTYPE);
    DeleteDC(ic);
}

void CmFont::FillTrueTypeList(HWND deviceCombo, int queryKind, const char* defaultText) {
    trueType_.clear();
    HDC screen = GetDC(nullptr);
    if (!screen) return;
    const std::vector<std::string> faces = Families(screen, TRUETYPE_FONTTYPE);
    ReleaseDC(nullptr, screen);
    TableCursorRef<FontSubstReader> table(ctx_, queryKind);
    trueType_.reserve(faces.size());
    for (const std::string& face : faces) {
        TrueTypeEntry e;
        CopyFace(e.face, face.c_str());
        CopyFace(e.substitute, defaultText);
        e.ordinal = uint32_t(trueType_.size());
        const char* stored = table && table->Find(e.face, 1) ? table->GetField(2) : nullptr;
        const LRESULT at = stored ? SendMessageA(deviceCombo, CB_FINDSTRINGEXACT, WPARAM(-1),
                                                 reinterpret_cast<LPARAM>(stored))
                                  : CB_ERR;
        if (at != CB_ERR) {
            CopyFace(e.substitute, ComboText(deviceCombo, at).c_str());
            e.deviceFontId = int16_t(SendMessageA(deviceCombo, CB_GETITEMDATA, WPARAM(at), 0));
        }
        trueType_.push_back(e);
    }
}

TrueTypeEntry* CmFont::FindByOrdinal(uint32_t ordinal) {
    for (TrueTypeEntry& e : trueType_)
        if (e.ordinal == ordinal) return &e;
    return nullptr;
}

std::vector<FontSet> CmFont::FontSets() const {
    std::vector<FontSet> sets;
    const DeviceData* data = ctx_->svc->LoadDeviceData(ctx_);
    if (!data) return sets;
    const DeviceList list = data->ListAt(devicedata::kFontSetHandle);
    if (list.entrySize < kFontSetRecord) return sets;
    for (uint32_t i = 0; i < list.count; ++i) {
        const ByteView record = list.Entry(i);
        FontSet set;
        char name[kFaceField + 1] = {};
        if (!record.bytes(0, name, kFaceField) || !record.u16(kFontSetId, set.id) ||
            !record.u16(kFontSetMemory, set.memory))
            continue;
        set.name = name;
        sets.push_back(set);
    }
    return sets;
}

int CmFont::FontSetSlots() const {
    const DeviceData* data = ctx_->svc->LoadDeviceData(ctx_);
    return data ? data->U16(devicedata::kFontSetSlots) : 0;
}

FontSetIds CmFont::InstalledSets(const uint8_t* block) const {
    FontSetIds ids{};
    const uint8_t* from = block ? block : SheetBlock();
    for (size_t i = 0; i < ids.size(); ++i)
        ctx_->svc->GetDeviceOptionValue(ctx_, from, DWORD(devopt::kValueFontSet1 + i), &ids[i], sizeof ids[i]);
    return ids;
}

uint16_t CmFont::MemoryOf(const FontSetIds& ids) const {
    const std::vector<FontSet> sets = FontSets();
    uint32_t sum = 0;
    for (uint16_t id : ids) {
        if (!id) continue;
        for (const FontSet& s : sets)
            if (s.id == id) {
                sum += s.memory;
                break;
            }
    }
    return uint16_t(std::min<uint32_t>(sum, 0xFFFF));
}

bool CmFont::WriteInstalledSets(const FontSetIds& ids) {
    uint8_t* block = SheetBlock();
    if (!block) return false;
    bool ok = true;
    for (size_t i = 0; i < ids.size(); ++i)
        ok = ctx_->svc->SetDeviceOptionValue(ctx_, block, DWORD(devopt::kValueFontSet1 + i), &ids[i], sizeof ids[i]) &&
             ok;
    const uint16_t memory = MemoryOf(ids);
    return ctx_->svc->SetDeviceOptionValue(ctx_, block, devopt::kValueFontMemory, &memory, sizeof memory) && ok;
}

bool CmFont::StoreSubstitutions(const FontSetIds& ids) {
    TableCursorRef<FontSubstWriter> table(ctx_, kTableFontSubstWrite);
    // Every face that prints as a device font is written, not only this visit's changes: the
    // table is rewritten whole, and what an earlier visit chose must survive this one.
    uint32_t count = 0;
    for (const TrueTypeEntry& e : trueType_) count += e.deviceFontId != 0 ? 1 : 0;
    bool stored = table && table->Start(count) == kTableDone;
    for (const TrueTypeEntry& e : trueType_)
        if (stored && e.deviceFontId != 0)
            stored = table->Add(e.face, e.substitute, uint32_t(e.deviceFontId)) == kTableDone;
    WriteInstalledSets(ids);
    ctx_->svc->WriteDeviceOption(ctx_, SheetBlock());
    if (stored) stored = table->Write() == kTableDone;
    if (stored) changes_ = 0;
    return stored;
}

CmModule* MakeFont(UIDEVDATA* ctx) {
    try {
        return new CmFont(ctx);
    } catch (...) {
        return nullptr;  // without memory the request has no font lists
    }
}

CmFont* FontOf(UIDEVDATA* ctx) {
    CmUserData* user = ctx && ctx->svc ? ctx->svc->GetUserData(ctx) : nullptr;
    return user ? static_cast<CmFont*>(user->GetFont()) : nullptr;
}
