// The month file replaced under the window, as a sync client replaces it
// with the other PC's copy, before and while a line is typed with real keys.
#include <gtest/gtest.h>

#include <string>

#include "data/MonthFileWriter.h"
#include "tests/windows/DialogDriver.h"
#include "tests/windows/ScheduleWindowDriver.h"
#include "ui/res/resource.h"
#include "win/Text.h"

namespace {

MonthTable FileMonth(const std::string& path) {
  MonthTable table = {};
  ReadMonthFile(table, path.c_str());
  return table;
}

// Written beside the file, then moved over it in one step.
void ArriveFromElsewhere(const std::string& path, MonthTable table) {
  const std::string beside = path + ".sync-tmp";
  ASSERT_EQ(1, WriteMonthFile(table, beside.c_str(), [] { return 31; }));
  ASSERT_TRUE(
      MoveFileExW(WidenCp932(beside.c_str()).c_str(), WidenCp932(path.c_str()).c_str(), MOVEFILE_REPLACE_EXISTING));
}

class ArrivedMonthTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(m_harness.Open());
    ASSERT_TRUE(m_harness.BringToFront());
  }
  void TearDown() override { EXPECT_TRUE(m_harness.Close()); }

  std::string Path() const { return m_harness.MonthFilePath(2010, 3); }
  std::string Line(int day, int line) const { return m_harness.Tool()->m_session.Day(day).szLine[line]; }
  std::wstring Box(int id) const { return GetWindowTextWide(m_harness.Control(id)); }

  CToolHarness m_harness;  // 5 March 2010
};

// Before typing: the other PC's line shows within two seconds; what is then
// typed here is written beside it, never over it.
TEST_F(ArrivedMonthTest, ALineFromTheOtherPcShowsAndStaysWhenOneIsTypedHere) {
  MonthTable other = {};
  SetDayLine(other.Day(20), 0, "other PC");
  SetDayLine(other.Day(5), 2, "third line there");
  ArriveFromElsewhere(Path(), other);
  EXPECT_TRUE(CToolHarness::WaitFor([&] { return Box(IDC_LINE3) == L"third line there"; }, 2000));
  EXPECT_EQ("other PC", Line(20, 0));

  ClickAsUser(m_harness.Control(IDC_LINE1), 4, 4);
  TypeAsUser(L"typed here");
  ASSERT_TRUE(CToolHarness::WaitFor([&] { return Box(IDC_LINE1) == L"typed here"; }));
  FocusControl(m_harness, IDC_LINE2);
  ASSERT_TRUE(
      CToolHarness::WaitFor([&] { return std::string(FileMonth(Path()).Day(5).szLine[0]) == "typed here"; }, 5000));
  const MonthTable file = FileMonth(Path());
  EXPECT_STREQ("other PC", file.Day(20).szLine[0]);
  EXPECT_STREQ("third line there", file.Day(5).szLine[2]);
}

// While a line is typed: the box keeps its text and caret; where the other
// PC changed that very line, its text goes into a free line of the day.
TEST_F(ArrivedMonthTest, TheBoxBeingTypedInKeepsItsTextAndCaret) {
  HWND box = m_harness.Control(IDC_LINE1);
  ClickAsUser(box, 4, 4);
  TypeAsUser(L"meeting");
  ASSERT_TRUE(CToolHarness::WaitFor([&] { return Box(IDC_LINE1) == L"meeting"; }));
  PressKeysAsUser({VK_LEFT});
  PressKeysAsUser({VK_LEFT});
  DWORD start = 0, end = 0;
  ASSERT_TRUE(CToolHarness::WaitFor([&] {
    SendMessageW(box, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return start == 5 && end == 5;
  }));

  MonthTable other = {};
  SetDayLine(other.Day(5), 0, "lunch");
  SetDayLine(other.Day(20), 0, "other PC");
  ArriveFromElsewhere(Path(), other);
  EXPECT_TRUE(CToolHarness::WaitFor([&] { return Box(IDC_LINE2) == L"lunch"; }, 2000));
  EXPECT_EQ(L"meeting", Box(IDC_LINE1));
  SendMessageW(box, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  EXPECT_EQ(5u, start);
  EXPECT_EQ(5u, end);
  EXPECT_EQ(box, FocusedControl(m_harness));
  TypeAsUser(L"s");
  EXPECT_TRUE(CToolHarness::WaitFor([&] { return Box(IDC_LINE1) == L"meetisng"; }));

  FocusControl(m_harness, IDC_LINE3);
  ASSERT_TRUE(
      CToolHarness::WaitFor([&] { return std::string(FileMonth(Path()).Day(5).szLine[0]) == "meetisng"; }, 5000));
  const MonthTable file = FileMonth(Path());
  EXPECT_STREQ("lunch", file.Day(5).szLine[1]);
  EXPECT_STREQ("other PC", file.Day(20).szLine[0]);
}

// A sync client's conflict copy beside the month on display: its line is
// folded into the month and shown, and the copy moves into the recovered folder.
TEST_F(ArrivedMonthTest, AConflictCopyBesideTheMonthIsFoldedInAndMovedAside) {
  MonthTable other = {};
  SetDayLine(other.Day(5), 3, "from the copy");
  const std::string name = "schedule2010_03.sync-conflict-20100305-101500-ABCDEFG.dat";
  const std::string copy = m_harness.ToolFolder() + "\\" + name;
  ASSERT_EQ(1, WriteMonthFile(other, copy.c_str(), [] { return 31; }));
  EXPECT_TRUE(CToolHarness::WaitFor([&] { return Box(IDC_LINE4) == L"from the copy"; }, 3000));
  EXPECT_STREQ("from the copy", FileMonth(Path()).Day(5).szLine[3]);
  EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(WidenCp932(copy.c_str()).c_str()));
  const std::string kept = m_harness.ToolFolder() + "\\recovered\\" + name;
  EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(WidenCp932(kept.c_str()).c_str()));
}

}  // namespace
