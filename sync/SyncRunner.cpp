#include "sync/SyncRunner.h"

#include <algorithm>

#include "book/BookMonths.h"
#include "calendar/DayNumber.h"
#include "export/OwnEventId.h"
#include "sync/DavUrl.h"

namespace {

constexpr int kYearsAhead = 10;
// A calendar that held at least this many events and lists none of them
// has been emptied or replaced, not edited.
constexpr size_t kRailMinimum = 2;

int DayOf(const BookDate& date) { return DayNumberOf(date.year, date.month, date.day); }

}  // namespace

CSyncRunner::CSyncRunner(const SyncSettings& settings, SyncContext& context, const SyncClock& clock)
    : m_settings(settings), m_context(context), m_clock(clock), m_dav(context.http, context.xml) {}

SyncOutcome CSyncRunner::Run() {
  if (Prepare() && ReadBook() && ListServer() && !StopForRails() && FetchChanged()) {
    Classify();
    DecideRecorded();
    RecallLinked();
    PairUnrecorded();
    WriteServer();
    WriteBook();
    SaveRecord();
  }
  m_outcome.counts.requests = m_dav.Requests();
  return m_outcome;
}

void CSyncRunner::Note(SyncNoteKind kind, int day, const std::string& subject, int status) {
  m_outcome.notes.push_back({kind, day, subject, status});
}

bool CSyncRunner::Prepare() {
  auto fail = [&](SyncProblem problem, const std::string& detail) {
    m_outcome.result = SyncResult::kFailed;
    m_outcome.problem.problem = problem;
    m_outcome.problem.detail = detail;
    return false;
  };
  m_zone = FindBookTimeZone(m_settings.timeZone);
  if (m_zone == nullptr) m_zone = FindBookTimeZone(kDefaultTimeZone);
  DavUrl parts;
  if (!ParseDavUrl(m_settings.calendarUrl, parts)) return fail(SyncProblem::kNoAddress, m_settings.calendarUrl);
  if (LoadBookIdentity(m_context.files, m_context.dataFolder, m_context.entropy, m_identity) ==
      IdentityLoad::kUnreadable) {
    return fail(SyncProblem::kIdentityUnreadable, std::string());
  }
  switch (ReadSyncRecord(m_context.files, m_context.statePath, m_record)) {
    case RecordRead::kUnreadable:
      return fail(SyncProblem::kStateUnreadable, std::string());
    case RecordRead::kAbsent:
      m_record = SyncRecord();
      break;
    case RecordRead::kRead:
      // Another calendar's record is no record of this one.
      m_knowsCalendar = m_record.calendarUrl == m_settings.calendarUrl;
      if (!m_knowsCalendar) m_record = SyncRecord();
      break;
  }
  m_passed.insert(m_record.passed.begin(), m_record.passed.end());
  // Read now, so that what another PC linked meanwhile is known; one that cannot be read is not written.
  m_linkedPath = LinkedItemsPath(m_context.dataFolder, m_settings.calendarUrl);
  m_linkedRead = ReadLinkedItems(m_context.files, m_linkedPath, m_linked);
  m_firstDay = FirstSyncedDay(m_settings, m_clock.todayDayNumber);
  const CalendarDate today = DateOfDayNumber(m_clock.todayDayNumber);
  // Rules without end are followed to the end of next year, as the import does.
  m_horizonDay = DayNumberOf(std::min(today.year + 1, 9999), 12, 31);
  // And nothing further than ten years: the book and the server alike, so that no side's item is unmatched.
  m_lastDay = DayNumberOf(std::min(today.year + kYearsAhead, 9999), 12, 31);
  return true;
}

bool CSyncRunner::ReadBook() {
  std::vector<int> days;
  for (const SyncedItem& item : m_record.items) days.push_back(item.day);
  if (m_book.Load(m_context.book, m_firstDay, days)) {
    // Its days are left out: nothing of them is deleted on either side.
    for (int month : m_book.UnreadableMonths()) Note(SyncNoteKind::kMonthUnreadable, month, std::string());
    return true;
  }
  m_outcome.result = SyncResult::kFailed;
  m_outcome.problem.problem = SyncProblem::kBookUnreadable;
  return false;
}

bool CSyncRunner::ListServer() {
  m_listing = ListCalendar(m_dav, m_settings.calendarUrl, m_record.syncToken);
  if (m_listing.problem.Failed()) {
    m_outcome.result = SyncResult::kFailed;
    m_outcome.problem = m_listing.problem;
    return false;
  }
  for (const SyncedResource& old : m_record.resources) {
    Resource& resource = m_resources[HrefKey(old.href)];
    resource.href = old.href;
    resource.etag = old.etag;
    resource.old = &old;
    // A whole listing says what is there; a delta, what changed.
    resource.present = m_listing.delta;
  }
  for (const std::string& key : m_listing.removed) {
    auto found = m_resources.find(key);
    if (found != m_resources.end()) found->second.present = false;
  }
  for (const auto& [key, listed] : m_listing.listed) {
    Resource& resource = m_resources[key];
    resource.href = listed.href;
    resource.etag = listed.etag;
    resource.present = true;
  }
  return true;
}

bool CSyncRunner::StopForRails() {
  size_t stillThere = 0;
  size_t present = 0;
  for (const auto& [key, resource] : m_resources) {
    if (!resource.present) continue;
    ++present;
    if (resource.old != nullptr) ++stillThere;
  }
  SyncProblem rail = SyncProblem::kNone;
  if (m_record.resources.size() >= kRailMinimum && stillThere == 0) {
    rail = present == 0 ? SyncProblem::kCalendarEmptied : SyncProblem::kCalendarReplaced;
  }
  // So too where the lines the book linked on another PC, which this PC's record lacks, stand for
  // events that the calendar lists none of: clearing them would empty the book.
  if (rail == SyncProblem::kNone && stillThere == 0 && m_knowsCalendar) {
    std::set<std::string> gone;
    bool anyThere = false;
    for (const LinkedItem& entry : m_linked.All()) {
      const bool synced =
          entry.day >= m_firstDay && entry.day <= m_lastDay && (entry.slot != kMemoSlot || m_settings.memo);
      const DayRecord* day = synced ? m_book.Day(entry.day) : nullptr;
      if (day == nullptr || HashBytes(FieldOf(*day, entry.slot)) != entry.fieldHash ||
          m_passed.count(FormatLinkedItem(entry)) != 0) {
        continue;
      }
      auto found = m_resources.find(HrefKey(entry.href));
      if (found != m_resources.end() && found->second.present) {
        anyThere = true;
      } else {
        gone.insert(HrefKey(entry.href));
      }
    }
    if (gone.size() >= kRailMinimum && !anyThere)
      rail = present == 0 ? SyncProblem::kCalendarEmptied : SyncProblem::kCalendarReplaced;
  }
  if (m_listing.describedItself && !m_record.resourceId.empty() && !m_listing.resourceId.empty() &&
      m_listing.resourceId != m_record.resourceId) {
    rail = SyncProblem::kCalendarReplaced;
  }
  if (rail == SyncProblem::kNone) return false;
  m_outcome.result = SyncResult::kStopped;
  m_outcome.problem.problem = rail;
  m_outcome.problem.detail = m_settings.calendarUrl;
  return true;
}

bool CSyncRunner::FetchChanged() {
  // The resources whose items changed in the book: their text is needed to write them back.
  for (const SyncedItem& item : m_record.items) {
    if (item.day < m_firstDay || item.slot == kNoSlot) continue;
    const DayRecord* day = m_book.Day(item.day);
    if (day == nullptr) continue;
    auto found = m_resources.find(HrefKey(item.href));
    if (found == m_resources.end()) continue;
    const std::string field = FieldOf(*day, item.slot);
    // With or without the seals, a line that differs in its text differs either way.
    if (field.empty() || (ItemHash(field, DaySealNames(*day), true) != item.bookHash &&
                          ItemHash(field, std::string(), false) != item.bookHash)) {
      found->second.needsText = true;
    }
  }
  const bool newHorizon = m_record.horizonDay != m_horizonDay;
  std::vector<std::string> hrefs;
  for (auto& [key, resource] : m_resources) {
    if (!resource.present) continue;
    const SyncedResource* old = resource.old;
    const bool changed = old == nullptr || resource.etag.empty() || resource.etag != old->etag;
    if (changed || resource.needsText || (old->recurs && newHorizon)) hrefs.push_back(resource.href);
  }
  const SyncProblemInfo problem = FetchResources(m_dav, m_settings.calendarUrl, hrefs, [&](FetchedResource& fetched) {
    auto found = m_resources.find(HrefKey(fetched.href));
    if (found == m_resources.end()) return;
    Resource& resource = found->second;
    resource.fetched = true;
    if (fetched.gone) {
      resource.present = false;
      return;
    }
    if (!fetched.etag.empty()) resource.etag = fetched.etag;
    if (fetched.hasText) {
      EventReading reading;
      reading.firstDay = m_firstDay;
      reading.horizonDay = m_horizonDay;
      reading.lastDay = m_lastDay;
      reading.zone = m_zone;
      resource.event = ReadServerEvent(fetched.text, reading);
    }
    if (!resource.event.readable) {
      resource.unreadable = true;
      const bool told = resource.old != nullptr && resource.old->unreadable && resource.old->etag == resource.etag;
      if (!told) Note(SyncNoteKind::kUnreadableEvent, 0, fetched.href);
      return;
    }
    resource.uid = resource.event.uid;
    if (resource.needsText) resource.text = std::move(fetched.text);
  });
  if (!problem.Failed()) return true;
  m_outcome.result = SyncResult::kFailed;
  m_outcome.problem = problem;
  return false;
}

void CSyncRunner::Classify() {
  std::map<std::string, int> uses;
  for (auto& [key, resource] : m_resources) {
    // One gone since is named as the record knew it: whose it was decides how its line is compared.
    if (!resource.fetched && resource.old != nullptr) {
      resource.uid = resource.old->uid;
      resource.unreadable = resource.old->unreadable;
    }
    if (resource.present && !resource.uid.empty()) ++uses[resource.uid];
  }
  for (auto& [key, resource] : m_resources) {
    resource.duplicate = resource.present && !resource.uid.empty() && uses[resource.uid] > 1;
    if (resource.duplicate && (resource.old == nullptr || !resource.old->duplicate))
      Note(SyncNoteKind::kDuplicateUid, 0, resource.uid);
    std::string bookId;
    OwnEventId own;
    if (ParseBookUid(resource.uid, bookId, resource.place)) {
      if (bookId == m_identity.id) {
        resource.owner = Owner::kBook;
      } else if (std::find(m_identity.retired.begin(), m_identity.retired.end(), bookId) != m_identity.retired.end()) {
        resource.owner = Owner::kRetired;
      }
    } else if (ParseOwnEventUid(resource.uid, own)) {
      resource.owner = Owner::kExport;
      resource.place = {own.date, own.kind == OwnEventKind::kLine ? own.line : kMemoSlot};
      // The export's memo and seal events say what the book holds already.
      if (own.kind != OwnEventKind::kLine) resource.ignored = true;
    }
    const bool memoEvent =
        resource.owner != Owner::kForeign && resource.owner != Owner::kExport && resource.place.slot == kMemoSlot;
    if (resource.duplicate || resource.unreadable || (memoEvent && !m_settings.memo)) resource.ignored = true;
  }
  // A retired name's events are taken back only by the PC that made them: the record knows them.
  std::set<std::string> recorded;
  for (const SyncedItem& item : m_record.items) recorded.insert(HrefKey(item.href));
  for (auto& [key, resource] : m_resources) {
    if (resource.owner == Owner::kRetired && recorded.count(key) == 0) resource.ignored = true;
  }
}

bool CSyncRunner::WithSeals(const Work& work) const {
  return m_settings.seals && work.bookMade && work.item.slot >= 0 && work.item.slot < kLineCount;
}

std::string CSyncRunner::Projection(const Resource& resource, const ServerOccurrence& occurrence, int slot) const {
  if (slot == kMemoSlot) return StoredMemo(resource.owner == Owner::kBook ? occurrence.description : occurrence.line);
  return StoredLine(occurrence.line);
}

void CSyncRunner::DecideRecorded() {
  for (const SyncedItem& item : m_record.items) Decide(item, true);
}

void CSyncRunner::Decide(const SyncedItem& item, bool inRecord) {
  const std::string key = HrefKey(item.href);
  auto found = m_resources.find(key);
  Resource* resource = found == m_resources.end() ? nullptr : &found->second;
  const DayRecord* day = m_book.Day(item.day);
  // Out of the days synced, in a month that cannot be read, or of a resource left alone: as it is.
  const bool outOfRange =
      item.day < m_firstDay || item.day > m_lastDay || (item.recurrence.size() > 0 && item.day > m_horizonDay);
  if (outOfRange || day == nullptr || (resource != nullptr && resource->present && resource->ignored)) {
    m_kept.push_back(item);
    if (item.slot != kNoSlot) m_claimed.insert({item.day, item.slot});
    // A month that could not be read leaves its items undone: the resource is read again next time.
    if (!outOfRange && day == nullptr && resource != nullptr && resource->fetched) resource->settled = false;
    return;
  }
  Work work;
  work.inRecord = inRecord;
  work.item = item;
  work.key = key;
  // A retired name's events were the book's own too: made with its seals and alarm.
  work.bookMade = resource != nullptr && (resource->owner == Owner::kBook || resource->owner == Owner::kRetired);
  ItemSides sides;
  sides.inRecord = true;
  // Where the server stands.
  const ServerOccurrence* occurrence = nullptr;
  if (resource != nullptr && resource->present) {
    sides.there = true;
    if (resource->fetched) {
      for (const ServerOccurrence& candidate : resource->event.occurrences) {
        if (candidate.recurrence == item.recurrence) occurrence = &candidate;
      }
      // An event moved before the first day synced has left the range; it is not deleted.
      if (occurrence == nullptr && !resource->event.recurs && resource->event.startDay < m_firstDay) {
        m_kept.push_back(item);
        if (item.slot != kNoSlot) m_claimed.insert({item.day, item.slot});
        return;
      }
      sides.there = occurrence != nullptr;
    }
  }
  work.there = occurrence;
  const bool withSeals = WithSeals(work);
  if (item.slot == kNoSlot) {
    // Kept in the memo or found no room: the book holds no line of it to compare.
    sides.here = true;
  } else {
    work.field = FieldOf(*day, item.slot);
    work.hashNow = ItemHash(work.field, DaySealNames(*day), withSeals);
    // A line recalled from what the book linked is as it was linked.
    if (!inRecord) work.item.bookHash = work.hashNow;
    sides.here = !work.field.empty();
    sides.changedHere = sides.here && work.hashNow != work.item.bookHash;
    m_claimed.insert({item.day, item.slot});
  }
  if (occurrence != nullptr) {
    const int projectionSlot = item.slot == kNoSlot ? 0 : item.slot;
    work.theirs = Projection(*resource, *occurrence, projectionSlot);
    const uint64_t theirHash = ItemHash(work.theirs, occurrence->sealNames, withSeals);
    const bool moved = occurrence->day != item.day;
    const bool contentChanged = resource->old == nullptr || resource->event.contentHash != resource->old->contentHash;
    sides.changedThere = contentChanged && (theirHash != work.item.bookHash || moved);
    sides.alike = item.slot == kNoSlot ? !sides.changedThere : sides.here && !moved && work.hashNow == theirHash;
  } else if (sides.there) {
    sides.alike = !sides.changedHere;
  }
  work.action = DecideItem(sides);
  if (item.slot == kNoSlot) {
    // Nothing of it to send or clear: it is placed again when it changed.
    if (work.action == ItemAction::kTakeChange || work.action == ItemAction::kBoth) work.action = ItemAction::kTakeNew;
    if (work.action == ItemAction::kClearHere) work.action = ItemAction::kForget;
    if (work.action == ItemAction::kLink) work.action = ItemAction::kNone;
  }
  // A retired name's event, quiet on both sides, goes; its line is named anew below.
  if (resource != nullptr && resource->owner == Owner::kRetired && work.action == ItemAction::kNone) {
    work.action = ItemAction::kDeleteThere;
    work.retire = true;
    m_claimed.erase({item.day, item.slot});
  }
  // Alike on both sides: the link this PC's record lacked is made.
  if (!inRecord && work.action == ItemAction::kNone) work.action = ItemAction::kLink;
  m_works.push_back(std::move(work));
}

CSyncRunner::Standing CSyncRunner::StandingOf(const std::string& key, const std::string& recurrence) const {
  auto found = m_resources.find(key);
  if (found == m_resources.end() || !found->second.present) return Standing::kGone;
  const Resource& resource = found->second;
  if (!resource.fetched || resource.ignored) return Standing::kUnknown;
  for (const ServerOccurrence& occurrence : resource.event.occurrences) {
    if (occurrence.recurrence == recurrence) return Standing::kThere;
  }
  // An event moved before the first day synced has left the range; it is not deleted.
  if (!resource.event.recurs && resource.event.startDay < m_firstDay) return Standing::kUnknown;
  return Standing::kGone;
}

void CSyncRunner::RecallLinked() {
  if (!m_linkedRead) return;
  std::set<std::pair<std::string, std::string>> linked;
  for (const Work& work : m_works) linked.insert({work.key, work.item.recurrence});
  for (const SyncedItem& item : m_kept) linked.insert({HrefKey(item.href), item.recurrence});
  // A line is cleared for an event gone only by a PC whose record knows the
  // calendar: after its record was reset, the next sync deletes nothing.
  const bool mayClear = m_knowsCalendar;
  for (int day : m_book.Days(m_firstDay)) {
    if (day > m_lastDay) break;
    const DayRecord& record = *m_book.Day(day);
    for (int slot = 0; slot <= kMemoSlot; ++slot) {
      if (slot == kMemoSlot && !m_settings.memo) continue;
      const std::string field = FieldOf(record, slot);
      if (field.empty() || m_claimed.count({day, slot}) != 0) continue;
      // The event it was linked to that is there, else one gone whose end this PC has not seen.
      const LinkedItem* chosen = nullptr;
      const std::vector<LinkedItem> entries = m_linked.Of(day, slot, HashBytes(field));
      for (const LinkedItem& entry : entries) {
        if (linked.count({HrefKey(entry.href), entry.recurrence}) != 0) continue;
        const Standing standing = StandingOf(HrefKey(entry.href), entry.recurrence);
        if (standing == Standing::kThere) {
          chosen = &entry;
          break;
        }
        if (standing == Standing::kGone && mayClear && chosen == nullptr &&
            m_passed.count(FormatLinkedItem(entry)) == 0) {
          chosen = &entry;
        }
      }
      if (chosen == nullptr) continue;
      SyncedItem item;
      item.href = chosen->href;
      item.recurrence = chosen->recurrence;
      item.day = day;
      item.slot = slot;
      linked.insert({HrefKey(item.href), item.recurrence});
      Decide(item, false);
    }
  }
}

void CSyncRunner::PairUnrecorded() {
  // The server's occurrences that no record links.
  std::set<std::pair<std::string, std::string>> linked;
  for (const Work& work : m_works) {
    if (!work.retire) linked.insert({work.key, work.item.recurrence});
  }
  for (const SyncedItem& item : m_kept) linked.insert({HrefKey(item.href), item.recurrence});
  struct Candidate {
    std::string key;
    const Resource* resource;
    const ServerOccurrence* occurrence;
    int slotKind;  // kMemoSlot for a memo event, else 0
    bool taken = false;
  };
  std::vector<Candidate> theirs;
  for (auto& [key, resource] : m_resources) {
    if (!resource.present || !resource.fetched || resource.ignored || resource.owner == Owner::kRetired) continue;
    for (const ServerOccurrence& occurrence : resource.event.occurrences) {
      if (occurrence.day < m_firstDay || linked.count({key, occurrence.recurrence}) != 0) continue;
      if (m_book.Day(occurrence.day) == nullptr) {
        resource.settled = false;
        continue;
      }
      const bool memo = resource.owner == Owner::kBook && resource.place.slot == kMemoSlot;
      theirs.push_back({key, &resource, &occurrence, memo ? kMemoSlot : 0});
    }
  }
  // The book's fields that no record links.
  std::map<std::pair<int, int>, bool> ours;  // place -> taken
  for (int day : m_book.Days(m_firstDay)) {
    if (day > m_lastDay) break;
    const DayRecord* record = m_book.Day(day);
    for (int slot = 0; slot <= kMemoSlot; ++slot) {
      if (slot == kMemoSlot && !m_settings.memo) continue;
      if (m_claimed.count({day, slot}) != 0 || FieldOf(*record, slot).empty()) continue;
      ours[{day, slot}] = false;
    }
  }
  auto pair = [&](Candidate& candidate, int day, int slot) {
    candidate.taken = true;
    ours[{day, slot}] = true;
    m_claimed.insert({day, slot});
    Work work;
    work.item.href = candidate.resource->href;
    work.item.recurrence = candidate.occurrence->recurrence;
    work.item.day = day;
    work.item.slot = slot;
    work.key = candidate.key;
    work.there = candidate.occurrence;
    work.bookMade = candidate.resource->owner == Owner::kBook;
    const DayRecord& record = *m_book.Day(day);
    work.field = FieldOf(record, slot);
    const bool withSeals = WithSeals(work);
    work.hashNow = ItemHash(work.field, DaySealNames(record), withSeals);
    work.theirs = Projection(*candidate.resource, *candidate.occurrence, slot);
    ItemSides sides;
    sides.here = true;
    sides.there = true;
    // A first sync links what is alike in its text; the seals follow at the next change.
    sides.alike = candidate.occurrence->day == day && work.field == work.theirs;
    work.action = DecideItem(sides);
    m_works.push_back(std::move(work));
  };
  auto freeField = [&](int day, int slot) {
    auto found = ours.find({day, slot});
    return found != ours.end() && !found->second;
  };
  // By identity: the place a UID of this book, or of its export, names.
  for (Candidate& candidate : theirs) {
    const Resource& resource = *candidate.resource;
    if (resource.owner != Owner::kBook && resource.owner != Owner::kExport) continue;
    const int day = DayOf(resource.place.date);
    if (resource.owner == Owner::kExport &&
        (candidate.occurrence->day != day || candidate.occurrence->preferredLine != resource.place.slot)) {
      continue;
    }
    if (freeField(day, resource.place.slot)) pair(candidate, day, resource.place.slot);
  }
  // By content: the same text on the same day.
  for (Candidate& candidate : theirs) {
    if (candidate.taken) continue;
    const int day = candidate.occurrence->day;
    const std::string text = Projection(*candidate.resource, *candidate.occurrence, candidate.slotKind);
    const DayRecord* record = m_book.Day(day);
    const int firstSlot = candidate.slotKind == kMemoSlot ? kMemoSlot : 0;
    const int lastSlot = candidate.slotKind == kMemoSlot ? kMemoSlot : kLineCount - 1;
    for (int slot = firstSlot; slot <= lastSlot; ++slot) {
      if (freeField(day, slot) && FieldOf(*record, slot) == text) {
        pair(candidate, day, slot);
        break;
      }
    }
  }
  // What is left: new to the other side.
  for (Candidate& candidate : theirs) {
    if (candidate.taken) continue;
    Work work;
    work.action = ItemAction::kTakeNew;
    work.item.href = candidate.resource->href;
    work.item.recurrence = candidate.occurrence->recurrence;
    work.item.day = candidate.occurrence->day;
    work.item.slot = candidate.slotKind == kMemoSlot ? kMemoSlot : candidate.occurrence->preferredLine;
    const Resource& resource = *candidate.resource;
    if (resource.owner == Owner::kBook && DayOf(resource.place.date) == work.item.day)
      work.item.slot = resource.place.slot;
    work.key = candidate.key;
    work.there = candidate.occurrence;
    work.bookMade = resource.owner == Owner::kBook;
    work.theirs = Projection(resource, *candidate.occurrence, candidate.slotKind);
    m_works.push_back(std::move(work));
  }
  for (const auto& [place, taken] : ours) {
    if (taken) continue;
    Work work;
    work.action = ItemAction::kSendNew;
    work.item.day = place.first;
    work.item.slot = place.second;
    work.bookMade = true;
    const DayRecord& record = *m_book.Day(place.first);
    work.field = FieldOf(record, place.second);
    work.hashNow = ItemHash(work.field, DaySealNames(record), WithSeals(work));
    m_works.push_back(std::move(work));
  }
}
