#pragma once
// Month and weekday names, English or Japanese, as cp932 texts.

// "January" .. "December" or "1月" .. "12月"; "" for a month outside 1..12.
const char* MonthName(int month, bool japanese);

// "Sun" .. "Sat" or "日" .. "土"; "" for a weekday outside 0..6.
const char* WeekdayName(int weekday, bool japanese);
