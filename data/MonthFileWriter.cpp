#include "data/MonthFileWriter.h"

#include <cstring>

#include "data/FieldCodec.h"
#include "data/FileSystem.h"

namespace {

constexpr char kHeader[] = "QL3\n";

// The table may come from anywhere: take at most size - 1 bytes of a field,
// terminated or not.
template <size_t size>
size_t AppendEscaped(const char (&field)[size], char* out, size_t outSize) {
  char text[size];
  std::memcpy(text, field, size - 1);
  text[size - 1] = '\0';
  return EscapeField(text, out, outSize);
}

bool WriteDays(const MonthTable& table, std::FILE* file, const std::function<int()>& daysInMonth,
               const WriteBytesFunction& writeBytes) {
  if (!writeBytes(file, kHeader, sizeof kHeader - 1)) return false;
  char record[kMaxRecordSize + 1];
  for (int day = 1; day <= kDaysInTable; ++day) {
    int days = daysInMonth();  // asked before every day, as the host may answer anything
    if (day > days) break;
    size_t length = FormatDayRecord(table.Day(day), day, record);
    if (!writeBytes(file, record, length)) return false;
  }
  return true;
}

bool WriteWithStdio(std::FILE* file, const char* bytes, size_t size) {
  return std::fwrite(bytes, 1, size, file) == size;
}

}  // namespace

size_t FormatDayRecord(const DayRecord& day, int dayNumber, char (&record)[kMaxRecordSize + 1]) {
  int numbers = std::snprintf(record, sizeof record, "%02d,%d,%d,%d,%d,", dayNumber, day.nSeal[0], day.nSeal[1],
                              day.nSeal[2], day.nSeal[3]);
  size_t length = numbers > 0 ? static_cast<size_t>(numbers) : 0;
  for (const auto& line : day.szLine) {
    length += AppendEscaped(line, record + length, sizeof record - length);
    record[length++] = ',';
  }
  length += AppendEscaped(day.szMemo, record + length, sizeof record - length);
  record[length++] = ',';
  record[length++] = '\n';
  return length;
}

bool MakeTemporaryPath(const char* path, char (&temporary)[kPathSize]) {
  size_t length = strnlen(path, kPathSize);
  if (length == 0 || length == kPathSize) return false;
  std::memcpy(temporary, path, length + 1);
  temporary[length - 1] = path[length - 1] == '~' ? '_' : '~';
  return true;
}

int WriteMonthFileThrough(const MonthTable& table, const char* path, const std::function<int()>& daysInMonth,
                          const WriteBytesFunction& writeBytes) {
  char temporary[kPathSize];
  if (!MakeTemporaryPath(path, temporary)) return 0;
  std::FILE* file = OpenFileForWriting(temporary);
  if (file == nullptr) return 0;
  bool written = WriteDays(table, file, daysInMonth, writeBytes);
  bool closed = CloseWrittenFile(file);
  if (written && closed && MoveFileOver(temporary, path)) return 1;
  RemoveFile(temporary);
  return 0;
}

int WriteMonthFile(const MonthTable& table, const char* path, const std::function<int()>& daysInMonth) {
  return WriteMonthFileThrough(table, path, daysInMonth, WriteWithStdio);
}
