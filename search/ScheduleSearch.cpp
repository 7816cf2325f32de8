#include "search/ScheduleSearch.h"

#include <cstdio>
#include <string_view>

#include "search/MonthFileScan.h"
#include "search/ScanAhead.h"
#include "search/SearchMessages.h"
#include "search/SearchQuery.h"

namespace {

constexpr size_t kReadBlock = size_t{64} << 10;

bool IsWhiteSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

std::string_view WithoutLeadingWhiteSpace(std::string_view entry) {
  size_t first = 0;
  while (first < entry.size() && IsWhiteSpace(entry[first])) ++first;
  return entry.substr(first);
}

bool IsSearched(std::string_view fileName) { return fileName.empty() || fileName.front() != '*'; }

// A file larger than a line piece, scanned as it is read on: its start, then
// block by block from where the read stopped. False when the search ends.
bool ScanLargeFile(const CSearchQuery& query, std::string_view fileName, ScannedFile& file, CSearchSink& sink) {
  CMonthFileScan scan(query, fileName, sink);
  if (!scan.Feed(file.start.data(), file.start.size())) return !scan.EndsSearch();
  std::vector<char> block(kReadBlock);
  for (;;) {
    size_t got = std::fread(block.data(), 1, block.size(), file.rest.get());
    if (got > 0 && !scan.Feed(block.data(), got)) return !scan.EndsSearch();
    if (got < block.size()) break;
  }
  // A read error ends the file where it happened.
  if (std::ferror(file.rest.get())) return true;
  scan.Finish();
  return !scan.EndsSearch();
}

// Sends a file's lines, asking before each. False when the search ends.
bool SendLines(const ScannedFile& file, CSearchSink& sink) {
  for (size_t at = 0; at < file.lines.size(); at = file.lines.find('\0', at) + 1) {
    if (sink.IsCancelled()) return false;
    sink.SendLine(file.lines.c_str() + at);
  }
  return !file.endsSearch;
}

}  // namespace

void RunScheduleSearch(int kind, const char* query, const std::string& folder,
                       const FolderEntryLister& listEntries, CSearchSink& sink) {
  CSearchQuery searchQuery(kind, query);
  if (searchQuery.LacksSeal()) {
    sink.SendLine(kChooseSealMessage);
    return;
  }
  const std::vector<std::string> entries = listEntries();
  std::vector<std::string> fileNames;
  for (const std::string& entry : entries) {
    std::string_view fileName = WithoutLeadingWhiteSpace(entry);
    if (IsSearched(fileName)) fileNames.emplace_back(fileName);
  }
  CScanAhead files(searchQuery, folder, fileNames);
  for (const std::string& entry : entries) {
    if (sink.IsCancelled()) return;
    std::string_view fileName = WithoutLeadingWhiteSpace(entry);
    if (!IsSearched(fileName)) continue;
    ScannedFile file = files.Next();
    const bool goOn = file.rest ? ScanLargeFile(searchQuery, fileName, file, sink) : SendLines(file, sink);
    if (!goOn) return;
  }
}
