#pragma once
// Whether a complete day record is a hit, and the hit's line when it is.
#include <string>
#include <string_view>

#include "search/RecordAssembler.h"
#include "search/SearchQuery.h"
#include "search/SearchSink.h"

// record holds a complete record of a text or seal search; day is its
// position in the file. line is reused between hits to spare allocations.
void ReportIfHit(const CSearchQuery& query, const CRecordAssembler& record, std::string_view fileName, int day,
                 std::string& line, CSearchSink& sink);
