// What a memo already holds, as the import's merge and a repeated line see
// it: the text as lines of their own, or, for the import only, cut to fit
// at the end of a full memo; never a mention inside a line the user wrote.
#include <gtest/gtest.h>

#include <string>

#include "cp932/Utf8FromCp932.h"
#include "import/DayMerge.h"
#include "repeat/RepeatWrite.h"

namespace {

// A memo with no room left (or short of that by some bytes), ending in end.
std::string FullMemo(const std::string& end, size_t shortBy = 0) {
  return std::string(kMemoSize - 1 - shortBy - end.size(), 'm') + end;
}

TEST(DayMergeTest, AMemoHoldsATextOnlyAsLinesOfItsOwn) {
  const struct {
    std::string memo;
    const char* text;        // cp932
    MergeOutcome asImport;   // a description into the memo
    LinePlacement asRepeat;  // a line into a day whose five lines are taken
  } cases[] = {
      {"会議室の予約を確認する", "会議", MergeOutcome::kAdded, LinePlacement::kMemo},
      {"予定\r\n明日の会議", "会議", MergeOutcome::kAdded, LinePlacement::kMemo},
      {"予定\r\n会議\r\n", "会議", MergeOutcome::kAlreadyThere, LinePlacement::kAlreadyThere},
      {"予定\r\n10:00 会議\r\n3階", "10:00 会議\r\n3階", MergeOutcome::kAlreadyThere, LinePlacement::kAlreadyThere},
      {FullMemo("の会議"), "会議", MergeOutcome::kNoRoom, LinePlacement::kNoRoom},
      // The import cut it where the next character found no room; a repeat never cuts.
      {FullMemo("\r\n会"), "会議", MergeOutcome::kAlreadyThere, LinePlacement::kNoRoom},
      {FullMemo("\r\nab", 1), "abc", MergeOutcome::kNoRoom, LinePlacement::kNoRoom},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.memo);
    DayRecord day = {};
    SetDayMemo(day, c.memo.c_str());
    DayWishes wishes;
    wishes.memos.push_back({""});
    AppendUtf8FromCp932(wishes.memos[0].text, c.text);
    DayRecord imported = day;
    EXPECT_EQ(c.asImport, MergeDay(imported, wishes).front().outcome);
    for (int line = 0; line < kLineCount; ++line) SetDayLine(day, line, "busy");
    EXPECT_EQ(c.asRepeat, PlaceRepeatedLine(day, c.text));
    if (c.asRepeat == LinePlacement::kMemo) {
      EXPECT_EQ(c.memo + "\r\n" + c.text, day.szMemo);
    }
  }
}

}  // namespace
