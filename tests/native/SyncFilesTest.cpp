// What the sync keeps: the record of the last sync (read whole or not at
// all), the book's identity when two PCs made one each, the settings file,
// and the hash of an event that servers' own rewrites leave alone.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "MonthFileScratch.h"
#include "calendar/DayNumber.h"
#include "data/FileSystem.h"
#include "sync/BookIdentity.h"
#include "sync/CalendarText.h"
#include "sync/LinkedItems.h"
#include "sync/SyncRecord.h"
#include "sync/SyncSettings.h"
#include "sync/SyncState.h"

namespace {

TEST(SyncFilesTest, TheRecordIsReadWholeOrNotAtAll) {
  CMonthFileScratch scratch;
  IFileSystem& files = SystemFileSystem();
  SyncRecord record;
  record.calendarUrl = "https://dav.example/cal/";
  record.syncToken = "http://token/ 1";
  record.resources.push_back({"/cal/a b%40.ics", "\"7\"", u8"uid 会", 0x1234, true, false, true});
  record.items.push_back({"/cal/a b%40.ics", "20261209T100000", 739958, 4, 0xfedcba9876543210ULL});
  record.items.push_back({"/cal/-", "", 739959, kNoSlot, 0});
  record.passed.push_back("2026-12-10 0 00000000000000ff /cal/x.ics -");
  const std::string path = scratch.Path("state.txt");
  ASSERT_TRUE(WriteSyncRecord(files, path, record));
  SyncRecord read;
  ASSERT_EQ(RecordRead::kRead, ReadSyncRecord(files, path, read));
  EXPECT_EQ(FormatSyncRecord(record), FormatSyncRecord(read));
  EXPECT_EQ(u8"uid 会", read.resources[0].uid);

  // Cut short: never taken for no record, which would be a first sync.
  const std::string whole = CMonthFileScratch::ReadAll(path);
  CMonthFileScratch::WriteAll(path, whole.substr(0, whole.size() - 10));
  EXPECT_EQ(RecordRead::kUnreadable, ReadSyncRecord(files, path, read));
  // Unless the whole copy of a rewrite in place is beside it.
  std::filesystem::create_directory(scratch.Path("~saving"));
  CMonthFileScratch::WriteAll(scratch.Path("~saving/state.txt"), whole);
  EXPECT_EQ(RecordRead::kRead, ReadSyncRecord(files, path, read));
  EXPECT_TRUE(ResetSyncState(files, path));
  EXPECT_EQ(RecordRead::kAbsent, ReadSyncRecord(files, path, read));
  // An earlier version's record counts no passed entries at its end.
  EXPECT_TRUE(ParseSyncRecord("plannix-sync-state 1\ncalendar -\nend 0 0\n", read));
  EXPECT_FALSE(ParseSyncRecord("plannix-sync-state 1\npassed x\nend 0 0\n", read));
}

// What the book linked, as two PCs and their sync client leave the file.
TEST(SyncFilesTest, WhatTheBookLinkedKeepsEveryPcsEntries) {
  CMonthFileScratch scratch;
  IFileSystem& files = SystemFileSystem();
  const std::string folder = scratch.Path("Plannix");
  std::filesystem::create_directories(folder + "/sync");
  const std::string path = LinkedItemsPath(folder, "https://dav.example/cal/");
  const std::string name = path.substr(path.find_last_of('/') + 1);
  const std::string stem = name.substr(0, name.size() - 4);
  const int day = DayNumberOf(2026, 12, 10);
  auto item = [&](int slot, const std::string& href) {
    return LinkedItem{day, slot, 0x1234u + static_cast<unsigned>(slot), href, slot == 1 ? "20261210T100000" : ""};
  };
  auto hrefs = [&] {
    CLinkedItems read;
    EXPECT_TRUE(ReadLinkedItems(files, path, read));
    std::vector<std::string> found;
    for (const LinkedItem& entry : read.All()) found.push_back(entry.href);
    return found;
  };
  // Each PC read it before the other wrote: both entries stay; one of a day long past goes.
  CLinkedItems onA;
  onA.Add(item(0, "/cal/a b.ics"));
  ASSERT_TRUE(WriteLinkedItems(files, folder, path, onA, day - 30));
  CLinkedItems onB;
  onB.Add(item(1, "/cal/b.ics"));
  onB.Add(LinkedItem{day - 31, 0, 1, "/cal/old.ics", ""});
  ASSERT_TRUE(WriteLinkedItems(files, folder, path, onB, day - 30));
  EXPECT_EQ(std::vector<std::string>({"/cal/a b.ics", "/cal/b.ics"}), hrefs());
  EXPECT_EQ(1u, onB.Of(day, 1, 0x1235).size());
  // A sync client's conflict copy joins it, and goes into the recovered folder.
  CLinkedItems copy;
  copy.Add(item(2, "/cal/c.ics"));
  const std::string conflict = stem + ".sync-conflict-20261209-101500-ABCDEFG.txt";
  CMonthFileScratch::WriteAll(folder + "/sync/" + conflict, copy.Format());
  CLinkedItems none;
  ASSERT_TRUE(WriteLinkedItems(files, folder, path, none, day - 30));
  EXPECT_EQ(std::vector<std::string>({"/cal/a b.ics", "/cal/b.ics", "/cal/c.ics"}), hrefs());
  EXPECT_FALSE(std::filesystem::exists(folder + "/sync/" + conflict));
  EXPECT_TRUE(std::filesystem::exists(folder + "/recovered/" + conflict));
  // A write cut short: its last line is left out, and the whole copy it wrote first is read.
  const std::string whole = CMonthFileScratch::ReadAll(path);
  CMonthFileScratch::WriteAll(path, whole.substr(0, whole.size() - 5));
  CLinkedItems left;
  left.Add(item(3, "/cal/d.ics"));
  std::filesystem::create_directories(folder + "/sync/~saving");
  CMonthFileScratch::WriteAll(folder + "/sync/~saving/" + name, left.Format());
  EXPECT_EQ(std::vector<std::string>({"/cal/a b.ics", "/cal/b.ics", "/cal/d.ics"}), hrefs());
  // A file of that name that is none of ours is kept in the recovered folder, and ours made anew.
  std::filesystem::remove(folder + "/sync/~saving/" + name);
  CMonthFileScratch::WriteAll(path, "not ours\n");
  CLinkedItems fresh;
  fresh.Add(item(4, "/cal/e.ics"));
  ASSERT_TRUE(WriteLinkedItems(files, folder, path, fresh, day - 30));
  EXPECT_EQ(std::vector<std::string>{"/cal/e.ics"}, hrefs());
  EXPECT_EQ("not ours\n", CMonthFileScratch::ReadAll(folder + "/recovered/" + name));
}

TEST(SyncFilesTest, TwoIdentitiesMadeAtOnceComeToTheSmallest) {
  CMonthFileScratch scratch;
  IFileSystem& files = SystemFileSystem();
  const std::string folder = scratch.Path("Plannix");
  std::filesystem::create_directory(folder);
  BookIdentity first;
  ASSERT_EQ(IdentityLoad::kMade, LoadBookIdentity(files, folder, "pc-a", first));
  BookIdentity again;
  ASSERT_EQ(IdentityLoad::kRead, LoadBookIdentity(files, folder, "pc-a", again));
  EXPECT_EQ(first.id, again.id);
  // The other PC's, which its sync client left beside as a conflict copy.
  BookIdentity other;
  other.id = first.id == std::string(32, '0') ? std::string(32, '1') : std::string(32, '0');
  CMonthFileScratch::WriteAll(folder + "/sync/book.sync-conflict-20261209-101500-ABCDEFG.txt",
                              FormatBookIdentity(other));
  BookIdentity joined;
  ASSERT_EQ(IdentityLoad::kRead, LoadBookIdentity(files, folder, "pc-a", joined));
  EXPECT_EQ(std::min(first.id, other.id), joined.id);
  EXPECT_EQ(std::vector<std::string>{std::max(first.id, other.id)}, joined.retired);
  EXPECT_FALSE(std::filesystem::exists(folder + "/sync/book.sync-conflict-20261209-101500-ABCDEFG.txt"));
  EXPECT_TRUE(std::filesystem::exists(folder + "/recovered/book.sync-conflict-20261209-101500-ABCDEFG.txt"));
  BookIdentity later;
  LoadBookIdentity(files, folder, "pc-b", later);
  EXPECT_EQ(FormatBookIdentity(joined), FormatBookIdentity(later));
  CMonthFileScratch::WriteAll(folder + "/sync/book.txt", "plannix-book 1\nid nothex\n");
  EXPECT_EQ(IdentityLoad::kUnreadable, LoadBookIdentity(files, folder, "pc-a", later));
}

TEST(SyncFilesTest, TheSettingsFileAndTheFirstDay) {
  SyncSettings settings;
  settings.enabled = true;
  settings.calendarUrl = "https://dav.example/cal/";
  settings.userName = u8"名前";
  settings.memo = true;
  settings.firstDay = {2025, 4, 1};
  const SyncSettings read = ParseSyncSettings(FormatSyncSettings(settings));
  EXPECT_EQ(FormatSyncSettings(settings), FormatSyncSettings(read));
  EXPECT_EQ(DayNumberOf(2025, 4, 1), FirstSyncedDay(read, DayNumberOf(2026, 12, 9)));
  const SyncSettings lenient = ParseSyncSettings("memo=yes\nfrom=2025-02-30\nseals=0\r\n");
  EXPECT_FALSE(lenient.memo);
  EXPECT_FALSE(lenient.seals);
  // A year back from 29 February is the 28th.
  EXPECT_EQ(DayNumberOf(2027, 2, 28), FirstSyncedDay(lenient, DayNumberOf(2028, 2, 29)));
}

TEST(SyncFilesTest, AnEventsHashLeavesOutWhatServersRewrite) {
  const std::string event =
      "BEGIN:VCALENDAR\r\nPRODID:-//A//EN\r\nBEGIN:VTIMEZONE\r\nTZID:X\r\nEND:VTIMEZONE\r\nBEGIN:VEVENT\r\nUID:1\r\n"
      "DTSTAMP:20260101T000000Z\r\nDTSTART;TZID=X;VALUE=DATE-TIME:20261209T100000\r\nSUMMARY:Long line that the "
      "server folds\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n";
  const uint64_t hash = CCalendarText(event).ContentHash();
  const std::string rewritten =
      "BEGIN:VCALENDAR\nPRODID:-//B//EN\nBEGIN:VTIMEZONE\nTZID:X\nX-LIC-LOCATION:X\nEND:VTIMEZONE\nBEGIN:VEVENT\n"
      "UID:1\nDTSTAMP:20270101T000000Z\nLAST-MODIFIED:20270101T000000Z\nDTSTART;VALUE=DATE-TIME;TZID=X:20261209T100000"
      "\nSUMMARY:Long line that\n  the server folds\nEND:VEVENT\nEND:VCALENDAR\n";
  EXPECT_EQ(hash, CCalendarText(rewritten).ContentHash());
  std::string edited = event;
  edited.replace(edited.find("SUMMARY:Long"), 12, "SUMMARY:Lung");
  EXPECT_NE(hash, CCalendarText(edited).ContentHash());
  // Kept as written: only the line ends become CR LF.
  EXPECT_EQ(event, CCalendarText(event).Text());
}

}  // namespace
