#include "sync/BookSide.h"

#include <cstring>
#include <set>

#include "book/BookMonths.h"
#include "calendar/CalendarFacts.h"
#include "calendar/DayNumber.h"
#include "cp932/Utf8FromCp932.h"
#include "data/SealTable.h"
#include "export/BookDay.h"
#include "import/DayMerge.h"
#include "sync/BookUid.h"
#include "sync/CalendarText.h"

std::string WithCrLf(const std::string& text) {
  std::string converted;
  for (char c : text) {
    if (c == '\n') converted += '\r';
    if (c != '\r') converted += c;
  }
  return converted;
}

std::string FieldOf(const DayRecord& day, int slot) {
  if (slot == kMemoSlot) return std::string(day.szMemo, strnlen(day.szMemo, kMemoSize));
  if (slot < 0 || slot >= kLineCount) return std::string();
  return std::string(day.szLine[slot], strnlen(day.szLine[slot], kLineSize));
}

void SetField(DayRecord& day, int slot, const std::string& bytes) {
  if (slot == kMemoSlot) {
    std::memset(day.szMemo, 0, sizeof day.szMemo);
    StoreFieldText(day.szMemo, kMemoSize, bytes.c_str());
  } else if (slot >= 0 && slot < kLineCount) {
    std::memset(day.szLine[slot], 0, sizeof day.szLine[slot]);
    StoreFieldText(day.szLine[slot], kLineSize, bytes.c_str());
  }
}

std::string StoredLine(const std::string& utf8) {
  DayRecord day = {};
  DayWishes wishes;
  wishes.lines.push_back({WithCrLf(utf8), 0, 0});
  MergeDay(day, wishes);
  return FieldOf(day, 0);
}

std::string StoredMemo(const std::string& utf8) {
  DayRecord day = {};
  DayWishes wishes;
  wishes.memos.push_back({WithCrLf(utf8), 0});
  MergeDay(day, wishes);
  return FieldOf(day, kMemoSlot);
}

std::string Utf8OfField(const std::string& bytes) {
  DayRecord day = {};
  StoreFieldText(day.szMemo, kMemoSize, bytes.c_str());
  DayConversionNotes notes;
  return ConvertDay({2000, 1, 1}, day, notes).memo;
}

std::string DaySealNames(const DayRecord& day) {
  std::set<std::string> names;
  for (SealCode code : day.nSeal) {
    if (code == 0) continue;
    const SealEntry* row = FindSealRow(code, kSealKeyCode);
    if (row == nullptr) continue;
    std::string name;
    AppendUtf8FromCp932(name, row->szName);
    names.insert(name);
  }
  std::string text;
  for (const std::string& name : names) text += name + "\n";
  return text;
}

uint64_t ItemHash(const std::string& fieldBytes, const std::string& sealNames, bool withSeals) {
  const uint64_t text = HashBytes(fieldBytes);
  return withSeals ? HashBytes("\x01" + sealNames, text) : text;
}

void CBookSide::LoadMonth(int year, int month) const {
  const int index = year * kMonthsInYear + month - 1;
  if (m_months.count(index) != 0 || m_source == nullptr) return;
  Month loaded;
  loaded.table = std::make_unique<MonthTable>();
  loaded.read = m_source->ReadMonth(year, month, *loaded.table);
  if (loaded.read == MonthRead::kFailed) m_unreadable.push_back(DayNumberOf(year, month, 1));
  m_months.emplace(index, std::move(loaded));
}

bool CBookSide::Load(IBookMonths& book, int firstDay, const std::vector<int>& alsoDays) {
  m_source = &book;
  std::vector<YearMonth> months;
  if (!book.ListMonths(months)) return false;
  const CalendarDate first = DateOfDayNumber(firstDay);
  const int firstIndex = first.year * kMonthsInYear + first.month - 1;
  for (const YearMonth& month : months) {
    if (month.Index() >= firstIndex) LoadMonth(month.year, month.month);
  }
  for (int day : alsoDays) {
    if (day < firstDay) continue;
    const CalendarDate date = DateOfDayNumber(day);
    LoadMonth(date.year, date.month);
  }
  return true;
}

const DayRecord* CBookSide::Day(int dayNumber) const {
  const CalendarDate date = DateOfDayNumber(dayNumber);
  LoadMonth(date.year, date.month);
  auto found = m_months.find(date.year * kMonthsInYear + date.month - 1);
  if (found == m_months.end() || found->second.read == MonthRead::kFailed) return nullptr;
  return &found->second.table->Day(date.day);
}

std::vector<int> CBookSide::Days(int firstDay) const {
  std::vector<int> days;
  for (const auto& [index, month] : m_months) {
    if (month.read == MonthRead::kFailed) continue;
    const int year = index / kMonthsInYear;
    const int monthNumber = index % kMonthsInYear + 1;
    const int start = DayNumberOf(year, monthNumber, 1);
    for (int day = 0; day < DaysInMonth(year, monthNumber); ++day) {
      if (start + day >= firstDay) days.push_back(start + day);
    }
  }
  return days;
}
