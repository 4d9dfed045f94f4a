// Today's board: one board a day, the same for every player on every
// machine. Its letters come from the game's own generator, started from the
// local calendar date instead of the clock's ticks.
#pragma once

#include <cstdint>
#include <string>

#include "platform/clock.h"

// The generator's state for the board of a day: year × 10000 + month × 100
// + day, so 20261209 for 9 December 2026.
std::uint32_t DailySeed(const CalendarDate& date);

// The date as Hungarians write it: "2026. 12. 09."
std::string HungarianDate(const CalendarDate& date);

// What the word line says while no word is spelled on the board of a day:
// "Napi tábla, 2026. 12. 09." (code page 1250).
std::string DailyCaption(const CalendarDate& date);
