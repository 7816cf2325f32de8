#include "search/ScheduleSearch.h"

#include <cstdio>
#include <memory>
#include <string_view>

#include "data/FileSystem.h"
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

// False when the search ends with this file. A file that cannot be opened
// or read is passed over without a word: it holds no schedule we can show.
bool SearchMonthFile(const CSearchQuery& query, const std::string& path, std::string_view fileName,
                     std::vector<char>& block, CSearchSink& sink) {
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(OpenFileForReading(path.c_str()), &std::fclose);
  if (!file) return true;
  CMonthFileScan scan(query, fileName, sink);
  for (;;) {
    size_t got = std::fread(block.data(), 1, block.size(), file.get());
    if (got > 0 && !scan.Feed(block.data(), got)) return !scan.EndsSearch();
    if (got < block.size()) break;
  }
  if (std::ferror(file.get())) return true;
  scan.Finish();
  return !scan.EndsSearch();
}

}  // namespace

void RunScheduleSearch(int kind, const char* query, const std::string& folder,
                       const FolderEntryLister& listEntries, CSearchSink& sink) {
  CSearchQuery searchQuery(kind, query);
  if (searchQuery.LacksSeal()) {
    sink.SendLine(kChooseSealMessage);
    return;
  }
  std::vector<char> block(kReadBlock);
  std::string path;
  for (const std::string& entry : listEntries()) {
    if (sink.IsCancelled()) return;
    std::string_view fileName = WithoutLeadingWhiteSpace(entry);
    if (!fileName.empty() && fileName.front() == '*') continue;
    path.assign(folder).append(fileName);
    if (!SearchMonthFile(searchQuery, path, fileName, block, sink)) return;
  }
}
