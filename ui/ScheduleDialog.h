#pragma once
// The schedule window: the painted month calendar on the right, the day
// page on the left. Lives on a UI thread of its own and shows the month
// that its month session holds.
#include <atomic>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "book/MonthSession.h"
#include "data/DayRecord.h"
#include "repeat/RepeatRun.h"
#include "sync/win/SyncThread.h"
#include "tool/ToolBase.h"
#include "ui/CalendarAccess.h"
#include "ui/CellLineLayouts.h"
#include "ui/CellPictureCache.h"
#include "ui/Reminders.h"
#include "ui/SchedulePrinting.h"
#include "ui/ScheduleSetupDialog.h"
#include "ui/SealDialog.h"
#include "ui/core/CalendarColours.h"
#include "ui/SyncSetupDialog.h"
#include "win/Gdi.h"
#include "win/ToolTip.h"

// The window's timers: text being typed is stored after a pause; while a
// repeated line is written, the progress bar, once it takes a while.
constexpr UINT_PTR kTypingPauseTimer = 1;
constexpr UINT_PTR kRepeatProgressTimer = 20;

class CScheduleDialog : public CToolBase {
 public:
  explicit CScheduleDialog(CWnd* hostWnd);
  ~CScheduleDialog() override;

  // The host's operations.
  int SaveState() override;
  intptr_t Search(SearchRequest* request, const char* text) override;
  const char* GetTitle() override;
  void Initialize() override;
  UINT GetTemplateId() override;
  LRESULT OnSettings(WPARAM wParam, LPARAM lParam) override;

  // The framework's.
  BOOL OnInitDialog() override;
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL PreTranslateMessage(MSG* msg) override;
  LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  INT_PTR WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  // IDOK and IDCANCEL from the dialog manager end nothing: only closing does.
  void OnOK() override;
  void OnCancel() override;

  // Window life and appearance.
  static UINT UiThreadProc(void* tool);
  void ApplySettings();
  void ApplyTheme(int themeIndex);
  void OnClose();
  void OnDestroy();
  void RememberRestoredPosition();
  HBRUSH OnCtlColor(HDC dc, HWND control, HBRUSH defaultBrush);
  int ReadSettingInt(const char* key) const;

  // What the user is told of a month file, each box bracketed by
  // m_modalActive; from another thread the box is left to the window's.
  void ReportWriteFailure();
  void ReportUnreadableMonth(int year, int month);
  // A copy an interrupted save left, kept aside as the month opened.
  void ReportKeptCopy(int year, int month);
  // What of another version of a month found no place in it, kept as a file.
  void ReportMergeKeptCopies();
  // The month's file changed on disk: what arrived is taken in and shown;
  // the box being typed in keeps its text, caret and selection.
  void OnMonthArrived();

  // What was typed reaches the disk without a month change: after a pause
  // in typing, and before the Windows session ends or the machine sleeps.
  void OnEditChanged();
  void OnTypingPause();
  // The focused box stored and everything written, now; false when a write failed.
  bool SaveBeforeSessionEnds();

  // Reminders: what is due from the lines of yesterday to tomorrow, for as
  // long as the tool lives; started by the first Initialize that finds a
  // data folder, told of every change the window hears of (a line stored,
  // a month arrived).
  void StartReminders();
  void PokeReminders();
  // The lead as the host stores it, from now on.
  void ApplyReminderLead();
  // On the reminders' thread: the day of a line clicked, in the open
  // window, or in one opened as the host opens it.
  void ShowReminderDay(int dayNumber);
  // On the window's thread.
  void OnShowReminderDay(int dayNumber);
  // The day a window opened for a reminder is to show, once; 0 for none.
  int TakeDayToShow();
  // A window the reminders opened as the host let go of the tool is closed
  // before the tool goes; the host's notices are answered meanwhile.
  void CloseWindowOpenedMeanwhile();

  // The calendar sync, on a thread of its own while the window is open.
  std::string BookFolder() const;
  // Made once the data folder is known; nullptr without one.
  CSyncThread* SyncThread();
  void StartSync();
  // The last sync for what was typed, waited for briefly.
  void StopSync();
  void NoteStoredForSync();
  void ResumeSync();
  void OnSyncChoicesApplied();
  void OnSynced();
  // The setup dialog, attached to this book, for the settings dialog or the host to run.
  CSyncSetupDialog* PrepareSyncSetup();

  // The calendar.
  void PaintCalendar();
  // update: only the cells that reach it are drawn; all when nullptr.
  void PaintCalendarInto(HDC dc, const RECT* update = nullptr);

  // The day page and month navigation.
  // The month the session has just opened: day page and labels; a
  // month that could not be read is told of once the window is free.
  void ShowOpenedMonth(MonthFileState opened);
  // The selected day of the view; a protected month's page cannot be edited.
  void ShowDayPage(const MonthView& view);
  void LocateDayCell(const MonthGrid& grid, int day);
  // A slot that shows the seal already is left as it is: loading and
  // setting its picture again costs more than the rest of a month change.
  void SetSealSlotImage(int code, int slot);
  LRESULT OnYearSpin(const NMUPDOWN* notification);
  LRESULT OnMonthSpin(const NMUPDOWN* notification);
  // Saves the month on display and steps by months; 1 when it stays.
  LRESULT StepMonths(int months);
  void OnCalendarClick(POINT point);
  // The day of the month on display in that grid column, selected as a
  // click on its cell selects it; the caller has moved the focus off the edits.
  void SelectShownDay(int day, int column);
  void OnLineKillFocus(int line);
  void OnMemoKillFocus();
  // An edit's text into the selected day; what was kept (cut to its field)
  // goes to kept. False when the month takes no edits.
  bool StoreEditText(int controlId, std::string& kept);
  // On losing the focus an edit shows what was kept.
  void StoreAndShowEditText(int controlId);
  // The text of the edit that has the focus, stored before a save and left
  // in the box as typed: the user may be in the middle of a word.
  void StoreFocusedText();
  // StoreFocusedText on the window's thread; a window busy elsewhere is
  // waited for only briefly, and the save goes on without it.
  void StoreTypingBeforeSave();
  void OnCoverClicked();
  void OnSealSlotClicked(int slot);
  // The keyboard on the day page: Alt with the arrows, Page Up, Page Down
  // and Home moves between days and months, Space or Return on a seal slot
  // opens the picker. True when the key must go no further.
  bool PreTranslateKey(const MSG& msg);
  void MarkSealSlotFocus();
  // Days from the selected day, over a month's edge into the month beside it.
  void StepDays(int days);
  void ShowToday();
  // The day in the window, over months when it lies in another.
  void ShowDate(int year, int month, int day);
  // The three labels of the day page, from the date on display.
  void ShowYearLabel();
  void ShowMonthLabel();
  void ShowDayLabel(int day, int weekday);

  // A line repeated over many days, and taken away again from the days after
  // the one shown: from a line box's context menu, or Ctrl+R in it.
  // True when the menu was the line box's.
  bool OnLineContextMenu(HWND box, LPARAM screenPoint);
  void OpenRepeatDialog(int line);
  void RemoveLineFromLaterDays(int line);
  // The line's text on the day shown, stored first; "" when there is none
  // or nothing may be repeated now (a run goes on, no data folder), with a beep.
  std::string RepeatableLine(int line, std::string& folder);
  void StartRepeatRun(RepeatJob job);
  void OnRepeatProgress();
  // The outcome taken and told, once the run has ended.
  void OnRepeatEnded();
  // Closing stops a run at the next month without waiting for it; what it
  // did is kept with the run and told when a window opens next.
  void StopRepeatRunForClose();
  // Done as the window opens: a run that ended while no window was open is told of.
  void TellRepeatEndedMeanwhile();

  CWnd m_memoLabel;
  CWnd m_scheduleLabel;
  CWnd m_dayLabel;
  CWnd m_monthLabel;
  CWnd m_yearLabel;
  // The month on display: table, date, grid and file.
  CMonthSession m_session;
  RECT m_calendarRect = {200, 5, 755, 594};
  RECT m_selectedCellRect = {};
  int32_t m_japaneseNames = 0;
  CScheduleSetupDialog m_setupDialog;
  CSealDialog m_sealPicker;
  CBitmap* m_slotBitmaps[kSealSlots] = {};  // [0] is slot 4, [3] slot 1
  // The seal each slot shows, [0] slot 1; none before the window shows one.
  std::optional<SealCode> m_slotSealShown[kSealSlots];
  CBitmap* m_coverBitmap = nullptr;
  // The calendar for screen readers: its accessible object and events.
  CCalendarAccess m_calendarAccess;
  CCellPictureCache m_cellPictures;
  CCellLineLayouts m_cellLines;
  CBrush m_themeBrush[4];
  CFont m_labelFont;
  CFont m_dayFont;
  CFont m_lineFont;
  CToolTipCtrl m_toolTip;
  // Where the window reappears when restored, in the screen pixels it is
  // placed by; written on the UI thread, read by a save on either thread.
  std::atomic<LONG> m_restoredLeft{0};
  std::atomic<LONG> m_restoredTop{0};
  // Where the end of a run is posted; none while no window is open.
  std::atomic<HWND> m_repeatEndedWindow{nullptr};
  // Written beside the session, on a thread of the run's own; it outlives
  // the window, and so does its outcome until a window tells it.
  CRepeatRun m_repeatRun;
  std::unique_ptr<CDialog> m_repeatProgress;
  // An Alt key of the day page was pressed since Alt went down.
  bool m_altKeyUsed = false;
  // The pause timer runs; since when typing has gone on without a pause.
  bool m_typingTimerRunning = false;
  DWORD m_typingSince = 0;

  // Ctrl+P and the host's print command.
  CSchedulePrinting m_printing{*this};
  // The calendar sync: after the session, which it reads and writes beside.
  CSyncSetupDialog m_syncDialog;
  std::mutex m_syncThreadLock;
  std::unique_ptr<CSyncThread> m_syncThread;
  // What the user is to be told once the window is free.
  std::vector<std::wstring> m_syncNotices;

  // One window at a time, whoever called Initialize: its UI thread holds the claim.
  std::atomic<bool> m_windowClaimed{false};
  // Guards what follows, and Initialize from the reminders' thread.
  std::mutex m_openLock;
  std::atomic<HWND> m_openWindow{nullptr};  // from initialisation to destruction
  int m_dayToShow = 0;
  bool m_toolEnding = false;
  std::mutex m_initializeLock;  // Initialize on two threads at once
  // Last: they end first. Their watch reads the session's month.
  CReminders m_reminders{*this};
};
