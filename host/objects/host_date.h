#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

namespace zel {

// A calendar date as the host reads it wherever a date is typed, stored, shown, sorted, searched
// or exported, so that every part of the program takes the same texts for dates.
//
// The forms a date is written in:
//   yyyy-m-d   year, month and day with "-" between them ("2026-03-05", "2026-3-5")
//   yyyy/m/d   the same with "/" ("2026/3/5")
// The year has four digits, month and day one or two; both separators are the same; blanks
// around the date are ignored. The year lies from kFirstYear to kLastYear and the day is one the
// calendar has ("2026-02-30" is none). Whatever the form, the date is stored as yyyy-mm-dd.
class HostDate {
public:
    static constexpr int kFirstYear = 1900;
    static constexpr int kLastYear = 9999;

    // nullopt for free text and for dates outside the rule.
    static std::optional<HostDate> Parse(std::string_view text);
    // The day of a date-and-time, as a column of dates and times answers it: a date in one of the
    // forms above, then a blank or "T" and the time of day, which is dropped ("2026-03-05
    // 13:45:00", "2026-03-05T00:00:00"); a date without a time reads as Parse reads it.
    static std::optional<HostDate> ParseDayOf(std::string_view text);

    // The stored form, yyyy-mm-dd.
    std::string ToIso() const;
    std::chrono::year_month_day Day() const;
    // yyyymmdd as one number, which orders as the dates do.
    int Number() const { return year_ * 10000 + month_ * 100 + day_; }

private:
    HostDate(int year, int month, int day) : year_(year), month_(month), day_(day) {}

    int year_;
    int month_;
    int day_;
};

}  // namespace zel
