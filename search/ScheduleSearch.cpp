#include "search/ScheduleSearch.h"

#include <cstdio>
#include <string_view>

#include "search/FileReadAhead.h"
#include "search/LineSplitter.h"
#include "search/MonthFileScan.h"
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

// A file larger than a line piece, fed to the scan as its start and then
// block by block from where the read stopped.
bool ScanLargeFile(const CSearchQuery& query, std::string_view fileName, ReadFile& file, CSearchSink& sink) {
  CMonthFileScan scan(query, fileName, sink);
  if (!scan.Feed(file.bytes.data(), file.bytes.size())) return !scan.EndsSearch();
  std::vector<char> block(kReadBlock);
  for (;;) {
    size_t got = std::fread(block.data(), 1, block.size(), file.rest.get());
    if (got > 0 && !scan.Feed(block.data(), got)) return !scan.EndsSearch();
    if (got < block.size()) break;
  }
  if (std::ferror(file.rest.get())) return true;
  scan.Finish();
  return !scan.EndsSearch();
}

// False when the search ends with this file. A file that cannot be opened
// or read is passed over without a word: it holds no schedule we can show;
// what could be read of it before an error is searched.
bool SearchMonthFile(const CSearchQuery& query, std::string_view fileName, ReadFile file, CSearchSink& sink) {
  if (!file.opened) return true;
  if (file.rest) return ScanLargeFile(query, fileName, file, sink);
  if (file.failed) {
    CMonthFileScan scan(query, fileName, sink);
    scan.Feed(file.bytes.data(), file.bytes.size());
    return !scan.EndsSearch();
  }
  return ScanMonthBytes(query, fileName, file.bytes.data(), file.bytes.size(), sink);
}

}  // namespace

void RunScheduleSearch(int kind, const char* query, const std::string& folder, const FolderEntryLister& listEntries,
                       CSearchSink& sink) {
  CSearchQuery searchQuery(kind, query);
  if (searchQuery.LacksSeal()) {
    sink.SendLine(kChooseSealMessage);
    return;
  }
  const std::vector<std::string> entries = listEntries();
  std::vector<std::string> paths;
  for (const std::string& entry : entries) {
    std::string_view fileName = WithoutLeadingWhiteSpace(entry);
    if (IsSearched(fileName)) paths.push_back(folder + std::string(fileName));
  }
  CFileReadAhead files(std::move(paths), kMaxLinePiece);
  for (const std::string& entry : entries) {
    if (sink.IsCancelled()) return;
    std::string_view fileName = WithoutLeadingWhiteSpace(entry);
    if (!IsSearched(fileName)) continue;
    if (!SearchMonthFile(searchQuery, fileName, files.Next(), sink)) return;
  }
}
