#include "ui/CalendarAccess.h"

#include <cstring>
#include <utility>

#include "calendar/HolidayYear.h"
#include "ui/CalendarAccessible.h"
#include "ui/core/CalendarGeometry.h"
#include "ui/core/DayFacts.h"
#include "ui/core/GridDays.h"
#include "ui/res/resource.h"
#include "win/AccessibleName.h"
#include "win/Module.h"
#include "win/Text.h"

namespace {

constexpr wchar_t kCalendarClass[] = L"PlannixCalendar";
constexpr wchar_t kCalendarText[] = L"カレンダー";
constexpr UINT kLookMessage = WM_USER + 2;
static_assert(kLookMessage != CCalendarAccessible::kShowDayMessage, "two messages, two numbers");

bool RegisterCalendarClass(WNDPROC procedure) {
  WNDCLASSW known = {};
  if (GetClassInfoW(ResourceModule(), kCalendarClass, &known)) return true;
  WNDCLASSW calendar = {};
  calendar.lpfnWndProc = procedure;
  calendar.lpszClassName = kCalendarClass;
  calendar.hInstance = ResourceModule();
  calendar.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  return RegisterClassW(&calendar) != 0;
}

int LocalDate() {
  SYSTEMTIME now = {};
  GetLocalTime(&now);
  return now.wYear * 10000 + now.wMonth * 100 + now.wDay;
}

}  // namespace

CCalendarAccess::~CCalendarAccess() { Detach(); }

void CCalendarAccess::Attach(HWND dialog, const CMonthSession& session, CToolHost& host,
                             std::function<void(POINT)> showDayAt) {
  Detach();
  // The calls of clients in other processes come in through this thread's messages.
  m_comStarted = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
  m_comThread = GetCurrentThreadId();
  m_dialog = dialog;
  m_session = &session;
  m_host = &host;
  m_showDayAt = std::move(showDayAt);
  if (RegisterCalendarClass(&CCalendarAccess::WindowProc)) {
    const PixelRect& area = kCalendarArea;
    m_window = CreateWindowExW(0, kCalendarClass, kCalendarText, WS_CHILD | WS_VISIBLE, area.left, area.top,
                               area.right - area.left, area.bottom - area.top, dialog, nullptr, ResourceModule(), this);
  }
  if (m_window != nullptr) {
    // Nothing of it is on the screen: the dialog paints the calendar and takes its clicks.
    SetWindowRgn(m_window, CreateRectRgn(0, 0, 0, 0), FALSE);
    // Read after the day page, as it stands on the screen.
    SetWindowPos(m_window, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    m_object = new CCalendarAccessible(m_window, dialog, session);
  }

  for (int line = 1; line <= kLineCount; ++line) {
    SetAccessibleName(GetDlgItem(dialog, IDC_LINE1 + line - 1), WidenCp932(LineBoxAccessibleName(line).c_str()));
  }
  SetAccessibleName(GetDlgItem(dialog, IDC_MEMO), WidenCp932(kMemoBoxAccessibleName));
  SetAccessibleName(GetDlgItem(dialog, IDC_COVER), WidenCp932(kDiaryCoverAccessibleName));
  // The template's "Spin1" is no name to hear.
  SetAccessibleName(GetDlgItem(dialog, IDC_YEAR_SPIN), L"年");
  SetAccessibleName(GetDlgItem(dialog, IDC_MONTH_SPIN), L"月");

  // What is shown now is what clients find when they first ask: nothing to tell.
  m_toldView = session.View();
  session.CopyTable(m_toldTable);
  AskFacts(m_toldView, true);
  NameSealSlots(m_toldTable.Day(m_toldView.selectedDay));
}

void CCalendarAccess::Detach() {
  if (m_object != nullptr) {
    m_object->Disconnect();
    // Clients in other processes hear of it at their next call.
    CoDisconnectObject(static_cast<IAccessible*>(m_object), 0);
    m_object->Release();
    m_object = nullptr;
  }
  if (m_window != nullptr && IsWindow(m_window)) DestroyWindow(m_window);
  m_window = nullptr;
  m_session = nullptr;
  m_host = nullptr;
  m_showDayAt = nullptr;
  m_lookPosted = false;
  m_facts = MonthFacts();
  m_factsDate = 0;
  // Never on another thread, whose COM is not ours to end.
  if (m_comStarted && GetCurrentThreadId() == m_comThread) CoUninitialize();
  m_comStarted = false;
}

void CCalendarAccess::Notice() {
  if (m_window == nullptr || m_lookPosted) return;
  m_lookPosted = PostMessageW(m_window, kLookMessage, 0, 0) != FALSE;
}

LRESULT CALLBACK CCalendarAccess::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* access = reinterpret_cast<CCalendarAccess*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (access == nullptr || access->m_window != window) return DefWindowProcW(window, message, wParam, lParam);
  return access->OnMessage(message, wParam, lParam);
}

LRESULT CCalendarAccess::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_GETOBJECT:
      if (static_cast<LONG>(lParam) == OBJID_CLIENT && m_object != nullptr) {
        return LresultFromObject(IID_IAccessible, wParam, static_cast<IAccessible*>(m_object));
      }
      break;
    case WM_NCHITTEST:
      return HTTRANSPARENT;
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      PAINTSTRUCT paint;
      BeginPaint(m_window, &paint);
      EndPaint(m_window, &paint);
      return 0;
    }
    case kLookMessage:
      m_lookPosted = false;
      TellChanges();
      return 0;
    case CCalendarAccessible::kShowDayMessage:
      ShowDay(static_cast<int>(wParam));
      return 0;
    case WM_NCDESTROY:
      SetWindowLongPtrW(m_window, GWLP_USERDATA, 0);
      break;
    default:
      break;
  }
  return DefWindowProcW(m_window, message, wParam, lParam);
}

void CCalendarAccess::Notify(DWORD event, LONG child) const { NotifyWinEvent(event, m_window, OBJID_CLIENT, child); }

void CCalendarAccess::TellChanges() {
  if (m_session == nullptr || m_object == nullptr) return;
  const MonthView view = m_session->View();
  MonthTable table;
  m_session->CopyTable(table);
  // A month written keeps its days: only one that could not be read reads otherwise.
  const bool newMonth = view.year != m_toldView.year || view.month != m_toldView.month ||
                        view.IsProtected() != m_toldView.IsProtected() ||
                        std::memcmp(&view.dayGrid, &m_toldView.dayGrid, sizeof view.dayGrid) != 0;
  const MonthFacts told = m_facts;
  AskFacts(view, newMonth);

  if (newMonth) {
    // Other days altogether: the table and its name are new.
    Notify(EVENT_OBJECT_REORDER, CHILDID_SELF);
    Notify(EVENT_OBJECT_NAMECHANGE, CHILDID_SELF);
  } else {
    // What a day says may change with its record or with today moving on.
    for (int day = 1; day <= LastGridDay(view.dayGrid); ++day) {
      if (DayAccessibleName(table.Day(day), FactsOfDay(view, m_facts, day)) !=
          DayAccessibleName(m_toldTable.Day(day), FactsOfDay(m_toldView, told, day))) {
        Notify(EVENT_OBJECT_NAMECHANGE, day);
      }
    }
  }
  if (newMonth || view.selectedDay != m_toldView.selectedDay) {
    Notify(EVENT_OBJECT_SELECTION, view.selectedDay);
    if (CCalendarAccessible::KeyboardIn(m_dialog)) Notify(EVENT_OBJECT_FOCUS, view.selectedDay);
  }
  NameSealSlots(table.Day(view.selectedDay));
  m_toldView = view;
  m_toldTable = table;
}

void CCalendarAccess::AskFacts(const MonthView& view, bool newMonth) {
  const int date = LocalDate();
  if (!newMonth && date == m_factsDate) return;
  if (newMonth) {
    m_facts.year = view.year;
    m_facts.month = view.month;
    const CHolidayYear names(view.year);
    CHolidayBracket bracket(*m_host, view.year);
    for (int day = 1; day <= kDaysInTable; ++day) {
      const bool holiday =
          day <= LastGridDay(view.dayGrid) && m_host->HolidayQuery(kHolidayIsHoliday, view.month, day, view.year) != 0;
      const char* name = holiday ? names.NameOf(view.month, day) : nullptr;
      m_facts.holidays[day] = holiday ? (name != nullptr ? name : kUnnamedHolidayName) : "";
    }
  }
  m_facts.todayYear = static_cast<int>(m_host->CalendarQuery(kCalTodayYear, 0, 0));
  m_facts.todayMonth = static_cast<int>(m_host->CalendarQuery(kCalTodayMonth, 0, 0));
  m_facts.todayDay = static_cast<int>(m_host->CalendarQuery(kCalTodayDay, 0, 0));
  m_factsDate = date;
  if (m_object != nullptr) m_object->SetFacts(m_facts);
}

void CCalendarAccess::NameSealSlots(const DayRecord& record) {
  for (int slot = 1; slot <= kSealSlots; ++slot) {
    SetAccessibleName(GetDlgItem(m_dialog, IDC_SEAL_SLOT1 + slot - 1),
                      WidenCp932(SealSlotAccessibleName(slot, record.nSeal[slot - 1]).c_str()),
                      AccessibleRole::kPushButton);
  }
}

void CCalendarAccess::ShowDay(int day) {
  // As a click: none reaches a window that a dialog of its own has disabled,
  // whose seal picker, say, will store into the day shown.
  if (m_session == nullptr || !m_showDayAt || !IsWindowEnabled(m_dialog)) return;
  const std::optional<GridCell> cell = CellOfDay(m_session->View().dayGrid, day);
  if (!cell) return;
  const PixelRect rect = PaintedCellRect(ScreenCalendarGrid(kCalendarArea), cell->column, cell->row);
  m_showDayAt(POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2});
}
