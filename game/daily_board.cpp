#include "game/daily_board.h"

#include <cstdio>

std::uint32_t DailySeed(const CalendarDate& date)
{
    return static_cast<std::uint32_t>(date.year * 10000 + date.month * 100 + date.day);
}

std::string HungarianDate(const CalendarDate& date)
{
    char text[32];
    std::snprintf(text, sizeof text, "%04d. %02d. %02d.", date.year, date.month, date.day);
    return text;
}

std::string DailyCaption(const CalendarDate& date)
{
    return "Napi t\xE1" "bla, " + HungarianDate(date);
}
