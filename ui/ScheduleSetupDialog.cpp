#include "ui/ScheduleSetupDialog.h"

#include <algorithm>
#include <cstdio>
#include <iterator>

#include "reminders/ReminderLead.h"
#include "ui/SettingValue.h"
#include "ui/core/CalendarColours.h"
#include "ui/res/resource.h"
#include "win/Gdi.h"
#include "win/Text.h"

namespace {

// Pixels of the client area, whatever the dialog font.
constexpr RECT kSampleRect = {170, 50, 260, 100};

// The labels of g_ReminderLeads, in its order.
constexpr const char* g_ReminderLeadLabels[] = {"通知しない", "時刻ちょうど", "5分前",  "10分前",
                                                "15分前",     "30分前",       "1時間前"};
static_assert(std::size(g_ReminderLeadLabels) == std::size(g_ReminderLeads), "a label for each choice");

bool IsThemeRadio(int id) {
  return id == IDC_THEME_CREAM || id == IDC_THEME_PINK || id == IDC_THEME_SKY || id == IDC_THEME_GREY;
}

}  // namespace

CScheduleSetupDialog::CScheduleSetupDialog(CWnd* parent) : CDialog(IDD_SETUP, parent) {}

void CScheduleSetupDialog::DoDataExchange(CDataExchange* pDX) {
  DDX_Radio(pDX, IDC_THEME_CREAM, m_nBackColor);
  DDX_Check(pDX, IDC_DIARY_COVER, m_bDspDiaryCover);
  DDX_Check(pDX, IDC_JAPANESE_NAMES, m_bDspLanguage);
}

void CScheduleSetupDialog::WriteSetting(const char* key, int value) const {
  if (m_pHost == nullptr) return;
  char text[16];
  std::snprintf(text, sizeof text, "%d", value);
  m_pHost->SetSetting(kToolId, key, text);
}

BOOL CScheduleSetupDialog::OnInitDialog() {
  CDialog::OnInitDialog();
  m_rcSample = kSampleRect;
  m_nBackColor = ReadSettingNumber(m_pHost, "BackColor");
  m_bDspLanguage = ReadSettingNumber(m_pHost, "DspLanguage");
  m_bDspDiaryCover = ReadSettingNumber(m_pHost, "DspDiaryCover");
  m_nRemindLead = m_nRemindLeadOpened = ParseReminderLead(ReadSettingText(m_pHost, kReminderLeadKey).c_str());
  FillReminderLeads();
  UpdateData(false);
  return TRUE;
}

void CScheduleSetupDialog::FillReminderLeads() {
  HWND list = GetDlgItem(IDC_REMIND_LEAD);
  ::SendMessageW(list, CB_RESETCONTENT, 0, 0);
  for (const char* label : g_ReminderLeadLabels) {
    ::SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(WidenCp932(label).c_str()));
  }
  const auto chosen = std::find(std::begin(g_ReminderLeads), std::end(g_ReminderLeads), m_nRemindLead);
  ::SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(chosen - std::begin(g_ReminderLeads)), 0);
}

void CScheduleSetupDialog::OnOK() {
  UpdateData(true);
  WriteSetting("BackColor", m_nBackColor);
  WriteSetting("DspLanguage", m_bDspLanguage);
  WriteSetting("DspDiaryCover", m_bDspDiaryCover);
  const LRESULT chosen = ::SendMessageW(GetDlgItem(IDC_REMIND_LEAD), CB_GETCURSEL, 0, 0);
  if (chosen >= 0 && static_cast<size_t>(chosen) < std::size(g_ReminderLeads)) m_nRemindLead = g_ReminderLeads[chosen];
  // Only a new choice is written: the three keys above stay the dialog's whole answer otherwise.
  if (m_pHost != nullptr && m_nRemindLead != m_nRemindLeadOpened) {
    m_pHost->SetSetting(kToolId, kReminderLeadKey, FormatReminderLead(m_nRemindLead).c_str());
  }
  CDialog::OnOK();
}

BOOL CScheduleSetupDialog::OnCommand(WPARAM wParam, LPARAM lParam) {
  if (LOWORD(wParam) == IDC_OPEN_SYNC_SETUP && HIWORD(wParam) == BN_CLICKED) {
    // Its own dialog, which writes its own choices: this one's OK writes what it did.
    if (m_openSyncSetup) m_openSyncSetup(this);
    return TRUE;
  }
  if (IsThemeRadio(LOWORD(wParam)) && HIWORD(wParam) == BN_CLICKED) {
    UpdateData(true);
    InvalidateRect(m_rcSample, true);
    return TRUE;
  }
  return CDialog::OnCommand(wParam, lParam);
}

void CScheduleSetupDialog::PaintSample() {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(m_hWnd, &paint);
  if (const ColourTheme* theme = FindColourTheme(m_nBackColor)) FillSolidRect(dc, m_rcSample, theme->background);
  DrawEdge(dc, &m_rcSample, EDGE_RAISED, BF_RECT);
  EndPaint(m_hWnd, &paint);
}

INT_PTR CScheduleSetupDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT:
      PaintSample();
      return TRUE;
    default:
      return CDialog::WindowProc(message, wParam, lParam);
  }
}

void CScheduleSetupDialog::SetOwnerWindows(CWnd* scheduleWnd, CWnd* hostWnd) {
  m_pScheduleWnd = scheduleWnd;
  m_pHostWnd = hostWnd;
}

CWnd* CScheduleSetupDialog::OwnerForThisThread() const {
  for (CWnd* candidate : {m_pScheduleWnd.load(), m_pHostWnd.load()}) {
    if (candidate != nullptr && candidate->IsOnCallingThread()) return candidate;
  }
  return nullptr;
}

INT_PTR CScheduleSetupDialog::DoModalWithHost(CToolHost* host) {
  bool wasOpen = false;
  if (!m_open.compare_exchange_strong(wasOpen, true)) {
    // Already up: bring it forward rather than run a second loop on one object.
    if (IsWindow()) SetForegroundWindow(m_hWnd);
    return IDCANCEL;
  }
  m_pHost = host;
  m_pParentWnd = OwnerForThisThread();
  INT_PTR result = CDialog::DoModal();
  m_pParentWnd = nullptr;
  m_open = false;
  return result == IDOK ? IDOK : IDCANCEL;
}
