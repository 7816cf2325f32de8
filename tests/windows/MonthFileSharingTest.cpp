// Other programs hold the month files while the window reads and saves
// them: one that shares nothing, and a reader that shares reading and
// writing only. Every entry stays in its file and no box is left waiting.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "tests/windows/FileHolder.h"
#include "tests/windows/ScheduleWindowDriver.h"
#include "ui/res/resource.h"
#include "win/Text.h"

namespace {

using Entries = std::vector<std::pair<int, const char*>>;

// A month of 2010 whose listed days hold a text in their first line.
void WriteMonth(const CToolHarness& harness, int month, const Entries& entries) {
  MonthTable table = {};
  for (const auto& entry : entries) SetDayLine(table.Day(entry.first), 0, entry.second);
  ASSERT_EQ(1, WriteMonthFile(table, harness.MonthFilePath(2010, month).c_str(), [] { return 30; }));
}

DayRecord DayOfFile(const CToolHarness& harness, int month, int day) {
  MonthTable table = {};
  ReadMonthFile(table, harness.MonthFilePath(2010, month).c_str());
  return table.Day(day);
}

// A temporary file of the month, where it is written or where earlier versions wrote it.
bool TemporaryLeft(const CToolHarness& harness, int month) {
  std::wstring path = WidenCp932(harness.MonthFilePath(2010, month).c_str());
  std::wstring saving = path;
  saving.insert(saving.rfind(L'\\') + 1, L"~saving\\");
  path.back() = L'~';
  return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES ||
         GetFileAttributesW(saving.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool IsReadOnly(const CToolHarness& harness, int id) {
  return (GetWindowLongW(harness.Control(id), GWL_STYLE) & ES_READONLY) != 0;
}

TEST(MonthFileSharingTest, AMonthHeldWithoutSharingIsToldOfAndKeptUntilItIsRead) {
  CToolHarness harness;  // 5 March 2010
  CreateDirectoryW(WidenCp932(harness.ToolFolder().c_str()).c_str(), nullptr);
  WriteMonth(harness, 3, {{5, "歯医者"}, {20, "送別会"}});
  WriteMonth(harness, 4, {{3, "入学式"}});
  CFileHolder scanner;
  ASSERT_TRUE(scanner.Hold(CFileHolder::kLockNoSharing, WidenCp932(harness.MonthFilePath(2010, 3).c_str())));
  ASSERT_TRUE(harness.Open());

  HWND box = nullptr;
  ASSERT_TRUE(CToolHarness::WaitFor([&] { return (box = FindOwnedMessageBox(harness.Window())) != nullptr; }));
  EXPECT_EQ(1, harness.ToolBase()->m_modalActive.load());
  EXPECT_EQ(0u, MessageBoxText(box).find(WidenCp932("2010年3月のﾃﾞｰﾀﾌｧｲﾙを読み込めませんでした。")));
  // Nothing can be typed or sealed into it, so nothing typed is lost.
  EXPECT_TRUE(IsReadOnly(harness, IDC_LINE1));
  EXPECT_TRUE(IsReadOnly(harness, IDC_MEMO));
  EXPECT_FALSE(IsWindowEnabled(harness.Control(IDC_SEAL_SLOT1)));
  PostMessageW(box, WM_COMMAND, IDOK, 0);
  ASSERT_TRUE(CToolHarness::WaitFor([&] { return harness.ToolBase()->m_modalActive.load() == 0; }));
  ASSERT_TRUE(scanner.Release());

  // On to April, and back to March, which is read now.
  EXPECT_EQ(0, Spin(harness, IDC_MONTH_SPIN, kForward));
  EXPECT_EQ(4, harness.Tool()->m_session.View().month);
  EXPECT_FALSE(IsReadOnly(harness, IDC_LINE1));
  Type(harness, IDC_LINE1, "花見");
  EXPECT_EQ(0, Spin(harness, IDC_MONTH_SPIN, kBack));
  EXPECT_EQ(MonthFileState::kRead, harness.Tool()->m_session.View().fileState);
  EXPECT_STREQ("歯医者", harness.Tool()->m_session.Day(5).szLine[0]);
  Type(harness, IDC_LINE1, "会議");
  ASSERT_TRUE(harness.Close());

  EXPECT_EQ(nullptr, FindOwnedMessageBox(harness.HostWindow()));
  EXPECT_STREQ("歯医者", DayOfFile(harness, 3, 5).szLine[0]);
  EXPECT_STREQ("送別会", DayOfFile(harness, 3, 20).szLine[0]);
  EXPECT_STREQ("会議", DayOfFile(harness, 3, 1).szLine[0]);
  EXPECT_STREQ("入学式", DayOfFile(harness, 4, 3).szLine[0]);
  EXPECT_STREQ("花見", DayOfFile(harness, 4, 1).szLine[0]);
  // Saved through a temporary file in a hidden folder, the month files are searched as ever.
  for (int month : {3, 4}) {
    EXPECT_FALSE(TemporaryLeft(harness, month));
    DWORD attributes = GetFileAttributesW(WidenCp932(harness.MonthFilePath(2010, month).c_str()).c_str());
    EXPECT_EQ(0u, attributes & FILE_ATTRIBUTE_HIDDEN) << month;
  }
}

TEST(MonthFileSharingTest, AReaderThatDoesNotShareDeletionDoesNotStopAMonthChange) {
  CToolHarness harness;
  CreateDirectoryW(WidenCp932(harness.ToolFolder().c_str()).c_str(), nullptr);
  WriteMonth(harness, 3, {{20, "送別会"}});
  ASSERT_TRUE(harness.Open());
  Type(harness, IDC_LINE1, "歯医者");
  CFileHolder backup;
  ASSERT_TRUE(backup.Hold(CFileHolder::kReadSharingReadWrite, WidenCp932(harness.MonthFilePath(2010, 3).c_str())));

  EXPECT_EQ(0, Spin(harness, IDC_MONTH_SPIN, kForward));
  EXPECT_EQ(4, harness.Tool()->m_session.View().month);
  EXPECT_EQ(0, harness.ToolBase()->m_modalActive.load());
  EXPECT_EQ(nullptr, FindOwnedMessageBox(harness.Window()));
  ASSERT_TRUE(WaitUntilWritten(harness));
  EXPECT_STREQ("歯医者", DayOfFile(harness, 3, 5).szLine[0]);
  EXPECT_STREQ("送別会", DayOfFile(harness, 3, 20).szLine[0]);
  ASSERT_TRUE(backup.Release());
  EXPECT_FALSE(TemporaryLeft(harness, 3));
}

}  // namespace
