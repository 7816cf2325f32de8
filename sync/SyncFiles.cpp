#include "sync/SyncFiles.h"

#include <cstdio>
#include <memory>

#include "data/FileSystem.h"
#include "data/MonthFile.h"
#include "data/MonthFileWriter.h"
#include "data/ReadRetry.h"

namespace {

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

SmallFileRead ReadOnce(IFileSystem& files, const std::string& path, size_t limit, std::string& bytes) {
  bytes.clear();
  FileOpenOutcome opened = FileOpenOutcome::kRefused;
  std::unique_ptr<IFile> file = files.OpenToRead(path.c_str(), opened);
  if (opened == FileOpenOutcome::kAbsent) return SmallFileRead::kAbsent;
  if (!file) return SmallFileRead::kUnreadable;
  char block[8192];
  long got;
  while ((got = file->Read(block, sizeof block)) > 0) {
    if (bytes.size() + static_cast<size_t>(got) > limit) return SmallFileRead::kUnreadable;
    bytes.append(block, static_cast<size_t>(got));
  }
  return got == 0 ? SmallFileRead::kRead : SmallFileRead::kUnreadable;
}

}  // namespace

SmallFileRead ReadSmallFile(IFileSystem& files, const std::string& path, size_t limit, std::string& bytes) {
  return RetryWhileUnreadable(files, SmallFileRead::kUnreadable, [&] { return ReadOnce(files, path, limit, bytes); });
}

std::string SavingCopyPath(const std::string& path) {
  char temporary[kPathSize];
  char folder[kPathSize];
  return MakeTemporaryPath(path.c_str(), temporary, folder) ? std::string(temporary) : std::string();
}

bool ForEachLine(const std::string& text, const std::function<bool(const std::string& line)>& each) {
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    start = end + 1;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!each(line)) return false;
  }
  return true;
}

std::string FormatHex64(uint64_t value) {
  char text[20];
  std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(value));
  return text;
}

bool ParseHex64(const std::string& text, uint64_t& value) {
  if (text.empty() || text.size() > 16 || !IsLowerHex(text)) return false;
  value = 0;
  for (char c : text) value = value * 16 + static_cast<uint64_t>(c <= '9' ? c - '0' : c - 'a' + 10);
  return true;
}

bool IsLowerHex(const std::string& text) {
  for (char c : text) {
    if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'))) return false;
  }
  return true;
}

std::string EscapeField(const std::string& value) {
  if (value.empty()) return "-";
  if (value == "-") return "%2D";
  std::string field;
  for (char c : value) {
    const unsigned char byte = static_cast<unsigned char>(c);
    if (byte <= 0x20 || byte >= 0x7F || c == '%') {
      char escape[4];
      std::snprintf(escape, sizeof escape, "%%%02X", byte);
      field += escape;
    } else {
      field += c;
    }
  }
  return field;
}

bool UnescapeField(const std::string& field, std::string& value) {
  value.clear();
  if (field == "-") return true;
  for (size_t i = 0; i < field.size(); ++i) {
    if (field[i] != '%') {
      value += field[i];
      continue;
    }
    if (i + 2 >= field.size() || HexValue(field[i + 1]) < 0 || HexValue(field[i + 2]) < 0) return false;
    value += static_cast<char>(HexValue(field[i + 1]) * 16 + HexValue(field[i + 2]));
    i += 2;
  }
  return !field.empty();
}
