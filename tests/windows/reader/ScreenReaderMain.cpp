// plannix-screen-reader: reads the schedule window of another process as a
// screen reader does, through MSAA alone (the objects of windows, their
// children, out-of-context event hooks). The month on display is March 2010.
//   cells FOLDER            the days and their names against the book in
//                           FOLDER, states, places, navigation; the day page by name
//   watch FILE SECONDS      focus, selection, name changes and alerts of the
//                           host's process, one UTF-8 line each, numbered as they came
//   picker                  the names of the open seal picker's seals
//   act DAY                 the day's default action: it is shown, focused and selected
//   line FOLDER Y M D TEXT  another program puts TEXT into line 5 of a day
//   gone                    holds the calendar, closes the window, asks again
// Exit 0 when every check held; each failure is one line on stdout.
#include <windows.h>
// after windows.h, which they need
#include <oleacc.h>
#include <shellapi.h>

#include <algorithm>
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
int g_failures = 0;

std::string Utf8(const std::wstring& text) {
  const int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
  std::string narrow(static_cast<size_t>(size > 0 ? size : 1), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, &narrow[0], size, nullptr, nullptr);
  return narrow.c_str();
}

std::wstring Widen(const char* text, UINT codePage = 932) {
  std::vector<wchar_t> wide(static_cast<size_t>(MultiByteToWideChar(codePage, 0, text, -1, nullptr, 0)) + 1);
  MultiByteToWideChar(codePage, 0, text, -1, wide.data(), static_cast<int>(wide.size()));
  return wide.data();
}

std::string Narrow(const std::wstring& text) {
  char narrow[kPathSize] = "";
  WideCharToMultiByte(932, 0, text.c_str(), -1, narrow, sizeof narrow, nullptr, nullptr);
  return narrow;
}

void Expect(bool holds, const std::string& what) {
  if (holds) return;
  std::printf("FAILED: %s\n", what.c_str());
  ++g_failures;
}

VARIANT Child(LONG id) {
  VARIANT child = {};
  child.vt = VT_I4;
  child.lVal = id;
  return child;
}

std::wstring NameOf(IAccessible* object, LONG id, HRESULT* result = nullptr) {
  BSTR name = nullptr;
  const HRESULT got = object->get_accName(Child(id), &name);
  if (result != nullptr) *result = got;
  std::wstring text = name != nullptr ? name : L"";
  SysFreeString(name);
  return text;
}

LONG NumberOf(IAccessible* object, LONG id, bool state) {
  VARIANT answer = {};
  const HRESULT got = state ? object->get_accState(Child(id), &answer) : object->get_accRole(Child(id), &answer);
  return SUCCEEDED(got) && answer.vt == VT_I4 ? answer.lVal : -1;
}

IAccessible* ClientOf(HWND window) {
  IAccessible* object = nullptr;
  AccessibleObjectFromWindow(window, OBJID_CLIENT, IID_IAccessible, reinterpret_cast<void**>(&object));
  return object;
}

// The client objects of the windows among a window's children, walked down
// from its own client object as a screen reader walks.
std::vector<std::pair<HWND, IAccessible*>> ChildClients(HWND parent) {
  std::vector<std::pair<HWND, IAccessible*>> found;
  IAccessible* client = ClientOf(parent);
  LONG count = 0;
  if (client == nullptr || FAILED(client->get_accChildCount(&count)) || count <= 0) return found;
  std::vector<VARIANT> children(static_cast<size_t>(count));
  LONG got = 0;
  AccessibleChildren(client, 0, count, children.data(), &got);
  for (LONG i = 0; i < got; ++i) {
    HWND window = nullptr;
    IAccessible* child = nullptr;
    if (children[i].vt == VT_DISPATCH &&
        SUCCEEDED(children[i].pdispVal->QueryInterface(IID_IAccessible, reinterpret_cast<void**>(&child))) &&
        SUCCEEDED(WindowFromAccessibleObject(child, &window)) && window != parent) {
      if (IAccessible* inner = ClientOf(window)) found.emplace_back(window, inner);
    }
    if (child != nullptr) child->Release();
    VariantClear(&children[i]);
  }
  client->Release();
  return found;
}

void ReleaseAll(std::vector<std::pair<HWND, IAccessible*>>& clients) {
  for (auto& client : clients) client.second->Release();
}

HWND ScheduleWindow() { return FindWindowW(nullptr, L"スケジュール"); }

// The table among the schedule window's children.
IAccessible* Calendar() {
  auto children = ChildClients(ScheduleWindow());
  IAccessible* table = nullptr;
  for (auto& child : children) {
    if (table == nullptr && NumberOf(child.second, CHILDID_SELF, false) == ROLE_SYSTEM_TABLE) {
      table = child.second;
      table->AddRef();
    }
  }
  ReleaseAll(children);
  Expect(table != nullptr, "no table among the schedule window's children");
  return table;
}

// What a sighted user sees of these days and boxes, in the words they are read in.
const std::pair<int, const wchar_t*> g_DayNames[] = {
    {1, L"3月1日 月曜日"},
    {5, L"3月5日 金曜日 今日 予定 10:00 会議、歯医者 シール 打ち合わせ、会議、病院 メモあり"},
    {21, L"3月21日 日曜日 春分の日"},
    {22, L"3月22日 月曜日 振替休日"},
};
const std::pair<int, const wchar_t*> g_BoxNames[] = {
    {IDC_LINE1, L"予定 1"},
    {IDC_LINE5, L"予定 5"},
    {IDC_MEMO, L"デイリーメモ"},
    {IDC_SEAL_SLOT1, L"シール 1 打ち合わせ、会議"},
    {IDC_SEAL_SLOT2, L"シール 2 なし"},
};

void CheckDay(IAccessible* table, const MonthTable& book, int day, int last) {
  const std::string at = "day " + std::to_string(day) + ": ";
  const std::wstring name = NameOf(table, day);
  Expect(name.rfind(std::to_wstring(kMonth) + L"月" + std::to_wstring(day) + L"日 ", 0) == 0, at + Utf8(name));
  Expect(NumberOf(table, day, false) == ROLE_SYSTEM_CELL, at + "not a cell");
  for (const auto& line : book.Day(day).szLine) {
    Expect(name.find(Widen(line)) != std::wstring::npos, at + "lacks a line: " + Utf8(name));
  }
  for (SealCode code : book.Day(day).nSeal) {
    const SealEntry* seal = FindSealRow(code, kSealKeyCode);
    Expect(code == 0 || (seal != nullptr && name.find(Widen(seal->szName)) != std::wstring::npos),
           at + "lacks a seal: " + Utf8(name));
  }
  // Its place on the screen, the day found there again, and its neighbours.
  LONG left = 0, top = 0, width = 0, height = 0;
  VARIANT hit = {}, right = {}, down = {};
  table->accLocation(&left, &top, &width, &height, Child(day));
  table->accHitTest(left + width / 2, top + height / 2, &hit);
  Expect(width == 79 && height == 95 && hit.vt == VT_I4 && hit.lVal == day, at + "its middle is no day of its own");
  table->accNavigate(NAVDIR_RIGHT, Child(day), &right);
  table->accNavigate(NAVDIR_DOWN, Child(day), &down);
  Expect(day < last ? right.lVal == day + 1 : right.vt == VT_EMPTY, at + "right goes astray");
  Expect(day + 7 <= last ? down.lVal == day + 7 : down.vt == VT_EMPTY, at + "down goes astray");
}

int ReadCells(const std::wstring& folder) {
  MonthTable book = {};
  char path[kPathSize];
  FormatMonthFilePathIn(path, Narrow(folder).c_str(), kYear, kMonth, '\\');
  Expect(ReadMonthFile(book, path) == 1, "the book cannot be read");
  IAccessible* table = Calendar();
  if (table == nullptr) return 1;
  Expect(NameOf(table, CHILDID_SELF) == L"2010年3月", "the table is not named by its month");
  LONG count = 0;
  table->get_accChildCount(&count);
  Expect(count == 31, "the table has " + std::to_string(count) + " days");
  for (int day = 1; day <= 31; ++day) CheckDay(table, book, day, 31);
  for (const auto& day : g_DayNames) Expect(NameOf(table, day.first) == day.second, Utf8(NameOf(table, day.first)));
  VARIANT selection = {};
  table->get_accSelection(&selection);
  Expect(selection.vt == VT_I4 && selection.lVal == 5, "the selection is not today, shown as the window opens");
  table->Release();
  for (const auto& box : g_BoxNames) {
    IAccessible* client = ClientOf(GetDlgItem(ScheduleWindow(), box.first));
    Expect(client != nullptr && NameOf(client, CHILDID_SELF) == box.second, "box " + std::to_string(box.first));
    if (client != nullptr) client->Release();
  }
  return g_failures > 0;
}

int ReadPicker() {
  HWND picker = nullptr;
  for (int i = 0; i < 50 && picker == nullptr; ++i, Sleep(100)) picker = FindWindowW(nullptr, L"シール選択");
  auto children = ChildClients(picker);
  int cells = 0;
  const int ids[kSealsPerPage] = {IDC_SEAL_CELL0,  IDC_SEAL_CELL1,  IDC_SEAL_CELL2,  IDC_SEAL_CELL3,
                                  IDC_SEAL_CELL4,  IDC_SEAL_CELL5,  IDC_SEAL_CELL6,  IDC_SEAL_CELL7,
                                  IDC_SEAL_CELL8,  IDC_SEAL_CELL9,  IDC_SEAL_CELL10, IDC_SEAL_CELL11,
                                  IDC_SEAL_CELL12, IDC_SEAL_CELL13, IDC_SEAL_CELL14, IDC_SEAL_CELL15};
  for (auto& child : children) {
    const int cell = static_cast<int>(std::find(ids, ids + kSealsPerPage, GetDlgCtrlID(child.first)) - ids);
    if (cell == kSealsPerPage) continue;
    const std::wstring name = NameOf(child.second, CHILDID_SELF);
    Expect(name == Widen(g_SealTable[cell].szName), "seal cell " + std::to_string(cell) + ": " + Utf8(name));
    Expect(NumberOf(child.second, CHILDID_SELF, false) == ROLE_SYSTEM_PUSHBUTTON, "a seal cell is no button");
    ++cells;
  }
  ReleaseAll(children);
  Expect(cells == kSealsPerPage, std::to_string(cells) + " seal cells");
  return g_failures > 0;
}

int Act(int day) {
  IAccessible* table = Calendar();
  if (table == nullptr) return 1;
  Expect(SUCCEEDED(table->accDoDefaultAction(Child(day))), "the default action failed");
  Expect(table->accDoDefaultAction(Child(32)) == E_INVALIDARG, "a day the month lacks took an action");
  VARIANT focus = {}, selection = {};
  for (int i = 0; i < 50 && selection.lVal != day; ++i, Sleep(100)) table->get_accSelection(&selection);
  table->get_accFocus(&focus);
  Expect(selection.lVal == day && focus.vt == VT_I4 && focus.lVal == day, "not the focus and the selection");
  const LONG both = STATE_SYSTEM_FOCUSED | STATE_SYSTEM_SELECTED;
  for (int other = 1; other <= 31; ++other) {
    Expect((NumberOf(table, other, true) & both) == (other == day ? both : 0), "states of " + std::to_string(other));
  }
  table->Release();
  return g_failures > 0;
}

// While a dialog of the window has it disabled, showing a day is refused, and nothing moves.
int Refused(int day) {
  IAccessible* table = Calendar();
  if (table == nullptr) return 1;
  VARIANT before = {}, after = {};
  table->get_accSelection(&before);
  Expect(FAILED(table->accDoDefaultAction(Child(day))), "the default action answered success behind a dialog");
  Sleep(500);
  table->get_accSelection(&after);
  Expect(after.vt == before.vt && after.lVal == before.lVal, "the day shown moved behind a dialog");
  table->Release();
  return g_failures > 0;
}

int PutLine(const std::wstring& folder, int year, int month, int day, const std::wstring& text) {
  char path[kPathSize];
  FormatMonthFilePathIn(path, Narrow(folder).c_str(), year, month, '\\');
  MonthTable table = {};
  ReadMonthFile(table, path);
  std::snprintf(table.Day(day).szLine[4], kLineSize, "%s", Narrow(text).c_str());
  const int days = DaysInMonth(year, month);
  return WriteMonthFile(table, path, [days] { return days; }) == 1 ? 0 : 1;
}

std::FILE* g_events = nullptr;

void CALLBACK OnEvent(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG child, DWORD, DWORD) {
  // Numbered on arrival: asking for a name lets the next event in before this one is written.
  static int s_heard = 0;
  const int heard = ++s_heard;
  const char* kind = event == EVENT_OBJECT_FOCUS        ? "focus"
                     : event == EVENT_OBJECT_SELECTION  ? "selection"
                     : event == EVENT_OBJECT_NAMECHANGE ? "name"
                     : event == EVENT_SYSTEM_ALERT      ? "alert"
                                                        : nullptr;
  if (kind == nullptr) return;
  wchar_t className[64] = L"";
  GetClassNameW(window, className, 64);
  IAccessible* source = nullptr;
  VARIANT id = {};
  std::wstring name = L"(none)";
  if (SUCCEEDED(AccessibleObjectFromEvent(window, object, child, &source, &id))) {
    name = NameOf(source, id.lVal);
    source->Release();
  }
  std::fprintf(g_events, "%d %s %s %ld %s\n", heard, kind, Utf8(className).c_str(), child, Utf8(name).c_str());
  std::fflush(g_events);
}

int Watch(const std::wstring& file, int seconds) {
  DWORD host = 0;
  GetWindowThreadProcessId(ScheduleWindow(), &host);
  g_events = _wfopen(file.c_str(), L"wb");
  if (host == 0 || g_events == nullptr) return 1;
  HWINEVENTHOOK hook = SetWinEventHook(EVENT_MIN, EVENT_MAX, nullptr, OnEvent, host, 0, WINEVENT_OUTOFCONTEXT);
  std::fprintf(g_events, "ready\n");
  std::fflush(g_events);
  for (const DWORD end = GetTickCount() + static_cast<DWORD>(seconds) * 1000; GetTickCount() < end;) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
  }
  UnhookWinEvent(hook);
  std::fclose(g_events);
  return 0;
}

// A client keeps the calendar after its window ends: asking then is an error, never a crash.
int Gone() {
  HWND dialog = ScheduleWindow();
  IAccessible* table = Calendar();
  if (table == nullptr) return 1;
  PostMessageW(dialog, WM_CLOSE, 0, 0);
  for (int i = 0; i < 100 && IsWindow(dialog); ++i) Sleep(100);
  HRESULT asked = S_OK;
  NameOf(table, 5, &asked);
  Expect(!IsWindow(dialog) && (asked == CO_E_OBJNOTCONNECTED || asked == RPC_E_DISCONNECTED),
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
  if (mode == L"cells" && count == 3) result = ReadCells(arguments[2]);
  if (mode == L"watch" && count == 4) result = Watch(arguments[2], _wtoi(arguments[3]));
  if (mode == L"picker") result = ReadPicker();
  if (mode == L"act" && count == 3) result = Act(_wtoi(arguments[2]));
  if (mode == L"refused" && count == 3) result = Refused(_wtoi(arguments[2]));
  if (mode == L"line" && count == 7) {
    result = PutLine(arguments[2], _wtoi(arguments[3]), _wtoi(arguments[4]), _wtoi(arguments[5]), arguments[6]);
  }
  if (mode == L"gone") result = Gone();
  CoUninitialize();
  return result;
}
