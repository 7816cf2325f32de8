// A line repeated from the day page with real keys through the system's
// input queue: Ctrl+R in the line box, Return in the repeat dialog, the line
// on the next month's page and in its file; then the box's context menu
// (Shift+F10) takes it away from the days after the one shown. A slow write
// shows its progress without taking the keyboard, and closing the window
// stops it; what it did is told when the window opens again.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "tests/windows/DialogDriver.h"
#include "tests/windows/FileHolder.h"
#include "tests/windows/ScheduleWindowDriver.h"
#include "ui/res/resource.h"
#include "win/Text.h"

namespace {

constexpr char kLine[] = "weekly meeting";

// The days of the month whose file holds the line.
std::vector<int> DaysWithTheLine(const CToolHarness& harness, int year, int month) {
  MonthTable table = {};
  std::vector<int> days;
  if (ReadMonthFile(table, harness.MonthFilePath(year, month).c_str()) != 1) return days;
  for (int day = 1; day <= kDaysInTable; ++day) {
    for (const auto& line : table.Day(day).szLine) {
      if (std::string(line) == kLine) days.push_back(day);
    }
  }
  return days;
}

// The box or dialog answered is gone, and the write it began has ended.
bool RunEnded(const CToolHarness& harness) {
  if (!CToolHarness::WaitFor([&] { return harness.ToolBase()->m_modalActive == 0; })) return false;
  harness.Sync();  // the handler that answered it has started the write
  return CToolHarness::WaitFor([&] { return !harness.Tool()->m_repeatRun.HasRun(); }, 20000);
}

// The write's progress window once it shows, or nullptr.
HWND ProgressWindow(DWORD uiThread) {
  auto find = [uiThread] { return FindThreadDialog(uiThread, L"繰り返し", 0); };
  CToolHarness::WaitFor([&] { return GetDlgItem(find(), IDC_REPEAT_PROGRESS_BAR) != nullptr; });
  return GetDlgItem(find(), IDC_REPEAT_PROGRESS_BAR) != nullptr ? find() : nullptr;
}

// The line typed into the first line of today, Ctrl+R, and the dialog's
// choices as it opens (every Friday for a year) taken with Return.
void RepeatTheTypedLine(const CToolHarness& harness, const std::function<void(HWND dialog)>& look) {
  const DWORD uiThread = GetWindowThreadProcessId(harness.Window(), nullptr);
  TypeAsUser(WidenCp932(kLine));
  ASSERT_TRUE(CToolHarness::WaitFor([&] { return GetWindowTextCp932(harness.Control(IDC_LINE1)).str() == kLine; }));
  PressKeysAsUser({VK_CONTROL, 'R'});
  HWND dialog = FindThreadDialog(uiThread, L"繰り返し");
  ASSERT_NE(nullptr, dialog);
  look(dialog);
  ASSERT_TRUE(CToolHarness::WaitFor([&] { return GetForegroundWindow() == dialog; }));
  PressKeysAsUser({VK_RETURN});
}

TEST(RepeatLineTest, AWeeklyLineIsWrittenShownNextMonthAndTakenAwayFromTheDaysAfter) {
  CToolHarness harness;  // 5 March 2010, a Friday
  ASSERT_TRUE(harness.Open());
  ASSERT_TRUE(harness.BringToFront());
  HWND line1 = harness.Control(IDC_LINE1);
  ASSERT_NO_FATAL_FAILURE(RepeatTheTypedLine(harness, [&](HWND dialog) {
    EXPECT_EQ(1, harness.ToolBase()->m_modalActive.load());
    const std::string preview = GetWindowTextCp932(GetDlgItem(dialog, IDC_REPEAT_PREVIEW)).str();
    EXPECT_NE(std::string::npos, preview.find("繰り返す日: 53日（この日を含む）")) << preview;
    EXPECT_NE(std::string::npos, preview.find("2011年3月4日(金)")) << preview;
    EXPECT_EQ(BST_CHECKED, IsDlgButtonChecked(dialog, IDC_REPEAT_WEEKLY));
    SaveWindowArtifact(dialog, "repeat-dialog.bmp");
  }));
  ASSERT_TRUE(RunEnded(harness));
  HWND told = FindOwnedMessageBox(harness.Window());
  EXPECT_EQ(nullptr, told) << NarrowToCp932(MessageBoxText(told).c_str()).str();
  EXPECT_EQ(std::vector<int>({2, 9, 16, 23, 30}), DaysWithTheLine(harness, 2010, 4));
  EXPECT_EQ(std::vector<int>({4}), DaysWithTheLine(harness, 2011, 3));
  ASSERT_TRUE(CToolHarness::WaitFor([&] { return std::string(harness.Tool()->m_session.Day(12).szLine[0]) == kLine; }))
      << "the month on display shows it";

  PressKeysAsUser({VK_MENU, VK_NEXT});
  ASSERT_TRUE(CToolHarness::WaitFor([&] { return harness.Tool()->m_session.View().month == 4; }));
  PressKeysAsUser({VK_MENU, VK_RIGHT});
  ASSERT_TRUE(CToolHarness::WaitFor([&] { return harness.Tool()->m_session.View().selectedDay == 2; }));
  EXPECT_EQ(kLine, GetWindowTextCp932(line1).str());

  PressKeysAsUser({VK_SHIFT, VK_F10});
  CToolHarness::WaitFor([] { return false; }, 300);  // the menu opens
  PressKeysAsUser({'L'});
  HWND box = nullptr;
  ASSERT_TRUE(CToolHarness::WaitFor([&] { return (box = FindOwnedMessageBox(harness.Window())) != nullptr; }));
  // The Fridays of a year from 5 March, after 2 April.
  EXPECT_NE(std::wstring::npos, MessageBoxText(box).find(L"48日")) << WindowTextOf(box);
  PressKeysAsUser({VK_RETURN});
  ASSERT_TRUE(RunEnded(harness));
  EXPECT_EQ(std::vector<int>({2}), DaysWithTheLine(harness, 2010, 4));
  EXPECT_EQ(std::vector<int>({5, 12, 19, 26}), DaysWithTheLine(harness, 2010, 3));
  EXPECT_EQ(std::vector<int>(), DaysWithTheLine(harness, 2011, 3));
  EXPECT_TRUE(CToolHarness::WaitFor([&] { return harness.Tool()->m_session.Day(9).szLine[0][0] == '\0'; }));
  EXPECT_EQ(kLine, GetWindowTextCp932(line1).str());
}

// A backup client holds five months' files without sharing deletion: each
// waits for its replacement before it is rewritten in place, and the
// window shows the write's progress once it has taken a second, never
// taking the keyboard, and nothing that ends a dialog ends it.
TEST(RepeatLineTest, AWriteThatTakesLongerThanASecondShowsItsProgress) {
  CToolHarness harness;
  CreateDirectoryW(WidenCp932(harness.ToolFolder().c_str()).c_str(), nullptr);
  CFileHolder holders[5];
  for (int month = 5; month <= 9; ++month) {
    const std::string path = harness.MonthFilePath(2010, month);
    ASSERT_EQ(1, WriteMonthFile(MonthTable{}, path.c_str(), [] { return 30; }));
    ASSERT_TRUE(holders[month - 5].Hold(CFileHolder::kReadSharingReadWrite, WidenCp932(path.c_str())));
  }
  ASSERT_TRUE(harness.Open());
  ASSERT_TRUE(harness.BringToFront());
  const DWORD uiThread = GetWindowThreadProcessId(harness.Window(), nullptr);
  ASSERT_NO_FATAL_FAILURE(RepeatTheTypedLine(harness, [](HWND) {}));
  HWND progress = ProgressWindow(uiThread);
  ASSERT_NE(nullptr, progress);
  EXPECT_EQ(13, SendMessageW(GetDlgItem(progress, IDC_REPEAT_PROGRESS_BAR), PBM_GETRANGE, FALSE, 0));
  EXPECT_NE(progress, GetForegroundWindow());
  EXPECT_EQ(harness.Control(IDC_LINE1), FocusedControl(harness));
  TypeAsUser(L"!");
  EXPECT_TRUE(CToolHarness::WaitFor([&] {
    return GetWindowTextCp932(harness.Control(IDC_LINE1)).str().find('!') != std::string::npos;
  })) << "what is typed goes to the box";
  for (WPARAM command : {IDOK, IDCANCEL}) SendMessageW(progress, WM_COMMAND, command, 0);
  SendMessageW(progress, WM_CLOSE, 0, 0);
  EXPECT_TRUE(IsWindow(progress));
  ASSERT_TRUE(RunEnded(harness));
  EXPECT_FALSE(IsWindow(progress));
  EXPECT_EQ(std::vector<int>({7, 14, 21, 28}), DaysWithTheLine(harness, 2010, 5));
  EXPECT_EQ(std::vector<int>({3, 10, 17, 24}), DaysWithTheLine(harness, 2010, 9));
}

// Another program locks three months' files, each tried for a second.
// Closing the window ends the write after the month under way; the months
// after it stay as they were, and the window opened next names them.
TEST(RepeatLineTest, ClosingTheWindowStopsTheWriteAndTheNextWindowTellsWhatWasNotWritten) {
  CToolHarness harness;
  CreateDirectoryW(WidenCp932(harness.ToolFolder().c_str()).c_str(), nullptr);
  CFileHolder holders[3];
  for (int month = 5; month <= 7; ++month) {
    const std::string path = harness.MonthFilePath(2010, month);
    ASSERT_EQ(1, WriteMonthFile(MonthTable{}, path.c_str(), [] { return 31; }));
    ASSERT_TRUE(holders[month - 5].Hold(CFileHolder::kLockNoSharing, WidenCp932(path.c_str())));
  }
  ASSERT_TRUE(harness.Open());
  ASSERT_TRUE(harness.BringToFront());
  ASSERT_NO_FATAL_FAILURE(RepeatTheTypedLine(harness, [](HWND) {}));
  ASSERT_NE(nullptr, ProgressWindow(GetWindowThreadProcessId(harness.Window(), nullptr)));
  ASSERT_TRUE(harness.Close());
  ASSERT_TRUE(CToolHarness::WaitFor([&] { return !harness.Tool()->m_repeatRun.IsRunning(); }, 20000));
  EXPECT_EQ(std::vector<int>({2, 9, 16, 23, 30}), DaysWithTheLine(harness, 2010, 4));
  EXPECT_EQ(std::vector<int>(), DaysWithTheLine(harness, 2011, 3));
  for (CFileHolder& holder : holders) holder.Release();
  ASSERT_TRUE(harness.Open());
  HWND told = nullptr;
  ASSERT_TRUE(CToolHarness::WaitFor([&] { return (told = FindOwnedMessageBox(harness.Window())) != nullptr; }));
  const std::string text = NarrowToCp932(MessageBoxText(told).c_str()).str();
  EXPECT_NE(std::string::npos, text.find("ウィンドウを閉じて止めたため、そのままの月: 2010年")) << text;
  EXPECT_NE(std::string::npos, text.find("2011年3月")) << text;
}

}  // namespace
