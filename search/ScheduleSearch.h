#pragma once
// The schedule search over every month file of the data folder.
#include <functional>
#include <string>
#include <vector>

#include "search/SearchSink.h"

// The folder's entries, each a file name relative to the folder.
using FolderEntryLister = std::function<std::vector<std::string>()>;

// Runs one search to its end on the calling thread. kind: 0 text, 2 seal,
// other values fail at the first record. query: the words, or the seal's
// bitmap id in decimal (null reads as empty). folder ends in its separator
// and is put before each entry as it stands. listEntries is called only
// when files are to be read. The files are read and scanned ahead, also on
// a thread of their own, each read once; every line goes to sink from the
// calling thread, in list order, before the search goes on.
// sink.IsCancelled() is asked before each entry and each line sent (in a
// file too large to hold, before each line of the file).
void RunScheduleSearch(int kind, const char* query, const std::string& folder,
                       const FolderEntryLister& listEntries, CSearchSink& sink);
