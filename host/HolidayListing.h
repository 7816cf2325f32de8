#pragma once
// The --holidays listing: one "YYYY-MM-DD name" line per holiday, UTF-8.
#include <string>

std::string HolidayListingUtf8(int year);
