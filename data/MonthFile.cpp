#include "data/MonthFile.h"

#include <cstdio>
#include <cstring>

#include "data/FileSystem.h"
#include "data/MonthFileParser.h"

bool FormatMonthFilePath(char (&path)[kPathSize], const char* dataDirectory, const char* toolName, int year,
                         int month, char separator) {
  int length = std::snprintf(path, kPathSize, "%s%c%s%cschedule%d_%02d.dat", dataDirectory, separator, toolName,
                             separator, year, month);
  if (length < 0 || static_cast<size_t>(length) >= kPathSize) {
    path[0] = '\0';
    return false;
  }
  return true;
}

int ReadMonthFile(MonthTable& table, const char* path) {
  CMonthFileParser parser(table);
  if (strnlen(path, kPathSize) == kPathSize) return 0;
  std::FILE* file = OpenFileForReading(path);
  if (file == nullptr) return 0;
  char block[kReadBlockSize];
  size_t got;
  while (!parser.Done() && (got = std::fread(block, 1, sizeof block, file)) > 0) parser.Feed(block, got);
  parser.Finish();
  std::fclose(file);
  return 1;
}

void ParseMonthBytes(MonthTable& table, const char* bytes, size_t size) {
  CMonthFileParser parser(table);
  for (size_t offset = 0; offset < size && !parser.Done(); offset += kReadBlockSize) {
    size_t block = size - offset < kReadBlockSize ? size - offset : kReadBlockSize;
    parser.Feed(bytes + offset, block);
  }
  parser.Finish();
}
