// The window's life: Initialize on the host's thread, the UI thread and its
// loop, the window's initialisation, saving and teardown.
#include <cstdio>
#include <string>

#include "ui/CalendarFonts.h"
#include "ui/LabelText.h"
#include "ui/ScheduleDialog.h"
#include "ui/WindowLayout.h"
#include "ui/core/CalendarColours.h"
#include "ui/core/CalendarGeometry.h"
#include "ui/res/resource.h"
#include "win/ContextMenuToParent.h"
#include "win/DataExchange.h"
#include "win/EditByteLimit.h"
#include "win/Module.h"
#include "win/Text.h"

namespace {

constexpr int kTooltipInitialDelayMs = 1000;

// A handle the open window still uses is never replaced.
void CreateFontOnce(CFont& font, const FontLook& recipe) {
  if (font.GetSafeHandle() != nullptr) return;
  CreateFontOfLook(font, recipe);
}

void StoreSettingNumber(CToolHost& host, int toolId, const char* key, long value) {
  char text[16];
  std::snprintf(text, sizeof text, "%ld", value);
  host.SetSetting(toolId, key, text);
}

}  // namespace

// Each operation the host calls catches what the library throws (an
// exhausted heap, a failing lock): nothing crosses to the host. The
// reminders call it too, from their thread, to open the window for a day.
void CScheduleDialog::Initialize() try {
  std::lock_guard<std::mutex> lock(m_initializeLock);
  StartReminders();
  for (int theme = 0; theme < kThemeCount; ++theme) {
    if (m_themeBrush[theme].GetSafeHandle() == nullptr) {
      m_themeBrush[theme].CreateSolidBrush(g_ColourThemes[theme].headingBrush);
    }
  }
  CreateFontOnce(m_labelFont, kLabelFontLook);
  CreateFontOnce(m_dayFont, kDayFontLook);
  CreateFontOnce(m_lineFont, kLineFontLook);

  // A host without a data folder gets none made; its months open protected.
  if (const char* directory = m_pHost->GetDataDirectory(1, 0)) {
    std::string folder = std::string(directory) + "\\" + m_toolName.str();
    CreateDirectoryW(WidenCp932(folder.c_str()).c_str(), nullptr);  // usually exists: ignored
  }

  CWinThread* thread = CWinThread::Begin(&CScheduleDialog::UiThreadProc, this);
  if (thread != nullptr) {
    delete m_pUiThread;
    m_pUiThread = thread;
  }
} catch (...) {
  // No window is opened.
}

// Nothing thrown may end the host's process from the window's thread.
UINT CScheduleDialog::UiThreadProc(void* tool) try {
  auto* dialog = static_cast<CScheduleDialog*>(tool);
  if (dialog->m_windowClaimed.exchange(true)) {
    // The window that is open shows the day a reminder asked for.
    const int day = dialog->TakeDayToShow();
    HWND open = dialog->m_openWindow;
    if (day != 0 && open != nullptr) ::PostMessageW(open, WM_TOOL_SHOWDAY, static_cast<WPARAM>(day), 0);
    return static_cast<UINT>(-1);
  }
  struct CClaimRelease {
    std::atomic<bool>& claimed;
    ~CClaimRelease() { claimed = false; }
  } release{dialog->m_windowClaimed};
  // Without a window there is nothing to wait for.
  if (!dialog->CreateFromTemplate(dialog->GetTemplateId(), nullptr) || !dialog->IsWindow()) {
    return static_cast<UINT>(-1);
  }
  MSG msg = {};
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    if (!dialog->PreTranslateMessage(&msg)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    // Dialog navigation dispatches the window's own messages, WM_CLOSE among them.
    if (!dialog->IsWindow()) break;
  }
  if (dialog->IsWindow()) dialog->DestroyWindow();
  return static_cast<UINT>(msg.wParam);
} catch (...) {
  auto* dialog = static_cast<CScheduleDialog*>(tool);
  if (dialog->IsWindow()) dialog->DestroyWindow();
  return static_cast<UINT>(-1);
}

void CScheduleDialog::DoDataExchange(CDataExchange* pDX) {
  DDX_Control(pDX, IDC_MEMO_BAR, m_memoLabel);
  DDX_Control(pDX, IDC_SCHEDULE_BAR, m_scheduleLabel);
  DDX_Control(pDX, IDC_DAY_LABEL, m_dayLabel);
  DDX_Control(pDX, IDC_MONTH_LABEL, m_monthLabel);
  DDX_Control(pDX, IDC_YEAR_LABEL, m_yearLabel);
}

BOOL CScheduleDialog::OnInitDialog() {
  CToolBase::OnInitDialog();
  {
    std::lock_guard<std::mutex> lock(m_openLock);
    m_openWindow = m_hWnd;
  }
  m_hIcon = LoadIconW(ResourceModule(), MAKEINTRESOURCEW(IDI_PLANNIX));
  SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
  SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hIcon));

  m_toolTip.Create(this, TTS_ALWAYSTIP);
  m_toolTip.SetDelayTime(TTDT_INITIAL, kTooltipInitialDelayMs);
  MarkSealSlotFocus();

  PlaceWithClientArea(m_hWnd, ReadSettingInt("WndPosX"), ReadSettingInt("WndPosY"));
  SetWindowText(GetTitle());
  LayOutControls(m_hWnd);
  for (int id : {IDC_YEAR_LABEL, IDC_MONTH_LABEL, IDC_DAY_LABEL}) {
    ::SendMessageW(GetDlgItem(id), WM_SETFONT, reinterpret_cast<WPARAM>(m_labelFont.GetSafeHandle()), TRUE);
  }
  m_calendarRect = {kCalendarArea.left, kCalendarArea.top, kCalendarArea.right, kCalendarArea.bottom};
  // Each box takes what its field stores, and no more.
  for (int id = IDC_LINE1; id <= IDC_LINE5; ++id) LimitEditToCp932Bytes(GetDlgItem(id), kLineSize - 1);
  // The line boxes' menu adds the repeat to the box's own commands.
  for (int id = IDC_LINE1; id <= IDC_LINE5; ++id) SendContextMenuToParent(GetDlgItem(id));
  LimitEditToCp932Bytes(GetDlgItem(IDC_MEMO), kMemoSize - 1);

  // Today's month is read before anything can save it: a save from the
  // host's thread finds either no month or today's whole.
  MonthFileState opened = m_session.OpenToday(*m_pHost);
  m_japaneseNames = ReadSettingInt("DspLanguage");

  for (int slot = kSealSlots - 1; slot >= 0; --slot) m_slotBitmaps[slot] = new CBitmap;
  for (std::optional<SealCode>& shown : m_slotSealShown) shown.reset();
  m_coverBitmap = new CBitmap;
  ApplyTheme(ReadSettingInt("BackColor"));
  ::SendMessageW(GetDlgItem(IDC_COVER), BM_SETIMAGE, IMAGE_BITMAP,
                 reinterpret_cast<LPARAM>(m_coverBitmap->GetSafeHandle()));

  ShowOpenedMonth(opened);
  TellRepeatEndedMeanwhile();
  m_calendarAccess.Attach(m_hWnd, m_session, *m_pHost, [this](POINT point) { OnCalendarClick(point); });
  StartSync();
  if (m_pHostWnd != nullptr) m_pHostWnd->PostMessage(WM_TOOL_READY, static_cast<WPARAM>(m_toolId), 0);
  // Opened for a reminder: its day, once the window runs.
  if (const int day = TakeDayToShow()) PostMessage(WM_TOOL_SHOWDAY, static_cast<WPARAM>(day), 0);
  return TRUE;
}

int CScheduleDialog::SaveState() try {
  StoreTypingBeforeSave();
  if (m_hWnd != nullptr) {
    StoreSettingNumber(*m_pHost, m_toolId, "WndPosX", m_restoredLeft);
    StoreSettingNumber(*m_pHost, m_toolId, "WndPosY", m_restoredTop);
  }
  if (m_session.Save() != MonthSaveOutcome::kFailed) return 1;
  ReportWriteFailure();
  return 0;
} catch (...) {
  return 0;  // not written
}

// The restored rectangle of the window placement is in workspace pixels on
// Windows (shifted by a taskbar at the top or left) and in screen pixels
// under Wine; the window's own rectangle is screen pixels everywhere, the
// system the window is placed by, so that is what is kept.
void CScheduleDialog::RememberRestoredPosition() {
  if (IsIconic(m_hWnd) || IsZoomed(m_hWnd)) return;
  RECT window;
  if (!GetWindowRect(m_hWnd, &window)) return;
  m_restoredLeft = window.left;
  m_restoredTop = window.top;
}

void CScheduleDialog::OnClose() {
  if (m_pHostWnd != nullptr) m_pHostWnd->SendMessage(WM_TOOL_CLOSING, static_cast<WPARAM>(m_toolId), 0);
  CToolBase::DefWindowProc(WM_CLOSE, 0, 0);
  DestroyWindow();
}

void CScheduleDialog::OnDestroy() {
  {
    std::lock_guard<std::mutex> lock(m_openLock);
    m_openWindow = nullptr;
  }
  CToolBase::DefWindowProc(WM_DESTROY, 0, 0);
  m_calendarAccess.Detach();
  m_printing.Stop();
  StopRepeatRunForClose();
  SaveState();
  // What was typed goes to the calendar before the window goes.
  StopSync();
  // Nothing of this window's month is saved again, into whatever month a
  // later window opens on.
  m_session.Close();
  for (int slot = kSealSlots - 1; slot >= 0; --slot) {
    delete m_slotBitmaps[slot];
    m_slotBitmaps[slot] = nullptr;
  }
  delete m_coverBitmap;
  m_coverBitmap = nullptr;
  m_cellPictures.Release();
  m_cellLines.Release();
  if (m_toolTip.IsWindow()) m_toolTip.DestroyWindow();
  m_toolTip.m_hWnd = nullptr;
  for (CBrush& brush : m_themeBrush) brush.DeleteObject();
  m_labelFont.DeleteObject();
  m_dayFont.DeleteObject();
  m_lineFont.DeleteObject();
}
