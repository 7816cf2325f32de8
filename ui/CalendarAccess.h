#pragma once
// The schedule window as screen readers meet it: the calendar, painted
// straight onto the window, gets a child window of its own over its area
// (with an empty region, so the window's pixels and clicks stay the
// window's) that hands out the calendar's accessible object; the day
// page's boxes and slots are named by what they are. What changed is told
// as events soon after each paint: a sighted user sees a change when it
// is painted, and a screen reader hears it then. All on the window's thread.
#include <functional>

#include "book/MonthSession.h"
#include "tool/ToolHost.h"
#include "ui/core/DayAccessibleName.h"
#include "win/WinHeaders.h"

class CCalendarAccessible;

class CCalendarAccess {
 public:
  CCalendarAccess() = default;
  CCalendarAccess(const CCalendarAccess&) = delete;
  CCalendarAccess& operator=(const CCalendarAccess&) = delete;
  ~CCalendarAccess();

  // As the window opens, with its month on display. showDayAt: a click at
  // a client point of the dialog, for a client that asks for a day.
  void Attach(HWND dialog, const CMonthSession& session, CToolHost& host, std::function<void(POINT)> showDayAt);
  // As the window ends: the objects clients hold answer nothing afterwards.
  void Detach();
  // The calendar is being painted: what changed is told soon after.
  void Notice();

  HWND Window() const { return m_window; }

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
  // What changed since clients were last told, told now.
  void TellChanges();
  // The host's holidays of a month newly shown, and today whenever the date may have moved.
  void AskFacts(const MonthView& view, bool newMonth);
  // The seal slots by the seals of the day shown.
  void NameSealSlots(const DayRecord& record);
  void ShowDay(int day);
  void Notify(DWORD event, LONG child) const;

  HWND m_dialog = nullptr;
  HWND m_window = nullptr;
  const CMonthSession* m_session = nullptr;  // not owned
  CToolHost* m_host = nullptr;               // not owned
  std::function<void(POINT)> m_showDayAt;
  CCalendarAccessible* m_object = nullptr;  // a reference of ours
  bool m_comStarted = false;
  DWORD m_comThread = 0;
  bool m_lookPosted = false;

  // What clients were last told of.
  MonthView m_toldView;
  MonthTable m_toldTable = {};
  MonthFacts m_facts;
  // The local date today was last asked on (year * 10000 + month * 100 + day).
  int m_factsDate = 0;
};
