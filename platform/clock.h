// The local calendar date and time, from a clock that tests can replace.
//
// Today's board is chosen by the local date, and every finished game is
// recorded with the local date and time; both ask a Clock, so that a test can
// fix the moment.
#pragma once

#include <compare>
#include <optional>
#include <string>
#include <string_view>

struct CalendarDate {
    int year = 1970;
    int month = 1;  // 1..12
    int day = 1;    // 1..31

    auto operator<=>(const CalendarDate&) const = default;

    // "2026-12-09"
    std::string IsoText() const;
    // The date of "2026-12-09"; nothing unless the text is exactly that
    // form and names a day of the calendar.
    static std::optional<CalendarDate> FromIso(std::string_view text);
};

struct LocalTime {
    CalendarDate date;
    int hour = 0;    // 0..23
    int minute = 0;  // 0..59
    int second = 0;  // 0..59 (60 for a leap second)

    auto operator<=>(const LocalTime&) const = default;

    // "2026-12-09T14:03:27"
    std::string IsoText() const;
    static std::optional<LocalTime> FromIso(std::string_view text);
};

// Whether a year, month and day name a day of the Gregorian calendar.
bool IsCalendarDay(int year, int month, int day);

class Clock {
public:
    virtual ~Clock() = default;
    virtual LocalTime Now() const = 0;
};

// The machine's clock in the local time zone.
const Clock& SystemClock();

// A clock that stands still at a moment the test sets.
class FixedClock : public Clock {
public:
    explicit FixedClock(LocalTime now) : now_(now) {}
    LocalTime Now() const override { return now_; }
    void Set(LocalTime now) { now_ = now; }

private:
    LocalTime now_;
};
