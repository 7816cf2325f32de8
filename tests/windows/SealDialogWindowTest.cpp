// The seal picker opened from the day page of the open schedule window.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <mutex>

#include "tests/windows/DialogDriver.h"
#include "tests/windows/ToolHarness.h"
#include "ui/res/resource.h"

namespace {

constexpr int kToday = 5;  // the harness's today: 5 March 2010

// The largest TOOLINFO size the schedule window's tooltip control was given.
std::atomic<UINT> g_largestToolInfoSize{0};
WNDPROC g_toolTipProcedure = nullptr;

LRESULT CALLBACK RecordToolInfoSize(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case TTM_ADDTOOLW:
    case TTM_GETTOOLINFOW:
    case TTM_UPDATETIPTEXTW:
    case TTM_GETTEXTW: {
      UINT size = reinterpret_cast<const TTTOOLINFOW*>(lParam)->cbSize;
      if (size > g_largestToolInfoSize) g_largestToolInfoSize = size;
      break;
    }
    default:
      break;
  }
  return CallWindowProcW(g_toolTipProcedure, hwnd, message, wParam, lParam);
}

class SealDialogWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(m_harness.Open());
    ShowWindow(m_harness.Window(), SW_SHOWNOACTIVATE);
    m_harness.Sync();
  }
  DWORD UiThread() const { return GetWindowThreadProcessId(m_harness.Window(), nullptr); }
  SealCode Seal(int slot) const { return m_harness.Tool()->m_session.Day(kToday).nSeal[slot - 1]; }
  // Clicks slot n and returns the picker that opens on the window's thread.
  HWND OpenPickerFromSlot(int slot) {
    ClickAt(m_harness.Control(IDC_SEAL_SLOT1 + slot - 1), 4, 4);
    return FindThreadDialog(UiThread(), L"シール選択");
  }
  static void ClickCell(HWND picker, int id) { ClickAt(GetDlgItem(picker, id), 4, 4); }
  HWND FocusOfUiThread() const {
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(UiThread(), &info);
    return info.hwndFocus;
  }

  CToolHarness m_harness;
};

TEST_F(SealDialogWindowTest, ChoiceForSlotFourIsStoredShownAndFocusGoesToTheCover) {
  EXPECT_EQ(0, m_harness.ToolBase()->m_modalActive.load());
  HWND toolTip = m_harness.Tool()->m_toolTip.m_hWnd;
  g_largestToolInfoSize = 0;
  g_toolTipProcedure = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(toolTip, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&RecordToolInfoSize)));
  HWND picker = OpenPickerFromSlot(4);
  ASSERT_NE(nullptr, picker);
  EXPECT_TRUE(ScreenShowsWindow(picker));
  EXPECT_EQ(1, m_harness.ToolBase()->m_modalActive.load());
  EXPECT_EQ(m_harness.Window(), GetWindow(picker, GW_OWNER));
  ClickCell(picker, IDC_SEAL_CELL1);  // "レストランディナー", code 38
  ASSERT_TRUE(WaitUntil([&] { return m_harness.ToolBase()->m_modalActive == 0; }, 5000));
  m_harness.Sync();
  SetWindowLongPtrW(toolTip, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_toolTipProcedure));
  // Common controls 5 refuse the version 6 size; every version takes this one.
  EXPECT_EQ(static_cast<UINT>(TTTOOLINFOW_V2_SIZE), g_largestToolInfoSize.load());
  EXPECT_EQ(38, Seal(4));
  EXPECT_EQ(0, Seal(1));
  EXPECT_EQ("レストランディナー", m_harness.Tool()->m_toolTip.GetToolText(m_harness.Control(IDC_SEAL_SLOT4)).str());
  EXPECT_EQ(m_harness.Control(IDC_COVER), FocusOfUiThread());
}

TEST_F(SealDialogWindowTest, CancelLeavesTheDaysSealsAndNoSealCellClearsASlot) {
  struct Case {
    int cellId;  // 0: cancel
    SealCode slotTwoAfter;
  };
  const Case cases[] = {{0, 15}, {IDC_SEAL_CELL15, 0}};
  for (const Case& c : cases) {
    // Today is the selected day.
    ASSERT_TRUE(m_harness.Tool()->m_session.StoreSeal(0, 6));
    ASSERT_TRUE(m_harness.Tool()->m_session.StoreSeal(1, 15));
    HWND picker = OpenPickerFromSlot(2);
    ASSERT_NE(nullptr, picker);
    if (c.cellId == 0) {
      PostMessageW(GetDlgItem(picker, IDCANCEL), BM_CLICK, 0, 0);
    } else {
      ClickCell(picker, c.cellId);
    }
    ASSERT_TRUE(WaitUntil([&] { return m_harness.ToolBase()->m_modalActive == 0; }, 5000));
    m_harness.Sync();
    EXPECT_EQ(6, Seal(1));
    EXPECT_EQ(c.slotTwoAfter, Seal(2));
  }
}

TEST_F(SealDialogWindowTest, ClosingTheWindowUnderThePickerEndsThePickerAndTheThread) {
  HWND picker = OpenPickerFromSlot(3);
  ASSERT_NE(nullptr, picker);
  ASSERT_TRUE(m_harness.Close(5000));
  EXPECT_FALSE(IsWindow(picker));
  EXPECT_EQ(0, m_harness.ToolBase()->m_modalActive.load());
  std::vector<UINT> messages = m_harness.HostMessages();
  EXPECT_EQ(1, std::count(messages.begin(), messages.end(), WM_TOOL_CLOSING));
}

TEST_F(SealDialogWindowTest, HostRunWhileTheDayPageHasThePickerOpenGetsTheBox) {
  HWND picker = OpenPickerFromSlot(1);
  ASSERT_NE(nullptr, picker);
  auto* sealPicker = reinterpret_cast<CSealDialog*>(m_harness.ToolBase()->Search(nullptr, "CSealDialog"));
  CModalThread host([&] { return sealPicker->DoModal(); });
  HWND box = FindThreadDialog(host.ThreadId(), L"Plannix");
  ASSERT_NE(nullptr, box);
  EXPECT_EQ(nullptr, GetWindow(box, GW_OWNER));  // not the window of another thread
  PostMessageW(box, WM_COMMAND, IDOK, 0);
  ASSERT_TRUE(host.Wait());
  EXPECT_EQ(IDCANCEL, host.Result());
  PostMessageW(picker, WM_CLOSE, 0, 0);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(picker); }, 5000));
  EXPECT_EQ(0, Seal(1));
}

}  // namespace
