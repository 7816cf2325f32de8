#include "ui/CalendarAccessible.h"

#include "ui/core/CalendarGeometry.h"
#include "ui/core/GridDays.h"
#include "win/Text.h"

namespace {

constexpr wchar_t kShowDayAction[] = L"この日を表示";

HRESULT AnswerChild(VARIANT* answer, int child) {
  answer->vt = VT_I4;
  answer->lVal = child;
  return S_OK;
}

HRESULT AnswerNone(VARIANT* answer) {
  answer->vt = VT_EMPTY;
  return S_FALSE;
}

}  // namespace

CCalendarAccessible::CCalendarAccessible(HWND calendar, HWND dialog, const CMonthSession& session)
    : m_session(&session), m_calendar(calendar), m_dialog(dialog) {}

void CCalendarAccessible::SetFacts(const MonthFacts& facts) {
  std::lock_guard<std::mutex> lock(m_lock);
  m_facts = facts;
}

void CCalendarAccessible::Disconnect() {
  std::lock_guard<std::mutex> lock(m_lock);
  m_session = nullptr;
}

HWND CCalendarAccessible::OwnWindow() const {
  std::lock_guard<std::mutex> lock(m_lock);
  return m_session != nullptr ? m_calendar : nullptr;
}

HRESULT CCalendarAccessible::Read(const VARIANT& child, MonthView& view, int& day) const {
  if (m_session == nullptr) return CO_E_OBJNOTCONNECTED;
  if (child.vt != VT_I4) return E_INVALIDARG;
  view = m_session->View();
  day = child.lVal;
  if (day == CHILDID_SELF) return S_OK;
  return day >= 1 && day <= LastGridDay(view.dayGrid) ? S_OK : E_INVALIDARG;
}

bool CCalendarAccessible::KeyboardIn(HWND dialog) {
  GUITHREADINFO info = {};
  info.cbSize = sizeof info;
  if (!GetGUIThreadInfo(GetWindowThreadProcessId(dialog, nullptr), &info) || info.hwndFocus == nullptr) return false;
  return info.hwndFocus == dialog || IsChild(dialog, info.hwndFocus);
}

HRESULT CCalendarAccessible::AskToShow(const VARIANT& child) const {
  const CRead read(*this, child);
  if (FAILED(read.result)) return read.result;
  if (read.day == CHILDID_SELF) return E_INVALIDARG;
  // A dialog of the window's own has it disabled and the day would not be shown: said so, not S_OK.
  if (!IsWindowEnabled(m_dialog)) return E_FAIL;
  return PostMessageW(m_calendar, kShowDayMessage, static_cast<WPARAM>(read.day), 0) ? S_OK : E_FAIL;
}

HRESULT CCalendarAccessible::get_accParent(IDispatch** parent) {
  if (parent == nullptr) return E_POINTER;
  *parent = nullptr;
  HWND window = OwnWindow();
  if (window == nullptr) return CO_E_OBJNOTCONNECTED;
  // Made here, not asked of the window: its thread may be waiting for this one.
  return CreateStdAccessibleObject(window, OBJID_WINDOW, IID_IDispatch, reinterpret_cast<void**>(parent));
}

HRESULT CCalendarAccessible::get_accChildCount(LONG* count) {
  if (count == nullptr) return E_POINTER;
  std::lock_guard<std::mutex> lock(m_lock);
  if (m_session == nullptr) return CO_E_OBJNOTCONNECTED;
  *count = LastGridDay(m_session->View().dayGrid);
  return S_OK;
}

HRESULT CCalendarAccessible::get_accChild(VARIANT child, IDispatch** object) {
  if (object == nullptr) return E_POINTER;
  *object = nullptr;
  const CRead read(*this, child);
  if (FAILED(read.result)) return read.result;
  // The days are simple elements, named through the table.
  return read.day == CHILDID_SELF ? E_INVALIDARG : S_FALSE;
}

HRESULT CCalendarAccessible::get_accName(VARIANT child, BSTR* name) {
  if (name == nullptr) return E_POINTER;
  *name = nullptr;
  std::string text;
  {
    const CRead read(*this, child);
    if (FAILED(read.result)) return read.result;
    text = read.day == CHILDID_SELF
               ? MonthAccessibleName(read.view.year, read.view.month)
               : DayAccessibleName(m_session->Day(read.day), FactsOfDay(read.view, m_facts, read.day));
  }
  return AnswerText(WidenCp932(text.c_str(), text.size()), name);
}

HRESULT CCalendarAccessible::get_accValue(VARIANT child, BSTR* value) {
  if (value == nullptr) return E_POINTER;
  *value = nullptr;
  const CRead read(*this, child);
  return FAILED(read.result) ? read.result : DISP_E_MEMBERNOTFOUND;
}

HRESULT CCalendarAccessible::get_accDescription(VARIANT child, BSTR* text) { return get_accValue(child, text); }

HRESULT CCalendarAccessible::get_accRole(VARIANT child, VARIANT* role) {
  if (role == nullptr) return E_POINTER;
  VariantInit(role);
  const CRead read(*this, child);
  if (FAILED(read.result)) return read.result;
  return AnswerChild(role, read.day == CHILDID_SELF ? ROLE_SYSTEM_TABLE : ROLE_SYSTEM_CELL);
}

HRESULT CCalendarAccessible::get_accState(VARIANT child, VARIANT* state) {
  if (state == nullptr) return E_POINTER;
  VariantInit(state);
  const CRead read(*this, child);
  if (FAILED(read.result)) return read.result;
  LONG flags = read.view.IsProtected() ? STATE_SYSTEM_READONLY : 0;
  if (read.day != CHILDID_SELF) {
    flags |= STATE_SYSTEM_SELECTABLE | STATE_SYSTEM_FOCUSABLE;
    if (read.day == read.view.selectedDay) {
      flags |= STATE_SYSTEM_SELECTED;
      if (KeyboardIn(m_dialog)) flags |= STATE_SYSTEM_FOCUSED;
    }
  }
  return AnswerChild(state, flags);
}

HRESULT CCalendarAccessible::get_accHelp(VARIANT child, BSTR* help) { return get_accValue(child, help); }

HRESULT CCalendarAccessible::get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic) {
  if (topic != nullptr) *topic = 0;
  return get_accValue(child, file);
}

HRESULT CCalendarAccessible::get_accKeyboardShortcut(VARIANT child, BSTR* keys) { return get_accValue(child, keys); }

HRESULT CCalendarAccessible::get_accFocus(VARIANT* child) {
  if (child == nullptr) return E_POINTER;
  VariantInit(child);
  std::lock_guard<std::mutex> lock(m_lock);
  if (m_session == nullptr) return CO_E_OBJNOTCONNECTED;
  const MonthView view = m_session->View();
  if (!KeyboardIn(m_dialog) || view.selectedDay < 1 || view.selectedDay > LastGridDay(view.dayGrid)) {
    return AnswerNone(child);
  }
  return AnswerChild(child, view.selectedDay);
}

HRESULT CCalendarAccessible::get_accSelection(VARIANT* children) {
  if (children == nullptr) return E_POINTER;
  VariantInit(children);
  std::lock_guard<std::mutex> lock(m_lock);
  if (m_session == nullptr) return CO_E_OBJNOTCONNECTED;
  const MonthView view = m_session->View();
  if (view.selectedDay < 1 || view.selectedDay > LastGridDay(view.dayGrid)) return AnswerNone(children);
  return AnswerChild(children, view.selectedDay);
}

HRESULT CCalendarAccessible::get_accDefaultAction(VARIANT child, BSTR* action) {
  if (action == nullptr) return E_POINTER;
  *action = nullptr;
  {
    const CRead read(*this, child);
    if (FAILED(read.result)) return read.result;
    if (read.day == CHILDID_SELF) return DISP_E_MEMBERNOTFOUND;
  }
  return AnswerText(kShowDayAction, action);
}

HRESULT CCalendarAccessible::accSelect(LONG flags, VARIANT child) {
  // One day is shown at a time: it can be moved, never added to.
  if ((flags & (SELFLAG_ADDSELECTION | SELFLAG_REMOVESELECTION | SELFLAG_EXTENDSELECTION)) != 0) return E_INVALIDARG;
  if ((flags & (SELFLAG_TAKESELECTION | SELFLAG_TAKEFOCUS)) == 0) {
    return CRead(*this, child).result;
  }
  return AskToShow(child);
}

HRESULT CCalendarAccessible::accLocation(LONG* left, LONG* top, LONG* width, LONG* height, VARIANT child) {
  if (left == nullptr || top == nullptr || width == nullptr || height == nullptr) return E_POINTER;
  *left = *top = *width = *height = 0;
  const CRead read(*this, child);
  if (FAILED(read.result)) return read.result;
  PixelRect rect = kCalendarArea;
  if (read.day != CHILDID_SELF) {
    const std::optional<GridCell> cell = CellOfDay(read.view.dayGrid, read.day);
    if (!cell) return S_FALSE;
    rect = PaintedCellRect(ScreenCalendarGrid(kCalendarArea), cell->column, cell->row);
  }
  POINT origin = {rect.left, rect.top};
  if (!ClientToScreen(m_dialog, &origin)) return E_FAIL;
  *left = origin.x;
  *top = origin.y;
  *width = rect.right - rect.left;
  *height = rect.bottom - rect.top;
  return S_OK;
}

HRESULT CCalendarAccessible::accNavigate(LONG direction, VARIANT start, VARIANT* end) {
  if (end == nullptr) return E_POINTER;
  VariantInit(end);
  const CRead read(*this, start);
  if (FAILED(read.result)) return read.result;
  const int last = LastGridDay(read.view.dayGrid);
  if (read.day == CHILDID_SELF) {
    // Among the window's siblings the system's proxy of the window navigates.
    if (direction == NAVDIR_FIRSTCHILD && last > 0) return AnswerChild(end, 1);
    if (direction == NAVDIR_LASTCHILD && last > 0) return AnswerChild(end, last);
    return AnswerNone(end);
  }
  int days = 0;
  switch (direction) {
    case NAVDIR_LEFT:
    case NAVDIR_PREVIOUS:
      days = -1;
      break;
    case NAVDIR_RIGHT:
    case NAVDIR_NEXT:
      days = 1;
      break;
    case NAVDIR_UP:
      days = -kGridColumns;
      break;
    case NAVDIR_DOWN:
      days = kGridColumns;
      break;
    default:
      return E_INVALIDARG;  // a day has no children
  }
  const int to = DayWithinMonth(read.view.dayGrid, read.day, days);
  return to != 0 ? AnswerChild(end, to) : AnswerNone(end);
}

HRESULT CCalendarAccessible::accHitTest(LONG x, LONG y, VARIANT* child) {
  if (child == nullptr) return E_POINTER;
  VariantInit(child);
  std::lock_guard<std::mutex> lock(m_lock);
  if (m_session == nullptr) return CO_E_OBJNOTCONNECTED;
  POINT point = {x, y};
  if (!ScreenToClient(m_dialog, &point)) return E_FAIL;
  const PixelRect& area = kCalendarArea;
  if (point.x < area.left || point.x >= area.right || point.y < area.top || point.y >= area.bottom) {
    return AnswerNone(child);
  }
  const MonthView view = m_session->View();
  const std::optional<GridCell> cell = HitCell(area, point.x, point.y);
  const int day = cell ? view.dayGrid.At(cell->row, cell->column) : 0;
  return AnswerChild(child, day >= 1 && day <= LastGridDay(view.dayGrid) ? day : CHILDID_SELF);
}

HRESULT CCalendarAccessible::accDoDefaultAction(VARIANT child) { return AskToShow(child); }
