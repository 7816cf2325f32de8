#include "host/HolidayListing.h"

#include <cstdio>

#include "calendar/HolidayYear.h"
#include "win/Text.h"

namespace {

std::string Utf8FromCp932(const char* text) {
  std::wstring wide = WidenCp932(text);
  int size = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<size_t>(size > 0 ? size : 0), '\0');
  if (size > 0) WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), &utf8[0], size, nullptr, nullptr);
  return utf8;
}

}  // namespace

std::string HolidayListingUtf8(int year) {
  std::string listing;
  CHolidayYear holidays(year);
  for (const Holiday& holiday : holidays.Holidays()) {
    char date[32];
    std::snprintf(date, sizeof date, "%04d-%02d-%02d ", year, holiday.month, holiday.day);
    listing += date;
    listing += Utf8FromCp932(holiday.name);
    listing += '\n';
  }
  return listing;
}
