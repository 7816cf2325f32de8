// The schedule window without the mouse: real keys through the system's
// input queue to the window in front, as a user presses them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/windows/DialogDriver.h"
#include "tests/windows/ScheduleWindowDriver.h"
#include "ui/res/resource.h"
#include "win/Text.h"

namespace {

// Each key pressed and let go before the next.
void PressInTurn(std::initializer_list<WORD> keys) {
  for (WORD key : keys) PressKeysAsUser({key});
}

bool WaitForFocus(const CToolHarness& harness, HWND control) {
  return CToolHarness::WaitFor([&] { return FocusedControl(harness) == control; }, 3000);
}

std::string StoredLine(const CToolHarness& harness, int year, int month, int day, int line) {
  const MonthView view = harness.Tool()->m_session.View();
  if (view.year == year && view.month == month) return harness.Tool()->m_session.Day(day).szLine[line];
  MonthTable written = {};
  // The month left is written in the background.
  if (!WaitUntilWritten(harness)) return "(not written)";
  if (ReadMonthFile(written, harness.MonthFilePath(year, month).c_str()) != 1) return "(no file)";
  return written.Day(day).szLine[line];
}

struct DayKeyCase {
  const char* name;
  int fromYear, fromMonth, fromDay;  // today; day 1 of the next month when startNextMonth
  bool startNextMonth;
  WORD key;  // with Alt
  int toYear, toMonth, toDay;
};

TEST(KeyboardTest, DayAndMonthKeysStoreWhatWasTypedAndShowTheNewDay) {
  const DayKeyCase cases[] = {
      {"Alt+Left", 2010, 3, 5, false, VK_LEFT, 2010, 3, 4},
      {"Alt+Right", 2010, 3, 5, false, VK_RIGHT, 2010, 3, 6},
      {"Alt+Up in the first week", 2010, 3, 5, false, VK_UP, 2010, 2, 26},
      {"Alt+Down", 2010, 3, 5, false, VK_DOWN, 2010, 3, 12},
      {"Alt+Page Up", 2010, 3, 5, false, VK_PRIOR, 2010, 2, 1},
      {"Alt+Page Down", 2010, 3, 5, false, VK_NEXT, 2010, 4, 1},
      {"Alt+Right on 31 December", 2010, 12, 31, false, VK_RIGHT, 2011, 1, 1},
      {"Alt+Home", 2010, 3, 5, true, VK_HOME, 2010, 3, 5},
  };
  for (const DayKeyCase& c : cases) {
    CToolHarness harness(CToolHarness::MakeDate(c.fromYear, c.fromMonth, c.fromDay));
    ASSERT_TRUE(harness.Open());
    ASSERT_TRUE(harness.BringToFront()) << c.name;
    if (c.startNextMonth) Spin(harness, IDC_MONTH_SPIN, kForward);
    const MonthView from = harness.Tool()->m_session.View();
    HWND line3 = harness.Control(IDC_LINE3);
    TypeKeys(harness, IDC_LINE3, L"typed");
    ASSERT_TRUE(CToolHarness::WaitFor([&] { return GetWindowTextWide(line3) == L"typed"; })) << c.name;

    PressKeysAsUser({VK_MENU, c.key});
    const bool shown = CToolHarness::WaitFor([&] {
      const MonthView view = harness.Tool()->m_session.View();
      return view.year == c.toYear && view.month == c.toMonth && view.selectedDay == c.toDay;
    });
    const MonthView now = harness.Tool()->m_session.View();
    ASSERT_TRUE(shown) << c.name << ": shows " << now.year << "-" << now.month << "-" << now.selectedDay
                       << (GetForegroundWindow() == harness.Window() ? "" : ", not in front")
                       << (FindOwnedMessageBox(harness.Window()) != nullptr ? ", a box open" : "");
    harness.Sync();

    EXPECT_EQ("typed", StoredLine(harness, from.year, from.month, from.selectedDay, 2)) << c.name;
    EXPECT_EQ(0u, GetWindowTextCp932(harness.Control(IDC_DAY_LABEL)).str().rfind(std::to_string(c.toDay) + " ", 0))
        << c.name;
    EXPECT_EQ(L"", GetWindowTextWide(line3)) << c.name;
    // Typing goes on in the new day's first line: letting go of Alt opened no menu.
    PressKeysAsUser({'X'});
    EXPECT_TRUE(CToolHarness::WaitFor([&] { return GetWindowTextWide(harness.Control(IDC_LINE1)) == L"x"; }, 3000))
        << c.name;
  }
}

// Alt let go before the arrow, as fast fingers do: the next keys still go to the day page.
TEST(KeyboardTest, AltLetGoBeforeTheArrowOpensNoMenu) {
  CToolHarness harness;
  ASSERT_TRUE(harness.Open());
  ASSERT_TRUE(harness.BringToFront());
  std::vector<INPUT> keys(4);
  const WORD order[4] = {VK_MENU, VK_RIGHT, VK_MENU, VK_RIGHT};
  for (size_t i = 0; i < keys.size(); ++i) {
    keys[i].type = INPUT_KEYBOARD;
    keys[i].ki.wVk = order[i];
    keys[i].ki.dwFlags = i < 2 ? 0 : KEYEVENTF_KEYUP;
  }
  SendInput(static_cast<UINT>(keys.size()), keys.data(), sizeof(INPUT));
  ASSERT_TRUE(CToolHarness::WaitFor([&] { return harness.Tool()->m_session.View().selectedDay == 6; }));
  harness.Sync();
  PressInTurn({VK_TAB, 'X'});
  EXPECT_TRUE(CToolHarness::WaitFor([&] { return GetWindowTextWide(harness.Control(IDC_LINE2)) == L"x"; }, 3000));
}

TEST(KeyboardTest, ASealIsPutOnADayAndTakenOffAgainWithoutTheMouse) {
  constexpr SealCode kDinner = 38;  // page 0, cell 1
  CToolHarness harness;
  ASSERT_TRUE(harness.Open());
  ASSERT_TRUE(harness.BringToFront());
  const DWORD uiThread = GetWindowThreadProcessId(harness.Window(), nullptr);
  CSealDialog& picker = harness.Tool()->m_sealPicker;
  HWND slot4 = harness.Control(IDC_SEAL_SLOT4);
  PressKeysAsUser({VK_SHIFT, VK_TAB});  // from line 1 back to the last slot
  ASSERT_TRUE(WaitForFocus(harness, slot4));

  PressKeysAsUser({VK_RETURN});
  HWND pickerWindow = FindThreadDialog(uiThread, L"シール選択");
  ASSERT_NE(nullptr, pickerWindow);
  PressInTurn({VK_DOWN, VK_RIGHT});
  HWND cell1 = GetDlgItem(pickerWindow, IDC_SEAL_CELL1);
  ASSERT_TRUE(WaitForFocus(harness, cell1));
  SyncWindow(pickerWindow);
  EXPECT_EQ("レストランディナー", picker.m_toolTip.GetTrackedText().str());
  EXPECT_TRUE(WaitUntil([&] { return ClientPixel(cell1, 0, 0) == GetSysColor(COLOR_HIGHLIGHT); }, 3000));
  EXPECT_NE(GetSysColor(COLOR_HIGHLIGHT), ClientPixel(GetDlgItem(pickerWindow, IDC_SEAL_CELL0), 0, 0));
  PressKeysAsUser({VK_RETURN});
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(pickerWindow); }));
  harness.Sync();
  EXPECT_EQ(kDinner, harness.Tool()->m_session.Day(5).nSeal[3]);
  EXPECT_EQ(slot4, FocusedControl(harness));

  // Off again, the pages turned past both ends on the way.
  PressKeysAsUser({VK_SPACE});
  pickerWindow = FindThreadDialog(uiThread, L"シール選択");
  ASSERT_NE(nullptr, pickerWindow);
  HWND frame = GetDlgItem(pickerWindow, IDC_SEAL_FRAME);
  PressKeysAsUser({VK_PRIOR});
  EXPECT_TRUE(WaitUntil([&] { return WindowTextOf(frame) == L"その他"; }, 3000));
  PressKeysAsUser({VK_NEXT});
  EXPECT_TRUE(WaitUntil([&] { return WindowTextOf(frame) == L"プライベート・遊び"; }, 3000));
  PressInTurn({VK_DOWN, VK_RIGHT, VK_RIGHT, VK_RIGHT, VK_RIGHT, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN});
  ASSERT_TRUE(WaitForFocus(harness, GetDlgItem(pickerWindow, IDC_SEAL_CELL15)));  // no seal
  PressKeysAsUser({VK_SPACE});
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(pickerWindow); }));
  harness.Sync();
  EXPECT_EQ(0, harness.Tool()->m_session.Day(5).nSeal[3]);
}

}  // namespace
