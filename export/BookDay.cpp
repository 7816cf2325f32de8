#include "export/BookDay.h"

#include <algorithm>
#include <cstring>

#include "calendar/CalendarFacts.h"
#include "cp932/Utf8FromCp932.h"
#include "data/SealTable.h"

namespace {

// Line breaks become LF; other control bytes, which no calendar or sheet
// takes as text, become U+FFFD like any other byte that is no text.
std::string TextFromField(const char* field, size_t fieldSize, size_t& replaced) {
  std::string utf8;
  replaced += AppendUtf8FromCp932(utf8, std::string_view(field, strnlen(field, fieldSize)));
  std::string text;
  text.reserve(utf8.size());
  for (size_t i = 0; i < utf8.size(); ++i) {
    char c = utf8[i];
    if (c == '\r') {
      if (i + 1 < utf8.size() && utf8[i + 1] == '\n') ++i;
      text += '\n';
    } else if ((static_cast<unsigned char>(c) < 0x20 && c != '\n' && c != '\t') || c == 0x7F) {
      AppendUtf8(text, 0xFFFD);
      ++replaced;
    } else {
      text += c;
    }
  }
  // The legacy format leaves the line end in the last field: it is no part of the entry.
  while (!text.empty() && text.back() == '\n') text.pop_back();
  return text;
}

}  // namespace

BookDate NextDay(const BookDate& date) {
  if (date.day < DaysInMonth(date.year, date.month)) return {date.year, date.month, date.day + 1};
  if (date.month < 12) return {date.year, date.month + 1, 1};
  return {date.year + 1, 1, 1};
}

bool BookDay::HasContent() const {
  auto filled = [](const std::string& text) { return !text.empty(); };
  return std::any_of(std::begin(sealNames), std::end(sealNames), filled) ||
         std::any_of(std::begin(lines), std::end(lines), filled) || !memo.empty();
}

std::vector<std::string> BookDay::Categories() const {
  std::vector<std::string> names;
  for (const std::string& name : sealNames) {
    if (!name.empty() && std::find(names.begin(), names.end(), name) == names.end()) names.push_back(name);
  }
  return names;
}

BookDay ConvertDay(const BookDate& date, const DayRecord& record, DayConversionNotes& notes) {
  BookDay day;
  day.date = date;
  for (int slot = 0; slot < kSealSlots; ++slot) {
    SealCode code = record.nSeal[slot];
    if (code == 0) continue;
    const SealEntry* row = FindSealRow(code, kSealKeyCode);
    if (row == nullptr) {
      notes.unnamedSeals.push_back(code);
      continue;
    }
    notes.replacedSequences += AppendUtf8FromCp932(day.sealNames[slot], row->szName);
    day.sealCodes[slot] = code;
  }
  for (int line = 0; line < kLineCount; ++line) {
    day.lines[line] = TextFromField(record.szLine[line], kLineSize, notes.replacedSequences);
  }
  day.memo = TextFromField(record.szMemo, kMemoSize, notes.replacedSequences);
  return day;
}
