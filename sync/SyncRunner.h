#pragma once
// One run of the sync, step by step: the book read, the calendar listed and
// what changed fetched, each item decided, the server written, then the
// book, then the record of this run saved as a whole.
#include <map>
#include <set>
#include <string>
#include <vector>

#include "export/BookTimeZone.h"
#include "sync/BookIdentity.h"
#include "sync/BookSide.h"
#include "sync/BookUid.h"
#include "sync/DavClient.h"
#include "sync/LineEvent.h"
#include "sync/LinkedItems.h"
#include "sync/ServerEvent.h"
#include "sync/ServerListing.h"
#include "sync/SyncDecision.h"
#include "sync/SyncRecord.h"
#include "sync/SyncRun.h"

class CSyncRunner {
 public:
  CSyncRunner(const SyncSettings& settings, SyncContext& context, const SyncClock& clock);
  SyncOutcome Run();

 private:
  enum class Owner { kForeign, kBook, kRetired, kExport };

  // A resource of the calendar as this run knows it.
  struct Resource {
    std::string href;
    std::string etag;
    const SyncedResource* old = nullptr;  // in the record of the last sync
    bool present = true;
    bool fetched = false;
    bool unreadable = false;
    bool duplicate = false;
    bool ignored = false;
    bool settled = true;  // all of it was done: its record may take the new ETag
    bool needsText = false;
    bool written = false;  // by this run: etag and hash are what was written
    uint64_t writtenHash = 0;
    ServerEvent event;
    std::string text;
    std::string uid;
    Owner owner = Owner::kForeign;
    BookPlace place;
  };

  enum class Step { kNone, kDone, kFailed };

  // One item and what this run does with it.
  struct Work {
    ItemAction action = ItemAction::kNone;
    bool inRecord = false;
    SyncedItem item;
    std::string key;  // of its resource; empty for a line new to the server
    const ServerOccurrence* there = nullptr;
    bool bookMade = false;
    std::string field;   // the line (or memo) now, cp932
    std::string theirs;  // the server's, as the book would store it
    uint64_t hashNow = 0;
    bool retire = false;
    Step server = Step::kNone;
    Step book = Step::kNone;
    // After the book was written: where the item stands.
    int newDay = 0;
    int newSlot = kNoSlot;
    std::string newField;
    std::string newSeals;
    std::string newHref;
  };

  // A change to one field of the book.
  enum class OpKind { kSet, kClear, kPlace };
  struct BookOp {
    size_t work;
    OpKind kind;
    int day;
    int slot;            // kSet, kClear; kPlace: the line preferred, or -1
    std::string expect;  // kSet, kClear: what the field must still hold
    std::string bytes;   // kSet: what it becomes; kPlace: UTF-8 text to place
    std::string seals;   // seal names to add, LF-ended
    bool linked = true;  // kPlace: the work's item is where it lands
  };

  bool Prepare();
  bool ReadBook();
  bool ListServer();
  bool StopForRails();
  bool FetchChanged();
  void Classify();
  void DecideRecorded();
  // An item linked in the record, or (inRecord false) a line the book once
  // linked that this PC's record lacks, unchanged here since.
  void Decide(const SyncedItem& item, bool inRecord);
  void RecallLinked();
  void PairUnrecorded();
  // Whether the text finds a free line or room in the memo of the day as read.
  bool RoomFor(int day, const std::string& utf8) const;
  void HoldBoth(Work& work);
  void WriteServer();
  void WriteResourceChanges(const std::string& key, const std::vector<size_t>& works);
  void SendNew(Work& work);
  void WriteBook();
  void SaveRecord();
  // What this run linked joins the data folder's file; the entries whose
  // end this PC saw go into its record as passed.
  void SaveLinked(const std::vector<std::pair<SyncedItem, std::string>>& links, SyncRecord& record);

  enum class Standing { kThere, kGone, kUnknown };
  // Where an occurrence of a resource stands on the server as this run knows it.
  Standing StandingOf(const std::string& key, const std::string& recurrence) const;

  bool WithSeals(const Work& work) const;
  std::string Projection(const Resource& resource, const ServerOccurrence& occurrence, int slot) const;
  BookAdditions AdditionsFor(int day) const;
  bool StopsWrites(const SyncProblemInfo& problem);
  void Note(SyncNoteKind kind, int day, const std::string& subject, int status = 0);
  bool SendPut(const std::string& href, const std::string& text, const std::string& etag, bool create,
               std::string& newEtag, int day, const std::string& subject);
  std::string Subject(const Work& work) const;

  const SyncSettings& m_settings;
  SyncContext& m_context;
  const SyncClock m_clock;
  SyncOutcome m_outcome;
  CDavClient m_dav;
  const BookTimeZone* m_zone = nullptr;
  BookIdentity m_identity;
  SyncRecord m_record;
  int m_firstDay = 0;
  int m_horizonDay = 0;
  int m_lastDay = 0;
  CBookSide m_book;
  ServerListing m_listing;
  std::map<std::string, Resource> m_resources;  // by HrefKey
  std::vector<Work> m_works;
  std::vector<SyncedItem> m_kept;           // record items this run leaves as they are
  std::set<std::pair<int, int>> m_claimed;  // places that an item stands in
  std::vector<SyncedResource> m_made;       // resources made by this run
  bool m_complete = true;                   // everything listed was done: the new token may be kept
  bool m_writesStopped = false;
  bool m_knowsCalendar = false;  // this PC synced the calendar before: its record is of it
  std::string m_linkedPath;
  bool m_linkedRead = false;
  CLinkedItems m_linked;
  std::set<std::string> m_passed;  // of the record
};
