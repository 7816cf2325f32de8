// plannix-screen-reader: reads the schedule window of another process as a
// screen reader does, through MSAA only (AccessibleObjectFromWindow, the
// children of each object, out-of-context event hooks). Modes:
//   book FOLDER              writes the month the checks expect, March 2010
//   cells FOLDER             the calendar's days, their names against the
//                            book, states, places and navigation; the day
//                            page's boxes and slots by name
//   shown DAY                the day shown is the focus, the selection, and
//                            the only day with those states
//   act DAY                  the day's default action: it is shown
//   arrive FOLDER            another program adds a line to the 20th
//   watch FILE SECONDS       every focus, selection, name change and alert
//                            of the host's process, one line each (UTF-8),
//                            numbered in the order they came
//   picker                   the names of the open seal picker's seals
//   remind FOLDER            writes a line due in five minutes on the PC's clock
//   reminder                 the reminder window read out: its name and its lines
//   gone                     holds the calendar, closes the window, asks again
// Exit 0 when every check held; each failure is one line on stdout.
#include <windows.h>
// after windows.h, which they need
#include <oleacc.h>
#include <shellapi.h>

#include <cstdio>
#include <string>
#include <vector>

#include "calendar/CalendarFacts.h"
#include "data/MonthFile.h"
#include "data/SealTable.h"
#include "ui/res/resource.h"

namespace {

constexpr int kYear = 2010;
constexpr int kMonth = 3;
constexpr int kShownDay = 5;  // the host's today, shown as the window opens

int g_failures = 0;

std::string Utf8(const std::wstring& text) {
  if (text.empty()) return std::string();
  const int size =
      WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string narrow(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), &narrow[0], size, nullptr, nullptr);
  return narrow;
}

std::wstring FromCp932(const char* text) {
  const int size = MultiByteToWideChar(932, 0, text, -1, nullptr, 0);
  if (size <= 1) return std::wstring();
  std::wstring wide(static_cast<size_t>(size), L'\0');
  MultiByteToWideChar(932, 0, text, -1, &wide[0], size);
  wide.resize(static_cast<size_t>(size - 1));
  return wide;
}

void Fail(const std::string& what) {
  std::printf("FAILED: %s\n", what.c_str());
  ++g_failures;
}

void Expect(bool holds, const std::string& what) {
  if (!holds) Fail(what);
}

VARIANT Child(LONG id) {
  VARIANT child;
  VariantInit(&child);
  child.vt = VT_I4;
  child.lVal = id;
  return child;
}

std::wstring NameOf(IAccessible* object, LONG id, HRESULT* result = nullptr) {
  BSTR name = nullptr;
  const HRESULT got = object->get_accName(Child(id), &name);
  if (result != nullptr) *result = got;
  std::wstring text = name != nullptr ? std::wstring(name, SysStringLen(name)) : std::wstring();
  SysFreeString(name);
  return text;
}

LONG NumberOf(IAccessible* object, LONG id, bool state) {
  VARIANT answer;
  VariantInit(&answer);
  const HRESULT got = state ? object->get_accState(Child(id), &answer) : object->get_accRole(Child(id), &answer);
  return SUCCEEDED(got) && answer.vt == VT_I4 ? answer.lVal : -1;
}

IAccessible* ClientOf(HWND window) {
  IAccessible* object = nullptr;
  if (FAILED(AccessibleObjectFromWindow(window, OBJID_CLIENT, IID_IAccessible, reinterpret_cast<void**>(&object)))) {
    return nullptr;
  }
  return object;
}

// The client objects of the windows among an object's children, as a
// screen reader walks down from a dialog.
std::vector<std::pair<HWND, IAccessible*>> ChildWindowClients(IAccessible* parent) {
  std::vector<std::pair<HWND, IAccessible*>> found;
  LONG count = 0;
  if (FAILED(parent->get_accChildCount(&count)) || count <= 0) return found;
  std::vector<VARIANT> children(static_cast<size_t>(count));
  LONG got = 0;
  if (FAILED(AccessibleChildren(parent, 0, count, children.data(), &got))) return found;
  for (LONG i = 0; i < got; ++i) {
    if (children[i].vt == VT_DISPATCH && children[i].pdispVal != nullptr) {
      IAccessible* child = nullptr;
      HWND window = nullptr;
      if (SUCCEEDED(children[i].pdispVal->QueryInterface(IID_IAccessible, reinterpret_cast<void**>(&child))) &&
          SUCCEEDED(WindowFromAccessibleObject(child, &window)) && window != nullptr) {
        if (IAccessible* client = ClientOf(window)) found.emplace_back(window, client);
      }
      if (child != nullptr) child->Release();
    }
    VariantClear(&children[i]);
  }
  return found;
}

void ReleaseAll(std::vector<std::pair<HWND, IAccessible*>>& clients) {
  for (auto& client : clients) client.second->Release();
  clients.clear();
}

HWND ScheduleWindow() { return FindWindowW(nullptr, L"スケジュール"); }

// The table among the schedule window's children; nullptr when none is.
IAccessible* FindCalendar(HWND dialog, HWND* window) {
  IAccessible* client = ClientOf(dialog);
  if (client == nullptr) return nullptr;
  auto children = ChildWindowClients(client);
  client->Release();
  IAccessible* table = nullptr;
  for (auto& child : children) {
    if (table == nullptr && NumberOf(child.second, CHILDID_SELF, false) == ROLE_SYSTEM_TABLE) {
      table = child.second;
      table->AddRef();
      if (window != nullptr) *window = child.first;
    }
  }
  ReleaseAll(children);
  return table;
}

const char* SealName(SealCode code) {
  const SealEntry* row = FindSealRow(code, kSealKeyCode);
  return row != nullptr && row->nBitmapId != kNoSealBitmapId ? row->szName : nullptr;
}

std::string MonthPath(const std::wstring& folder) {
  char narrow[kPathSize] = "";
  WideCharToMultiByte(932, 0, folder.c_str(), -1, narrow, sizeof narrow, nullptr, nullptr);
  char path[kPathSize];
  FormatMonthFilePathIn(path, narrow, kYear, kMonth, '\\');
  return path;
}

int WriteBook(const std::wstring& folder) {
  MonthTable month = {};
  DayRecord& shown = month.Day(kShownDay);
  std::snprintf(shown.szLine[0], kLineSize, "10:00 会議");
  std::snprintf(shown.szLine[2], kLineSize, "歯医者");
  shown.nSeal[0] = 18;  // 打ち合わせ、会議
  shown.nSeal[3] = 10;  // 病院
  std::snprintf(shown.szMemo, kMemoSize, "持ち物");
  std::snprintf(month.Day(6).szLine[0], kLineSize, "買い物");
  std::snprintf(month.Day(12).szLine[4], kLineSize, "給料日");
  month.Day(12).nSeal[1] = 11;  // 給料日、ボーナス
  return WriteMonthFile(month, MonthPath(folder).c_str(), [] { return DaysInMonth(kYear, kMonth); }) == 1 ? 0 : 1;
}

// What a sighted user sees of these days, in the words they must be read in.
struct ExactName {
  int day;
  const wchar_t* name;
};
const ExactName g_ExactNames[] = {
    {1, L"3月1日 月曜日"},
    {5, L"3月5日 金曜日 今日 予定 10:00 会議、歯医者 シール 打ち合わせ、会議、病院 メモあり"},
    {21, L"3月21日 日曜日 春分の日"},
    {22, L"3月22日 月曜日 振替休日"},
    {27, L"3月27日 土曜日"},
};

struct BoxName {
  int id;
  const wchar_t* name;
};
const BoxName g_BoxNames[] = {
    {IDC_LINE1, L"予定 1"},
    {IDC_LINE5, L"予定 5"},
    {IDC_MEMO, L"デイリーメモ"},
    {IDC_SEAL_SLOT1, L"シール 1 打ち合わせ、会議"},
    {IDC_SEAL_SLOT2, L"シール 2 なし"},
    {IDC_SEAL_SLOT4, L"シール 4 病院"},
};

void CheckDay(IAccessible* table, HWND dialog, const MonthTable& book, int day, int last) {
  const std::string at = "day " + std::to_string(day) + ": ";
  HRESULT asked = S_OK;
  const std::wstring name = NameOf(table, day, &asked);
  Expect(SUCCEEDED(asked), at + "no name");
  Expect(NumberOf(table, day, false) == ROLE_SYSTEM_CELL, at + "not a cell");
  const std::wstring date = std::to_wstring(kMonth) + L"月" + std::to_wstring(day) + L"日 ";
  Expect(name.rfind(date, 0) == 0, at + "does not begin with its date: " + Utf8(name));
  const DayRecord& record = book.Day(day);
  for (const auto& line : record.szLine) {
    Expect(name.find(FromCp932(line)) != std::wstring::npos, at + "lacks the line " + Utf8(FromCp932(line)));
  }
  for (SealCode code : record.nSeal) {
    if (const char* seal = SealName(code)) {
      Expect(name.find(FromCp932(seal)) != std::wstring::npos, at + "lacks the seal " + Utf8(FromCp932(seal)));
    }
  }
  const LONG state = NumberOf(table, day, true);
  Expect(((state & STATE_SYSTEM_SELECTED) != 0) == (day == kShownDay), at + "selected state wrong");

  // Its place on the screen, and the day found there again.
  LONG left = 0, top = 0, width = 0, height = 0;
  RECT window = {};
  GetWindowRect(dialog, &window);
  const bool placed = SUCCEEDED(table->accLocation(&left, &top, &width, &height, Child(day)));
  Expect(placed && width > 0 && height > 0 && left >= window.left && left + width <= window.right &&
             top >= window.top && top + height <= window.bottom,
         at + "no place inside the window");
  VARIANT hit;
  VariantInit(&hit);
  table->accHitTest(left + width / 2, top + height / 2, &hit);
  Expect(hit.vt == VT_I4 && hit.lVal == day, at + "its middle hits another day");

  VARIANT next;
  VariantInit(&next);
  table->accNavigate(NAVDIR_RIGHT, Child(day), &next);
  Expect(day < last ? next.vt == VT_I4 && next.lVal == day + 1 : next.vt == VT_EMPTY, at + "right goes astray");
  VariantInit(&next);
  table->accNavigate(NAVDIR_DOWN, Child(day), &next);
  Expect(day + 7 <= last ? next.vt == VT_I4 && next.lVal == day + 7 : next.vt == VT_EMPTY, at + "down goes astray");
}

int ReadCells(const std::wstring& folder) {
  MonthTable book = {};
  if (ReadMonthFile(book, MonthPath(folder).c_str()) != 1) Fail("the book cannot be read");
  HWND dialog = ScheduleWindow();
  HWND calendar = nullptr;
  IAccessible* table = dialog != nullptr ? FindCalendar(dialog, &calendar) : nullptr;
  if (table == nullptr) {
    Fail("no table among the schedule window's children");
    return 1;
  }
  Expect(NameOf(table, CHILDID_SELF) == L"2010年3月", "the table is not named by its month");
  LONG count = 0;
  table->get_accChildCount(&count);
  const int last = DaysInMonth(kYear, kMonth);
  Expect(count == last, "the table has " + std::to_string(count) + " days");
  for (int day = 1; day <= last; ++day) CheckDay(table, dialog, book, day, last);
  for (const ExactName& exact : g_ExactNames) {
    const std::wstring name = NameOf(table, exact.day);
    Expect(name == exact.name, "day " + std::to_string(exact.day) + " reads " + Utf8(name));
  }
  VARIANT selection;
  VariantInit(&selection);
  table->get_accSelection(&selection);
  Expect(selection.vt == VT_I4 && selection.lVal == kShownDay, "the selection is not the day shown");
  table->Release();

  for (const BoxName& box : g_BoxNames) {
    IAccessible* client = ClientOf(GetDlgItem(dialog, box.id));
    const std::wstring name = client != nullptr ? NameOf(client, CHILDID_SELF) : L"(none)";
    Expect(name == box.name, "box " + std::to_string(box.id) + " reads " + Utf8(name));
    if (client != nullptr) client->Release();
  }
  return g_failures > 0;
}

IAccessible* Calendar() {
  HWND dialog = ScheduleWindow();
  IAccessible* table = dialog != nullptr ? FindCalendar(dialog, nullptr) : nullptr;
  if (table == nullptr) Fail("no table among the schedule window's children");
  return table;
}

int CheckShown(int shown) {
  IAccessible* table = Calendar();
  if (table == nullptr) return 1;
  VARIANT focus, selection;
  VariantInit(&focus);
  VariantInit(&selection);
  table->get_accFocus(&focus);
  table->get_accSelection(&selection);
  Expect(focus.vt == VT_I4 && focus.lVal == shown, "the focus is not on the day shown");
  Expect(selection.vt == VT_I4 && selection.lVal == shown, "the selection is not the day shown");
  const LONG both = STATE_SYSTEM_FOCUSED | STATE_SYSTEM_SELECTED;
  for (int day = 1; day <= DaysInMonth(kYear, kMonth); ++day) {
    const LONG state = NumberOf(table, day, true) & both;
    Expect(state == (day == shown ? both : 0), "day " + std::to_string(day) + " has states " + std::to_string(state));
  }
  table->Release();
  return g_failures > 0;
}

int DoDefaultAction(int day) {
  IAccessible* table = Calendar();
  if (table == nullptr) return 1;
  BSTR action = nullptr;
  Expect(SUCCEEDED(table->get_accDefaultAction(Child(day), &action)) && action != nullptr, "no default action");
  SysFreeString(action);
  Expect(SUCCEEDED(table->accDoDefaultAction(Child(day))), "the default action failed");
  Expect(table->accDoDefaultAction(Child(40)) == E_INVALIDARG, "a day the month lacks took an action");
  table->Release();
  return g_failures > 0;
}

int Arrive(const std::wstring& folder) {
  MonthTable month = {};
  if (ReadMonthFile(month, MonthPath(folder).c_str()) != 1) return 1;
  std::snprintf(month.Day(20).szLine[0], kLineSize, "届いた予定");
  return WriteMonthFile(month, MonthPath(folder).c_str(), [] { return DaysInMonth(kYear, kMonth); }) == 1 ? 0 : 1;
}

int ReadPicker() {
  HWND picker = nullptr;
  for (int i = 0; i < 50 && picker == nullptr; ++i, Sleep(100)) picker = FindWindowW(nullptr, L"シール選択");
  IAccessible* client = picker != nullptr ? ClientOf(picker) : nullptr;
  if (client == nullptr) {
    Fail("no seal picker");
    return 1;
  }
  auto children = ChildWindowClients(client);
  client->Release();
  int cell = 0;
  for (auto& child : children) {
    const int id = GetDlgCtrlID(child.first);
    if (id < IDC_SEAL_CELL0 || id > IDC_SEAL_CELL15) continue;
    const std::wstring expected = FromCp932(g_SealTable[id - IDC_SEAL_CELL0].szName);
    const std::wstring name = NameOf(child.second, CHILDID_SELF);
    Expect(name == expected, "seal cell " + std::to_string(id - IDC_SEAL_CELL0) + " reads " + Utf8(name));
    Expect(NumberOf(child.second, CHILDID_SELF, false) == ROLE_SYSTEM_PUSHBUTTON, "a seal cell is no button");
    ++cell;
  }
  ReleaseAll(children);
  Expect(cell == kSealsPerPage, std::to_string(cell) + " seal cells found");
  return g_failures > 0;
}

std::FILE* g_events = nullptr;
DWORD g_hostProcess = 0;

// Numbered as they come: asking for a name lets the next event in before this one is written.
void CALLBACK OnEvent(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG child, DWORD, DWORD) {
  static int s_heard = 0;
  const int heard = ++s_heard;
  const char* kind = event == EVENT_OBJECT_FOCUS        ? "focus"
                     : event == EVENT_OBJECT_SELECTION  ? "selection"
                     : event == EVENT_OBJECT_NAMECHANGE ? "name"
                     : event == EVENT_SYSTEM_ALERT      ? "alert"
                                                        : nullptr;
  if (kind == nullptr || window == nullptr) return;
  wchar_t className[64] = L"";
  GetClassNameW(window, className, 64);
  IAccessible* source = nullptr;
  VARIANT id;
  VariantInit(&id);
  std::wstring name = L"(none)";
  if (SUCCEEDED(AccessibleObjectFromEvent(window, object, child, &source, &id)) && source != nullptr) {
    BSTR text = nullptr;
    if (SUCCEEDED(source->get_accName(id, &text)) && text != nullptr) name.assign(text, SysStringLen(text));
    SysFreeString(text);
    source->Release();
  }
  std::fprintf(g_events, "%d %s %s %ld %s\n", heard, kind, Utf8(className).c_str(), child, Utf8(name).c_str());
  std::fflush(g_events);
}

int Watch(const std::wstring& file, int seconds) {
  HWND dialog = ScheduleWindow();
  if (dialog == nullptr) return 1;
  GetWindowThreadProcessId(dialog, &g_hostProcess);
  g_events = _wfopen(file.c_str(), L"wb");
  if (g_events == nullptr) return 1;
  HWINEVENTHOOK hook = SetWinEventHook(EVENT_MIN, EVENT_MAX, nullptr, OnEvent, g_hostProcess, 0, WINEVENT_OUTOFCONTEXT);
  std::fprintf(g_events, "ready\n");
  std::fflush(g_events);
  const DWORD end = GetTickCount() + static_cast<DWORD>(seconds) * 1000;
  while (GetTickCount() < end) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
  }
  UnhookWinEvent(hook);
  std::fclose(g_events);
  return 0;
}

constexpr char kRemindedTitle[] = "歯医者";

int WriteReminder(const std::wstring& folder) {
  SYSTEMTIME now;
  GetLocalTime(&now);
  FILETIME time;
  SystemTimeToFileTime(&now, &time);
  ULARGE_INTEGER ticks = {{time.dwLowDateTime, time.dwHighDateTime}};
  ticks.QuadPart += 5ull * 60 * 10000000;  // five minutes, on the next day past midnight
  time = {ticks.LowPart, ticks.HighPart};
  SYSTEMTIME due;
  FileTimeToSystemTime(&time, &due);
  char narrow[kPathSize] = "";
  WideCharToMultiByte(932, 0, folder.c_str(), -1, narrow, sizeof narrow, nullptr, nullptr);
  char path[kPathSize];
  FormatMonthFilePathIn(path, narrow, due.wYear, due.wMonth, '\\');
  MonthTable month = {};
  ReadMonthFile(month, path);
  std::snprintf(month.Day(due.wDay).szLine[4], kLineSize, "%02d:%02d %s", due.wHour, due.wMinute, kRemindedTitle);
  const int days = DaysInMonth(due.wYear, due.wMonth);
  return WriteMonthFile(month, path, [days] { return days; }) == 1 ? 0 : 1;
}

struct FoundWindow {
  HWND window = nullptr;
  std::wstring name;
};

BOOL CALLBACK LookForReminder(HWND window, LPARAM found) {
  auto* reminder = reinterpret_cast<FoundWindow*>(found);
  wchar_t className[16] = L"";
  GetClassNameW(window, className, 16);
  if (!IsWindowVisible(window) || std::wstring(className) != L"#32770") return TRUE;
  IAccessible* client = ClientOf(window);
  if (client == nullptr) return TRUE;
  const std::wstring name = NameOf(client, CHILDID_SELF);
  client->Release();
  if (name.rfind(L"予定の通知", 0) != 0) return TRUE;
  reminder->window = window;
  reminder->name = name;
  return FALSE;
}

int ReadReminder() {
  FoundWindow reminder;
  for (int i = 0; i < 100 && reminder.window == nullptr; ++i, Sleep(200)) {
    EnumWindows(LookForReminder, reinterpret_cast<LPARAM>(&reminder));
  }
  if (reminder.window == nullptr) {
    Fail("no reminder window named by its lines");
    return 1;
  }
  const std::wstring title = FromCp932(kRemindedTitle);
  Expect(reminder.name.find(title) != std::wstring::npos, "the reminder window reads " + Utf8(reminder.name));
  Expect(GetForegroundWindow() == ScheduleWindow(), "the reminder took the activation");
  // Its lines, as the list's items.
  IAccessible* client = ClientOf(reminder.window);
  auto children = client != nullptr ? ChildWindowClients(client) : decltype(ChildWindowClients(nullptr))();
  if (client != nullptr) client->Release();
  bool read = false;
  for (auto& child : children) {
    if (GetDlgCtrlID(child.first) != IDC_REMINDER_LIST) continue;
    Expect(NameOf(child.second, CHILDID_SELF) == L"通知する予定", "the list is not named");
    LONG lines = 0;
    child.second->get_accChildCount(&lines);
    for (LONG line = 1; line <= lines; ++line) read |= NameOf(child.second, line).find(title) != std::wstring::npos;
  }
  ReleaseAll(children);
  Expect(read, "no line of the list reads the reminded line");
  return g_failures > 0;
}

// A client keeps the calendar after its window ends: asking then is an error, never a crash.
int Gone() {
  HWND dialog = ScheduleWindow();
  IAccessible* table = dialog != nullptr ? FindCalendar(dialog, nullptr) : nullptr;
  if (table == nullptr) {
    Fail("no table among the schedule window's children");
    return 1;
  }
  PostMessageW(dialog, WM_CLOSE, 0, 0);
  for (int i = 0; i < 100 && IsWindow(dialog); ++i) Sleep(100);
  Expect(!IsWindow(dialog), "the window did not close");
  HRESULT asked = S_OK;
  NameOf(table, kShownDay, &asked);
  Expect(asked == CO_E_OBJNOTCONNECTED || asked == RPC_E_DISCONNECTED,
         "asked after the window ended: " + std::to_string(static_cast<unsigned long>(asked)));
  table->Release();
  return g_failures > 0;
}

}  // namespace

int main() {
  int count = 0;
  wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
  if (arguments == nullptr || count < 2) return 2;
  CoInitialize(nullptr);
  const std::wstring mode = arguments[1];
  int result = 2;
  if (mode == L"book" && count == 3) result = WriteBook(arguments[2]);
  if (mode == L"cells" && count == 3) result = ReadCells(arguments[2]);
  if (mode == L"watch" && count == 4) result = Watch(arguments[2], _wtoi(arguments[3]));
  if (mode == L"picker") result = ReadPicker();
  if (mode == L"shown" && count == 3) result = CheckShown(_wtoi(arguments[2]));
  if (mode == L"act" && count == 3) result = DoDefaultAction(_wtoi(arguments[2]));
  if (mode == L"arrive" && count == 3) result = Arrive(arguments[2]);
  if (mode == L"remind" && count == 3) result = WriteReminder(arguments[2]);
  if (mode == L"reminder") result = ReadReminder();
  if (mode == L"gone") result = Gone();
  CoUninitialize();
  return result;
}
