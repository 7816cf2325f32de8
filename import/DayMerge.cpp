#include "import/DayMerge.h"

#include <cstring>

#include "cp932/Cp932FromUtf8.h"
#include "cp932/Utf8FromCp932.h"
#include "data/FieldCodec.h"
#include "data/SealTable.h"

namespace {

constexpr std::string_view kMemoBreak = "\r\n";

size_t CharacterWidth(const std::string& text, size_t at) {
  return IsLeadByte(static_cast<unsigned char>(text[at])) && at + 1 < text.size() ? 2 : 1;
}

// The longest start of text that fits into room bytes, whole characters only.
size_t FittingLength(const std::string& text, size_t room) {
  size_t length = 0;
  while (length < text.size() && length + CharacterWidth(text, length) <= room) {
    length += CharacterWidth(text, length);
  }
  return length;
}

struct FieldText {
  std::string bytes;  // cp932, whole
  size_t substituted = 0;
};

FieldText ToFieldText(const std::string& utf8) {
  FieldText text;
  text.substituted = AppendCp932FromUtf8(text.bytes, utf8);
  // A zero byte would end the field early.
  for (char& c : text.bytes) {
    if (c == '\0') {
      c = kCp932Substitute;
      ++text.substituted;
    }
  }
  return text;
}

std::string Utf8Of(const std::string& cp932) {
  std::string utf8;
  AppendUtf8FromCp932(utf8, cp932);
  return utf8;
}

bool IsBreakAt(const std::string& text, size_t at) { return text.compare(at, kMemoBreak.size(), kMemoBreak) == 0; }

bool StartsLine(const std::string& memo, size_t at) {
  return at == 0 || (at >= kMemoBreak.size() && IsBreakAt(memo, at - kMemoBreak.size()));
}

// Whether lines stands in the memo as lines of their own, as an import or a
// repeat puts it there: from the memo's start or a line break to its end or
// a line break. A mention inside a line of the user's is not it.
bool HoldsAsLines(const std::string& memo, const std::string& lines) {
  if (lines.empty()) return true;
  for (size_t at = 0; at + lines.size() <= memo.size(); at += CharacterWidth(memo, at)) {
    const size_t end = at + lines.size();
    if (StartsLine(memo, at) && (end == memo.size() || IsBreakAt(memo, end)) &&
        memo.compare(at, lines.size(), lines) == 0) {
      return true;
    }
  }
  return false;
}

// Whether a full memo ends in a start of text exactly as an import that cut
// the text to fit leaves it: after a line break (or from the memo's start),
// cut where the next character found no room.
bool EndsWithCutForm(const std::string& memo, const std::string& text) {
  for (size_t at = 0; at < memo.size(); at += CharacterWidth(memo, at)) {
    const size_t length = memo.size() - at;
    if (!StartsLine(memo, at) || length >= text.size() || text.compare(0, length, memo, at, length) != 0) continue;
    // The cut falls between two characters of the text, and the next one would not have fitted.
    if (FittingLength(text, length) != length) continue;
    if (memo.size() + CharacterWidth(text, length) > kMemoSize - 1) return true;
  }
  return false;
}

// A line or a seal that a day is to receive, with its note.
template <typename Value>
struct SlotWish {
  Value value;
  int preferred;  // its own slot, or -1
  MergeNote note;
};

// Lines and seal slots alike: a wish whose value already stands in a slot
// takes that slot (its own first); the others go into their own slot when
// it is free, then into the first free one.
template <typename Value, size_t kSlots>
void PlaceWishes(Value (&slots)[kSlots], const Value& empty, std::vector<SlotWish<Value>>& wishes) {
  bool taken[kSlots] = {};
  std::vector<SlotWish<Value>*> pending;
  for (SlotWish<Value>& wish : wishes) {
    int found = -1;
    for (size_t slot = 0; slot < kSlots; ++slot) {
      if (taken[slot] || !(slots[slot] == wish.value) || slots[slot] == empty) continue;
      if (found < 0 || static_cast<int>(slot) == wish.preferred) found = static_cast<int>(slot);
    }
    if (found >= 0) {
      taken[found] = true;
      wish.note.outcome = MergeOutcome::kAlreadyThere;
      wish.note.index = found;
    } else {
      pending.push_back(&wish);
    }
  }
  auto place = [&](SlotWish<Value>& wish, size_t slot) {
    slots[slot] = wish.value;
    taken[slot] = true;
    wish.note.outcome = MergeOutcome::kAdded;
    wish.note.index = static_cast<int>(slot);
  };
  std::vector<SlotWish<Value>*> unplaced;
  for (SlotWish<Value>* wish : pending) {
    int slot = wish->preferred;
    if (slot >= 0 && slot < static_cast<int>(kSlots) && !taken[slot] && slots[slot] == empty) {
      place(*wish, static_cast<size_t>(slot));
    } else {
      unplaced.push_back(wish);
    }
  }
  for (SlotWish<Value>* wish : unplaced) {
    size_t slot = 0;
    while (slot < kSlots && (taken[slot] || !(slots[slot] == empty))) ++slot;
    if (slot < kSlots) {
      place(*wish, slot);
    } else {
      wish->note.outcome = MergeOutcome::kNoRoom;
    }
  }
}

MergeNote NoteFor(MergeField field, int sourceLine) {
  MergeNote note;
  note.field = field;
  note.sourceLine = sourceLine;
  return note;
}

void MergeLines(DayRecord& day, const std::vector<LineWish>& wishes, std::vector<MergeNote>& notes) {
  std::string lines[kLineCount];
  for (int line = 0; line < kLineCount; ++line) {
    lines[line] = std::string(day.szLine[line], strnlen(day.szLine[line], kLineSize));
  }
  std::vector<SlotWish<std::string>> slotWishes;
  for (const LineWish& wish : wishes) {
    FieldText text = ToFieldText(wish.text);
    MergeNote note = NoteFor(MergeField::kLine, wish.sourceLine);
    note.substituted = text.substituted;
    size_t length = FittingLength(text.bytes, kLineSize - 1);
    note.cut = length < text.bytes.size();
    text.bytes.resize(length);
    note.shown = Utf8Of(text.bytes);
    slotWishes.push_back({text.bytes, wish.preferredLine, note});
  }
  PlaceWishes(lines, std::string(), slotWishes);
  for (const SlotWish<std::string>& wish : slotWishes) {
    if (wish.note.outcome == MergeOutcome::kAdded) {
      StoreFieldText(day.szLine[wish.note.index], kLineSize, wish.value.c_str());
    }
    notes.push_back(wish.note);
  }
}

void MergeMemo(DayRecord& day, const std::vector<MemoWish>& wishes, std::vector<MergeNote>& notes) {
  std::string memo(day.szMemo, strnlen(day.szMemo, kMemoSize));
  const size_t stored = memo.size();
  for (const MemoWish& wish : wishes) {
    FieldText text = ToFieldText(wish.text);
    MergeNote note = NoteFor(MergeField::kMemo, wish.sourceLine);
    note.substituted = text.substituted;
    note.shown = Utf8Of(text.bytes);
    if (HoldsAsLines(memo, text.bytes) || (wish.mayBeCut && EndsWithCutForm(memo, text.bytes))) {
      note.outcome = MergeOutcome::kAlreadyThere;
    } else {
      std::string_view separator = memo.empty() ? std::string_view() : kMemoBreak;
      size_t used = memo.size() + separator.size();
      size_t length = used < kMemoSize - 1 ? FittingLength(text.bytes, kMemoSize - 1 - used) : 0;
      if (length == 0 || (!wish.mayBeCut && length < text.bytes.size())) {
        note.outcome = MergeOutcome::kNoRoom;
      } else {
        note.cut = length < text.bytes.size();
        memo.append(separator).append(text.bytes, 0, length);
        note.shown = Utf8Of(text.bytes.substr(0, length));
      }
    }
    notes.push_back(note);
  }
  if (memo.size() != stored) StoreFieldText(day.szMemo, kMemoSize, memo.c_str());
}

void MergeSeals(DayRecord& day, const std::vector<SealWish>& wishes, std::vector<MergeNote>& notes) {
  std::vector<SlotWish<SealCode>> slotWishes;
  for (const SealWish& wish : wishes) {
    MergeNote note = NoteFor(MergeField::kSeal, wish.sourceLine);
    if (const SealEntry* row = FindSealRow(wish.code, kSealKeyCode)) note.shown = Utf8Of(row->szName);
    slotWishes.push_back({wish.code, wish.preferredSlot, note});
  }
  PlaceWishes(day.nSeal, SealCode{0}, slotWishes);
  for (const SlotWish<SealCode>& wish : slotWishes) notes.push_back(wish.note);
}

}  // namespace

std::vector<MergeNote> MergeDay(DayRecord& day, const DayWishes& wishes) {
  std::vector<MergeNote> notes;
  MergeLines(day, wishes.lines, notes);
  MergeMemo(day, wishes.memos, notes);
  MergeSeals(day, wishes.seals, notes);
  return notes;
}
