#include "data/MonthFile.h"

#include <cstdio>
#include <cstring>
#include <memory>

#include "data/FileSystem.h"
#include "data/MonthFileParser.h"
#include "data/ReadRetry.h"

namespace {

// False (and an empty path) when what was formatted does not fit.
bool Fitted(char (&path)[kPathSize], int length) {
  if (length < 0 || static_cast<size_t>(length) >= kPathSize) {
    path[0] = '\0';
    return false;
  }
  return true;
}

}  // namespace

bool FormatMonthFilePath(char (&path)[kPathSize], const char* dataDirectory, const char* toolName, int year, int month,
                         char separator) {
  return Fitted(path, std::snprintf(path, kPathSize, "%s%c%s%cschedule%d_%02d.dat", dataDirectory, separator, toolName,
                                    separator, year, month));
}

bool FormatMonthFilePathIn(char (&path)[kPathSize], const char* folder, int year, int month, char separator) {
  return Fitted(path, std::snprintf(path, kPathSize, "%s%cschedule%d_%02d.dat", folder, separator, year, month));
}

MonthReadOutcome ReadMonthFileOnce(IFileSystem& files, const char* path, MonthTable& table) {
  CMonthFileParser parser(table);
  size_t length = strnlen(path, kPathSize);
  if (length == 0 || length == kPathSize) return MonthReadOutcome::kUnreadable;
  FileOpenOutcome opened = FileOpenOutcome::kRefused;
  std::unique_ptr<IFile> file = files.OpenToRead(path, opened);
  if (opened == FileOpenOutcome::kAbsent) return MonthReadOutcome::kAbsent;
  if (!file) return MonthReadOutcome::kUnreadable;
  char block[kReadBlockSize];
  long got;
  while (!parser.Done() && (got = file->Read(block, sizeof block)) != 0) {
    if (got < 0) {
      ClearMonth(table);
      return MonthReadOutcome::kUnreadable;
    }
    parser.Feed(block, static_cast<size_t>(got));
  }
  parser.Finish();
  return MonthReadOutcome::kRead;
}

MonthReadOutcome ReadMonthFileRetrying(IFileSystem& files, const char* path, MonthTable& table) {
  return RetryWhileUnreadable(files, MonthReadOutcome::kUnreadable,
                              [&] { return ReadMonthFileOnce(files, path, table); });
}

int ReadMonthFile(MonthTable& table, const char* path) {
  return ReadMonthFileOnce(SystemFileSystem(), path, table) == MonthReadOutcome::kRead ? 1 : 0;
}

namespace {

void FeedInBlocks(CMonthFileParser& parser, const char* bytes, size_t size) {
  for (size_t offset = 0; offset < size && !parser.Done(); offset += kReadBlockSize) {
    size_t block = size - offset < kReadBlockSize ? size - offset : kReadBlockSize;
    parser.Feed(bytes + offset, block);
  }
}

}  // namespace

void ParseMonthBytes(MonthTable& table, const char* bytes, size_t size) {
  CMonthFileParser parser(table);
  FeedInBlocks(parser, bytes, size);
  parser.Finish();
}

bool IsWholeMonthFile(const char* bytes, size_t size, int days) {
  static constexpr char kCurrentMagic[] = "QL3";
  if (size == 0) return false;
  if (size < sizeof kCurrentMagic - 1 || std::memcmp(bytes, kCurrentMagic, sizeof kCurrentMagic - 1) != 0) return true;
  MonthTable table;
  CMonthFileParser parser(table);
  FeedInBlocks(parser, bytes, size);
  return parser.RecordsRead() >= days;
}
