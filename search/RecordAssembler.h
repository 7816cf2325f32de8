#pragma once
// Puts a day record together from the lines of a month file, as the search
// reads it: unescaped commas become TABs, lines are joined with LF.
#include <cstddef>
#include <string>
#include <string_view>

// A valid record is at most 1,838 bytes; a damaged file may run one record
// on without end. Bytes beyond this are still counted for commas, not kept.
constexpr size_t kMaxRecordText = size_t{1} << 20;

// A record is complete at the line that brings its separators to this.
constexpr int kCommasPerRecord = 11;

// The text that the lines of raw month-file bytes in [from, end) give, as a
// record put together and unescaped, written to out in one pass; returns
// its end. out has room for end - from + 1 bytes: the text is never longer
// than its bytes and one LF for a last line without one. from is where a
// line begins or right after a separator, end where a line begins or the
// end of the bytes; no zero byte in between. From right after a separator
// it is the rest of the record text: both walks are in step there.
char* WriteUnescapedRecordText(const char* bytes, size_t from, size_t end, char* out);

class CRecordAssembler {
 public:
  // Adds one non-empty line, its end removed. True when the line completed
  // a record (the 11th comma or more); the next line then starts a new one.
  bool AddLine(const char* line, size_t length);

  // The completed record after UnescapeField: day TAB slot1..4 TAB line1..5
  // TAB memo TAB LF, with the line breaks inside texts as LF.
  std::string_view Text() const { return m_text; }

  // TAB slot1 TAB slot2 TAB slot3 TAB slot4 TAB; empty when not held.
  std::string_view SealSection() const;

  // Lines and memo: everything after the 5th TAB; empty when not held.
  std::string_view SearchedText() const;

 private:
  void Unescape();

  std::string m_text;
  int m_commas = 0;
  bool m_complete = false;
};
