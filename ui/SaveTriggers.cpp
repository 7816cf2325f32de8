// When what was typed reaches the disk without a month change: the text
// being typed is stored after a pause in typing (the month session writes
// it soon after), and everything is written before the Windows session
// ends or the machine sleeps.
#include "ui/ScheduleDialog.h"

namespace {

constexpr UINT kTypingPauseMs = 2000;
// Typing on and on without a pause is stored all the same, this long after it began.
constexpr DWORD kLongestTypingMs = 10000;

}  // namespace

void CScheduleDialog::OnEditChanged() {
  const DWORD now = GetTickCount();
  if (!m_typingTimerRunning) m_typingSince = now;
  if (!m_typingTimerRunning || now - m_typingSince < kLongestTypingMs) {
    ::SetTimer(m_hWnd, kTypingPauseTimer, kTypingPauseMs, nullptr);
  }
  m_typingTimerRunning = true;
}

void CScheduleDialog::OnTypingPause() {
  ::KillTimer(m_hWnd, kTypingPauseTimer);
  m_typingTimerRunning = false;
  // The box keeps its caret and selection: the user may be in mid-word.
  StoreFocusedText();
}

bool CScheduleDialog::SaveBeforeSessionEnds() {
  StoreFocusedText();
  if (m_session.Save() != MonthSaveOutcome::kFailed) return true;
  // The end of the session waits for no box; the box comes if it goes on.
  ::PostMessageW(m_hWnd, WM_TOOL_SAVEFAILED, 0, 0);
  return false;
}
