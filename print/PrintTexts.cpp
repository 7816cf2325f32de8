#include "print/PrintTexts.h"

#include "data/Cp932Literals.h"

namespace {

const std::string& NameAt(const std::string* names, int count, int index) {
  static const std::string kNone;
  return index >= 0 && index < count ? names[index] : kNone;
}

}  // namespace

std::string MonthHeadingText(int year, int month, const PrintNames& names) {
  const std::string& name = NameAt(names.months, 12, month - 1);
  if (names.japanese) return std::to_string(year) + "年 " + name;
  return name + " " + std::to_string(year);
}

std::string DateText(const CalendarDate& date, const PrintNames& names) {
  if (names.japanese) {
    return std::to_string(date.year) + "年" + std::to_string(date.month) + "月" + std::to_string(date.day) + "日";
  }
  return NameAt(names.months, 12, date.month - 1) + " " + std::to_string(date.day) + ", " + std::to_string(date.year);
}

std::string DayHeadingText(const CalendarDate& date, int weekday, const std::string& holiday, const PrintNames& names,
                           bool continued) {
  std::string text = DateText(date, names) + " (" + NameAt(names.weekdays, 7, weekday) + ")";
  if (!holiday.empty()) text += "  " + holiday;
  if (continued) text += " (続き)";
  return text;
}

std::string RangeText(const CalendarDate& from, const CalendarDate& to, const PrintNames& names) {
  const std::string first = DateText(from, names);
  if (DayNumberOf(from) == DayNumberOf(to)) return first;
  return first + "～" + DateText(to, names);
}

std::string PageNumberText(size_t page, size_t pages) { return std::to_string(page) + " / " + std::to_string(pages); }
