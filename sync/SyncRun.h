#pragma once
// One sync of the book with its calendar: what changed on either side since
// the last sync goes to the other, item by item, and nothing is written over
// that was not read since it changed. Blocks until done: the window runs it
// on a thread of its own.
#include <string>
#include <vector>

#include "sync/HttpExchange.h"
#include "sync/SyncProblem.h"
#include "sync/SyncSettings.h"
#include "sync/XmlReader.h"

class IFileSystem;
class IBookMonths;

// Where the sync reads and writes. Each is kept by reference for the run.
struct SyncContext {
  IHttpTransport& http;  // set up for the calendar's host, with the credentials
  XmlReaderFactory xml;
  IBookMonths& book;
  IFileSystem& files;
  std::string dataFolder;  // the month files' folder: the book's identity is kept there
  std::string statePath;   // this PC's record of the last sync (SyncStatePath)
  std::string entropy;     // chance for the book's identity, should it be made now
};

// The clock, handed in.
struct SyncClock {
  long long utcSeconds = 0;  // now, since 1970 in UTC
  int todayDayNumber = 0;    // the book's today (calendar/DayNumber.h)
};

enum class SyncResult {
  kDone,     // every item that could be synced was; notes may name some that could not
  kStopped,  // a safety rail: nothing was changed on either side
  kFailed,   // the server or the book could not be reached; nothing was lost
};

// An item that could not be synced as it is, or an entry the book had no
// room for: told once.
enum class SyncNoteKind {
  kUnreadableEvent,   // the server's event is no iCalendar that can be read: left as it is
  kNoRoom,            // an event from the server found neither a free line nor room in the memo
  kRefused,           // the server refused a write (its status in the note); tried again next time
  kChangedMeanwhile,  // changed on the server while it was written (412): merged next time
  kMonthUnreadable,   // a month file that cannot be read: its days are left out, nothing deleted
  kMonthUnwritten,    // a month file that could not be written: tried again next time
  kDuplicateUid,      // two events on the server with one UID: both left alone
  kBothChanged,       // changed on both sides: the line keeps ours, theirs went to a free line or the memo
};

struct SyncNote {
  SyncNoteKind kind = SyncNoteKind::kUnreadableEvent;
  int dayNumber = 0;    // 0 when no day is known
  std::string subject;  // UTF-8: the entry or the event's title, or the address
  int status = 0;       // kRefused
};

struct SyncCounts {
  int sentNew = 0;       // events made on the server
  int sentChanged = 0;   // events changed on the server
  int deletedThere = 0;  // events deleted on the server
  int takenNew = 0;      // entries added to the book
  int takenChanged = 0;  // lines changed in the book
  int clearedHere = 0;   // lines cleared in the book
  int linked = 0;        // items found alike on both sides and linked
  int requests = 0;      // HTTP requests sent
};

struct SyncOutcome {
  SyncResult result = SyncResult::kDone;
  SyncProblemInfo problem;  // why, for kStopped and kFailed
  SyncCounts counts;
  std::vector<SyncNote> notes;
};

SyncOutcome RunSync(const SyncSettings& settings, SyncContext& context, const SyncClock& clock);

// One line for the user, UTF-8 Japanese.
std::string DescribeSyncNote(const SyncNote& note);
// The last sync's result in one line: "同期しました (送信 3, 受信 1)",
// the problem, or the number of notes.
std::string DescribeSyncOutcome(const SyncOutcome& outcome);
