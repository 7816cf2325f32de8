#pragma once
// The book as a CSV sheet (RFC 4180, UTF-8 with a byte-order mark): one row
// per day: date, four seal names, five lines, memo.
#include <ostream>
#include <string>
#include <string_view>

#include "export/DayWriter.h"

// A field as written: quoted, quotes doubled, when it holds a comma, a
// quote or a line break; LF becomes CR LF. A text that begins with =, +,
// -, @, a tab or a line break gets a leading apostrophe, so that
// spreadsheets take it as text and never as a formula.
std::string CsvField(std::string_view utf8);

class CCsvWriter : public CDayWriter {
 public:
  explicit CCsvWriter(std::ostream& out);

  void Begin() override;
  void Write(const BookDay& day) override;
  void End() override;

 private:
  std::ostream& m_out;
  std::string m_row;
};
