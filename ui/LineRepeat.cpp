// A line of the day page repeated over many days, and taken away again from
// the days after the one shown: the line box's context menu and Ctrl+R,
// the repeat dialog, and the write on a thread of its own with a progress
// bar once it takes longer than a second. Closing the window stops the
// write at the next month; what it did is told when a window opens again.
#include <string>

#include "calendar/DayNumber.h"
#include "data/FileSystem.h"
#include "repeat/HostHolidays.h"
#include "repeat/RepeatForm.h"
#include "repeat/RepeatMonths.h"
#include "repeat/RepeatReport.h"
#include "ui/RepeatDialog.h"
#include "ui/ScheduleDialog.h"
#include "ui/res/resource.h"
#include "win/Module.h"
#include "win/Text.h"

namespace {

constexpr UINT kProgressDelayMs = 1000;
constexpr UINT kProgressStepMs = 100;
constexpr int kMenuOffset = 8;  // from the box's corner, when the keyboard opens the menu

bool IsLineBox(int id) { return id >= IDC_LINE1 && id <= IDC_LINE5; }

// The menu's commands that the box does itself, and the message that asks it to.
struct EditCommand {
  UINT command;
  UINT message;
  LPARAM lParam;
};
constexpr EditCommand g_EditCommands[] = {
    {ID_LINE_UNDO, WM_UNDO, 0},   {ID_LINE_CUT, WM_CUT, 0},      {ID_LINE_COPY, WM_COPY, 0},
    {ID_LINE_PASTE, WM_PASTE, 0}, {ID_LINE_DELETE, WM_CLEAR, 0}, {ID_LINE_SELECT_ALL, EM_SETSEL, -1},
};

// The edit's own commands, as its own menu offers them.
void EnableEditCommands(HMENU menu, HWND box) {
  const bool writable = (::GetWindowLongW(box, GWL_STYLE) & ES_READONLY) == 0;
  DWORD start = 0;
  DWORD end = 0;
  ::SendMessageW(box, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  const bool selected = start != end;
  const auto length = static_cast<DWORD>(::GetWindowTextLengthW(box));
  auto enable = [menu](UINT id, bool on) { ::EnableMenuItem(menu, id, MF_BYCOMMAND | (on ? MF_ENABLED : MF_GRAYED)); };
  enable(ID_LINE_UNDO, writable && ::SendMessageW(box, EM_CANUNDO, 0, 0) != 0);
  enable(ID_LINE_CUT, writable && selected);
  enable(ID_LINE_COPY, selected);
  enable(ID_LINE_PASTE, writable && ::IsClipboardFormatAvailable(CF_UNICODETEXT));
  enable(ID_LINE_DELETE, writable && selected);
  enable(ID_LINE_SELECT_ALL, length > 0 && !(start == 0 && end >= length));
}

// Shown beside the window without taking the keyboard from where the user
// types; a key that reaches it ends nothing, as the write goes on.
class CRepeatProgressDialog : public CDialog {
 public:
  explicit CRepeatProgressDialog(CWnd* owner) : CDialog(IDD_REPEAT_PROGRESS, owner) {}

  bool Show() {
    if (!Create(IDD_REPEAT_PROGRESS, m_pParentWnd)) return false;
    ::ShowWindow(m_hWnd, SW_SHOWNOACTIVATE);
    return true;
  }
  // No focus is set: that would activate the window.
  BOOL OnInitDialog() override { return FALSE; }
  void OnOK() override {}
  void OnCancel() override {}
};

}  // namespace

bool CScheduleDialog::OnLineContextMenu(HWND box, LPARAM screenPoint) {
  const int id = box != nullptr && ::GetParent(box) == m_hWnd ? ::GetDlgCtrlID(box) : 0;
  if (!IsLineBox(id)) return false;
  // As the box's own menu: it takes the focus first, so that the box left stores its text.
  if (::GetFocus() != box) ::SetFocus(box);
  POINT at = {static_cast<short>(LOWORD(screenPoint)), static_cast<short>(HIWORD(screenPoint))};
  if (screenPoint == -1) {
    RECT rect;
    ::GetWindowRect(box, &rect);
    at = {rect.left + kMenuOffset, rect.top + kMenuOffset};
  }
  HMENU menu = ::LoadMenuW(ResourceModule(), MAKEINTRESOURCEW(IDR_LINE_MENU));
  if (menu == nullptr) return true;
  HMENU popup = ::GetSubMenu(menu, 0);
  EnableEditCommands(popup, box);
  const bool repeatable = !m_repeatRun.HasRun() && !m_session.View().IsProtected() && ::GetWindowTextLengthW(box) > 0;
  ::EnableMenuItem(popup, ID_LINE_REPEAT, MF_BYCOMMAND | (repeatable ? MF_ENABLED : MF_GRAYED));
  ::EnableMenuItem(popup, ID_LINE_REMOVE_LATER, MF_BYCOMMAND | (repeatable ? MF_ENABLED : MF_GRAYED));
  const UINT command = static_cast<UINT>(
      ::TrackPopupMenu(popup, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, at.x, at.y, 0, m_hWnd, nullptr));
  ::DestroyMenu(menu);
  for (const EditCommand& edit : g_EditCommands) {
    if (edit.command == command) ::SendMessageW(box, edit.message, 0, edit.lParam);
  }
  if (command == ID_LINE_REPEAT) OpenRepeatDialog(id - IDC_LINE1);
  if (command == ID_LINE_REMOVE_LATER) RemoveLineFromLaterDays(id - IDC_LINE1);
  return true;
}

std::string CScheduleDialog::RepeatableLine(int line, std::string& folder) {
  StoreFocusedText();
  const MonthView view = m_session.View();
  const char* directory = m_pHost->GetDataDirectory(1, 0);
  if (m_repeatRun.HasRun() || view.fileState == MonthFileState::kNone || view.IsProtected() || directory == nullptr ||
      line < 0 || line >= kLineCount) {
    ::MessageBeep(MB_OK);
    return "";
  }
  folder = std::string(directory) + "\\" + m_toolName.str();
  std::string text = m_session.Day(view.selectedDay).szLine[line];
  if (text.empty()) ::MessageBeep(MB_OK);
  return text;
}

void CScheduleDialog::OpenRepeatDialog(int line) {
  std::string folder;
  const std::string text = RepeatableLine(line, folder);
  if (text.empty()) return;
  const MonthView view = m_session.View();
  CRepeatForm form({view.year, view.month, view.selectedDay}, text);
  CFolderMonths files(SystemFileSystem(), folder);
  CSessionMonths session(m_session, files);
  CReadOnceMonths counted(session);
  CHostHolidays holidays(*m_pHost);
  CRepeatDialog dialog(this, form, counted, holidays);
  INT_PTR result = IDCANCEL;
  {
    CModalScope modal(*this);
    result = dialog.DoModal();
  }
  if (!IsWindow() || result != IDOK) return;
  ::SetFocus(GetDlgItem(IDC_LINE1 + line));
  StartRepeatRun({false, dialog.DaysToWrite(), text, folder});
}

void CScheduleDialog::RemoveLineFromLaterDays(int line) {
  std::string folder;
  const std::string text = RepeatableLine(line, folder);
  if (text.empty()) return;
  const MonthView view = m_session.View();
  const int shownDay = DayNumberOf(view.year, view.month, view.selectedDay);
  CFolderMonths files(SystemFileSystem(), folder);
  CSessionMonths session(m_session, files);
  const LineFound found = FindLineInDays(shownDay, RepeatLimitDay(shownDay), text, session);
  std::string question = RemovalQuestion(text, found);
  if (question.empty()) question = "この日より後の10年の間に、この行のある日はありません。";
  int answer = IDCANCEL;
  {
    CModalScope modal(*this);
    answer = MessageBoxW(m_hWnd, WidenCp932(question.c_str()).c_str(), WidenCp932(GetTitle()).c_str(),
                         found.days.empty() ? MB_OK | MB_ICONINFORMATION : MB_OKCANCEL | MB_ICONQUESTION);
  }
  if (!IsWindow() || answer != IDOK || found.days.empty()) return;
  StartRepeatRun({true, found.days, text, folder});
}

void CScheduleDialog::StartRepeatRun(RepeatJob job) {
  // The window open when the run ends is told, which may be a later one.
  const bool started = m_repeatRun.Start(std::move(job), [this] {
    if (HWND window = m_repeatEndedWindow.load()) ::PostMessageW(window, WM_TOOL_REPEATENDED, 0, 0);
  });
  if (!started) {
    ::MessageBeep(MB_OK);
    return;
  }
  ::SetTimer(m_hWnd, kRepeatProgressTimer, kProgressDelayMs, nullptr);
}

void CScheduleDialog::OnRepeatProgress() {
  if (!m_repeatRun.IsRunning()) return;
  if (!m_repeatProgress) {
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&controls);
    auto progress = std::make_unique<CRepeatProgressDialog>(this);
    if (progress->Show()) m_repeatProgress = std::move(progress);
    ::SetTimer(m_hWnd, kRepeatProgressTimer, kProgressStepMs, nullptr);
  }
  if (!m_repeatProgress) return;
  size_t done = 0;
  size_t total = 0;
  m_repeatRun.Progress(done, total);
  HWND bar = m_repeatProgress->GetDlgItem(IDC_REPEAT_PROGRESS_BAR);
  ::SendMessageW(bar, PBM_SETRANGE32, 0, static_cast<LPARAM>(total));
  ::SendMessageW(bar, PBM_SETPOS, static_cast<WPARAM>(done), 0);
}

void CScheduleDialog::StopRepeatRunForClose() {
  m_repeatEndedWindow = nullptr;
  ::KillTimer(m_hWnd, kRepeatProgressTimer);
  m_repeatProgress.reset();
  m_repeatRun.Stop();
}

void CScheduleDialog::TellRepeatEndedMeanwhile() {
  m_repeatEndedWindow = m_hWnd;
  // Else the run, still on its last month, posts its end to this window.
  if (m_repeatRun.HasRun() && !m_repeatRun.IsRunning()) ::PostMessageW(m_hWnd, WM_TOOL_REPEATENDED, 0, 0);
}

void CScheduleDialog::OnRepeatEnded() {
  // Posted twice when the run ended just as the window opened.
  if (!m_repeatRun.HasRun() || m_repeatRun.IsRunning()) return;
  ::KillTimer(m_hWnd, kRepeatProgressTimer);
  m_repeatProgress.reset();
  bool removal = false;
  const RepeatOutcome outcome = m_repeatRun.Finish(removal);
  const std::string text = RepeatOutcomeText(outcome, removal);
  if (text.empty()) return;
  CModalScope modal(*this);
  MessageBoxW(m_hWnd, WidenCp932(text.c_str()).c_str(), WidenCp932(GetTitle()).c_str(), MB_OK | MB_ICONEXCLAMATION);
}
