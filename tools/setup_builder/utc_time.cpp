#include "utc_time.h"

#include <cstdio>

namespace builder {

namespace {

struct CivilDate {
    std::uint64_t year;
    unsigned month;
    unsigned day;
};

// The proleptic Gregorian date of a day counted from 1970-01-01, by whole 400-year eras
// (146097 days each) that start on March 1st, so that the leap day ends its year.
CivilDate civil_from_days(std::uint64_t days)
{
    std::uint64_t shifted = days + 719468;  // days since 0000-03-01
    std::uint64_t era = shifted / 146097;
    std::uint64_t day_of_era = shifted % 146097;
    std::uint64_t year_of_era = (day_of_era - day_of_era / 1460 + day_of_era / 36524 - day_of_era / 146096) / 365;
    std::uint64_t day_of_year = day_of_era - (365 * year_of_era + year_of_era / 4 - year_of_era / 100);
    std::uint64_t march_month = (5 * day_of_year + 2) / 153;  // 0 for March
    auto day = static_cast<unsigned>(day_of_year - (153 * march_month + 2) / 5 + 1);
    auto month = static_cast<unsigned>(march_month < 10 ? march_month + 3 : march_month - 9);
    std::uint64_t year = era * 400 + year_of_era + (month <= 2 ? 1 : 0);
    return {year, month, day};
}

} // namespace

std::string utc_time_text(std::uint64_t seconds)
{
    CivilDate date = civil_from_days(seconds / 86400);
    std::uint64_t second_of_day = seconds % 86400;
    char text[64];
    std::snprintf(text, sizeof text, "%04llu-%02u-%02u %02u:%02u:%02u UTC", static_cast<unsigned long long>(date.year),
                  date.month, date.day, static_cast<unsigned>(second_of_day / 3600),
                  static_cast<unsigned>(second_of_day / 60 % 60), static_cast<unsigned>(second_of_day % 60));
    return text;
}

} // namespace builder
