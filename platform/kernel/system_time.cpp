// System and local time and the conversions between FILETIME and SYSTEMTIME. Dates are
// computed on the proleptic Gregorian calendar from 1 January 1601, without the host's time_t
// limits; local time uses the host's current offset from UTC, as the original uses its
// current bias for every date.
#include "platform/kernel/file_time.h"

#include <windows.h>

#include <ctime>

namespace {

constexpr uint64_t kTicksPerDay = 86400ULL * kernel::kTicksPerSecond;
constexpr int64_t kDaysFrom1601To1970 = 134774;

// Days since 1970-01-01 of a civil date, and back (H. Hinnant's algorithms).
int64_t DaysFromCivil(int64_t y, unsigned m, unsigned d) {
    y -= m <= 2;
    int64_t era = (y >= 0 ? y : y - 399) / 400;
    auto yoe = static_cast<unsigned>(y - era * 400);
    unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<int64_t>(doe) - 719468;
}

void CivilFromDays(int64_t z, int64_t& y, unsigned& m, unsigned& d) {
    z += 719468;
    int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    auto doe = static_cast<unsigned>(z - era * 146097);
    unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    unsigned mp = (5 * doy + 2) / 153;
    d = doy - (153 * mp + 2) / 5 + 1;
    m = mp < 10 ? mp + 3 : mp - 9;
    y = static_cast<int64_t>(yoe) + era * 400 + (m <= 2);
}

bool LeapYear(unsigned y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

SYSTEMTIME SystemTimeOfTicks(uint64_t ticks) {
    int64_t days = static_cast<int64_t>(ticks / kTicksPerDay);
    uint64_t rest = ticks % kTicksPerDay;
    int64_t year;
    unsigned month, day;
    CivilFromDays(days - kDaysFrom1601To1970, year, month, day);
    SYSTEMTIME st;
    st.wYear = static_cast<WORD>(year);
    st.wMonth = static_cast<WORD>(month);
    st.wDay = static_cast<WORD>(day);
    st.wDayOfWeek = static_cast<WORD>((days + 1) % 7);  // 1 January 1601 was a Monday
    st.wHour = static_cast<WORD>(rest / (3600ULL * kernel::kTicksPerSecond));
    st.wMinute = static_cast<WORD>(rest / (60ULL * kernel::kTicksPerSecond) % 60);
    st.wSecond = static_cast<WORD>(rest / kernel::kTicksPerSecond % 60);
    st.wMilliseconds = static_cast<WORD>(rest / 10000 % 1000);
    return st;
}

uint64_t NowTicks() {
    timespec now;
    clock_gettime(CLOCK_REALTIME, &now);
    return kernel::TicksOf(kernel::FileTimeOf(now));
}

// The host's current offset of local time from UTC, in ticks.
int64_t LocalBiasTicks() {
    time_t now = time(nullptr);
    tm local;
    localtime_r(&now, &local);
    return static_cast<int64_t>(local.tm_gmtoff) * kernel::kTicksPerSecond;
}

bool Shift(const FILETIME* from, LPFILETIME to, int64_t delta) {
    if (!from || !to) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return false;
    }
    uint64_t ticks = kernel::TicksOf(*from);
    if ((delta < 0 && ticks < static_cast<uint64_t>(-delta)) ||
        (delta > 0 && ticks > 0x7FFFFFFFFFFFFFFFULL - static_cast<uint64_t>(delta))) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return false;
    }
    *to = kernel::FileTimeOfTicks(ticks + static_cast<uint64_t>(delta));
    return true;
}

}  // namespace

extern "C" BOOL WINAPI FileTimeToSystemTime(const FILETIME* lpFileTime, LPSYSTEMTIME lpSystemTime) {
    if (!lpFileTime || !lpSystemTime || kernel::TicksOf(*lpFileTime) > 0x7FFFFFFFFFFFFFFFULL) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    *lpSystemTime = SystemTimeOfTicks(kernel::TicksOf(*lpFileTime));
    return TRUE;
}

extern "C" BOOL WINAPI SystemTimeToFileTime(const SYSTEMTIME* lpSystemTime, LPFILETIME lpFileTime) {
    static constexpr unsigned kMonthDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const SYSTEMTIME* st = lpSystemTime;
    bool valid = st && lpFileTime && st->wYear >= 1601 && st->wYear <= 30827 && st->wMonth >= 1 && st->wMonth <= 12 &&
                 st->wDay >= 1 &&
                 st->wDay <= kMonthDays[st->wMonth - 1] + (st->wMonth == 2 && LeapYear(st->wYear) ? 1 : 0) &&
                 st->wHour < 24 && st->wMinute < 60 && st->wSecond < 60 && st->wMilliseconds < 1000;
    if (!valid) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    int64_t days = DaysFromCivil(st->wYear, st->wMonth, st->wDay) + kDaysFrom1601To1970;
    uint64_t ticks = static_cast<uint64_t>(days) * kTicksPerDay +
                     ((st->wHour * 60ULL + st->wMinute) * 60ULL + st->wSecond) * kernel::kTicksPerSecond +
                     st->wMilliseconds * 10000ULL;
    *lpFileTime = kernel::FileTimeOfTicks(ticks);
    return TRUE;
}

extern "C" BOOL WINAPI FileTimeToLocalFileTime(const FILETIME* lpFileTime, LPFILETIME lpLocalFileTime) {
    return Shift(lpFileTime, lpLocalFileTime, LocalBiasTicks());
}

extern "C" BOOL WINAPI LocalFileTimeToFileTime(const FILETIME* lpLocalFileTime, LPFILETIME lpFileTime) {
    return Shift(lpLocalFileTime, lpFileTime, -LocalBiasTicks());
}

extern "C" void WINAPI GetSystemTime(LPSYSTEMTIME lpSystemTime) {
    if (lpSystemTime) *lpSystemTime = SystemTimeOfTicks(NowTicks());
}

extern "C" void WINAPI GetLocalTime(LPSYSTEMTIME lpSystemTime) {
    if (lpSystemTime) *lpSystemTime = SystemTimeOfTicks(NowTicks() + static_cast<uint64_t>(LocalBiasTicks()));
}
