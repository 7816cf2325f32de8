#include "data/MonthMerge.h"

#include <cstring>
#include <string>
#include <vector>

namespace {

// A field's text, whether or not the table terminated it.
template <size_t size>
std::string Text(const char (&field)[size]) {
  return std::string(field, strnlen(field, size - 1));
}

// Byte for byte: every text comes from a field of its size, or was measured to fit.
template <size_t size>
void Put(char (&field)[size], const std::string& text) {
  const size_t length = text.size() < size - 1 ? text.size() : size - 1;
  std::memcpy(field, text.data(), length);
  std::memset(field + length, 0, size - length);
}

enum class Pick { kOurs, kTheirs, kBoth };

// Which side a field takes; kBoth when each side changed it its own way.
template <typename Value>
Pick PickSide(const Value* base, const Value& ours, const Value& theirs, const Value& empty) {
  if (ours == theirs) return Pick::kOurs;
  if (base != nullptr && ours == *base) return Pick::kTheirs;
  if (base != nullptr && theirs == *base) return Pick::kOurs;
  // A side that cleared the field gives way to the other's change; without
  // a base an empty field is one that side never had.
  if (ours == empty) return Pick::kTheirs;
  if (theirs == empty) return Pick::kOurs;
  return Pick::kBoth;
}

bool HasLine(const DayRecord& day, const std::string& text) {
  for (const auto& line : day.szLine) {
    if (Text(line) == text) return true;
  }
  return false;
}

bool HasSeal(const DayRecord& day, SealCode code) {
  for (SealCode seal : day.nSeal) {
    if (seal == code) return true;
  }
  return false;
}

// Ours with theirs after it; false when the memo cannot hold both.
bool JoinMemos(const std::string& ours, const std::string& theirs, char (&memo)[kMemoSize]) {
  // One that holds the other already keeps both.
  if (ours.find(theirs) != std::string::npos) return true;
  if (theirs.find(ours) != std::string::npos) {
    Put(memo, theirs);
    return true;
  }
  const std::string both = ours + "\r\n" + theirs;
  if (both.size() > kMemoSize - 1) return false;
  Put(memo, both);
  return true;
}

// False when some of theirs found no place on the day.
bool MergeDay(const DayRecord* base, const DayRecord& ours, const DayRecord& theirs, DayRecord& merged) {
  const std::string empty;
  std::vector<std::string> homelessLines;
  std::vector<SealCode> homelessSeals;
  bool placed = true;
  merged = DayRecord{};
  for (int line = 0; line < kLineCount; ++line) {
    const std::string baseText = base != nullptr ? Text(base->szLine[line]) : empty;
    const std::string oursText = Text(ours.szLine[line]);
    const std::string theirsText = Text(theirs.szLine[line]);
    switch (PickSide(base != nullptr ? &baseText : nullptr, oursText, theirsText, empty)) {
      case Pick::kOurs:
        Put(merged.szLine[line], oursText);
        break;
      case Pick::kTheirs:
        // A copy folded in brings nothing twice.
        if (base == nullptr && HasLine(ours, theirsText)) break;
        Put(merged.szLine[line], theirsText);
        break;
      case Pick::kBoth:
        Put(merged.szLine[line], oursText);
        homelessLines.push_back(theirsText);
        break;
    }
  }
  {
    const std::string baseText = base != nullptr ? Text(base->szMemo) : empty;
    const std::string oursText = Text(ours.szMemo);
    const std::string theirsText = Text(theirs.szMemo);
    switch (PickSide(base != nullptr ? &baseText : nullptr, oursText, theirsText, empty)) {
      case Pick::kOurs:
        Put(merged.szMemo, oursText);
        break;
      case Pick::kTheirs:
        Put(merged.szMemo, theirsText);
        break;
      case Pick::kBoth:
        Put(merged.szMemo, oursText);
        placed = JoinMemos(oursText, theirsText, merged.szMemo) && placed;
        break;
    }
  }
  for (int slot = 0; slot < kSealSlots; ++slot) {
    const SealCode none = 0;
    switch (PickSide(base != nullptr ? &base->nSeal[slot] : nullptr, ours.nSeal[slot], theirs.nSeal[slot], none)) {
      case Pick::kOurs:
        merged.nSeal[slot] = ours.nSeal[slot];
        break;
      case Pick::kTheirs:
        if (base == nullptr && HasSeal(ours, theirs.nSeal[slot])) break;
        merged.nSeal[slot] = theirs.nSeal[slot];
        break;
      case Pick::kBoth:
        merged.nSeal[slot] = ours.nSeal[slot];
        homelessSeals.push_back(theirs.nSeal[slot]);
        break;
    }
  }
  // Only once every field has its own: a free line is one neither side fills.
  for (const std::string& text : homelessLines) {
    if (HasLine(merged, text)) continue;
    bool put = false;
    for (auto& line : merged.szLine) {
      if (line[0] != '\0') continue;
      Put(line, text);
      put = true;
      break;
    }
    placed = put && placed;
  }
  for (SealCode code : homelessSeals) {
    if (HasSeal(merged, code)) continue;
    bool put = false;
    for (SealCode& slot : merged.nSeal) {
      if (slot != 0) continue;
      slot = code;
      put = true;
      break;
    }
    placed = put && placed;
  }
  return placed;
}

}  // namespace

MonthMergeResult MergeMonths(const MonthTable* base, const MonthTable& ours, const MonthTable& theirs, int days) {
  MonthMergeResult result;
  result.merged = ours;
  const int merged = days < 0 ? 0 : (days > kDaysInTable ? kDaysInTable : days);
  for (int day = 1; day <= merged; ++day) {
    const DayRecord* baseDay = base != nullptr ? &base->Day(day) : nullptr;
    if (!MergeDay(baseDay, ours.Day(day), theirs.Day(day), result.merged.Day(day))) {
      result.unplaced |= DayMask{1} << (day - 1);
    }
  }
  return result;
}

DayMask ChangedDays(const MonthTable& a, const MonthTable& b, int days) {
  DayMask changed = 0;
  for (int day = 1; day <= days && day <= kDaysInTable; ++day) {
    if (std::memcmp(&a.Day(day), &b.Day(day), sizeof(DayRecord)) != 0) changed |= DayMask{1} << (day - 1);
  }
  return changed;
}
