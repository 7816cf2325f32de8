#include "ui/LabelText.h"

#include <cstdio>

#include "data/DayRecord.h"

void FormatYearLabel(int year, char (&text)[kYearLabelSize]) { std::snprintf(text, sizeof text, "%d", year); }

void FormatDayLabel(int day, const char* weekdayName, char (&text)[kDayLabelSize]) {
  char name[kWeekdayNameLimit + 1];
  StoreFieldText(name, sizeof name, weekdayName != nullptr ? weekdayName : "");
  std::snprintf(text, sizeof text, "%d %s", day, name);
}
