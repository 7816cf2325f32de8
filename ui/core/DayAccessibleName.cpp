#include "ui/core/DayAccessibleName.h"

#include <cstring>

#include "data/SealTable.h"
#include "ui/core/GridDays.h"

const char kMemoBoxAccessibleName[] = "デイリーメモ";
const char kDiaryCoverAccessibleName[] = "デイリーメモの表紙";
const char kUnnamedHolidayName[] = "祝日";

namespace {

const char* const g_WeekdayNames[7] = {"日曜日", "月曜日", "火曜日", "水曜日", "木曜日", "金曜日", "土曜日"};

constexpr char kListSeparator[] = "、";

// A field from anywhere: at most size - 1 bytes, terminated or not.
template <size_t size>
std::string BoundedText(const char (&field)[size]) {
  const void* end = std::memchr(field, '\0', size - 1);
  return std::string(field, end != nullptr ? static_cast<const char*>(end) - field : size - 1);
}

// An entry of several text lines is said as one, its breaks as spaces.
std::string SpokenLine(const std::string& entry) {
  std::string spoken;
  for (char c : entry) {
    const bool lineBreak = c == '\r' || c == '\n';
    if (lineBreak && (spoken.empty() || spoken.back() == ' ')) continue;
    spoken += lineBreak ? ' ' : c;
  }
  while (!spoken.empty() && spoken.back() == ' ') spoken.pop_back();
  return spoken;
}

const char* SealName(SealCode code) {
  const SealEntry* row = FindSealRow(code, kSealKeyCode);
  if (row == nullptr || row->nBitmapId == kNoSealBitmapId) return nullptr;
  return row->szName;
}

void AppendList(std::string& name, const char* heading, const std::string* items, size_t count) {
  if (count == 0) return;
  name += ' ';
  name += heading;
  for (size_t i = 0; i < count; ++i) {
    name += i == 0 ? " " : kListSeparator;
    name += items[i];
  }
}

}  // namespace

DayNameFacts FactsOfDay(const MonthView& view, const MonthFacts& facts, int day) {
  DayNameFacts of;
  of.month = view.month;
  of.day = day;
  const std::optional<GridCell> cell = CellOfDay(view.dayGrid, day);
  of.weekday = cell ? cell->column : -1;
  const bool factsOfView = facts.year == view.year && facts.month == view.month;
  if (factsOfView && day >= 1 && day <= kDaysInTable && !facts.holidays[day].empty()) {
    of.holiday = facts.holidays[day].c_str();
  }
  of.today = facts.todayYear == view.year && facts.todayMonth == view.month && facts.todayDay == day;
  of.unreadable = view.IsProtected();
  return of;
}

std::string DayAccessibleName(const DayRecord& record, const DayNameFacts& facts) {
  std::string name = std::to_string(facts.month) + "月" + std::to_string(facts.day) + "日";
  if (facts.weekday >= 0 && facts.weekday < 7) {
    name += ' ';
    name += g_WeekdayNames[facts.weekday];
  }
  if (facts.holiday != nullptr) {
    name += ' ';
    name += facts.holiday;
  }
  if (facts.today) name += " 今日";
  if (facts.unreadable) return name + " この月は読み込めませんでした";

  std::string lines[kLineCount];
  size_t lineCount = 0;
  for (const auto& field : record.szLine) {
    std::string spoken = SpokenLine(BoundedText(field));
    if (!spoken.empty()) lines[lineCount++] = std::move(spoken);
  }
  AppendList(name, "予定", lines, lineCount);

  std::string seals[kSealSlots];
  size_t sealCount = 0;
  for (SealCode code : record.nSeal) {
    if (const char* seal = SealName(code)) seals[sealCount++] = seal;
  }
  AppendList(name, "シール", seals, sealCount);

  if (record.szMemo[0] != '\0') name += " メモあり";
  return name;
}

std::string MonthAccessibleName(int year, int month) {
  return std::to_string(year) + "年" + std::to_string(month) + "月";
}

std::string LineBoxAccessibleName(int line) { return "予定 " + std::to_string(line); }

std::string SealSlotAccessibleName(int slot, SealCode code) {
  const char* seal = SealName(code);
  return "シール " + std::to_string(slot) + " " + (seal != nullptr ? seal : "なし");
}
