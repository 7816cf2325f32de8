#pragma once
// The days of the vernal and autumnal equinox in Japan, by the usual
// approximation formula, which holds for 1900 to 2150.

constexpr int kFirstEquinoxYear = 1900;
constexpr int kLastEquinoxYear = 2150;

// The day of March; 0 for a year outside the formula's range.
int VernalEquinoxDay(int year);

// The day of September; 0 for a year outside the formula's range.
int AutumnalEquinoxDay(int year);
