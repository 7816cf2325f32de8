#pragma once
// The schedule window: the painted month calendar on the right, the day
// page on the left. Lives on a UI thread of its own.
#include <atomic>
#include <mutex>

#include "data/DayRecord.h"
#include "data/MonthFile.h"
#include "tool/ToolBase.h"
#include "ui/ScheduleSetupDialog.h"
#include "ui/SealDialog.h"
#include "win/Gdi.h"
#include "win/ToolTip.h"

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

  // The month file of the month on display, under the month lock.
  int WriteMonthFile();
  int ReadMonthFile();
  // The message of a month file that cannot be written, bracketed by m_modalActive.
  void ReportWriteFailure();

  // The calendar.
  void PaintCalendar();
  void PaintCalendarInto(HDC dc);
  void PaintDayCell(HDC dc, int column, int row);
  void DrawCellPicture(HDC dc, const RECT& cell, bool selected, int code, int position);
  void DrawCellLine(HDC dc, const RECT& cell, bool selected, const char* text, int line);

  // The day page and month navigation.
  void LoadMonth(int year, int month, int day, int weekday);
  void StepMonthBack(bool reload);
  void StepMonthForward(bool reload);
  void ShowDayPage(int day, int weekday);
  void LocateDayCell(int day);
  void ReadLineEdit(int controlId, char* destination);
  void SetSealSlotImage(int code, int slot);
  LRESULT OnYearSpin(const NMUPDOWN* notification);
  LRESULT OnMonthSpin(const NMUPDOWN* notification);
  void OnCalendarClick(POINT point);
  void OnLineKillFocus(int line);
  void OnMemoKillFocus();
  void OnCoverClicked();
  void OnSealSlotClicked(int slot);
  // The three labels of the day page, from the date on display.
  void ShowYearLabel();
  void ShowMonthLabel();
  void ShowDayLabel(int day, int weekday);

  CWnd m_memoLabel;
  CWnd m_scheduleLabel;
  CWnd m_dayLabel;
  CWnd m_monthLabel;
  CWnd m_yearLabel;
  MonthTable m_monthTable = {};
  RECT m_calendarRect = {200, 5, 755, 594};
  RECT m_selectedCellRect = {};
  int32_t m_year = 0;
  int32_t m_month = 1;
  int32_t m_selectedDay = 1;
  int32_t m_selectedWeekday = 0;
  int32_t m_japaneseNames = 0;
  // True once a month was loaded: until then SaveState has nothing to write.
  bool m_monthLoaded = false;
  MonthGrid m_dayGrid;
  CScheduleSetupDialog m_setupDialog;
  CSealDialog m_sealPicker;
  int32_t m_pendingSealSlot = 0;
  SealCode* m_pendingSealField = nullptr;
  char m_dataFilePath[kPathSize] = {};
  CBitmap* m_slotBitmaps[kSealSlots] = {};  // [0] is slot 4, [3] slot 1
  CBitmap* m_coverBitmap = nullptr;
  CBrush m_themeBrush[4];
  CFont m_labelFont;
  CFont m_dayFont;
  CFont m_lineFont;
  CToolTipCtrl m_toolTip;
  // Where the window reappears when restored, in the screen pixels it is
  // placed by; written on the UI thread, read by a save on either thread.
  std::atomic<LONG> m_restoredLeft{0};
  std::atomic<LONG> m_restoredTop{0};

  // Guards the month table and the month members between the UI thread and
  // a SaveState on the host's thread, and serialises month file writes.
  mutable std::recursive_mutex m_monthLock;
};
