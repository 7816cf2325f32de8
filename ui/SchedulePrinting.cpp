#include "ui/SchedulePrinting.h"

#include <string>

#include "calendar/CalendarFacts.h"
#include "data/FileSystem.h"
#include "print/DiaryDays.h"
#include "print/PrintTexts.h"
#include "repeat/HostHolidays.h"
#include "repeat/RepeatMonths.h"
#include "ui/PrintDialog.h"
#include "ui/PrintPreviewDialog.h"
#include "ui/PrinterJob.h"
#include "ui/ScheduleDialog.h"
#include "ui/core/CellContent.h"
#include "ui/core/DayFacts.h"
#include "win/Text.h"

namespace {

// Shown once a job has taken this long.
constexpr DWORD kProgressDelayMs = 400;
constexpr UINT kProgressStepMs = 100;
constexpr size_t kMonthsNamed = 12;

std::string MonthList(const std::vector<YearMonth>& months, const PrintNames& names) {
  std::string list;
  for (size_t i = 0; i < months.size() && i < kMonthsNamed; ++i) {
    list += "\r\n" + MonthHeadingText(months[i].year, months[i].month, names);
  }
  if (months.size() > kMonthsNamed) list += "\r\n...";
  return list;
}

CalendarDate DateOf(const DateRecord& date) { return {date.wYear, date.wMonth, date.wDay}; }

}  // namespace

void CSchedulePrinting::PrintWithDialogs() {
  // One print at a time, and none from under another dialog of the tool (the host may ask at any time).
  if (m_run.HasRun() || m_window.m_modalActive != 0) {
    ::MessageBeep(MB_OK);
    return;
  }
  // What is being typed is printed too.
  m_window.StoreFocusedText();
  if (!IsAnyPrinterInstalled()) {
    Tell("プリンターがインストールされていません。\r\nプリンターを追加してから、もう一度印刷してください。",
         MB_OK | MB_ICONINFORMATION);
    return;
  }
  const MonthView view = m_window.m_session.View();
  PrintChoice choice = m_lastChoice;
  if (choice.wholeMonth || choice.from.year == 0) {
    const PrintChoice shown = DefaultPrintChoice(view.year, view.month);
    choice.from = shown.from;
    choice.to = shown.to;
  }
  const PrintNames names = ReadNames();
  CPrintDialog dialog(&m_window, choice, view.year, view.month, MonthHeadingText(view.year, view.month, names),
                      [this](HWND owner, const PrintChoice& shown) { Preview(owner, shown); });
  INT_PTR result = IDCANCEL;
  {
    CModalScope modal(m_window);
    result = dialog.DoModal();
  }
  if (!m_window.IsWindow() || result != IDOK) return;
  m_lastChoice = dialog.Choice();
  PrintEnd ended = kPrintEndPrinted;
  std::unique_ptr<IPrintDocument> document = MakeDocument(m_lastChoice, true, ended);
  if (document == nullptr) return;
  PrinterChoice printer;
  bool olderDialog = false;
  PrinterAsked asked = PrinterAsked::kCancelled;
  {
    CModalScope modal(m_window);
    asked = AskForPrinter(m_window.m_hWnd, document->Landscape(), printer, olderDialog);
  }
  if (!m_window.IsWindow() || asked == PrinterAsked::kCancelled) return;
  if (asked == PrinterAsked::kFailed) {
    Tell("印刷ダイアログを開けませんでした。", MB_OK | MB_ICONEXCLAMATION);
    return;
  }
  Start(std::move(printer), std::move(document), false);
}

void CSchedulePrinting::PrintWithoutDialogs(const PrintRequest& request) {
  if (m_run.HasRun()) return TellHost(kPrintEndRefused, 0);
  m_window.StoreFocusedText();
  const MonthView view = m_window.m_session.View();
  PrintChoice choice = DefaultPrintChoice(view.year, view.month);
  choice.kind = request.kind == kPrintDiary ? PrintKind::kDiary : PrintKind::kMonth;
  choice.withEmptyDays = request.withEmptyDays != 0;
  if (request.from.wYear != 0 || request.to.wYear != 0) {
    choice.wholeMonth = false;
    choice.from = DateOf(request.from);
    choice.to = DateOf(request.to);
  }
  if (!CheckPrintChoice(choice, view.year, view.month).empty()) return TellHost(kPrintEndRefused, 0);
  if (!IsAnyPrinterInstalled()) return TellHost(kPrintEndNoPrinter, 0);
  PrintEnd ended = kPrintEndPrinted;
  std::unique_ptr<IPrintDocument> document = MakeDocument(choice, false, ended);
  if (document == nullptr) return TellHost(ended, 0);
  std::optional<PrinterChoice> printer = DefaultPrinter(document->Landscape());
  if (!printer) return TellHost(kPrintEndNoPrinter, 0);
  Start(std::move(*printer), std::move(document), true);
}

std::unique_ptr<IPrintDocument> CSchedulePrinting::MakeDocument(const PrintChoice& choice, bool ask, PrintEnd& ended,
                                                                 HWND owner) {
  if (choice.kind == PrintKind::kMonth) return MakeMonthDocument(ReadMonthSheet());
  CScheduleDialog& window = m_window;
  const MonthView view = window.m_session.View();
  auto data = std::make_shared<DiaryData>();
  DiaryRange(choice, view.year, view.month, data->from, data->to);
  data->names = ReadNames();
  const char* directory = window.m_pHost->GetDataDirectory(1, 0);
  CFolderMonths files(SystemFileSystem(),
                      directory != nullptr ? std::string(directory) + "\\" + window.m_toolName.str() : "");
  CHostHolidays holidays(*window.m_pHost);
  DiaryDays days = CollectDiaryDays(
      data->from, data->to, choice.withEmptyDays,
      [&](int year, int month, MonthTable& table) {
        // The months the window holds, with what is not written yet; the others as their files are.
        if (window.m_session.CopyHeldMonth(year, month, table)) return MonthReadOutcome::kRead;
        if (directory == nullptr) return MonthReadOutcome::kAbsent;
        switch (files.ReadMonth(year, month, table)) {
          case MonthRead::kRead:
            return MonthReadOutcome::kRead;
          case MonthRead::kAbsent:
            return MonthReadOutcome::kAbsent;
          default:
            return MonthReadOutcome::kUnreadable;
        }
      },
      [&](int dayNumber) { return holidays.IsHoliday(dayNumber); });
  if (!days.unreadable.empty()) {
    ended = kPrintEndUnreadable;
    if (!ask) return nullptr;
    const std::string question = "次の月のファイルを読めませんでした:" + MonthList(days.unreadable, data->names) +
                                 "\r\n\r\nこれらの月の日を除いて印刷しますか?";
    if (Tell(question, MB_YESNO | MB_ICONEXCLAMATION, owner) != IDYES) return nullptr;
  }
  if (days.days.empty()) {
    ended = kPrintEndNothing;
    if (ask) {
      Tell(choice.withEmptyDays ? "印刷する日がありません。" : "この期間には予定のある日がありません。",
           MB_OK | MB_ICONINFORMATION, owner);
    }
    return nullptr;
  }
  data->days = std::move(days.days);
  return MakeDiaryDocument(std::move(data));
}

std::shared_ptr<MonthSheetData> CSchedulePrinting::ReadMonthSheet() {
  CToolHost& host = *m_window.m_pHost;
  const MonthView view = m_window.m_session.View();
  auto data = std::make_shared<MonthSheetData>();
  data->year = view.year;
  data->month = view.month;
  data->grid = view.dayGrid;
  m_window.m_session.CopyTable(data->table);
  data->themeIndex = m_window.ReadSettingInt("BackColor");
  for (int column = 0; column < MonthGrid::kColumns; ++column) {
    const char* name = AskCalendarText(host, kCalWeekdayName, column, m_window.m_japaneseNames);
    data->weekdayNames[column] = WidenCp932(name, WeekdayNameLength(name));
  }
  {
    // Paper keeps no today: it is on the wall tomorrow too.
    CHolidayBracket bracket(host, view.year);
    for (int row = 0; row < MonthGrid::kRows; ++row) {
      for (int column = 0; column < MonthGrid::kColumns; ++column) {
        const int day = view.dayGrid.At(row, column);
        if (day < 1 || day > kDaysInTable) continue;
        data->dayColours[day] = DayNumberColour(column, AskIsHoliday(host, view.year, view.month, day), false);
      }
    }
  }
  data->heading = MonthHeadingText(view.year, view.month, ReadNames());
  return data;
}

PrintNames CSchedulePrinting::ReadNames() {
  CToolHost& host = *m_window.m_pHost;
  const int japanese = m_window.m_japaneseNames;
  PrintNames names;
  names.japanese = japanese != 0;
  for (int month = 1; month <= 12; ++month)
    names.months[month - 1] = AskCalendarText(host, kCalMonthName, month, japanese);
  for (int weekday = 0; weekday < 7; ++weekday) {
    names.weekdays[weekday] = AskCalendarText(host, kCalWeekdayName, weekday, japanese);
  }
  return names;
}

void CSchedulePrinting::Preview(HWND owner, const PrintChoice& choice) {
  PrintEnd ended = kPrintEndPrinted;
  // Boxes over the dialog that asked: the window beneath stays disabled.
  std::unique_ptr<IPrintDocument> document = MakeDocument(choice, true, ended, owner);
  if (document == nullptr) return;
  const std::optional<PrinterChoice> printer = DefaultPrinter(document->Landscape());
  CWnd parent(owner);
  if (printer) {
    CPrintPreviewDialog preview(&parent, *document, *printer);
    if (preview.DoModal() != -1) return;
  }
  Tell("既定のプリンターからページの大きさを知ることができませんでした。", MB_OK | MB_ICONEXCLAMATION, owner);
}

void CSchedulePrinting::Start(PrinterChoice printer, std::unique_ptr<IPrintDocument> document, bool tellHost) {
  HWND window = m_window.m_hWnd;
  m_tellHost = tellHost;
  auto job = std::make_unique<CPrinterJob>(std::move(printer), std::move(document));
  if (!m_run.Start(std::move(job), [window] { ::PostMessageW(window, WM_TOOL_PRINTENDED, 0, 0); })) {
    if (tellHost) TellHost(kPrintEndRefused, 0);
    return;
  }
  m_startedAt = GetTickCount();
  ::SetTimer(window, kPrintProgressTimer, kProgressStepMs, nullptr);
}

void CSchedulePrinting::OnProgressTimer() {
  if (!m_run.IsRunning()) return;
  if (!m_progress) {
    if (GetTickCount() - m_startedAt < kProgressDelayMs) return;
    m_progress = std::make_unique<CPrintProgressWindow>(&m_window, [this] { m_run.Cancel(); });
    if (!m_progress->Show()) {
      m_progress.reset();
      return;
    }
  }
  size_t printed = 0;
  size_t pages = 0;
  m_run.Progress(printed, pages);
  m_progress->SetProgress(printed, pages);
}

void CSchedulePrinting::OnPrintEnded() {
  if (!m_run.HasRun()) return;
  ::KillTimer(m_window.m_hWnd, kPrintProgressTimer);
  m_progress.reset();
  const PrintResult result = m_run.Finish();
  if (m_tellHost) {
    switch (result.outcome) {
      case PrintOutcome::kPrinted:
        return TellHost(kPrintEndPrinted, 0);
      case PrintOutcome::kCancelled:
        return TellHost(kPrintEndCancelled, 0);
      case PrintOutcome::kNothing:
        return TellHost(kPrintEndNothing, 0);
      default:
        return TellHost(kPrintEndFailed, result.failedPage);
    }
  }
  switch (result.outcome) {
    case PrintOutcome::kPrinted:
    case PrintOutcome::kCancelled:
      return;
    case PrintOutcome::kNothing:
      Tell("印刷するページがありません。", MB_OK | MB_ICONINFORMATION);
      return;
    case PrintOutcome::kCannotOpen:
      Tell("プリンターを開けませんでした。", MB_OK | MB_ICONEXCLAMATION);
      return;
    case PrintOutcome::kFailed: {
      std::string text = "印刷中にプリンターでエラーが起きたため、印刷を取り消しました。";
      if (result.failedPage > 0) {
        text += "\r\n（" + std::to_string(result.failedPage) + " / " + std::to_string(result.pages) + " ページ目）";
      }
      text += "\r\nプリンターを確かめて、もう一度印刷してください。";
      Tell(text, MB_OK | MB_ICONEXCLAMATION);
      return;
    }
  }
}

void CSchedulePrinting::Stop() {
  if (!m_run.HasRun()) return;
  m_run.Cancel();
  ::KillTimer(m_window.m_hWnd, kPrintProgressTimer);
  m_progress.reset();
  const PrintResult result = m_run.Finish();
  if (m_tellHost) TellHost(result.outcome == PrintOutcome::kPrinted ? kPrintEndPrinted : kPrintEndCancelled, 0);
}

void CSchedulePrinting::TellHost(PrintEnd ended, size_t failedPage) {
  if (m_window.m_pHostWnd != nullptr) {
    m_window.m_pHostWnd->PostMessage(WM_TOOL_PRINTED, static_cast<WPARAM>(ended), static_cast<LPARAM>(failedPage));
  }
}

int CSchedulePrinting::Tell(const std::string& text, UINT type, HWND owner) {
  CModalScope modal(m_window);
  // Over a dialog the window shows meanwhile, which the box then disables, not the window beneath it.
  if (owner == nullptr) owner = ::GetLastActivePopup(m_window.m_hWnd);
  return MessageBoxW(owner, WidenCp932(text.c_str()).c_str(), WidenCp932(m_window.GetTitle()).c_str(), type);
}
