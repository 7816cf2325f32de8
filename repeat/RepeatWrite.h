#pragma once
// A line put into many days of the book, or taken out of them again,
// month file by month file through the merging write; and the same counted
// beforehand without writing anything.
#include <atomic>
#include <functional>
#include <string>
#include <vector>

#include "book/BookMonths.h"
#include "data/DayRecord.h"

enum class LinePlacement {
  kLine,          // into a free line
  kAlreadyThere,  // a line holds it, or the memo as a line of its own
  kMemo,          // no line free: at the end of the memo
  kNoRoom,        // neither a free line nor room in the memo for all of it
};

// As the import puts an entry into a day: a free line, else the memo's
// free room, never over what stands there. text is cp932.
LinePlacement PlaceRepeatedLine(DayRecord& day, const std::string& text);

struct MonthOfBook {
  int year;
  int month;
};

struct RepeatPreview {
  int alreadyThere = 0;
  int intoMemo = 0;  // no free line
  int noRoom = 0;
  std::vector<MonthOfBook> unreadMonths;
  int daysInUnreadMonths = 0;
};

// Nothing is written.
RepeatPreview PreviewRepeatedLine(const std::vector<int>& days, const std::string& text, IBookMonths& months);

enum class MonthOutcome {
  kWritten,
  kUnchanged,   // nothing to write: every day held it already, or had no room
  kUnread,      // could not be read: left as it is
  kUnwritten,   // could not be written: the file is as it was
  kNotReached,  // the run was ended before it: the file is as it was
};

struct RepeatMonthResult {
  MonthOfBook month = {};
  MonthOutcome outcome = MonthOutcome::kUnchanged;
  int changedDays = 0;  // lines added (or taken away)
  int intoMemo = 0;
  std::vector<int> noRoomDays;
  std::string reason;    // kUnread
  std::string keptCopy;  // what of another PC's change found no place, kept as a file
};

struct RepeatOutcome {
  std::vector<RepeatMonthResult> months;  // oldest first

  int ChangedDays() const;
  std::vector<MonthOfBook> MonthsLeftOut() const;
  std::vector<int> NoRoomDays() const;
};

// After each month, done of total months.
using RepeatProgress = std::function<void(size_t done, size_t total)>;

// Each month of days, oldest first: one that cannot be read or written is
// left as it is and the others still are. Once stop is set, no further
// month is begun: those not reached are left as they are.
RepeatOutcome WriteRepeatedLine(const std::vector<int>& days, const std::string& text, IBookMonths& months,
                                const RepeatProgress& progress, const std::atomic<bool>* stop = nullptr);

struct LineFound {
  std::vector<int> days;
  std::vector<MonthOfBook> unreadMonths;
};

// The days after afterDay, up to lastDay, with a line of exactly the text.
LineFound FindLineInDays(int afterDay, int lastDay, const std::string& text, IBookMonths& months);

// Each line of exactly the text cleared on those days; stop as for the write.
RepeatOutcome RemoveLineFromDays(const std::vector<int>& days, const std::string& text, IBookMonths& months,
                                 const RepeatProgress& progress, const std::atomic<bool>* stop = nullptr);
