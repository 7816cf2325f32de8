#include "reminders/ReminderLines.h"

#include <cstring>

#include "calendar/LineTime.h"
#include "cp932/Cp932FromUtf8.h"
#include "cp932/Utf8FromCp932.h"

namespace {

constexpr uint64_t kFnvOffset = 14695981039346656037ull;
constexpr uint64_t kFnvPrime = 1099511628211ull;
constexpr unsigned kReplacement = 0xFFFD;

// The entry's first line in UTF-8, its control bytes made U+FFFD as the
// export makes them, so that both read the same time.
std::string FirstLineUtf8(const char* field, size_t fieldSize) {
  const size_t length = strnlen(field, fieldSize);
  const char* end = static_cast<const char*>(std::memchr(field, '\r', length));
  const char* newline = static_cast<const char*>(std::memchr(field, '\n', length));
  if (end == nullptr || (newline != nullptr && newline < end)) end = newline;
  std::string utf8;
  AppendUtf8FromCp932(utf8, std::string_view(field, end != nullptr ? static_cast<size_t>(end - field) : length));
  std::string line;
  for (char c : utf8) {
    if ((static_cast<unsigned char>(c) < 0x20 && c != '\t') || c == 0x7F) {
      AppendUtf8(line, kReplacement);
    } else {
      line += c;
    }
  }
  return line;
}

}  // namespace

uint64_t HashLineText(const char* text, size_t fieldSize) {
  uint64_t hash = kFnvOffset;
  for (size_t i = 0; i < fieldSize && text[i] != '\0'; ++i) {
    hash ^= static_cast<unsigned char>(text[i]);
    hash *= kFnvPrime;
  }
  return hash;
}

void AppendTimedLines(int dayNumber, const DayRecord& day, std::vector<TimedLine>& lines) {
  for (int index = 0; index < kLineCount; ++index) {
    const char* field = day.szLine[index];
    if (field[0] == '\0') continue;
    const std::string first = FirstLineUtf8(field, kLineSize);
    LineTime time;
    if (!ReadLineTime(first, time)) continue;
    TimedLine line;
    line.dayNumber = dayNumber;
    line.line = index;
    line.startMinute = time.startMinute;
    line.hasEnd = time.hasEnd;
    line.endMinute = time.endMinute;
    line.textHash = HashLineText(field, kLineSize);
    AppendCp932FromUtf8(line.title, std::string_view(first).substr(time.titleStart, time.titleLength));
    lines.push_back(std::move(line));
  }
}
