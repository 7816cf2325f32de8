#pragma once
// The search over one month file, fed line by line.
#include <cstddef>
#include <string>
#include <string_view>

#include "search/LineSplitter.h"
#include "search/RecordAssembler.h"
#include "search/SearchQuery.h"
#include "search/SearchSink.h"

// The first line of every file the search reads.
constexpr std::string_view kCurrentFormatHeader = "QL3";

class CMonthFileScan {
 public:
  // fileName is the folder entry: the year and month of hits come from it.
  CMonthFileScan(const CSearchQuery& query, std::string_view fileName, CSearchSink& sink);

  // The file's next bytes, in any cut. False when this file is done with:
  // not current-format data, a cancel or a search that cannot go on.
  bool Feed(const char* bytes, size_t size);

  // At the end of the file's bytes: the last line without LF; a file
  // without a first line is not current-format data either.
  void Finish();

  // After a cancel or an unknown kind no further file is searched.
  bool EndsSearch() const { return m_endsSearch; }

 private:
  bool OnLine(const char* line, size_t length);

  const CSearchQuery& m_query;
  std::string m_fileName;
  CSearchSink& m_sink;
  CLineSplitter m_splitter;
  CRecordAssembler m_record;
  std::string m_resultLine;
  bool m_headerRead = false;
  bool m_endsSearch = false;
  int m_day = 0;
};

// The scan of a whole file held in memory, with the same lines as a file
// fed in any cut. False when the search ends with this file.
bool ScanMonthBytes(const CSearchQuery& query, std::string_view fileName, const char* bytes, size_t size,
                    CSearchSink& sink);
