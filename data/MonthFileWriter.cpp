#include "data/MonthFileWriter.h"

#include <cstdio>
#include <cstring>
#include <memory>

#include "data/FieldCodec.h"
#include "data/FileSystem.h"

namespace {

constexpr char kHeader[] = "QL3\n";
constexpr size_t kMaxFileSize = sizeof kHeader - 1 + kDaysInTable * kMaxRecordSize;

// Growing pauses before the replacement is tried again: a reader that
// holds the file for a moment lets go within them.
constexpr unsigned kReplaceRetryPausesMs[] = {20, 40, 80, 160};

// The table may come from anywhere: take at most size - 1 bytes of a field,
// terminated or not.
template <size_t size>
size_t AppendEscaped(const char (&field)[size], char* out, size_t outSize) {
  char text[size];
  std::memcpy(text, field, size - 1);
  text[size - 1] = '\0';
  return EscapeField(text, out, outSize);
}

bool WriteWhole(IFile& file, const std::string& bytes) {
  bool written = file.Write(bytes.data(), bytes.size());
  return file.FlushAndClose() && written;
}

bool ReplaceRetrying(IFileSystem& files, const char* temporary, const char* path) {
  if (files.Replace(temporary, path)) return true;
  for (unsigned pause : kReplaceRetryPausesMs) {
    files.Pause(pause);
    if (files.Replace(temporary, path)) return true;
  }
  return false;
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

std::string FormatMonthFile(const MonthTable& table, const std::function<int()>& daysInMonth) {
  std::string bytes;
  bytes.reserve(kMaxFileSize);
  bytes.append(kHeader, sizeof kHeader - 1);
  char record[kMaxRecordSize + 1];
  for (int day = 1; day <= kDaysInTable; ++day) {
    if (day > daysInMonth()) break;  // asked before every day, as the host may answer anything
    bytes.append(record, FormatDayRecord(table.Day(day), day, record));
  }
  return bytes;
}

MonthWriteOutcome WriteMonthFileThrough(IFileSystem& files, const char* path, const MonthTable& table,
                                        const std::function<int()>& daysInMonth) {
  char temporary[kPathSize];
  if (!MakeTemporaryPath(path, temporary)) return MonthWriteOutcome::kFailed;
  const std::string bytes = FormatMonthFile(table, daysInMonth);
  std::unique_ptr<IFile> file = files.CreateHidden(temporary);
  if (!file) return MonthWriteOutcome::kFailed;
  bool finished = WriteWhole(*file, bytes);
  file.reset();
  if (!finished) {
    files.Remove(temporary);
    return MonthWriteOutcome::kFailed;
  }
  if (ReplaceRetrying(files, temporary, path)) return MonthWriteOutcome::kReplaced;
  // The old file rewritten where it is, for the programs that hold it open.
  std::unique_ptr<IFile> original = files.OpenInPlace(path);
  if (!original) {
    files.Remove(temporary);  // the old file is untouched
    return MonthWriteOutcome::kFailed;
  }
  // The temporary file stays the one whole copy until the rewrite succeeded.
  if (!original->Truncate() || !WriteWhole(*original, bytes)) return MonthWriteOutcome::kFailed;
  files.Remove(temporary);
  return MonthWriteOutcome::kRewrittenInPlace;
}

int WriteMonthFile(const MonthTable& table, const char* path, const std::function<int()>& daysInMonth) {
  return WriteMonthFileThrough(SystemFileSystem(), path, table, daysInMonth) == MonthWriteOutcome::kFailed ? 0 : 1;
}
