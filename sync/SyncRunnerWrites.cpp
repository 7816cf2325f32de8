#include "sync/SyncRunner.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <new>

#include "book/BookMonths.h"
#include "calendar/CalendarFacts.h"
#include "calendar/DayNumber.h"
#include "cp932/Utf8FromCp932.h"
#include "data/SealTable.h"
#include "export/BookDay.h"
#include "import/DayMerge.h"
#include "sync/CalendarText.h"
#include "sync/DavUrl.h"
#include "sync/LineEvent.h"

namespace {

constexpr const char* kCalendarType = "text/calendar; charset=utf-8";
// Stands in a line that another item holds, so that a new entry never takes it for its own.
constexpr char kTakenMark = '\x01';
// How long before the first day synced the entries of what the book linked are kept.
constexpr int kLinkedKeptDays = 62;

BookDate DateOf(int dayNumber) {
  const CalendarDate date = DateOfDayNumber(dayNumber);
  return {date.year, date.month, date.day};
}

std::vector<SealWish> SealWishesOf(const std::string& names) {
  std::vector<SealWish> wishes;
  size_t start = 0;
  while (start < names.size()) {
    const size_t end = names.find('\n', start);
    const std::string name = names.substr(start, end - start);
    start = end == std::string::npos ? names.size() : end + 1;
    for (const SealEntry& row : g_SealTable) {
      std::string rowName;
      AppendUtf8FromCp932(rowName, row.szName);
      if (row.nCode != 0 && rowName == name) {
        wishes.push_back({row.nCode, -1, 0});
        break;
      }
    }
  }
  return wishes;
}

}  // namespace

std::string CSyncRunner::Subject(const Work& work) const {
  if (!work.field.empty()) return Utf8OfField(work.field);
  return work.there != nullptr ? work.there->line : std::string();
}

BookAdditions CSyncRunner::AdditionsFor(int day) const {
  BookAdditions additions;
  additions.alarmLead = m_settings.reminderLead;
  const DayRecord* record = m_book.Day(day);
  if (m_settings.seals && record != nullptr) {
    DayConversionNotes notes;
    additions.categories = ConvertDay(DateOf(day), *record, notes).Categories();
  }
  return additions;
}

bool CSyncRunner::StopsWrites(const SyncProblemInfo& problem) {
  if (!EndsTheRun(problem)) return false;
  m_writesStopped = true;
  m_outcome.result = SyncResult::kFailed;
  m_outcome.problem = problem;
  return true;
}

bool CSyncRunner::SendPut(const std::string& href, const std::string& text, const std::string& etag, bool create,
                          std::string& newEtag, int day, const std::string& subject) {
  HttpRequest request;
  request.method = "PUT";
  request.url = ResolveHref(m_settings.calendarUrl, href);
  AddHeader(request, "Content-Type", kCalendarType);
  if (create) {
    AddHeader(request, "If-None-Match", "*");
  } else if (!etag.empty()) {
    AddHeader(request, "If-Match", etag);
  }
  request.body = text;
  const HttpResponse response = m_dav.Send(request);
  SyncProblemInfo problem = ProblemOfResponse(response);
  if (!problem.Failed()) {
    // None is normal (Nextcloud): the next listing's is taken.
    newEtag = response.Header("ETag");
    return true;
  }
  if (StopsWrites(problem)) return false;
  if (response.failure == HttpFailure::kNone && response.status == 412) {
    Note(SyncNoteKind::kChangedMeanwhile, day, subject);
  } else {
    Note(SyncNoteKind::kRefused, day, subject, problem.status);
  }
  return false;
}

bool CSyncRunner::RoomFor(int day, const std::string& utf8) const {
  const DayRecord* record = m_book.Day(day);
  if (record == nullptr) return false;
  DayRecord trial = *record;
  DayWishes asLine;
  asLine.lines.push_back({WithCrLf(utf8), -1, 0});
  if (MergeDay(trial, asLine).front().outcome == MergeOutcome::kAdded) return true;
  DayWishes asMemo;
  asMemo.memos.push_back({WithCrLf(utf8), 0});
  const MergeNote note = MergeDay(trial, asMemo).front();
  return note.outcome != MergeOutcome::kNoRoom && !note.cut;
}

void CSyncRunner::HoldBoth(Work& work) {
  // Theirs would find no room in the book: sending ours would lose it. Both
  // stay where they are, and the user is told.
  work.action = ItemAction::kNone;
  m_complete = false;
  Note(SyncNoteKind::kNoRoom, work.item.day, Subject(work));
}

void CSyncRunner::WriteServer() {
  std::map<std::string, std::vector<size_t>> byResource;
  for (size_t i = 0; i < m_works.size(); ++i) {
    Work& work = m_works[i];
    // The memo keeps both, ours first, as the merge of two PCs does; that is what goes to the server.
    if (work.action == ItemAction::kBoth && work.item.slot == kMemoSlot) {
      DayRecord day = {};
      SetField(day, kMemoSlot, work.field);
      DayWishes wishes;
      wishes.memos.push_back({WithCrLf(Utf8OfField(work.theirs)), 0});
      const MergeNote note = MergeDay(day, wishes).front();
      work.newField = FieldOf(day, kMemoSlot);
      if (note.cut || note.outcome == MergeOutcome::kNoRoom) HoldBoth(work);
    } else if (work.action == ItemAction::kBoth && !RoomFor(work.there->day, work.there->line)) {
      HoldBoth(work);
    }
    switch (m_works[i].action) {
      case ItemAction::kSendChange:
      case ItemAction::kBoth:
      case ItemAction::kDeleteThere:
        byResource[m_works[i].key].push_back(i);
        break;
      default:
        break;
    }
  }
  for (const auto& [key, works] : byResource) {
    if (m_writesStopped) break;
    WriteResourceChanges(key, works);
  }
  for (Work& work : m_works) {
    if (m_writesStopped) break;
    if (work.action == ItemAction::kSendNew) SendNew(work);
  }
  for (Work& work : m_works) {
    if (work.server == Step::kNone && (work.action == ItemAction::kSendNew || work.action == ItemAction::kSendChange ||
                                       work.action == ItemAction::kBoth || work.action == ItemAction::kDeleteThere)) {
      work.server = Step::kFailed;
    }
    if (work.server == Step::kFailed) m_complete = false;
  }
}

void CSyncRunner::SendNew(Work& work) {
  const BookPlace place = {DateOf(work.item.day), work.item.slot};
  const std::string uid = FormatBookUid(m_identity.id, place);
  // In the calendar's path as the server wrote it: decoded, it could be no path at all.
  DavUrl calendar;
  ParseDavUrl(m_settings.calendarUrl, calendar);
  const std::string folder = calendar.path.back() == '/' ? calendar.path : calendar.path + "/";
  const std::string href = folder + EncodePathSegment(uid) + ".ics";
  const std::string stamp = UtcStamp(m_clock.utcSeconds);
  const std::string entry = Utf8OfField(work.field);
  const std::string text = work.item.slot == kMemoSlot ? NewMemoEventText(uid, place.date, entry, stamp)
                                                       : NewLineEventText(uid, EventOfLine(entry, place.date),
                                                                          AdditionsFor(work.item.day), *m_zone, stamp);
  std::string etag;
  if (!SendPut(href, text, std::string(), true, etag, work.item.day, entry)) {
    work.server = Step::kFailed;
    return;
  }
  work.server = Step::kDone;
  work.newHref = href;
  ++m_outcome.counts.sentNew;
  SyncedResource made;
  made.href = href;
  made.etag = etag;
  made.uid = uid;
  made.contentHash = CCalendarText(text).ContentHash();
  m_made.push_back(made);
}

void CSyncRunner::WriteResourceChanges(const std::string& key, const std::vector<size_t>& works) {
  Resource& resource = m_resources[key];
  auto failAll = [&] {
    for (size_t index : works) m_works[index].server = Step::kFailed;
  };
  const bool onlyDelete = !resource.event.recurs && std::all_of(works.begin(), works.end(), [&](size_t index) {
    return m_works[index].action == ItemAction::kDeleteThere;
  });
  if (onlyDelete) {
    HttpRequest request;
    request.method = "DELETE";
    request.url = ResolveHref(m_settings.calendarUrl, resource.href);
    if (!resource.etag.empty()) AddHeader(request, "If-Match", resource.etag);
    const HttpResponse response = m_dav.Send(request);
    SyncProblemInfo problem = ProblemOfResponse(response);
    const Work& first = m_works[works.front()];
    // Gone already is deleted all the same.
    if (!problem.Failed() || problem.problem == SyncProblem::kNotFound) {
      for (size_t index : works) m_works[index].server = Step::kDone;
      m_outcome.counts.deletedThere += 1;
      resource.present = false;
      return;
    }
    failAll();
    if (StopsWrites(problem)) return;
    if (response.status == 412) {
      Note(SyncNoteKind::kChangedMeanwhile, first.item.day, Subject(first));
    } else {
      Note(SyncNoteKind::kRefused, first.item.day, Subject(first), problem.status);
    }
    return;
  }
  // The text as it is now: kept from the fetch, else read again.
  std::string text = resource.text;
  std::string etag = resource.etag;
  if (text.empty()) {
    SyncProblemInfo problem;
    FetchedResource fetched = FetchOne(m_dav, m_settings.calendarUrl, resource.href, problem);
    if (problem.Failed() || !fetched.hasText || (!etag.empty() && !fetched.etag.empty() && fetched.etag != etag)) {
      failAll();
      if (!StopsWrites(problem))
        Note(SyncNoteKind::kChangedMeanwhile, m_works[works.front()].item.day, Subject(m_works[works.front()]));
      return;
    }
    text = std::move(fetched.text);
    if (!fetched.etag.empty()) etag = fetched.etag;
  }
  EventReading reading;
  reading.firstDay = m_firstDay;
  reading.horizonDay = m_horizonDay;
  reading.lastDay = m_lastDay;
  reading.zone = m_zone;
  const std::string stamp = UtcStamp(m_clock.utcSeconds);
  for (size_t index : works) {
    const Work& work = m_works[index];
    // Each change is found again in the text as the ones before left it.
    const ServerEvent event = ReadServerEvent(text, reading);
    const ServerOccurrence* occurrence = nullptr;
    for (const ServerOccurrence& candidate : event.occurrences) {
      if (candidate.recurrence == work.item.recurrence) occurrence = &candidate;
    }
    CCalendarText document(text);
    const std::vector<EventComponent> components = document.Events();
    if (occurrence == nullptr || occurrence->component >= components.size()) {
      m_works[index].server = Step::kFailed;
      continue;
    }
    const EventComponent& component = components[occurrence->component];
    const BookAdditions additions = AdditionsFor(work.item.day);
    const BookAdditions* own = work.bookMade ? &additions : nullptr;
    if (work.action == ItemAction::kDeleteThere) {
      if (event.master < components.size() && event.recurs) {
        AddOccurrenceExclusion(document, components[event.master],
                               OccurrenceLine("EXDATE", event, work.item.recurrence),
                               occurrence->exception ? &component : nullptr);
      } else {
        document.RemoveRange(component.begin, component.end - component.begin + 1);
      }
    } else {
      const std::string ours = work.action == ItemAction::kBoth && work.item.slot == kMemoSlot
                                   ? Utf8OfField(work.newField)
                                   : Utf8OfField(work.field);
      if (work.item.slot == kMemoSlot) {
        SetMemoEvent(document, component, ours);
      } else {
        const LineEvent line = EventOfLine(ours, DateOf(work.item.day));
        if (event.recurs && !occurrence->exception && event.master < components.size()) {
          AddOccurrenceException(document, components[event.master],
                                 OccurrenceLine("RECURRENCE-ID", event, work.item.recurrence), line, own, *m_zone,
                                 stamp);
        } else {
          SetLineEvent(document, component, line, own, *m_zone);
        }
      }
    }
    text = document.Text();
  }
  std::string newEtag;
  const Work& first = m_works[works.front()];
  if (!SendPut(resource.href, text, etag, false, newEtag, first.item.day, Subject(first))) {
    failAll();
    return;
  }
  for (size_t index : works) {
    Work& work = m_works[index];
    // One whose occurrence was not found in the text is not in what went.
    if (work.server != Step::kNone) continue;
    work.server = Step::kDone;
    ++(work.action == ItemAction::kDeleteThere ? m_outcome.counts.deletedThere : m_outcome.counts.sentChanged);
  }
  resource.written = true;
  resource.etag = newEtag;
  resource.writtenHash = CCalendarText(text).ContentHash();
}

void CSyncRunner::WriteBook() {
  std::vector<BookOp> ops;
  for (size_t i = 0; i < m_works.size(); ++i) {
    Work& work = m_works[i];
    const std::string seals = work.there != nullptr ? work.there->sealNames : std::string();
    switch (work.action) {
      case ItemAction::kTakeChange:
        if (work.there->day == work.item.day) {
          ops.push_back({i, OpKind::kSet, work.item.day, work.item.slot, work.field, work.theirs, seals, true});
        } else {
          // Moved to another day: cleared here, placed there.
          ops.push_back(
              {i, OpKind::kClear, work.item.day, work.item.slot, work.field, std::string(), std::string(), true});
          ops.push_back(
              {i, OpKind::kPlace, work.there->day, work.item.slot, std::string(), work.there->line, seals, true});
        }
        break;
      case ItemAction::kClearHere:
        ops.push_back(
            {i, OpKind::kClear, work.item.day, work.item.slot, work.field, std::string(), std::string(), true});
        break;
      case ItemAction::kTakeNew: {
        const bool memo = work.item.slot == kMemoSlot;
        ops.push_back({i, OpKind::kPlace, work.there->day, memo ? kMemoSlot : work.item.slot, std::string(),
                       memo ? Utf8OfField(work.theirs) : work.there->line, seals, true});
        break;
      }
      case ItemAction::kBoth:
        if (work.server != Step::kDone) break;
        if (work.item.slot == kMemoSlot) {
          ops.push_back({i, OpKind::kSet, work.item.day, kMemoSlot, work.field, work.newField, std::string(), true});
        } else {
          // Ours stays in its line and went to the server; theirs joins the day as an entry of its own.
          ops.push_back(
              {i, OpKind::kPlace, work.there->day, -1, std::string(), work.there->line, std::string(), false});
        }
        break;
      default:
        break;
    }
  }
  std::map<int, std::vector<size_t>> byMonth;  // by year * 12 + month - 1
  for (size_t i = 0; i < ops.size(); ++i) {
    const CalendarDate date = DateOfDayNumber(ops[i].day);
    byMonth[date.year * kMonthsInYear + date.month - 1].push_back(i);
  }
  std::vector<bool> done(ops.size(), false);
  std::vector<int> landed(ops.size(), kNoSlot);
  std::vector<std::string> sealsAfter(ops.size());
  for (const auto& entry : byMonth) {
    const int index = entry.first;
    const std::vector<size_t>& monthOps = entry.second;
    const int year = index / kMonthsInYear;
    const int month = index % kMonthsInYear + 1;
    const int monthStart = DayNumberOf(year, month, 1);
    std::vector<bool> applied(ops.size(), false);
    MonthChange change;
    try {
      change = m_context.book.ChangeMonth(year, month, [&](MonthTable& table) {
        bool changed = false;
        for (size_t opIndex : monthOps) {
          applied[opIndex] = false;
          BookOp& op = ops[opIndex];
          DayRecord& day = table.Day(op.day - monthStart + 1);
          if (op.kind != OpKind::kPlace) {
            // Changed meanwhile (typed while the sync ran): left for the next sync.
            if (FieldOf(day, op.slot) != op.expect) continue;
            SetField(day, op.slot, op.kind == OpKind::kSet ? op.bytes : std::string());
            landed[opIndex] = op.slot;
          } else if (op.slot == kMemoSlot) {
            DayWishes wishes;
            wishes.memos.push_back({WithCrLf(op.bytes), 0});
            MergeDay(day, wishes);
            landed[opIndex] = kMemoSlot;
          } else {
            // Into a free line: every line that holds something is marked taken, so that the
            // merge never takes another item's line for this one.
            DayRecord trial = day;
            for (int line = 0; line < kLineCount; ++line) {
              if (trial.szLine[line][0] != '\0') {
                trial.szLine[line][0] = kTakenMark;
                trial.szLine[line][1] = '\0';
              }
            }
            DayWishes wishes;
            wishes.lines.push_back({WithCrLf(op.bytes), op.slot, 0});
            const MergeNote note = MergeDay(trial, wishes).front();
            if (note.outcome == MergeOutcome::kAdded) {
              std::memcpy(day.szLine[note.index], trial.szLine[note.index], kLineSize);
              landed[opIndex] = note.index;
            } else {
              // No free line: the end of the memo, as the import does; else told once.
              DayWishes asMemo;
              asMemo.memos.push_back({WithCrLf(op.bytes), 0});
              DayRecord withMemo = day;
              const MergeNote memoNote = MergeDay(withMemo, asMemo).front();
              if (memoNote.outcome != MergeOutcome::kNoRoom && !memoNote.cut) day = withMemo;
              if (memoNote.outcome == MergeOutcome::kNoRoom || memoNote.cut)
                Note(SyncNoteKind::kNoRoom, op.day, op.bytes);
              landed[opIndex] = kNoSlot;
            }
          }
          if (!op.seals.empty()) {
            DayWishes sealWishes;
            sealWishes.seals = SealWishesOf(op.seals);
            MergeDay(day, sealWishes);
          }
          sealsAfter[opIndex] = DaySealNames(day);
          applied[opIndex] = true;
          changed = true;
        }
        return changed;
      });
    } catch (const std::bad_alloc&) {
      change.read = MonthRead::kRead;
      change.changed = true;
      change.written = false;
    }
    const bool written = change.read != MonthRead::kFailed && (!change.changed || change.written);
    if (change.read == MonthRead::kFailed) Note(SyncNoteKind::kMonthUnreadable, monthStart, change.reason);
    if (change.read != MonthRead::kFailed && change.changed && !change.written)
      Note(SyncNoteKind::kMonthUnwritten, monthStart, std::string());
    for (size_t opIndex : monthOps) done[opIndex] = written && applied[opIndex];
  }
  // Each work is done when all its changes are; where its item now stands.
  std::vector<bool> anyOp(m_works.size(), false);
  std::vector<bool> allDone(m_works.size(), true);
  for (size_t i = 0; i < ops.size(); ++i) {
    const BookOp& op = ops[i];
    anyOp[op.work] = true;
    allDone[op.work] = allDone[op.work] && done[i];
    Work& work = m_works[op.work];
    if (!done[i] || op.kind == OpKind::kClear || !op.linked) continue;
    work.newDay = op.day;
    work.newSlot = landed[i];
    work.newSeals = sealsAfter[i];
  }
  for (size_t i = 0; i < m_works.size(); ++i) {
    if (!anyOp[i]) continue;
    Work& work = m_works[i];
    work.book = allDone[i] ? Step::kDone : Step::kFailed;
    if (work.book == Step::kFailed) {
      m_complete = false;
      continue;
    }
    switch (work.action) {
      case ItemAction::kTakeChange:
        ++m_outcome.counts.takenChanged;
        break;
      case ItemAction::kTakeNew:
        ++m_outcome.counts.takenNew;
        break;
      case ItemAction::kClearHere:
        ++m_outcome.counts.clearedHere;
        break;
      case ItemAction::kBoth:
        // Theirs joined the day, or the memo holds both.
        ++(work.item.slot == kMemoSlot ? m_outcome.counts.takenChanged : m_outcome.counts.takenNew);
        Note(SyncNoteKind::kBothChanged, work.item.day, Subject(work));
        break;
      default:
        break;
    }
  }
}

void CSyncRunner::SaveRecord() {
  SyncRecord record;
  record.calendarUrl = m_settings.calendarUrl;
  record.resourceId = m_listing.describedItself ? m_listing.resourceId : m_record.resourceId;
  record.horizonDay = m_horizonDay;
  record.lastSyncUtc = m_clock.utcSeconds;
  // Items: those left as they were, then each work's result.
  record.items = m_kept;
  std::set<std::string> stillLinked;
  for (const SyncedItem& item : m_kept) stillLinked.insert(HrefKey(item.href));
  std::vector<std::pair<SyncedItem, std::string>> links;  // each item linked after the run, with its field then
  for (const Work& work : m_works) {
    SyncedItem item = work.item;
    bool keep = work.inRecord;  // by default what the record held stays
    std::string field = work.field;
    auto hashOf = [&](int slot, const std::string& field) {
      Work probe = work;
      probe.item.slot = slot;
      return ItemHash(field, work.newSeals, WithSeals(probe));
    };
    switch (work.action) {
      case ItemAction::kNone:
        break;
      case ItemAction::kLink:
        item.bookHash = work.hashNow;
        keep = true;
        ++m_outcome.counts.linked;
        break;
      case ItemAction::kForget:
        keep = false;
        break;
      case ItemAction::kSendNew:
        if (work.server == Step::kDone) {
          item = SyncedItem();
          item.href = work.newHref;
          item.day = work.item.day;
          item.slot = work.item.slot;
          item.bookHash = work.hashNow;
          keep = true;
        } else {
          // The server deleted it and the edit could not be sent yet: the line is new to it next time.
          keep = false;
        }
        break;
      case ItemAction::kSendChange:
        if (work.server == Step::kDone) item.bookHash = work.hashNow;
        break;
      case ItemAction::kDeleteThere:
        if (work.server == Step::kDone) keep = false;
        break;
      case ItemAction::kClearHere:
        if (work.book == Step::kDone) keep = false;
        break;
      case ItemAction::kTakeChange:
      case ItemAction::kTakeNew:
        if (work.book == Step::kDone) {
          item.day = work.newDay;
          item.slot = work.newSlot;
          // The field as the sync stored it; the seals it may have added count with it.
          item.bookHash = work.newSlot == kNoSlot ? 0 : hashOf(work.newSlot, work.theirs);
          keep = true;
          // In a line the field is theirs as stored; in the memo it is theirs among the rest.
          field = work.newSlot >= 0 && work.newSlot < kLineCount ? work.theirs : std::string();
        }
        break;
      case ItemAction::kBoth:
        if (work.server == Step::kDone) {
          item.bookHash = work.item.slot == kMemoSlot ? ItemHash(work.newField, std::string(), false) : work.hashNow;
          keep = true;
          if (work.item.slot == kMemoSlot) field = work.newField;
        }
        break;
    }
    if (keep) {
      record.items.push_back(item);
      stillLinked.insert(HrefKey(item.href));
      if (item.slot != kNoSlot && !field.empty()) links.push_back({item, field});
    }
  }
  SaveLinked(links, record);
  // Resources: what is there now; one whose items are not all done keeps what the record knew, to be read again.
  for (const auto& [key, resource] : m_resources) {
    if (!resource.present) continue;
    SyncedResource kept;
    kept.href = resource.href;
    kept.uid = resource.uid;
    kept.unreadable = resource.unreadable;
    kept.duplicate = resource.duplicate;
    kept.recurs = resource.fetched ? resource.event.recurs : resource.old != nullptr && resource.old->recurs;
    if (resource.written) {
      kept.etag = resource.etag;
      kept.contentHash = resource.writtenHash;
    } else if (resource.fetched && resource.settled) {
      kept.etag = resource.etag;
      kept.contentHash = resource.event.contentHash;
    } else if (resource.old != nullptr) {
      kept.etag = resource.old->etag;
      kept.contentHash = resource.old->contentHash;
      if (resource.fetched) m_complete = false;
    } else {
      // Seen for the first time and not done: unknown, so that it is read again.
      m_complete = false;
      continue;
    }
    record.resources.push_back(kept);
  }
  for (const SyncedResource& made : m_made) record.resources.push_back(made);
  for (const Work& work : m_works) {
    if (work.book == Step::kFailed || work.server == Step::kFailed) m_complete = false;
  }
  if (m_book.AnyUnreadable()) m_complete = false;
  // A token covers every change up to it: kept only when all of them were taken.
  record.syncToken = m_complete ? m_listing.token : (m_listing.delta ? m_record.syncToken : std::string());
  record.lastComplete = m_complete;
  if (!WriteSyncRecord(m_context.files, m_context.statePath, record)) {
    m_outcome.result = SyncResult::kFailed;
    m_outcome.problem.problem = SyncProblem::kStateUnwritten;
  }
}

void CSyncRunner::SaveLinked(const std::vector<std::pair<SyncedItem, std::string>>& links, SyncRecord& record) {
  if (!m_linkedRead) {
    record.passed = m_record.passed;
    return;
  }
  // Each place as this run left it, where it changed one; and the occurrences it deleted.
  std::map<std::pair<int, int>, std::string> fields;
  std::set<std::pair<std::string, std::string>> deleted;
  for (const Work& work : m_works) {
    if (work.action == ItemAction::kDeleteThere && work.server == Step::kDone)
      deleted.insert({work.key, work.item.recurrence});
    if (work.book != Step::kDone) continue;
    if (work.action == ItemAction::kClearHere ||
        (work.action == ItemAction::kTakeChange && work.newDay != work.item.day)) {
      fields[{work.item.day, work.item.slot}] = std::string();
    }
  }
  for (const auto& [item, field] : links) fields[{item.day, item.slot}] = field;
  CLinkedItems linked = m_linked;
  for (const auto& [item, field] : links) {
    linked.Add({item.day, item.slot, HashBytes(field), item.href, item.recurrence});
  }
  // Ended for this PC: an occurrence it deleted itself, or one gone whose line no longer holds it.
  for (const LinkedItem& entry : m_linked.All()) {
    if (entry.day < m_firstDay || entry.day > m_lastDay) continue;
    const std::string line = FormatLinkedItem(entry);
    bool ended = deleted.count({HrefKey(entry.href), entry.recurrence}) != 0;
    if (!ended && StandingOf(HrefKey(entry.href), entry.recurrence) == Standing::kGone) {
      auto changed = fields.find({entry.day, entry.slot});
      const DayRecord* day = m_book.Day(entry.day);
      if (changed != fields.end()) {
        ended = HashBytes(changed->second) != entry.fieldHash;
      } else if (day != nullptr) {
        ended = HashBytes(FieldOf(*day, entry.slot)) != entry.fieldHash;
      }
    }
    if (ended) m_passed.insert(line);
  }
  // Entries of days long past the days synced go from the file; what another PC saw in them no longer matters.
  const int pruneBefore = m_firstDay - kLinkedKeptDays;
  WriteLinkedItems(m_context.files, m_context.dataFolder, m_linkedPath, linked, pruneBefore);
  for (const std::string& line : m_passed) {
    if (linked.Holds(line)) record.passed.push_back(line);
  }
}
