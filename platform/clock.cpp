#include "platform/clock.h"

#include <cstdio>
#include <ctime>

namespace {

// A field of `digits` decimal digits at `offset`; -1 when it is not.
int Digits(std::string_view text, std::size_t offset, std::size_t digits)
{
    if (offset + digits > text.size())
        return -1;
    int value = 0;
    for (std::size_t i = offset; i < offset + digits; ++i) {
        if (text[i] < '0' || text[i] > '9')
            return -1;
        value = value * 10 + (text[i] - '0');
    }
    return value;
}

class LocalSystemClock : public Clock {
public:
    LocalTime Now() const override
    {
        const std::time_t now = std::time(nullptr);
        std::tm local{};
        localtime_r(&now, &local);
        return {{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday}, local.tm_hour, local.tm_min, local.tm_sec};
    }
};

}  // namespace

bool IsCalendarDay(int year, int month, int day)
{
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1)
        return false;
    static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return day <= kDays[month - 1] + (month == 2 && leap ? 1 : 0);
}

std::string CalendarDate::IsoText() const
{
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", year, month, day);
    return text;
}

std::optional<CalendarDate> CalendarDate::FromIso(std::string_view text)
{
    if (text.size() != 10 || text[4] != '-' || text[7] != '-')
        return std::nullopt;
    const CalendarDate date{Digits(text, 0, 4), Digits(text, 5, 2), Digits(text, 8, 2)};
    if (!IsCalendarDay(date.year, date.month, date.day))
        return std::nullopt;
    return date;
}

std::string LocalTime::IsoText() const
{
    char text[16];
    std::snprintf(text, sizeof text, "T%02d:%02d:%02d", hour, minute, second);
    return date.IsoText() + text;
}

std::optional<LocalTime> LocalTime::FromIso(std::string_view text)
{
    if (text.size() != 19 || text[10] != 'T' || text[13] != ':' || text[16] != ':')
        return std::nullopt;
    const std::optional<CalendarDate> date = CalendarDate::FromIso(text.substr(0, 10));
    const LocalTime time{date.value_or(CalendarDate{}), Digits(text, 11, 2), Digits(text, 14, 2), Digits(text, 17, 2)};
    if (!date || time.hour < 0 || time.hour > 23 || time.minute < 0 || time.minute > 59 || time.second < 0 ||
        time.second > 60)
        return std::nullopt;
    return time;
}

const Clock& SystemClock()
{
    static const LocalSystemClock clock;
    return clock;
}
