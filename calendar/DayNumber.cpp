#include "calendar/DayNumber.h"

namespace {

// Counted from 1 March, so that the leap day ends the counting year.
constexpr int kDaysIn400Years = 146097;
constexpr int kMarch1OfYear0 = -306;  // the day number of 0000-03-01

}  // namespace

int DayNumberOf(int year, int month, int day) {
  int y = month <= 2 ? year - 1 : year;
  int era = y / 400;  // y is 0 or more for every year from 1 on
  int yearOfEra = y - era * 400;
  int dayOfYear = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
  int dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  return era * kDaysIn400Years + dayOfEra + kMarch1OfYear0;
}

CalendarDate DateOfDayNumber(int dayNumber) {
  int z = dayNumber - kMarch1OfYear0;
  int era = z / kDaysIn400Years;
  int dayOfEra = z - era * kDaysIn400Years;
  int yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
  int dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  int shiftedMonth = (5 * dayOfYear + 2) / 153;
  int day = dayOfYear - (153 * shiftedMonth + 2) / 5 + 1;
  int month = shiftedMonth < 10 ? shiftedMonth + 3 : shiftedMonth - 9;
  int year = yearOfEra + era * 400 + (month <= 2 ? 1 : 0);
  return {year, month, day};
}
