// GetLocaleInfoA and the default locale ids over a small table of the locales the driver's
// texts come in: United States English, Japanese (texts in code page 932) and German.
#include "platform/kernel/user_locale.h"

#include <windows.h>

#include <atomic>
#include <cstring>
#include <string_view>

namespace kernel {

namespace {

std::atomic<LCID> g_userLocale{0x0409};

constexpr LANGID kLocales[] = {0x0409, 0x0411, 0x0407};

struct Row {
    LCTYPE type;
    const char* text[3];  // in the order of kLocales
};

// The values of Windows 98 for each locale.
constexpr Row kRows[] = {
    {LOCALE_ILANGUAGE, {"0409", "0411", "0407"}},
    {LOCALE_SLANGUAGE, {"English (United States)", "Japanese", "German (Standard)"}},
    {LOCALE_SENGLANGUAGE, {"English", "Japanese", "German"}},
    {LOCALE_SABBREVLANGNAME, {"ENU", "JPN", "DEU"}},
    {LOCALE_SNATIVELANGNAME, {"English", "\x93\xFA\x96\x7B\x8C\xEA", "Deutsch"}},
    {LOCALE_ICOUNTRY, {"1", "81", "49"}},
    {LOCALE_SCOUNTRY, {"United States", "Japan", "Germany"}},
    {LOCALE_SENGCOUNTRY, {"United States", "Japan", "Germany"}},
    {LOCALE_SABBREVCTRYNAME, {"USA", "JPN", "DEU"}},
    {LOCALE_IDEFAULTLANGUAGE, {"0409", "0411", "0407"}},
    {LOCALE_IDEFAULTCOUNTRY, {"1", "81", "49"}},
    {LOCALE_IDEFAULTCODEPAGE, {"437", "932", "850"}},
    {LOCALE_IDEFAULTANSICODEPAGE, {"1252", "932", "1252"}},
    {LOCALE_SLIST, {",", ",", ";"}},
    {LOCALE_IMEASURE, {"1", "0", "0"}},
    {LOCALE_SDECIMAL, {".", ".", ","}},
    {LOCALE_STHOUSAND, {",", ",", "."}},
    {LOCALE_SGROUPING, {"3;0", "3;0", "3;0"}},
    {LOCALE_IDIGITS, {"2", "2", "2"}},
    {LOCALE_ILZERO, {"1", "1", "1"}},
    {LOCALE_SCURRENCY, {"$", "\\", "DM"}},
    {LOCALE_SDATE, {"/", "/", "."}},
    {LOCALE_STIME, {":", ":", ":"}},
    {LOCALE_SSHORTDATE, {"M/d/yy", "yy/MM/dd", "dd.MM.yy"}},
    {LOCALE_SLONGDATE, {"dddd, MMMM dd, yyyy", "yyyy'\x94N'M'\x8C\x8E'd'\x93\xFA'", "dddd, d. MMMM yyyy"}},
    {LOCALE_STIMEFORMAT, {"h:mm:ss tt", "H:mm:ss", "HH:mm:ss"}},
    {LOCALE_S1159, {"AM", "\x8C\xDF\x91\x4F", ""}},
    {LOCALE_S2359, {"PM", "\x8C\xDF\x8C\xE3", ""}},
};

int LocaleIndex(LCID locale) {
    if (locale == LOCALE_USER_DEFAULT || locale == LOCALE_SYSTEM_DEFAULT || locale == LOCALE_NEUTRAL)
        locale = UserLocale();
    for (int i = 0; i < 3; ++i)
        if (kLocales[i] == LANGIDFROMLCID(locale)) return i;
    return -1;
}

}  // namespace

LCID UserLocale() { return g_userLocale.load(); }

void SetUserLocale(LCID locale) {
    if (LocaleIndex(locale) >= 0) g_userLocale.store(LANGIDFROMLCID(locale));
}

}  // namespace kernel

extern "C" int WINAPI GetLocaleInfoA(LCID Locale, LCTYPE LCType, LPSTR lpLCData, int cchData) {
    int index = kernel::LocaleIndex(Locale);
    if (index < 0 || cchData < 0 || (cchData > 0 && !lpLCData)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    LCTYPE type = LCType & ~(LOCALE_NOUSEROVERRIDE | LOCALE_USE_CP_ACP);
    for (const auto& row : kernel::kRows) {
        if (row.type != type) continue;
        std::string_view text = row.text[index];
        int needed = static_cast<int>(text.size()) + 1;  // both answers count the NUL
        if (cchData == 0) return needed;
        if (cchData < needed) {
            SetLastError(ERROR_INSUFFICIENT_BUFFER);
            return 0;
        }
        std::memcpy(lpLCData, text.data(), text.size());
        lpLCData[text.size()] = '\0';
        return needed;
    }
    SetLastError(ERROR_INVALID_FLAGS);
    return 0;
}

extern "C" LCID WINAPI GetUserDefaultLCID(void) { return kernel::UserLocale(); }

extern "C" LCID WINAPI GetSystemDefaultLCID(void) { return kernel::UserLocale(); }

extern "C" LANGID WINAPI GetUserDefaultLangID(void) { return LANGIDFROMLCID(kernel::UserLocale()); }

extern "C" LANGID WINAPI GetSystemDefaultLangID(void) { return LANGIDFROMLCID(kernel::UserLocale()); }
