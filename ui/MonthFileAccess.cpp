// What the user is told of the month files: a month that could not be read
// and a month that could not be written, each in a box of the window's.
#include <cstdio>
#include <string>

#include "ui/ScheduleDialog.h"
#include "win/Text.h"

namespace {

constexpr size_t kMessageSize = 160;
constexpr size_t kKeptCopyMessageSize = kMessageSize + kPathSize + 80;

}  // namespace

void CScheduleDialog::ReportWriteFailure() {
  // The box belongs to the window's own thread: the host's thread is never
  // kept waiting by it.
  bool onWindowThread = m_hWnd != nullptr && GetWindowThreadProcessId(m_hWnd, nullptr) == GetCurrentThreadId();
  if (m_hWnd != nullptr && !onWindowThread && ::PostMessageW(m_hWnd, WM_TOOL_SAVEFAILED, 0, 0)) return;
  CModalScope modal(*this);
  MessageBoxW(onWindowThread ? m_hWnd : nullptr, WidenCp932("ﾃﾞｰﾀﾌｧｲﾙを作成できませんでした。").c_str(),
              WidenCp932(GetTitle()).c_str(), MB_OK);
}

void CScheduleDialog::ReportUnreadableMonth(int year, int month) {
  // Told only while that month is still on display and still unread.
  MonthView view = m_session.View();
  if (!view.IsProtected() || view.year != year || view.month != month) return;
  char text[kMessageSize];
  std::snprintf(text, sizeof text, "%d年%d月のﾃﾞｰﾀﾌｧｲﾙを読み込めませんでした。\nこの月は読み込めるまで編集できません。",
                year, month);
  CModalScope modal(*this);
  MessageBoxW(m_hWnd, WidenCp932(text).c_str(), WidenCp932(GetTitle()).c_str(), MB_OK | MB_ICONEXCLAMATION);
}

void CScheduleDialog::ReportKeptCopy(int year, int month) {
  const MonthView view = m_session.View();
  const std::string kept = m_session.KeptCopy();
  if (kept.empty() || view.year != year || view.month != month) return;
  char text[kKeptCopyMessageSize];
  std::snprintf(text, sizeof text,
                "%d年%d月のﾃﾞｰﾀﾌｧｲﾙの保存途中のｺﾋﾟｰが見つかりました。\n"
                "どちらが新しいか分からないため、ﾃﾞｰﾀﾌｧｲﾙをそのまま表示し、ｺﾋﾟｰは次の場所に残しました。\n%s",
                year, month, kept.c_str());
  CModalScope modal(*this);
  MessageBoxW(m_hWnd, WidenCp932(text).c_str(), WidenCp932(GetTitle()).c_str(), MB_OK | MB_ICONEXCLAMATION);
}
