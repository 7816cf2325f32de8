// The schedule window's message map, key filter and activation notice.
#include "ui/ScheduleDialog.h"
#include "ui/res/resource.h"

namespace {

constexpr WPARAM kReturnKey = 13;
constexpr WPARAM kTabKey = 9;
constexpr WPARAM kEscapeKey = 27;

bool IsRelayedMouseMessage(UINT message) {
  switch (message) {
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
      return true;
    default:
      return false;
  }
}

// Only key messages carry a key code in wParam; a mouse message's button
// flags or a timer id of 13 or 27 must not be taken for Return or Escape.
bool IsKeyMessage(UINT message) { return message >= WM_KEYFIRST && message <= WM_KEYLAST; }

}  // namespace

BOOL CScheduleDialog::PreTranslateMessage(MSG* msg) {
  if (IsKeyMessage(msg->message)) {
    if (PreTranslateKey(*msg)) return TRUE;
    if (msg->wParam == kReturnKey && GetKeyState(VK_CONTROL) >= 0) msg->wParam = kTabKey;
    if (msg->wParam == kEscapeKey) return TRUE;
  }
  if (IsRelayedMouseMessage(msg->message)) m_toolTip.RelayEvent(msg);
  return CToolBase::PreTranslateMessage(msg);
}

void CScheduleDialog::OnOK() {}

void CScheduleDialog::OnCancel() {}

LRESULT CScheduleDialog::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_ACTIVATE && (LOWORD(wParam) == WA_ACTIVE || LOWORD(wParam) == WA_CLICKACTIVE) &&
      m_pHostWnd != nullptr) {
    m_pHostWnd->SendMessage(WM_TOOL_ACTIVATED, static_cast<WPARAM>(m_toolId), 0);
  }
  return CToolBase::DefWindowProc(message, wParam, lParam);
}

INT_PTR CScheduleDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CLOSE:
      OnClose();
      return TRUE;
    case WM_DESTROY:
      OnDestroy();
      return TRUE;
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC: {
      // The dialog's default brush and colours, then ours over them.
      auto defaultBrush = reinterpret_cast<HBRUSH>(::DefWindowProcW(m_hWnd, message, wParam, lParam));
      return reinterpret_cast<INT_PTR>(
          OnCtlColor(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam), defaultBrush));
    }
    case WM_WINDOWPOSCHANGED:
      RememberRestoredPosition();
      break;  // the default processing still sends WM_MOVE and WM_SIZE
    case WM_PAINT:
      m_calendarAccess.Notice();
      PaintCalendar();
      return TRUE;
    case WM_SETTINGCHANGE:
      if (wParam != SPI_SETHIGHCONTRAST) break;
      [[fallthrough]];
    case WM_SYSCOLORCHANGE:
      // High contrast on or off: the window in the colours now asked for.
      RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
      break;
    case WM_PRINTCLIENT:
      PaintCalendarInto(reinterpret_cast<HDC>(wParam));
      return TRUE;
    case WM_NOTIFY: {
      const auto* header = reinterpret_cast<const NMHDR*>(lParam);
      if (header->code != UDN_DELTAPOS) break;
      const auto* notification = reinterpret_cast<const NMUPDOWN*>(lParam);
      if (header->idFrom == IDC_YEAR_SPIN) return SetDialogResult(m_hWnd, OnYearSpin(notification));
      if (header->idFrom == IDC_MONTH_SPIN) return SetDialogResult(m_hWnd, OnMonthSpin(notification));
      break;
    }
    case WM_TIMER:
      if (wParam == kPrintProgressTimer) {
        m_printing.OnProgressTimer();
        return TRUE;
      }
      if (wParam == kRepeatProgressTimer) {
        OnRepeatProgress();
        return TRUE;
      }
      if (wParam != kTypingPauseTimer) break;
      OnTypingPause();
      return TRUE;
    case WM_CONTEXTMENU:
      if (OnLineContextMenu(reinterpret_cast<HWND>(wParam), lParam)) return TRUE;
      break;
    case WM_TOOL_PRINT:
      if (wParam == kPrintWithoutDialogs && lParam != 0) {
        m_printing.PrintWithoutDialogs(*reinterpret_cast<const PrintRequest*>(lParam));
      } else {
        m_printing.PrintWithDialogs();
      }
      return TRUE;
    case WM_TOOL_PRINTENDED:
      m_printing.OnPrintEnded();
      return TRUE;
    case WM_TOOL_REPEATENDED:
      OnRepeatEnded();
      return TRUE;
    case WM_TOOL_SHOWDAY:
      OnShowReminderDay(static_cast<int>(wParam));
      return TRUE;
    case WM_TOOL_SYNCED:
      OnSynced();
      return TRUE;
    case WM_QUERYENDSESSION:
      return SetDialogResult(m_hWnd, SaveBeforeSessionEnds() ? TRUE : FALSE);
    case WM_ENDSESSION:
      if (wParam) SaveBeforeSessionEnds();
      return SetDialogResult(m_hWnd, 0);
    case WM_POWERBROADCAST:
      if (wParam == PBT_APMSUSPEND) SaveBeforeSessionEnds();
      if (wParam == PBT_APMRESUMEAUTOMATIC || wParam == PBT_APMRESUMESUSPEND) ResumeSync();
      return SetDialogResult(m_hWnd, TRUE);
    case WM_LBUTTONDOWN:
      OnCalendarClick({static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))});
      return TRUE;
    case WM_COMMAND: {
      int id = LOWORD(wParam);
      int code = HIWORD(wParam);
      if (code == EN_KILLFOCUS && id >= IDC_LINE1 && id <= IDC_LINE5) {
        OnLineKillFocus(id - IDC_LINE1 + 1);
        return TRUE;
      }
      if (code == EN_CHANGE && id >= IDC_LINE1 && id <= IDC_MEMO) {
        OnEditChanged();
        return TRUE;
      }
      if (code == EN_KILLFOCUS && id == IDC_MEMO) {
        OnMemoKillFocus();
        return TRUE;
      }
      if (code == STN_CLICKED && id >= IDC_SEAL_SLOT1 && id <= IDC_SEAL_SLOT4) {
        OnSealSlotClicked(id - IDC_SEAL_SLOT1 + 1);
        return TRUE;
      }
      if (code == BN_CLICKED && id == IDC_COVER) {
        OnCoverClicked();
        return TRUE;
      }
      break;
    }
    case WM_KEYDOWN:
      return DefWindowProc(message, wParam, lParam);
    case WM_TOOL_SETTINGS:
      return SetDialogResult(m_hWnd, OnSettings(wParam, lParam));
    case WM_TOOL_APPLYSETTINGS:
      ApplySettings();
      return TRUE;
    case WM_TOOL_MONTHUNREADABLE:
      ReportUnreadableMonth(static_cast<int>(wParam), static_cast<int>(lParam));
      return TRUE;
    case WM_TOOL_COPYKEPT:
      ReportKeptCopy(static_cast<int>(wParam), static_cast<int>(lParam));
      return TRUE;
    case WM_TOOL_SAVEFAILED:
      ReportWriteFailure();
      return TRUE;
    case WM_TOOL_MONTHARRIVED:
      OnMonthArrived();
      return TRUE;
    case WM_TOOL_MERGEKEPT:
      ReportMergeKeptCopies();
      return TRUE;
    case WM_TOOL_STOREFOCUSEDTEXT:
      StoreFocusedText();
      return TRUE;
    default:
      break;
  }
  return CToolBase::WindowProc(message, wParam, lParam);
}
