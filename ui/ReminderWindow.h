#pragma once
// The small window of what is due: topmost, in the taskbar and Alt+Tab
// with the first due line as its title, owned by no window (so it stays
// while the schedule window is minimised), and shown without taking the
// activation, so the keyboard stays where the user types. One window for
// every due line. Once brought to the front: Return or Escape dismisses,
// Alt+S snoozes, a click on a line shows its day. It shows what the
// scheduler's board holds, and holds nothing of its own. It lives on the
// reminders' own thread, hidden while nothing is due, and hands that
// thread's own messages (its timer, the clock, the power) to it.
#include <functional>
#include <string>
#include <vector>

#include "reminders/ReminderScheduler.h"
#include "win/Dialog.h"

class CReminderWindow : public CDialog {
 public:
  CReminderWindow();

  // Called on the window's thread; a line by its place on the board. other:
  // the messages the window does not take itself; true when handled.
  void SetHandlers(std::function<void()> dismiss, std::function<void()> snooze,
                   std::function<void(size_t line)> showDay, std::function<bool(UINT, WPARAM)> other);
  // The board as it is now; hidden when it is empty. announce: the
  // system's notification sound, once, for a line the board did not show.
  void Show(const std::vector<DueReminder>& board, bool announce);

  INT_PTR WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  BOOL OnInitDialog() override;
  void OnOK() override;
  void OnCancel() override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

 private:
  // At the bottom right of the work area, where notices appear.
  void PlaceInCorner();

  std::function<void()> m_dismiss;
  std::function<void()> m_snooze;
  std::function<void(size_t)> m_showDay;
  std::function<bool(UINT, WPARAM)> m_other;
  std::vector<std::wstring> m_lines;  // as the list shows them
};
