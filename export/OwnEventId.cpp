#include "export/OwnEventId.h"

#include <cstdio>

#include "calendar/CalendarFacts.h"
#include "calendar/DecimalDigits.h"

namespace {

constexpr std::string_view kUidDomain = "@plannix";
constexpr std::string_view kLineKind = "line";
constexpr std::string_view kMemoKind = "memo";
constexpr std::string_view kSealsKind = "seals";
constexpr size_t kDateDigits = 8;

}  // namespace

std::string FormatOwnEventUid(const OwnEventId& id) {
  char date[16];
  std::snprintf(date, sizeof date, "%04d%02d%02d-", id.date.year, id.date.month, id.date.day);
  std::string uid = date;
  if (id.kind == OwnEventKind::kLine) {
    uid.append(kLineKind).append(std::to_string(id.line + 1));
  } else {
    uid.append(id.kind == OwnEventKind::kMemo ? kMemoKind : kSealsKind);
  }
  return uid.append(kUidDomain);
}

bool ParseOwnEventUid(std::string_view uid, OwnEventId& id) {
  if (uid.size() < kDateDigits + 1 + kUidDomain.size() || uid[kDateDigits] != '-' ||
      uid.substr(uid.size() - kUidDomain.size()) != kUidDomain) {
    return false;
  }
  int year = 0, month = 0, day = 0;
  if (!ReadDecimalDigits(uid.substr(0, 4), year) || !ReadDecimalDigits(uid.substr(4, 2), month) ||
      !ReadDecimalDigits(uid.substr(6, 2), day) || year < 1 || day < 1 || day > DaysInMonth(year, month)) {
    return false;
  }
  std::string_view kind = uid.substr(kDateDigits + 1, uid.size() - kDateDigits - 1 - kUidDomain.size());
  id.date = {year, month, day};
  id.line = 0;
  if (kind == kMemoKind) {
    id.kind = OwnEventKind::kMemo;
  } else if (kind == kSealsKind) {
    id.kind = OwnEventKind::kSeals;
  } else if (kind.size() == kLineKind.size() + 1 && kind.substr(0, kLineKind.size()) == kLineKind &&
             kind.back() >= '1' && kind.back() < '1' + kLineCount) {
    id.kind = OwnEventKind::kLine;
    id.line = kind.back() - '1';
  } else {
    return false;
  }
  return true;
}

std::string FormatSealSlots(const SealCode (&slots)[kSealSlots]) {
  std::string text;
  for (int slot = 0; slot < kSealSlots; ++slot) {
    if (slot > 0) text += ',';
    text += std::to_string(slots[slot]);
  }
  return text;
}

bool ParseSealSlots(std::string_view text, SealCode (&slots)[kSealSlots]) {
  for (int slot = 0; slot < kSealSlots; ++slot) {
    size_t comma = slot + 1 < kSealSlots ? text.find(',') : text.size();
    if (comma == std::string_view::npos || !ReadDecimalDigits(text.substr(0, comma), slots[slot])) return false;
    text.remove_prefix(comma == text.size() ? comma : comma + 1);
  }
  return text.empty();
}
