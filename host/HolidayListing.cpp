#include "host/HolidayListing.h"

#include <cstdio>

#include "calendar/HolidayYear.h"
#include "win/Text.h"

std::string HolidayListingUtf8(int year) {
  std::string listing;
  CHolidayYear holidays(year);
  for (const Holiday& holiday : holidays.Holidays()) {
    char date[32];
    std::snprintf(date, sizeof date, "%04d-%02d-%02d ", year, holiday.month, holiday.day);
    listing += date;
    listing += NarrowToUtf8(WidenCp932(holiday.name));
    listing += '\n';
  }
  return listing;
}
