#include "sync/SyncRun.h"

#include <cstdio>

#include "calendar/DayNumber.h"
#include "sync/SyncRunner.h"

namespace {

std::string DateText(int dayNumber, bool month) {
  if (dayNumber <= 0) return std::string();
  const CalendarDate date = DateOfDayNumber(dayNumber);
  char text[64];
  if (month) {
    std::snprintf(text, sizeof text, u8"%d年%d月 ", date.year, date.month);
  } else {
    std::snprintf(text, sizeof text, "%d/%d/%d ", date.year, date.month, date.day);
  }
  return text;
}

}  // namespace

SyncOutcome RunSync(const SyncSettings& settings, SyncContext& context, const SyncClock& clock) {
  return CSyncRunner(settings, context, clock).Run();
}

std::string DescribeSyncNote(const SyncNote& note) {
  // UTF-8 literals: narrow literals of this project are cp932.
  const bool month = note.kind == SyncNoteKind::kMonthUnreadable || note.kind == SyncNoteKind::kMonthUnwritten;
  std::string text = DateText(note.dayNumber, month);
  switch (note.kind) {
    case SyncNoteKind::kUnreadableEvent:
      text += u8"サーバーの予定を読めないため、そのままにしました";
      break;
    case SyncNoteKind::kNoRoom:
      text += u8"空いた行もメモの余白もないため、予定表に入れられませんでした";
      break;
    case SyncNoteKind::kRefused:
      text += u8"サーバーが変更を受け付けませんでした";
      break;
    case SyncNoteKind::kChangedMeanwhile:
      text += u8"同期中にサーバーで変更されました。次の同期で合わせます";
      break;
    case SyncNoteKind::kMonthUnreadable:
      text += u8"月のファイルを読めないため、その月は同期しませんでした";
      break;
    case SyncNoteKind::kMonthUnwritten:
      text += u8"月のファイルに書き込めませんでした。次の同期でもう一度試します";
      break;
    case SyncNoteKind::kDuplicateUid:
      text += u8"同じUIDの予定がサーバーに複数あるため、そのままにしました";
      break;
    case SyncNoteKind::kBothChanged:
      text += u8"予定表とサーバーの両方で変更されたため、両方を残しました";
      break;
  }
  if (note.status != 0) text += " (HTTP " + std::to_string(note.status) + ")";
  if (!note.subject.empty() && !month) text += u8": " + note.subject;
  return text;
}

std::string DescribeSyncOutcome(const SyncOutcome& outcome) {
  if (outcome.result != SyncResult::kDone || outcome.problem.Failed()) return DescribeSyncProblem(outcome.problem);
  const SyncCounts& counts = outcome.counts;
  const int sent = counts.sentNew + counts.sentChanged + counts.deletedThere;
  const int taken = counts.takenNew + counts.takenChanged + counts.clearedHere;
  std::string text = u8"同期しました (送信 " + std::to_string(sent) + u8", 受信 " + std::to_string(taken) + ")";
  if (!outcome.notes.empty()) text += u8" 注意 " + std::to_string(outcome.notes.size()) + u8" 件";
  return text;
}
