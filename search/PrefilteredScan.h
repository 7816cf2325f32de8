#pragma once
// The scan of a whole month file that looks closely only at the records in
// whose raw bytes a needle of the query occurs: most records hold none, and
// those are only counted, never put together or unescaped.
#include <cstddef>
#include <optional>
#include <string_view>

#include "search/SearchQuery.h"
#include "search/SearchSink.h"

// As ScanMonthBytes: false when the search ends with this file. nullopt,
// with nothing sent, when the query or the bytes need the scan of every
// record: a query without raw needles, a zero byte, an escape before
// another byte than a backslash, comma or line end, a TAB in a seal search,
// or more bytes than a line piece.
std::optional<bool> ScanWithPrefilter(const CSearchQuery& query, std::string_view fileName, const char* bytes,
                                      size_t size, CSearchSink& sink);
