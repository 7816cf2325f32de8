#pragma once
// The month calendar as a screen reader reads it: a table whose children
// are the days of the month shown, child id = day, each a cell named by
// what it shows. Any thread may call it: it reads the month through the
// session, a copy of what it needs each time, and the host's facts as the
// window's thread last asked them. Once its window has ended it answers
// every call with CO_E_OBJNOTCONNECTED and reaches nothing.
#include <mutex>

#include "book/MonthSession.h"
#include "ui/core/DayAccessibleName.h"
#include "win/AccessibleBase.h"

class CCalendarAccessible final : public CAccessibleBase {
 public:
  // What its window gets when a client asks that a day be shown; wParam the day.
  static constexpr UINT kShowDayMessage = WM_USER + 1;

  // calendar: the window it answers for; dialog: the window the calendar
  // is painted in, whose client pixels its geometry is in.
  CCalendarAccessible(HWND calendar, HWND dialog, const CMonthSession& session);

  // The keyboard is in the dialog, whichever thread asks: the day shown
  // has the focus then.
  static bool KeyboardIn(HWND dialog);

  void SetFacts(const MonthFacts& facts);
  // On the window's thread as it ends: no call reaches the session afterwards.
  void Disconnect();

  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override;
  HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override;
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override;
  HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override;
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override;
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* text) override;
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override;
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override;
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override;
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic) override;
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* keys) override;
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override;
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override;
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override;
  HRESULT STDMETHODCALLTYPE accSelect(LONG flags, VARIANT child) override;
  HRESULT STDMETHODCALLTYPE accLocation(LONG* left, LONG* top, LONG* width, LONG* height, VARIANT child) override;
  HRESULT STDMETHODCALLTYPE accNavigate(LONG direction, VARIANT start, VARIANT* end) override;
  HRESULT STDMETHODCALLTYPE accHitTest(LONG x, LONG y, VARIANT* child) override;
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override;
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

 private:
  ~CCalendarAccessible() override = default;
  HWND OwnWindow() const override;

  // The month shown, and whether the child id is the table or one of its
  // days; CO_E_OBJNOTCONNECTED once the window is gone, E_INVALIDARG for
  // an id that is neither. m_lock is held.
  HRESULT Read(const VARIANT& child, MonthView& view, int& day) const;
  // One call's look at the month, the lock held while it lasts.
  struct CRead {
    CRead(const CCalendarAccessible& object, const VARIANT& child) : lock(object.m_lock) {
      result = object.Read(child, view, day);
    }
    std::lock_guard<std::mutex> lock;
    HRESULT result = S_OK;
    MonthView view;
    int day = 0;
  };
  // The day to be shown as a click on its cell shows it, on the window's thread.
  HRESULT AskToShow(const VARIANT& child) const;

  mutable std::mutex m_lock;
  const CMonthSession* m_session;  // not owned; nullptr once disconnected
  const HWND m_calendar;
  const HWND m_dialog;
  MonthFacts m_facts;
};
