#pragma once
// The month file's parse, fed block by block: the same for a file on disk
// and for bytes in memory, whatever the block boundaries.
#include <cstddef>

#include "data/DayRecord.h"
#include "data/FieldScanner.h"

// The reader's block: the month file is read 512 bytes at a time.
constexpr size_t kReadBlockSize = 512;

// How much of one field is kept while its end is awaited: twice the
// writer's longest field. The bytes after it are passed over up to the
// field's comma, so a field longer than any buffer still ends in its place.
constexpr size_t kFieldKeep = 1024;

class CMonthFileParser {
 public:
  // Clears the table; the parse fills it.
  explicit CMonthFileParser(MonthTable& table);

  void Feed(const char* bytes, size_t size);
  // The end of the file: an incomplete field is dropped.
  void Finish();
  // True when no further byte can change the table.
  bool Done() const { return m_format == kDone; }
  // The days whose records were read to their end.
  int RecordsRead() const { return m_dayIndex; }

 private:
  enum Format { kUndecided, kHeader, kCurrent, kLegacy, kDone };

  void FeedUndecided(const char*& bytes, size_t& size);
  void FeedCurrent(const char* bytes, size_t size);
  void FeedLegacy(const char* bytes, size_t size);
  void KeepText(const char* bytes, size_t size, size_t keep);
  void CompleteCurrentField();
  void CompleteLegacyField();
  void CompleteLegacyLine();

  MonthTable& m_table;
  Format m_format = kUndecided;
  char m_head[3] = {};
  size_t m_headLength = 0;
  int m_dayIndex = 0;
  int m_field = 0;
  CFieldScanner m_scanner{','};
  bool m_inLegacyField = false;
  char m_text[kFieldKeep + 1] = {};
  size_t m_textLength = 0;
};
