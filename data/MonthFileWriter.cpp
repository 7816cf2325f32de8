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

bool ReplaceRetrying(IFileSystem& files, const char* copy, const char* path) {
  if (files.Replace(copy, path)) return true;
  for (unsigned pause : kReplaceRetryPausesMs) {
    files.Pause(pause);
    if (files.Replace(copy, path)) return true;
  }
  return false;
}

// The month file rewritten where it is, for the programs that hold it open.
CopyPlacement RewriteInPlace(IFileSystem& files, const char* path, const std::string& bytes) {
  std::unique_ptr<IFile> original = files.OpenInPlace(path);
  if (!original) return CopyPlacement::kNotOpened;
  if (!original->Truncate() || !WriteWhole(*original, bytes)) return CopyPlacement::kCut;
  return CopyPlacement::kRewritten;
}

}  // namespace

size_t MonthFileNameStart(const char* path, size_t length) {
  size_t start = length;
  while (start > 0 && path[start - 1] != '/' && path[start - 1] != '\\') --start;
  return start;
}

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

bool PathInSubFolder(const char* path, const char* subFolder, const char* name, char (&result)[kPathSize],
                     char (&folder)[kPathSize]) {
  result[0] = folder[0] = '\0';
  const size_t length = strnlen(path, kPathSize);
  if (length == kPathSize) return false;
  const size_t nameStart = MonthFileNameStart(path, length);
  if (nameStart == 0 || nameStart == length) return false;
  const char separator = path[nameStart - 1];
  const int made = std::snprintf(folder, kPathSize, "%.*s%s", static_cast<int>(nameStart), path, subFolder);
  const int whole =
      std::snprintf(result, kPathSize, "%s%c%s", folder, separator, name != nullptr ? name : path + nameStart);
  if (made < 0 || whole < 0 || static_cast<size_t>(whole) >= kPathSize) {
    result[0] = folder[0] = '\0';
    return false;
  }
  return true;
}

bool MakeTemporaryPath(const char* path, char (&temporary)[kPathSize], char (&folder)[kPathSize]) {
  return PathInSubFolder(path, kSavingFolderName, nullptr, temporary, folder);
}

bool MakeLegacyTemporaryPath(const char* path, char (&temporary)[kPathSize]) {
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

CopyPlacement PlaceFinishedCopy(IFileSystem& files, const char* copy, const char* path, const std::string& bytes) {
  if (ReplaceRetrying(files, copy, path)) return CopyPlacement::kReplaced;
  CopyPlacement rewritten = RewriteInPlace(files, path, bytes);
  // The copy stays the one whole one until the rewrite succeeded.
  if (rewritten == CopyPlacement::kRewritten) files.Remove(copy);
  return rewritten;
}

MonthWriteOutcome WriteMonthFileThrough(IFileSystem& files, const char* path, const MonthTable& table,
                                        const std::function<int()>& daysInMonth) {
  return WriteFileThrough(files, path, FormatMonthFile(table, daysInMonth));
}

MonthWriteOutcome WriteFileThrough(IFileSystem& files, const char* path, const std::string& bytes) {
  char temporary[kPathSize];
  char folder[kPathSize];
  if (!MakeTemporaryPath(path, temporary, folder)) return MonthWriteOutcome::kFailed;
  files.MakeFolder(folder, true);  // usually there; a failure shows when the file is made
  FileCreateOutcome created = FileCreateOutcome::kFailed;
  std::unique_ptr<IFile> file = files.CreateNew(temporary, created);
  if (created == FileCreateOutcome::kExists) {
    // A copy an earlier rewrite left may be the one whole one: it is never
    // emptied, and goes only once the month file holds the newer table.
    if (RewriteInPlace(files, path, bytes) != CopyPlacement::kRewritten) return MonthWriteOutcome::kFailed;
    files.Remove(temporary);
    return MonthWriteOutcome::kRewrittenInPlace;
  }
  if (!file) return MonthWriteOutcome::kFailed;
  bool finished = WriteWhole(*file, bytes);
  file.reset();
  if (!finished) {
    files.Remove(temporary);
    return MonthWriteOutcome::kFailed;
  }
  switch (PlaceFinishedCopy(files, temporary, path, bytes)) {
    case CopyPlacement::kReplaced:
      return MonthWriteOutcome::kReplaced;
    case CopyPlacement::kRewritten:
      return MonthWriteOutcome::kRewrittenInPlace;
    case CopyPlacement::kNotOpened:
      files.Remove(temporary);  // the old file is untouched
      return MonthWriteOutcome::kFailed;
    case CopyPlacement::kCut:
      break;
  }
  return MonthWriteOutcome::kFailed;
}

int WriteMonthFile(const MonthTable& table, const char* path, const std::function<int()>& daysInMonth) {
  return WriteMonthFileThrough(SystemFileSystem(), path, table, daysInMonth) == MonthWriteOutcome::kFailed ? 0 : 1;
}
