#include "export/CsvWriter.h"

#include <cstdio>

namespace {

constexpr const char* kByteOrderMark = "\xEF\xBB\xBF";
constexpr const char* kHeader = "date,seal1,seal2,seal3,seal4,line1,line2,line3,line4,line5,memo\r\n";

}  // namespace

std::string CsvField(std::string_view utf8) {
  // A spreadsheet runs a cell that begins so as a formula; LF is written as CR LF.
  bool formulaLike = !utf8.empty() && std::string_view("=+-@\t\r\n").find(utf8.front()) != std::string_view::npos;
  std::string guard = formulaLike ? "'" : "";
  if (utf8.find_first_of(",\"\r\n") == std::string_view::npos) return guard.append(utf8);
  std::string field = "\"" + guard;
  for (char c : utf8) {
    if (c == '"')
      field += "\"\"";
    else if (c == '\n')
      field += "\r\n";
    else
      field += c;
  }
  field += '"';
  return field;
}

CCsvWriter::CCsvWriter(std::ostream& out) : m_out(out) {}

void CCsvWriter::Begin() { m_out << kByteOrderMark << kHeader; }

void CCsvWriter::Write(const BookDay& day) {
  char date[16];
  std::snprintf(date, sizeof date, "%04d-%02d-%02d", day.date.year, day.date.month, day.date.day);
  m_row = date;
  for (const std::string& name : day.sealNames) m_row.append(1, ',').append(CsvField(name));
  for (const std::string& line : day.lines) m_row.append(1, ',').append(CsvField(line));
  m_row.append(1, ',').append(CsvField(day.memo)).append("\r\n");
  m_out << m_row;
}

void CCsvWriter::End() {}
