#include "sync/BookUid.h"

#include <cstdio>

#include "calendar/CalendarFacts.h"
#include "calendar/DecimalDigits.h"
#include "data/DayRecord.h"
#include "sync/SyncFiles.h"

namespace {

constexpr const char* kPrefix = "plannix-";
constexpr size_t kIdLength = 32;
constexpr size_t kDateLength = 8;

}  // namespace

std::string FormatBookUid(const std::string& bookId, const BookPlace& place) {
  char date[16];
  std::snprintf(date, sizeof date, "%04d%02d%02d", place.date.year, place.date.month, place.date.day);
  const std::string kind = place.slot == kMemoSlot ? "memo" : "line" + std::to_string(place.slot + 1);
  return kPrefix + bookId + "-" + date + "-" + kind;
}

bool ParseBookUid(const std::string& uid, std::string& bookId, BookPlace& place) {
  const size_t prefix = std::char_traits<char>::length(kPrefix);
  const size_t dateAt = prefix + kIdLength + 1;
  if (uid.size() < dateAt + kDateLength + 1 || uid.compare(0, prefix, kPrefix) != 0 || uid[dateAt - 1] != '-' ||
      uid[dateAt + kDateLength] != '-') {
    return false;
  }
  const std::string id = uid.substr(prefix, kIdLength);
  const std::string kind = uid.substr(dateAt + kDateLength + 1);
  int year = 0, month = 0, day = 0;
  if (!IsLowerHex(id) || !ReadDecimalDigits(uid.substr(dateAt, 4), year) ||
      !ReadDecimalDigits(uid.substr(dateAt + 4, 2), month) || !ReadDecimalDigits(uid.substr(dateAt + 6, 2), day) ||
      !IsValidDate(year, month, day)) {
    return false;
  }
  int slot = -1;
  if (kind == "memo") {
    slot = kMemoSlot;
  } else if (kind.size() == 5 && kind.compare(0, 4, "line") == 0 && kind[4] >= '1' && kind[4] < '1' + kLineCount) {
    slot = kind[4] - '1';
  } else {
    return false;
  }
  bookId = id;
  place = {{year, month, day}, slot};
  return true;
}
