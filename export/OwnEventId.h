#pragma once
// How the export names its own events and the seal slots of a day, so that
// the import can put each entry back where it stood.
#include <string>
#include <string_view>

#include "data/DayRecord.h"
#include "export/BookDay.h"

// Carries the day's seal codes slot by slot ("6,0,6,15"): CATEGORIES holds
// each name once and in no slot. Other applications ignore X- properties.
constexpr const char* kSealSlotsProperty = "X-PLANNIX-SEALS";
// Carries a timed line's entry as typed ("9:30-11:00 打ち合わせ"), which
// DTSTART and SUMMARY hold only in parts.
constexpr const char* kEntryProperty = "X-PLANNIX-ENTRY";

enum class OwnEventKind { kLine, kMemo, kSeals };

struct OwnEventId {
  BookDate date;
  OwnEventKind kind;
  int line;  // 0..4 for kLine
};

// "20100305-line1@plannix", "20100305-memo@plannix", "20100305-seals@plannix".
std::string FormatOwnEventUid(const OwnEventId& id);
// False for any other UID.
bool ParseOwnEventUid(std::string_view uid, OwnEventId& id);

std::string FormatSealSlots(const SealCode (&slots)[kSealSlots]);
// Four decimal codes of 0 or more, separated by commas; false otherwise.
bool ParseSealSlots(std::string_view text, SealCode (&slots)[kSealSlots]);
