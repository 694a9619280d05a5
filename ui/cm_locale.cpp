// The user's decimal separator in number texts, and the locale services the user data makes.
#include "ui/cm_locale.h"

#include "core/device/user_data.h"

#include <winnls.h>

#include <cctype>

namespace {

bool IsDigit(char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; }

CmLocale* MakeLocale(UIDEVDATA*) { return new CmLocale; }
void ReleaseLocale(CmLocale* locale) { delete locale; }

constexpr LocaleServices kLocaleServices{MakeLocale, ReleaseLocale};

}  // namespace

CmLocale::CmLocale() {
    char text[8] = {};
    if (GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, text, sizeof text) == 2 && text[0]) separator_ = text[0];
}

void CmLocale::LocalizeNumberText(LPSTR text) const {
    if (!text || separator_ == '.') return;
    for (char* p = text; *p; ++p)
        if (*p == '.' && p != text && IsDigit(p[-1]) && IsDigit(p[1])) *p = separator_;
}

void RegisterUserLocale() { RegisterLocaleServices(&kLocaleServices); }
