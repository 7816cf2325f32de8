#include "calendar/Equinox.h"

namespace {

// day = base + 0.242194 (year - 1980) - (year - leapBase) / 4, truncated.
// Kept in millionths of a day so that no rounding can move a day.
struct EquinoxFormula {
  int firstYear;
  int lastYear;
  long long vernalBase;
  long long autumnalBase;
  int leapBase;
};

constexpr long long kMicrosPerDay = 1000000;
constexpr long long kDriftMicrosPerYear = 242194;

constexpr EquinoxFormula g_EquinoxFormulas[] = {
    {1900, 1979, 20835700, 23258800, 1983},
    {1980, 2099, 20843100, 23248800, 1980},
    {2100, 2150, 21851000, 24248800, 1980},
};

int EquinoxDay(int year, bool vernal) {
  for (const EquinoxFormula& f : g_EquinoxFormulas) {
    if (year < f.firstYear || year > f.lastYear) continue;
    // The leap-year term truncates toward zero, as the formula is published.
    long long leapDays = (year - f.leapBase) / 4;
    long long micros = (vernal ? f.vernalBase : f.autumnalBase) +
                       kDriftMicrosPerYear * (year - 1980) - leapDays * kMicrosPerDay;
    return static_cast<int>(micros / kMicrosPerDay);
  }
  return 0;
}

}  // namespace

int VernalEquinoxDay(int year) { return EquinoxDay(year, true); }

int AutumnalEquinoxDay(int year) { return EquinoxDay(year, false); }
