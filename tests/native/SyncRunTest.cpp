// One sync after another between a book in a folder and the fake calendar
// server: what each side changed reaches the other, nothing is doubled,
// nothing written over unread, and a bad server or book costs nothing.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "SyncHarness.h"
#include "book/MonthSession.h"
#include "data/SealTable.h"
#include "export/BookDay.h"
#include "export/ICalendarWriter.h"
#include "host/core/HostServices.h"
#include "host/core/MemorySettingsStore.h"
#include "sync/BookIdentity.h"
#include "sync/SyncRetry.h"
#include "sync/SyncState.h"

namespace {

TEST(SyncRunTest, ALineTypedBecomesAnEventAndAnEventMadeOnThePhoneALine) {
  CSyncHarness sync;
  sync.settings.reminderLead = 10;
  sync.Type(2026, 12, 10, 0, u8"10:00 会議");
  sync.Type(2026, 12, 10, 1, u8"17時まで 提出");
  sync.server.Put("phone-1.ics", PhoneEvent("phone-1", "20261211T150000", "Dentist"));
  const SyncOutcome first = sync.Sync();
  ASSERT_EQ(SyncResult::kDone, first.result) << DescribeSyncOutcome(first);
  EXPECT_EQ(2, first.counts.sentNew);
  EXPECT_EQ(1, first.counts.takenNew);
  EXPECT_EQ(std::vector<std::string>{"15:00 Dentist"}, sync.Lines(2026, 12, 11));
  const std::vector<std::string> made = sync.EventsWith(u8"SUMMARY:会議");
  ASSERT_EQ(1u, made.size());
  const std::string text = sync.server.Text(made.front());
  EXPECT_NE(std::string::npos, text.find("DTSTART;TZID=Asia/Tokyo:20261210T100000"));
  EXPECT_NE(std::string::npos, text.find("TRIGGER:-PT10M"));
  EXPECT_NE(std::string::npos, text.find(u8"X-PLANNIX-ENTRY:10:00 会議"));
  // A time it is due by is a moment, as the export writes it.
  const std::vector<std::string> due = sync.EventsWith(u8"SUMMARY:提出");
  ASSERT_EQ(1u, due.size());
  const std::string dueText = sync.server.Text(due.front());
  EXPECT_NE(std::string::npos, dueText.find("DTSTART;TZID=Asia/Tokyo:20261210T170000\r\n")) << dueText;
  EXPECT_EQ(std::string::npos, dueText.find("DTEND")) << dueText;
  EXPECT_EQ(std::string::npos, dueText.find("DURATION")) << dueText;

  // Nothing changed: one request, nothing written.
  const int writes = sync.server.Writes();
  const int requests = sync.server.Requests();
  const SyncOutcome quiet = sync.Sync();
  EXPECT_EQ(SyncResult::kDone, quiet.result) << DescribeSyncOutcome(quiet);
  EXPECT_EQ(writes, sync.server.Writes());
  EXPECT_EQ(requests + 1, sync.server.Requests());

  // The phone adds a place: the line that is due by a time still reads as typed.
  const std::string name = due.front().substr(due.front().find_last_of('/') + 1);
  sync.server.Put(name,
                  dueText.substr(0, dueText.find("END:VEVENT")) + "LOCATION:Office\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n");
  ASSERT_EQ(SyncResult::kDone, sync.Sync().result);
  EXPECT_EQ(u8"17時まで 提出", sync.Line(2026, 12, 10, 1));
}

}  // namespace

namespace {

// What one item goes through between two syncs, on either side or both.
struct EditCase {
  const char* name;
  std::function<void(CSyncHarness&)> meanwhile;
  std::function<void(CSyncHarness&, const SyncOutcome&)> check;
};

constexpr const char* kPhoneExtras =
    "LOCATION:Room 3\r\nDESCRIPTION:Bring the \\, slides\r\nATTENDEE;CN=Ann:mailto:ann@example.org\r\n"
    "BEGIN:VALARM\r\nACTION:AUDIO\r\nTRIGGER:-PT1H\r\nEND:VALARM\r\n";

std::string PhoneMeeting(const std::string& summary, const std::string& start = "20261210T100000") {
  return PhoneEvent("phone-meeting", start, summary, kPhoneExtras);
}

// Every line of the phone's own that the book does not hold, as it was written.
void ExpectPhoneLinesKept(const std::string& text) {
  for (const char* line : {"LOCATION:Room 3\r\n", "DESCRIPTION:Bring the \\, slides\r\n",
                           "ATTENDEE;CN=Ann:mailto:ann@example.org\r\n", "ACTION:AUDIO\r\nTRIGGER:-PT1H\r\n"}) {
    EXPECT_NE(std::string::npos, text.find(line)) << line << " in\n" << text;
  }
}

const EditCase g_EditCases[] = {
    {"changed on the phone",
     [](CSyncHarness& s) { s.server.Put("phone-meeting.ics", PhoneMeeting("Board meeting", "20261210T110000")); },
     [](CSyncHarness& s, const SyncOutcome&) {
       EXPECT_EQ(std::vector<std::string>{"11:00 Board meeting"}, s.Lines(2026, 12, 10));
     }},
    {"changed in the book", [](CSyncHarness& s) { s.Type(2026, 12, 10, 0, "10:30-12:00 Long meeting"); },
     [](CSyncHarness& s, const SyncOutcome&) {
       const std::string text = s.server.Text("phone-meeting.ics");
       EXPECT_NE(std::string::npos, text.find("SUMMARY:Long meeting\r\n")) << text;
       EXPECT_NE(std::string::npos, text.find("DTEND;TZID=Asia/Tokyo:20261210T120000")) << text;
       EXPECT_EQ(std::string::npos, text.find("DURATION")) << text;
       // The phone's event keeps its own alarms, and gets none of the book's.
       EXPECT_EQ(std::string::npos, text.find("X-PLANNIX-ALARM")) << text;
       ExpectPhoneLinesKept(text);
     }},
    {"changed in the book, on a server whose CRs the reader gives as spaces",
     [](CSyncHarness& s) {
       s.server.faults.crReadAsSpace = true;
       s.Type(2026, 12, 10, 0, "10:30 Moved meeting");
     },
     [](CSyncHarness& s, const SyncOutcome&) {
       const std::string text = s.server.Text("phone-meeting.ics");
       EXPECT_NE(std::string::npos, text.find("SUMMARY:Moved meeting\r\n")) << text;
       EXPECT_EQ(std::string::npos, text.find(" \r\n")) << text;
       ExpectPhoneLinesKept(text);
     }},
    {"changed on both sides: the line keeps ours, theirs joins the day, ours goes to the server",
     [](CSyncHarness& s) {
       s.Type(2026, 12, 10, 0, "10:00 Ours");
       s.server.Put("phone-meeting.ics", PhoneMeeting("Theirs"));
     },
     [](CSyncHarness& s, const SyncOutcome&) {
       EXPECT_EQ(std::vector<std::string>({"10:00 Ours", "10:00 Theirs"}), s.Lines(2026, 12, 10));
       EXPECT_NE(std::string::npos, s.server.Text("phone-meeting.ics").find("SUMMARY:Ours"));
       // The next sync sends theirs as an event of its own: both texts on both sides.
       s.Sync();
       EXPECT_EQ(1u, s.EventsWith("SUMMARY:Theirs").size());
       EXPECT_EQ(1u, s.EventsWith("SUMMARY:Ours").size());
     }},
    {"moved to another day on the phone",
     [](CSyncHarness& s) { s.server.Put("phone-meeting.ics", PhoneMeeting("Meeting", "20261212T100000")); },
     [](CSyncHarness& s, const SyncOutcome&) {
       EXPECT_TRUE(s.Lines(2026, 12, 10).empty());
       EXPECT_EQ(std::vector<std::string>{"10:00 Meeting"}, s.Lines(2026, 12, 12));
     }},
    {"changed on both sides of a full day: both stay where they are, and it is told",
     [](CSyncHarness& s) {
       for (int line = 1; line < kLineCount; ++line) s.Type(2026, 12, 10, line, "Busy " + std::to_string(line));
       s.TypeMemo(2026, 12, 10, std::string(255, 'm'));
       s.Type(2026, 12, 10, 0, "10:00 Ours");
       s.server.Put("phone-meeting.ics", PhoneMeeting("Theirs"));
     },
     [](CSyncHarness& s, const SyncOutcome& outcome) {
       EXPECT_EQ("10:00 Ours", s.Line(2026, 12, 10, 0));
       EXPECT_NE(std::string::npos, s.server.Text("phone-meeting.ics").find("SUMMARY:Theirs"));
       ASSERT_EQ(1u, outcome.notes.size());
       EXPECT_EQ(SyncNoteKind::kNoRoom, outcome.notes[0].kind);
     }},
    {"deleted on the phone", [](CSyncHarness& s) { s.server.Remove("phone-meeting.ics"); },
     [](CSyncHarness& s, const SyncOutcome&) { EXPECT_TRUE(s.Lines(2026, 12, 10).empty()); }},
    {"cleared in the book", [](CSyncHarness& s) { s.Type(2026, 12, 10, 0, ""); },
     [](CSyncHarness& s, const SyncOutcome&) { EXPECT_FALSE(s.server.Has("phone-meeting.ics")); }},
    {"deleted on the phone and edited in the book: the edit survives",
     [](CSyncHarness& s) {
       s.server.Remove("phone-meeting.ics");
       s.Type(2026, 12, 10, 0, "10:00 Still on");
     },
     [](CSyncHarness& s, const SyncOutcome&) {
       EXPECT_EQ(std::vector<std::string>{"10:00 Still on"}, s.Lines(2026, 12, 10));
       EXPECT_EQ(1u, s.EventsWith("SUMMARY:Still on").size());
     }},
    {"cleared in the book and edited on the phone: the edit survives",
     [](CSyncHarness& s) {
       s.Type(2026, 12, 10, 0, "");
       s.server.Put("phone-meeting.ics", PhoneMeeting("Moved on"));
     },
     [](CSyncHarness& s, const SyncOutcome&) {
       EXPECT_TRUE(s.server.Has("phone-meeting.ics"));
       EXPECT_EQ(std::vector<std::string>{"10:00 Moved on"}, s.Lines(2026, 12, 10));
     }},
    {"a new ETag for the same content is no change", [](CSyncHarness& s) { s.server.Touch("phone-meeting.ics"); },
     [](CSyncHarness& s, const SyncOutcome& outcome) {
       EXPECT_EQ(0, outcome.counts.takenChanged);
       EXPECT_EQ(std::vector<std::string>{"10:00 Meeting"}, s.Lines(2026, 12, 10));
     }},
    {"a server that rewrites what it is sent is not sent it again",
     [](CSyncHarness& s) {
       s.server.faults.stampOnPut = true;
       s.Type(2026, 12, 10, 0, "10:00 Stamped");
     },
     [](CSyncHarness& s, const SyncOutcome&) {
       const int writes = s.server.Writes();
       s.Sync();
       s.Sync();
       EXPECT_EQ(writes, s.server.Writes());
     }},
    {"a PUT answered without an ETag takes the next listing's",
     [](CSyncHarness& s) {
       s.server.faults.noEtagOnPut = true;
       s.Type(2026, 12, 10, 0, "10:00 No tag");
     },
     [](CSyncHarness& s, const SyncOutcome&) {
       const int writes = s.server.Writes();
       s.Sync();
       s.Sync();
       EXPECT_EQ(writes, s.server.Writes());
       EXPECT_EQ(std::vector<std::string>{"10:00 No tag"}, s.Lines(2026, 12, 10));
     }},
    {"a PUT refused with 412 is merged next time, never forced",
     [](CSyncHarness& s) {
       s.server.faults.failWrites = 1;
       s.Type(2026, 12, 10, 0, "10:00 Later");
     },
     [](CSyncHarness& s, const SyncOutcome& outcome) {
       ASSERT_EQ(1u, outcome.notes.size());
       EXPECT_EQ(SyncNoteKind::kChangedMeanwhile, outcome.notes[0].kind);
       EXPECT_NE(std::string::npos, s.server.Text("phone-meeting.ics").find("SUMMARY:Meeting"));
       s.Sync();
       EXPECT_NE(std::string::npos, s.server.Text("phone-meeting.ics").find("SUMMARY:Later"));
     }},
    {"a PUT refused as too large is told and tried again",
     [](CSyncHarness& s) {
       s.server.faults.writeStatus = 413;
       s.Type(2026, 12, 10, 0, "10:00 Big");
     },
     [](CSyncHarness& s, const SyncOutcome& outcome) {
       ASSERT_EQ(1u, outcome.notes.size());
       EXPECT_EQ(SyncNoteKind::kRefused, outcome.notes[0].kind);
       EXPECT_EQ(413, outcome.notes[0].status);
       EXPECT_EQ(std::vector<std::string>{"10:00 Big"}, s.Lines(2026, 12, 10));
     }},
    {"a DELETE refused with 412 deletes nothing",
     [](CSyncHarness& s) {
       s.server.faults.failWrites = 1;
       s.Type(2026, 12, 10, 0, "");
     },
     [](CSyncHarness& s, const SyncOutcome&) {
       EXPECT_TRUE(s.server.Has("phone-meeting.ics"));
       s.Sync();
       EXPECT_FALSE(s.server.Has("phone-meeting.ics"));
     }},
};

void PrintTo(const EditCase& edit, std::ostream* out) { *out << edit.name; }

class SyncEditTest : public ::testing::TestWithParam<EditCase> {};

TEST_P(SyncEditTest, ReachesTheOtherSide) {
  CSyncHarness sync;
  sync.settings.reminderLead = 10;
  sync.server.Put("phone-meeting.ics", PhoneMeeting("Meeting"));
  ASSERT_EQ(SyncResult::kDone, sync.Sync().result);
  ASSERT_EQ(std::vector<std::string>{"10:00 Meeting"}, sync.Lines(2026, 12, 10));
  GetParam().meanwhile(sync);
  const SyncOutcome outcome = sync.Sync();
  EXPECT_EQ(SyncResult::kDone, outcome.result) << DescribeSyncOutcome(outcome);
  GetParam().check(sync, outcome);
  // And then it rests: a sync more changes nothing on either side.
  sync.server.faults = CFakeCalDavServer::Faults();
  sync.Sync();
  const int writes = sync.server.Writes();
  const std::vector<std::string> lines = sync.Lines(2026, 12, 10);
  EXPECT_EQ(SyncResult::kDone, sync.Sync().result);
  EXPECT_EQ(writes, sync.server.Writes());
  EXPECT_EQ(lines, sync.Lines(2026, 12, 10));
}

INSTANTIATE_TEST_SUITE_P(Cases, SyncEditTest, ::testing::ValuesIn(g_EditCases),
                         [](const ::testing::TestParamInfo<EditCase>& info) {
                           std::string name;
                           for (const char* c = info.param.name; *c != '\0' && name.size() < 40; ++c) {
                             if ((*c >= 'a' && *c <= 'z') || (*c >= 'A' && *c <= 'Z') || (*c >= '0' && *c <= '9'))
                               name += *c;
                           }
                           return name + std::to_string(info.index);
                         });

}  // namespace

namespace {

// The book's export, one resource per event, as a phone imports a file.
void PutExportedDay(CSyncHarness& sync, const BookDate& date) {
  DayConversionNotes notes;
  const BookDay day = ConvertDay(date, sync.Day(date.year, date.month, date.day), notes);
  std::ostringstream out;
  CICalendarWriter writer(out, "1.0", *FindBookTimeZone(kDefaultTimeZone));
  writer.Begin();
  writer.Write(day);
  writer.End();
  const std::string text = out.str();
  const std::string head = text.substr(0, text.find("BEGIN:VEVENT"));
  for (size_t at = text.find("BEGIN:VEVENT"); at != std::string::npos; at = text.find("BEGIN:VEVENT", at + 1)) {
    const size_t end = text.find("END:VEVENT\r\n", at) + 12;
    sync.server.Put("exported-" + std::to_string(date.day) + "-" + std::to_string(at) + ".ics",
                    head + text.substr(at, end - at) + "END:VCALENDAR\r\n");
  }
}

TEST(SyncRunTest, AFirstSyncOverAnEarlierExportLinksEverythingAndWritesNothing) {
  CSyncHarness sync;
  sync.Type(2026, 12, 10, 0, u8"10時半 電話");
  sync.Type(2026, 12, 10, 2, "Holiday");
  sync.Type(2026, 12, 12, 1, "9:30-11:00 Review");
  sync.Type(2026, 12, 12, 2, u8"17時まで 提出");
  PutExportedDay(sync, {2026, 12, 10});
  PutExportedDay(sync, {2026, 12, 12});
  const SyncOutcome first = sync.Sync();
  EXPECT_EQ(SyncResult::kDone, first.result);
  EXPECT_EQ(4, first.counts.linked);
  EXPECT_EQ(0, sync.server.Writes());
  EXPECT_EQ(4u, sync.server.Count());
  EXPECT_EQ(std::vector<std::string>({u8"10時半 電話", "Holiday"}), sync.Lines(2026, 12, 10));
  // An edit afterwards changes the exported event, and makes no second one.
  sync.Type(2026, 12, 12, 1, "9:30-11:30 Review");
  sync.Sync();
  EXPECT_EQ(4u, sync.server.Count());
  EXPECT_EQ(1u, sync.EventsWith("DTEND;TZID=Asia/Tokyo:20261212T113000").size());
}

// A book that is written and then, before the record of the sync is saved, gone.
class CKilledAfterWriteBook : public IBookMonths {
 public:
  explicit CKilledAfterWriteBook(IBookMonths& book) : m_book(book) {}
  bool ListMonths(std::vector<YearMonth>& months) override { return m_book.ListMonths(months); }
  MonthRead ReadMonth(int year, int month, MonthTable& table) override {
    if (year == unreadableYear && month == unreadableMonth) return MonthRead::kFailed;
    return m_book.ReadMonth(year, month, table);
  }
  MonthChange ChangeMonth(int year, int month, const std::function<bool(MonthTable&)>& change) override {
    MonthChange changed = m_book.ChangeMonth(year, month, change);
    if (kill) throw std::runtime_error("killed after a month was written");
    return changed;
  }
  bool kill = false;
  int unreadableYear = 0;
  int unreadableMonth = 0;

 private:
  IBookMonths& m_book;
};

struct KillCase {
  const char* name;
  std::function<void(CSyncHarness&)> change;
  bool inBook;  // the kill comes after the book was written, else after the server was
  std::function<void(CSyncHarness&)> check;
};

const KillCase g_KillCases[] = {
    {"after a new event was put", [](CSyncHarness& s) { s.Type(2026, 12, 11, 0, "New line"); }, false,
     [](CSyncHarness& s) { EXPECT_EQ(1u, s.EventsWith("SUMMARY:New line").size()); }},
    {"after a changed event was put", [](CSyncHarness& s) { s.Type(2026, 12, 10, 0, "Changed line"); }, false,
     [](CSyncHarness& s) {
       EXPECT_EQ(1u, s.EventsWith("SUMMARY:Changed line").size());
       EXPECT_EQ(2u, s.server.Count());
     }},
    {"after an event was deleted", [](CSyncHarness& s) { s.Type(2026, 12, 10, 0, ""); }, false,
     [](CSyncHarness& s) {
       EXPECT_EQ(1u, s.server.Count());
       EXPECT_TRUE(s.Lines(2026, 12, 10).empty());
     }},
    {"after a new event was put into the book",
     [](CSyncHarness& s) { s.server.Put("phone-2.ics", PhoneEvent("phone-2", "20261213", "Picnic")); }, true,
     [](CSyncHarness& s) {
       EXPECT_EQ(std::vector<std::string>{"Picnic"}, s.Lines(2026, 12, 13));
       EXPECT_EQ(1u, s.EventsWith("Picnic").size());
     }},
    {"after a line was cleared in the book", [](CSyncHarness& s) { s.server.Remove("phone-1.ics"); }, true,
     [](CSyncHarness& s) { EXPECT_TRUE(s.Lines(2026, 12, 12).empty()); }},
};

void PrintTo(const KillCase& kill, std::ostream* out) { *out << kill.name; }

class SyncKillTest : public ::testing::TestWithParam<KillCase> {};

TEST_P(SyncKillTest, TheNextRunMakesNoDuplicate) {
  CSyncHarness sync;
  CKilledAfterWriteBook book(sync.m_book);
  sync.bookInUse = &book;
  sync.Type(2026, 12, 10, 0, "Line");
  sync.server.Put("phone-1.ics", PhoneEvent("phone-1", "20261212", "Phone"));
  ASSERT_EQ(SyncResult::kDone, sync.Sync().result);
  GetParam().change(sync);
  if (GetParam().inBook) {
    book.kill = true;
  } else {
    sync.server.faults.killAfterWrites = sync.server.Writes();
  }
  EXPECT_THROW(sync.Sync(), std::runtime_error);
  book.kill = false;
  sync.server.faults = CFakeCalDavServer::Faults();
  EXPECT_EQ(SyncResult::kDone, sync.Sync().result);
  GetParam().check(sync);
  EXPECT_EQ(std::vector<std::string>(1, "Line").size(), sync.EventsWith("SUMMARY:Line").size() +
                                                            sync.EventsWith("SUMMARY:Changed").size() +
                                                            (sync.Lines(2026, 12, 10).empty() ? 1u : 0u));
  const int writes = sync.server.Writes();
  sync.Sync();
  EXPECT_EQ(writes, sync.server.Writes());
}

INSTANTIATE_TEST_SUITE_P(Cases, SyncKillTest, ::testing::ValuesIn(g_KillCases));

TEST(SyncRunTest, ACalendarThatListsEmptyOrIsAnotherClearsNothingAndIsToldOnce) {
  enum { kAllDeleted, kListsEmpty, kReplaced };
  for (int change : {kAllDeleted, kListsEmpty, kReplaced}) {
    CSyncHarness sync;
    sync.server.faults.noSyncCollection = change == kListsEmpty;
    sync.server.Put("a.ics", PhoneEvent("a", "20261210", "One"));
    sync.server.Put("b.ics", PhoneEvent("b", "20261211", "Two"));
    ASSERT_EQ(SyncResult::kDone, sync.Sync().result);
    if (change == kReplaced) {
      sync.server.Replace();
      sync.server.Put("c.ics", PhoneEvent("c", "20261212", "Three"));
    } else if (change == kListsEmpty) {
      sync.server.faults.hideEverything = true;
    } else {
      sync.server.Remove("a.ics");
      sync.server.Remove("b.ics");
    }
    CSyncRetry retry;
    for (int attempt = 0; attempt < 2; ++attempt) {
      const SyncOutcome stopped = sync.Sync();
      EXPECT_EQ(SyncResult::kStopped, stopped.result) << change;
      EXPECT_EQ(change == kReplaced ? SyncProblem::kCalendarReplaced : SyncProblem::kCalendarEmptied,
                stopped.problem.problem);
      EXPECT_EQ(attempt == 0, retry.Take(stopped, sync.clock.utcSeconds));
    }
    EXPECT_EQ(std::vector<std::string>{"One"}, sync.Lines(2026, 12, 10));
    EXPECT_EQ(std::vector<std::string>{"Two"}, sync.Lines(2026, 12, 11));
    EXPECT_TRUE(sync.Lines(2026, 12, 12).empty());
  }
}

TEST(SyncRunTest, AMonthThatCannotBeReadDeletesNothingOnTheServer) {
  CSyncHarness sync;
  CKilledAfterWriteBook book(sync.m_book);
  sync.bookInUse = &book;
  sync.Type(2026, 12, 10, 0, "Kept");
  ASSERT_EQ(SyncResult::kDone, sync.Sync().result);
  book.unreadableYear = 2026;
  book.unreadableMonth = 12;
  CSyncRetry retry;
  for (int attempt = 0; attempt < 2; ++attempt) {
    const SyncOutcome outcome = sync.Sync();
    EXPECT_EQ(1u, sync.EventsWith("SUMMARY:Kept").size());
    ASSERT_FALSE(outcome.notes.empty());
    EXPECT_EQ(SyncNoteKind::kMonthUnreadable, outcome.notes.front().kind);
    // Told once, not at every sync.
    EXPECT_EQ(attempt == 0, retry.Take(outcome, sync.clock.utcSeconds));
  }
}

TEST(SyncRunTest, ARecurringEventShowsOnEachDayAndItsLinesWriteExceptionsIntoTheSameResource) {
  CSyncHarness sync;
  sync.server.Put("yoga.ics", PhoneEvent("yoga", "20261202T190000", "Yoga", "RRULE:FREQ=WEEKLY;COUNT=4\r\n"));
  ASSERT_EQ(SyncResult::kDone, sync.Sync().result);
  for (int day : {2, 9, 16, 23}) EXPECT_EQ(std::vector<std::string>{"19:00 Yoga"}, sync.Lines(2026, 12, day)) << day;
  sync.Type(2026, 12, 16, 0, "19:30 Yoga late");
  sync.Type(2026, 12, 23, 0, "");
  ASSERT_EQ(SyncResult::kDone, sync.Sync().result);
  ASSERT_EQ(1u, sync.server.Count());
  const std::string text = sync.server.Text("yoga.ics");
  EXPECT_NE(std::string::npos, text.find("RRULE:FREQ=WEEKLY;COUNT=4\r\n")) << text;
  EXPECT_NE(std::string::npos, text.find("RECURRENCE-ID;TZID=Asia/Tokyo:20261216T190000\r\n")) << text;
  EXPECT_NE(std::string::npos, text.find("SUMMARY:Yoga late\r\n")) << text;
  EXPECT_NE(std::string::npos, text.find("EXDATE;TZID=Asia/Tokyo:20261223T190000\r\n")) << text;
  const int writes = sync.server.Writes();
  sync.Sync();
  EXPECT_EQ(writes, sync.server.Writes());
  EXPECT_EQ(std::vector<std::string>{"19:00 Yoga"}, sync.Lines(2026, 12, 9));
  EXPECT_EQ(std::vector<std::string>{"19:30 Yoga late"}, sync.Lines(2026, 12, 16));
  EXPECT_TRUE(sync.Lines(2026, 12, 23).empty());
}

TEST(SyncRunTest, WhatTheServerHoldsBadlyIsLeftAloneAndToldOnce) {
  CSyncHarness sync;
  sync.server.Put("dup-1.ics", PhoneEvent("same", "20261214", "First"));
  sync.server.Put("dup-2.ics", PhoneEvent("same", "20261214", "Second"));
  sync.server.Put("broken.ics", "BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\nUID:broken\r\nSUMMARY:No start\r\nEND:VEVENT\r\n");
  sync.server.Put("good.ics", PhoneEvent("good", "20261215", "Good"));
  // Every day for three hundred years: no event for the book, whose memory it would fill.
  sync.server.Put("often.ics", PhoneEvent("often", "20261216", "Often", "RRULE:FREQ=DAILY;COUNT=100000\r\n"));
  const SyncOutcome first = sync.Sync();
  EXPECT_EQ(SyncResult::kDone, first.result);
  EXPECT_TRUE(sync.Lines(2026, 12, 14).empty());
  EXPECT_EQ(std::vector<std::string>{"Good"}, sync.Lines(2026, 12, 15));
  std::vector<SyncNoteKind> kinds;
  for (const SyncNote& note : first.notes) kinds.push_back(note.kind);
  std::sort(kinds.begin(), kinds.end());
  EXPECT_EQ(std::vector<SyncNoteKind>(
                {SyncNoteKind::kUnreadableEvent, SyncNoteKind::kDuplicateUid, SyncNoteKind::kDuplicateUid}),
            kinds);
  EXPECT_TRUE(sync.Sync().notes.empty());
  EXPECT_EQ(0, sync.server.Writes());
}

TEST(SyncRunTest, AnAnswerBeyondTheTransportsBoundCostsOnlyItsEvent) {
  CSyncHarness sync;
  sync.server.faults.bodyLimit = 20000;
  for (int day = 10; day < 20; ++day) {
    const std::string uid = "e" + std::to_string(day);
    sync.server.Put(uid + ".ics", PhoneEvent(uid, "202612" + std::to_string(day), "Day " + std::to_string(day)));
  }
  sync.server.Put("huge.ics",
                  PhoneEvent("huge", "20261221", "Huge", "DESCRIPTION:" + std::string(30000, 'z') + "\r\n"));
  const SyncOutcome outcome = sync.Sync();
  EXPECT_EQ(SyncResult::kDone, outcome.result) << DescribeSyncOutcome(outcome);
  for (int day = 10; day < 20; ++day) EXPECT_EQ(1u, sync.Lines(2026, 12, day).size()) << day;
  EXPECT_TRUE(sync.Lines(2026, 12, 21).empty());
  ASSERT_EQ(1u, outcome.notes.size());
  EXPECT_EQ(SyncNoteKind::kUnreadableEvent, outcome.notes[0].kind);
}

TEST(SyncRunTest, ATitleLongerThanALineIsCutInTheBookOnly) {
  CSyncHarness sync;
  const std::string title(200, 'x');
  sync.server.Put("long.ics", PhoneEvent("long", "20261210", title));
  sync.Sync();
  EXPECT_EQ(std::string(127, 'x'), sync.Line(2026, 12, 10, 0));
  sync.Sync();
  EXPECT_EQ(0, sync.server.Writes());
  EXPECT_NE(std::string::npos, sync.server.Text("long.ics").find(title));
}

TEST(SyncRunTest, TwoPcsSharingTheFolderCreateNoDuplicateAndBringBackNoDeletedEvent) {
  CSyncHarness a;
  CSyncHarness b;
  // B is the other PC: the same folder (its sync client keeps it alike) and server, its own record.
  CFolderMonths shared(a.m_files, a.Folder());
  b.bookInUse = &shared;
  b.statePath = SyncStatePath(b.m_scratch.Path("pc"), b.settings.calendarUrl, a.Folder());
  auto syncB = [&] {
    SyncContext context{a.server, LibXmlReaderFactory(), shared, a.m_files, a.Folder(), b.statePath, "b"};
    return RunSync(b.settings, context, b.clock);
  };
  a.Type(2026, 12, 10, 0, "Typed on A");
  a.server.Put("phone.ics", PhoneEvent("phone", "20261211", "From the phone"));
  a.Sync();
  const int writes = a.server.Writes();
  EXPECT_EQ(SyncResult::kDone, syncB().result);
  EXPECT_EQ(writes, a.server.Writes());
  EXPECT_EQ(2u, a.server.Count());
  EXPECT_EQ(std::vector<std::string>{"From the phone"}, a.Lines(2026, 12, 11));
  a.server.Remove("phone.ics");
  a.Sync();
  syncB();
  EXPECT_EQ(1u, a.server.Count());
  EXPECT_TRUE(a.Lines(2026, 12, 11).empty());
}

// Two PCs, each with its own copy of the data folder that a sync client
// keeps alike in its own time, and one calendar: the second PC syncs while
// its copy still lags behind what the first did.
struct LagCase {
  const char* name;
  std::function<void(CSyncHarness&)> setUp;    // on A; then A and B synced, B with A's folder
  std::function<void(CSyncHarness&)> arrived;  // on A or the phone; A synced and its folder brought to B, B not synced
  std::function<void(CSyncHarness&)> onA;      // on A or the phone; A synced, nothing brought to B
  std::function<void(CSyncHarness& a, CSyncHarness& b)> check;  // after B synced with its lagging copy
};

const LagCase g_LagCases[] = {
    {"a line cleared on A, its event deleted", [](CSyncHarness& a) { a.Type(2026, 12, 7, 0, "Gone while away"); },
     nullptr, [](CSyncHarness& a) { a.Type(2026, 12, 7, 0, ""); },
     [](CSyncHarness& a, CSyncHarness& b) {
       EXPECT_TRUE(a.EventsWith("Gone while away").empty());
       EXPECT_TRUE(b.Lines(2026, 12, 7).empty());
     }},
    {"an event deleted on the phone, its line cleared on A",
     [](CSyncHarness& a) { a.server.Put("phone.ics", PhoneEvent("phone", "20261211", "From the phone")); }, nullptr,
     [](CSyncHarness& a) { a.server.Remove("phone.ics"); },
     [](CSyncHarness& a, CSyncHarness& b) {
       EXPECT_EQ(0u, a.server.Count());
       EXPECT_TRUE(b.Lines(2026, 12, 11).empty());
     }},
    // B's record lacks the line: what the book linked, in the data folder, tells it where the line came from.
    {"a line of the phone's that B got through the folder only, its event deleted", [](CSyncHarness&) {},
     [](CSyncHarness& a) { a.server.Put("phone.ics", PhoneEvent("phone", "20261211", "From the phone")); },
     [](CSyncHarness& a) { a.server.Remove("phone.ics"); },
     [](CSyncHarness& a, CSyncHarness& b) {
       EXPECT_EQ(0u, a.server.Count());
       EXPECT_TRUE(b.Lines(2026, 12, 11).empty());
     }},
    {"a line typed on A that B got through the folder only, cleared on A", [](CSyncHarness&) {},
     [](CSyncHarness& a) { a.Type(2026, 12, 7, 0, "Gone while away"); },
     [](CSyncHarness& a) { a.Type(2026, 12, 7, 0, ""); },
     [](CSyncHarness& a, CSyncHarness& b) {
       EXPECT_EQ(0u, a.server.Count());
       EXPECT_TRUE(b.Lines(2026, 12, 7).empty());
     }},
    {"an event changed on the phone whose line B got through the folder only",
     [](CSyncHarness& a) { a.server.Put("other.ics", PhoneEvent("other", "20261220", "Other")); },
     [](CSyncHarness& a) { a.server.Put("phone.ics", PhoneEvent("phone", "20261211", "Lunch")); },
     [](CSyncHarness& a) { a.server.Put("phone.ics", PhoneEvent("phone", "20261211", "Dinner")); },
     [](CSyncHarness& a, CSyncHarness& b) {
       EXPECT_EQ(2u, a.server.Count());
       EXPECT_EQ(std::vector<std::string>{"Dinner"}, b.Lines(2026, 12, 11));
     }},
    {"an event moved on the phone whose line B got through the folder only", [](CSyncHarness&) {},
     [](CSyncHarness& a) { a.server.Put("phone.ics", PhoneEvent("phone", "20261211", "Lunch")); },
     [](CSyncHarness& a) { a.server.Put("phone.ics", PhoneEvent("phone", "20261212", "Lunch")); },
     [](CSyncHarness& a, CSyncHarness& b) {
       EXPECT_EQ(1u, a.server.Count());
       EXPECT_TRUE(b.Lines(2026, 12, 11).empty());
       EXPECT_EQ(std::vector<std::string>{"Lunch"}, b.Lines(2026, 12, 12));
     }},
};

void PrintTo(const LagCase& lag, std::ostream* out) { *out << lag.name; }

class SyncLaggingCopyTest : public ::testing::TestWithParam<LagCase> {};

TEST_P(SyncLaggingCopyTest, BringsBackNoDeletedEventAndMakesNoDuplicate) {
  CSyncHarness a;
  CSyncHarness b;
  GetParam().setUp(a);
  ASSERT_EQ(SyncResult::kDone, a.Sync().result);
  b.CarryFolderFrom(a);
  int writes = a.server.Writes();
  // The first sync of B over the same book and calendar links what both hold, and writes nothing.
  const SyncOutcome first = b.Sync(&a.server);
  ASSERT_EQ(SyncResult::kDone, first.result) << DescribeSyncOutcome(first);
  EXPECT_EQ(writes, a.server.Writes());
  EXPECT_EQ(u8"同期しました (送信 0, 受信 0)", DescribeSyncOutcome(first));
  if (GetParam().arrived) {
    GetParam().arrived(a);
    ASSERT_EQ(SyncResult::kDone, a.Sync().result);
    b.CarryFolderFrom(a);
  }
  GetParam().onA(a);
  ASSERT_EQ(SyncResult::kDone, a.Sync().result);
  const SyncOutcome lagging = b.Sync(&a.server);
  EXPECT_EQ(SyncResult::kDone, lagging.result) << DescribeSyncOutcome(lagging);
  EXPECT_EQ(0, lagging.counts.sentNew);
  GetParam().check(a, b);
  // The copy arrives: then both rest, and neither brings anything back.
  b.CarryFolderFrom(a);
  b.Sync(&a.server);
  a.Sync();
  writes = a.server.Writes();
  const size_t count = a.server.Count();
  b.Sync(&a.server);
  a.Sync();
  EXPECT_EQ(writes, a.server.Writes());
  EXPECT_EQ(count, a.server.Count());
  GetParam().check(a, b);
  GetParam().check(a, a);
}

INSTANTIATE_TEST_SUITE_P(Cases, SyncLaggingCopyTest, ::testing::ValuesIn(g_LagCases));

// What the outcome counts for each kind of change, as the status line tells it.
TEST(SyncRunTest, TheOutcomeCountsWhatWasSentAndTaken) {
  const struct {
    const char* name;
    std::function<void(CSyncHarness&)> change;
    SyncCounts counts;  // sentNew, sentChanged, deletedThere, takenNew, takenChanged, clearedHere
  } rows[] = {
      {"a line typed", [](CSyncHarness& s) { s.Type(2026, 12, 12, 0, "New"); }, {1, 0, 0, 0, 0, 0}},
      {"a line edited", [](CSyncHarness& s) { s.Type(2026, 12, 10, 0, "Edited"); }, {0, 1, 0, 0, 0, 0}},
      {"a line cleared", [](CSyncHarness& s) { s.Type(2026, 12, 10, 0, ""); }, {0, 0, 1, 0, 0, 0}},
      {"an occurrence edited", [](CSyncHarness& s) { s.Type(2026, 12, 9, 0, "19:30 Yoga late"); }, {0, 1, 0, 0, 0, 0}},
      {"an occurrence cleared", [](CSyncHarness& s) { s.Type(2026, 12, 9, 0, ""); }, {0, 0, 1, 0, 0, 0}},
      {"an event made on the phone",
       [](CSyncHarness& s) { s.server.Put("new.ics", PhoneEvent("new", "20261213", "New")); },
       {0, 0, 0, 1, 0, 0}},
      {"an event changed on the phone",
       [](CSyncHarness& s) { s.server.Put("phone.ics", PhoneEvent("phone", "20261211", "Changed")); },
       {0, 0, 0, 0, 1, 0}},
      {"an event deleted on the phone", [](CSyncHarness& s) { s.server.Remove("phone.ics"); }, {0, 0, 0, 0, 0, 1}},
      {"changed on both sides",
       [](CSyncHarness& s) {
         s.Type(2026, 12, 11, 0, "Ours");
         s.server.Put("phone.ics", PhoneEvent("phone", "20261211", "Theirs"));
       },
       {0, 1, 0, 1, 0, 0}},
  };
  for (const auto& row : rows) {
    CSyncHarness sync;
    sync.Type(2026, 12, 10, 0, "Typed");
    sync.server.Put("phone.ics", PhoneEvent("phone", "20261211", "Phone"));
    sync.server.Put("yoga.ics", PhoneEvent("yoga", "20261202T190000", "Yoga", "RRULE:FREQ=WEEKLY;COUNT=4\r\n"));
    sync.Sync();
    row.change(sync);
    const SyncCounts counts = sync.Sync().counts;
    const SyncCounts& expected = row.counts;
    EXPECT_EQ(std::vector<int>({expected.sentNew, expected.sentChanged, expected.deletedThere, expected.takenNew,
                                expected.takenChanged, expected.clearedHere}),
              std::vector<int>({counts.sentNew, counts.sentChanged, counts.deletedThere, counts.takenNew,
                                counts.takenChanged, counts.clearedHere}))
        << row.name;
  }
}

// A line typed again after its event was deleted is the user's: it is sent
// again, by the PC that deleted it and by one that saw it cleared.
TEST(SyncRunTest, ALineTypedAgainAfterItsEventWasDeletedIsSentAgain) {
  CSyncHarness a;
  CSyncHarness b;
  a.Type(2026, 12, 7, 0, "Again");
  a.Sync();
  b.CarryFolderFrom(a);
  b.Sync(&a.server);
  a.Type(2026, 12, 7, 0, "");
  a.Sync();
  a.Type(2026, 12, 7, 0, "Again");
  EXPECT_EQ(1, a.Sync().counts.sentNew);
  EXPECT_EQ(1u, a.EventsWith("SUMMARY:Again").size());
  EXPECT_EQ(std::vector<std::string>{"Again"}, a.Lines(2026, 12, 7));
  a.Type(2026, 12, 7, 0, "");
  a.Sync();
  b.CarryFolderFrom(a);
  b.Sync(&a.server);
  b.Type(2026, 12, 7, 0, "Again");
  EXPECT_EQ(1, b.Sync(&a.server).counts.sentNew);
  EXPECT_EQ(1u, a.EventsWith("SUMMARY:Again").size());
  EXPECT_EQ(std::vector<std::string>{"Again"}, b.Lines(2026, 12, 7));
}

// What the book linked clears no line of a calendar that lists nothing, nor
// after this PC's record was reset.
TEST(SyncRunTest, WhatTheBookLinkedEmptiesNoBook) {
  for (bool reset : {false, true}) {
    CSyncHarness a;
    CSyncHarness b;
    a.Sync();
    b.CarryFolderFrom(a);
    b.Sync(&a.server);
    a.server.Put("one.ics", PhoneEvent("one", "20261211", "One"));
    a.server.Put("two.ics", PhoneEvent("two", "20261212", "Two"));
    a.Sync();
    b.CarryFolderFrom(a);
    if (reset) {
      a.server.Remove("one.ics");
      ASSERT_TRUE(ResetSyncState(b.m_files, b.statePath));
    } else {
      a.server.faults.hideEverything = true;
    }
    const SyncOutcome outcome = b.Sync(&a.server);
    EXPECT_EQ(reset ? SyncResult::kDone : SyncResult::kStopped, outcome.result) << reset;
    EXPECT_EQ(std::vector<std::string>{"One"}, b.Lines(2026, 12, 11)) << reset;
    EXPECT_EQ(std::vector<std::string>{"Two"}, b.Lines(2026, 12, 12)) << reset;
  }
}

TEST(SyncRunTest, TheMemoGoesOnlyWhenChosenAndTheSealsAsCategories) {
  for (bool memo : {false, true}) {
    CSyncHarness sync;
    sync.settings.memo = memo;
    sync.TypeMemo(2026, 12, 10, "Dear diary");
    sync.Type(2026, 12, 10, 0, "Line");
    const SealEntry* seal = nullptr;
    for (const SealEntry& row : g_SealTable) {
      if (row.nCode != 0 && seal == nullptr) seal = &row;
    }
    ChangeMonthFile(sync.m_files, MonthFilePathIn(sync.Folder(), 2026, 12), 2026, 12, true, [&](MonthTable& table) {
      table.Day(10).nSeal[0] = seal->nCode;
      return true;
    });
    sync.Sync();
    EXPECT_EQ(memo ? 1u : 0u, sync.EventsWith("Dear diary").size());
    std::string name;
    AppendUtf8FromCp932(name, seal->szName);
    EXPECT_EQ(1u, sync.EventsWith("CATEGORIES:" + name).size());
  }
}

}  // namespace

namespace {

struct ShapeCase {
  const char* name;
  std::function<void(CFakeCalDavServer&)> shape;
};

const ShapeCase g_Shapes[] = {
    {"as it should be", [](CFakeCalDavServer&) {}},
    {"no collection sync: ETags listed", [](CFakeCalDavServer& s) { s.faults.noSyncCollection = true; }},
    {"a delta cut short", [](CFakeCalDavServer& s) { s.faults.truncateAfter = 2; }},
    {"no ETags in the listings", [](CFakeCalDavServer& s) { s.faults.noEtagInListings = true; }},
    {"@ escaped in some replies only", [](CFakeCalDavServer& s) { s.faults.escapeAt = true; }},
    {"a multiget reply that is no XML", [](CFakeCalDavServer& s) { s.faults.malformedMultiget = true; }},
    {"no multiget", [](CFakeCalDavServer& s) { s.faults.noMultiget = true; }},
    {"CRs read as spaces", [](CFakeCalDavServer& s) { s.faults.crReadAsSpace = true; }},
};

void PrintTo(const ShapeCase& shape, std::ostream* out) { *out << shape.name; }

class SyncServerShapeTest : public ::testing::TestWithParam<ShapeCase> {};

TEST_P(SyncServerShapeTest, GivesTheSameBook) {
  CSyncHarness sync;
  GetParam().shape(sync.server);
  for (int day = 1; day <= 5; ++day) {
    const std::string uid = "phone-" + std::to_string(day) + "@example.org";
    sync.server.Put(uid + ".ics", PhoneEvent(uid, "2026121" + std::to_string(day), "Event " + std::to_string(day)));
  }
  sync.Type(2026, 12, 20, 0, "From the book");
  ASSERT_EQ(SyncResult::kDone, sync.Sync().result);
  sync.server.Put("phone-2@example.org.ics", PhoneEvent("phone-2@example.org", "20261212", "Event two"));
  sync.server.Remove("phone-4@example.org.ics");
  const SyncOutcome second = sync.Sync();
  ASSERT_EQ(SyncResult::kDone, second.result) << DescribeSyncOutcome(second);
  const std::vector<std::string> expected[] = {{"Event 1"}, {"Event two"}, {"Event 3"}, {}, {"Event 5"}};
  for (int day = 1; day <= 5; ++day) EXPECT_EQ(expected[day - 1], sync.Lines(2026, 12, 10 + day)) << day;
  EXPECT_EQ(5u, sync.server.Count());
  const int writes = sync.server.Writes();
  const SyncOutcome third = sync.Sync();
  EXPECT_EQ(writes, sync.server.Writes());
  EXPECT_EQ(0, third.counts.takenNew + third.counts.takenChanged + third.counts.clearedHere);
}

INSTANTIATE_TEST_SUITE_P(Cases, SyncServerShapeTest, ::testing::ValuesIn(g_Shapes));

TEST(SyncRunTest, AFailingServerLosesNothingAndIsRetriedWithAGrowingPause) {
  const struct {
    int status;
    HttpFailure failure;
    SyncProblem problem;
  } failures[] = {
      {0, HttpFailure::kUnreachable, SyncProblem::kUnreachable},
      {0, HttpFailure::kCertificate, SyncProblem::kCertificate},
      {0, HttpFailure::kTooLarge, SyncProblem::kTooLarge},
      {401, HttpFailure::kNone, SyncProblem::kAuthentication},
      {403, HttpFailure::kNone, SyncProblem::kForbidden},
      {404, HttpFailure::kNone, SyncProblem::kNotFound},
      {503, HttpFailure::kNone, SyncProblem::kServerError},
  };
  for (const auto& failure : failures) {
    CSyncHarness sync;
    sync.server.Put("a.ics", PhoneEvent("a", "20261210", "One"));
    sync.Sync();
    sync.Type(2026, 12, 10, 0, "Edited");
    sync.server.faults.statusForAll = failure.status;
    sync.server.faults.failure = failure.failure;
    CSyncRetry retry;
    long long now = sync.clock.utcSeconds;
    long long pause = 0;
    for (int attempt = 0; attempt < 3; ++attempt) {
      const SyncOutcome failed = sync.Sync();
      EXPECT_EQ(SyncResult::kFailed, failed.result);
      EXPECT_EQ(failure.problem, failed.problem.problem);
      EXPECT_EQ(attempt == 0, retry.Take(failed, now)) << attempt;
      EXPECT_GT(retry.NextAttempt() - now, pause);
      pause = retry.NextAttempt() - now;
      EXPECT_FALSE(retry.Due(now + pause - 1));
      now += pause;
    }
    sync.server.faults = CFakeCalDavServer::Faults();
    EXPECT_EQ(SyncResult::kDone, sync.Sync().result);
    EXPECT_EQ(std::vector<std::string>{"Edited"}, sync.Lines(2026, 12, 10));
    EXPECT_NE(std::string::npos, sync.server.Text("a.ics").find("SUMMARY:Edited"));
  }
}

}  // namespace

namespace {

// With the window open, the month on display is read as its session holds
// it and written beside it: what is typed and not saved yet goes to the
// server, what comes from there joins the session, and neither is lost.
TEST(SyncRunTest, TheMonthOnDisplayIsSyncedBesideItsSession) {
  CSyncHarness sync;
  CMemorySettingsStore store;
  CHostServices host(store, sync.m_scratch.Path(""), DateRecord{2026, 12, 3, 9});
  const std::chrono::hours never(1);
  CMonthSession session(sync.m_files, "Plannix", '/', never, never);
  ASSERT_EQ(MonthFileState::kAbsent, session.OpenToday(host));
  char stored[kLineSize];
  ASSERT_TRUE(session.StoreLine(0, "Typed not saved", stored));
  CSessionMonths book(session, sync.m_book);
  sync.bookInUse = &book;
  sync.server.Put("phone.ics", PhoneEvent("phone", "20261210", "From the phone"));
  ASSERT_EQ(SyncResult::kDone, sync.Sync().result);
  EXPECT_EQ(1u, sync.EventsWith("SUMMARY:Typed not saved").size());
  session.TakeInArrived();
  EXPECT_STREQ("From the phone", session.Day(10).szLine[0]);
  ASSERT_EQ(MonthSaveOutcome::kWritten, session.Save());
  EXPECT_EQ(std::vector<std::string>{"Typed not saved"}, sync.Lines(2026, 12, 9));
  EXPECT_EQ(std::vector<std::string>{"From the phone"}, sync.Lines(2026, 12, 10));
  const int writes = sync.server.Writes();
  sync.Sync();
  EXPECT_EQ(writes, sync.server.Writes());
}

}  // namespace

namespace {

// Two PCs made the book's identity at once: the one whose name lost takes
// its events back and names its lines anew, once, and the calendar ends
// with one event for each line.
TEST(SyncRunTest, EventsOfARetiredIdentityAreNamedAnewOnce) {
  CSyncHarness sync;
  sync.Type(2026, 12, 10, 0, "First");
  sync.Type(2026, 12, 11, 1, "Second");
  sync.Sync();
  BookIdentity mine;
  ASSERT_EQ(IdentityLoad::kRead, LoadBookIdentity(sync.m_files, sync.Folder(), "", mine));
  BookIdentity other;
  other.id = std::string(32, '0');
  CMonthFileScratch::WriteAll(sync.Folder() + "/sync/book-OTHERPC.txt", FormatBookIdentity(other));
  ASSERT_EQ(SyncResult::kDone, sync.Sync().result);
  ASSERT_EQ(2u, sync.server.Count());
  EXPECT_EQ(2u, sync.EventsWith("UID:plannix-" + other.id).size());
  EXPECT_TRUE(sync.EventsWith(mine.id).empty());
  EXPECT_EQ(std::vector<std::string>{"First"}, sync.Lines(2026, 12, 10));
  const int writes = sync.server.Writes();
  sync.Sync();
  EXPECT_EQ(writes, sync.server.Writes());
}

}  // namespace
