#pragma once
// The book as the sync sees it: the months of the days synced, read once
// for the decisions, and the fields of a day as the bytes the month file
// holds, with the hashes that tell an item changed since the last sync.
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "data/DayRecord.h"
#include "import/MonthFileAccess.h"

class IBookMonths;

// A place's field: a line (0..4) or the memo (kMemoSlot), as cp932 bytes.
std::string FieldOf(const DayRecord& day, int slot);
void SetField(DayRecord& day, int slot, const std::string& bytes);

// UTF-8 text as the import would store it in a line or the memo: cp932,
// line breaks as CR LF, cut to the field on a whole character.
std::string StoredLine(const std::string& utf8);
std::string StoredMemo(const std::string& utf8);
// Line breaks as CR LF, as the import's merge takes texts.
std::string WithCrLf(const std::string& text);
// A field's bytes as UTF-8, line breaks as LF, as the export reads it.
std::string Utf8OfField(const std::string& bytes);

// The day's seal names that have a row in the table, sorted, each ended by LF.
std::string DaySealNames(const DayRecord& day);

// What a line or the memo holds, and for an event the book made (with the
// seals synced) the day's seals too.
uint64_t ItemHash(const std::string& fieldBytes, const std::string& sealNames, bool withSeals);

class CBookSide {
 public:
  // The months of the days from firstDay on that have a file, and of the
  // other days given; false when the months cannot be listed.
  bool Load(IBookMonths& book, int firstDay, const std::vector<int>& alsoDays);

  // nullptr for a day whose month could not be read. A month not loaded
  // yet (one without a file, that a server's event falls in) is read now.
  const DayRecord* Day(int dayNumber) const;
  bool AnyUnreadable() const { return !m_unreadable.empty(); }
  // The first day of each month that could not be read, as they were found.
  std::vector<int> UnreadableMonths() const { return m_unreadable; }
  // The days of the months read, from firstDay on, in order.
  std::vector<int> Days(int firstDay) const;

 private:
  struct Month {
    MonthRead read;
    std::unique_ptr<MonthTable> table;
  };
  void LoadMonth(int year, int month) const;

  IBookMonths* m_source = nullptr;        // not owned
  mutable std::map<int, Month> m_months;  // by year * 12 + month - 1
  mutable std::vector<int> m_unreadable;
};
