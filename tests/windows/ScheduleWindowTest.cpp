// The schedule window's life and appearance as a host sees it: the order of
// the notifications, placement, themes, keys and the second Initialize.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/windows/DialogDriver.h"
#include "tests/windows/ScheduleWindowDriver.h"
#include "ui/res/resource.h"
#include "win/Text.h"

namespace {

size_t CountMessages(const CToolHarness& harness, UINT message) {
  std::vector<UINT> messages = harness.HostMessages();
  return static_cast<size_t>(std::count(messages.begin(), messages.end(), message));
}

HWND FocusOfThread(HWND window) {
  GUITHREADINFO info = {};
  info.cbSize = sizeof info;
  GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
  return info.hwndFocus;
}

std::string ExeFolder() {
  char path[MAX_PATH];
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder = path;
  return folder.substr(0, folder.find_last_of('\\') + 1);
}

TEST(ScheduleWindowTest, ReadyIsPostedOnlyAfterTheFirstMonthIsLoaded) {
  CToolHarness harness;
  MonthTable month = {};
  SetDayLine(month.Day(5), 0, "歯医者 10時");
  CreateDirectoryW(WidenCp932(harness.ToolFolder().c_str()).c_str(), nullptr);
  ASSERT_EQ(1, WriteMonthFile(month, harness.MonthFilePath(2010, 3).c_str(), [] { return 31; }));

  ASSERT_TRUE(harness.Open());
  std::vector<HostEvent> events = harness.Host().Events();
  auto gridFilled = std::find_if(events.begin(), events.end(), [](const HostEvent& e) {
    return e.kind == HostEvent::kCalendarQuery && e.code == kCalFillMonthGrid;
  });
  auto ready = std::find_if(events.begin(), events.end(), [](const HostEvent& e) {
    return e.kind == HostEvent::kHostMessage && e.code == static_cast<int>(WM_TOOL_READY);
  });
  ASSERT_NE(events.end(), gridFilled);
  ASSERT_NE(events.end(), ready);
  EXPECT_LT(gridFilled - events.begin(), ready - events.begin());
  EXPECT_EQ(kToolId, ready->a);
  EXPECT_STREQ("歯医者 10時", harness.Tool()->m_session.Day(5).szLine[0]);
  EXPECT_STREQ("歯医者 10時", GetWindowTextCp932(harness.Control(IDC_LINE1)).c_str());
  EXPECT_FALSE(IsWindowVisible(harness.Window())) << "showing the window is the host's part";
  EXPECT_TRUE(harness.CaptureWindow(ExeFolder() + "schedule-window.bmp"));
}

struct ActivationCase {
  WORD state;
  size_t notices;
};

TEST(ScheduleWindowTest, ActivationNoticeOncePerActiveOrClickActiveNeverForInactive) {
  const ActivationCase cases[] = {{WA_ACTIVE, 1}, {WA_CLICKACTIVE, 1}, {WA_INACTIVE, 0}};
  CToolHarness harness;
  ASSERT_TRUE(harness.Open());
  for (const ActivationCase& c : cases) {
    size_t before = CountMessages(harness, WM_TOOL_ACTIVATED);
    SendMessageW(harness.Window(), WM_ACTIVATE, MAKEWPARAM(c.state, 0), 0);
    EXPECT_EQ(c.notices, CountMessages(harness, WM_TOOL_ACTIVATED) - before) << "state " << c.state;
  }
}

TEST(ScheduleWindowTest, ClosingIsSentBeforeAnySaveAndTheFileIsWritten) {
  CToolHarness harness;
  ASSERT_TRUE(harness.Open());
  harness.Host().ClearEvents();
  ASSERT_TRUE(harness.Close());
  std::vector<HostEvent> events = harness.Host().Events();
  ASSERT_FALSE(events.empty());
  EXPECT_EQ(HostEvent::kHostMessage, events.front().kind);
  EXPECT_EQ(static_cast<int>(WM_TOOL_CLOSING), events.front().code);
  EXPECT_TRUE(std::any_of(events.begin(), events.end(),
                          [](const HostEvent& e) { return e.kind == HostEvent::kSetSetting && e.key == "WndPosX"; }));
  EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(harness.MonthFilePath(2010, 3).c_str()));
  EXPECT_EQ(0u, harness.UiThreadExitCode());
}

TEST(ScheduleWindowTest, SecondInitializeWhileOpenEndsAtOnceAndKeepsTheWindowsHandles) {
  CToolHarness harness;
  ASSERT_TRUE(harness.Open());
  HWND window = harness.Window();
  HFONT labelFont = harness.Tool()->m_labelFont.GetSafeHandle();
  HBRUSH brush = harness.Tool()->m_themeBrush[0].GetSafeHandle();
  harness.ToolBase()->Initialize();
  ASSERT_TRUE(CToolHarness::WaitFor([&] { return harness.UiThreadExitCode() != STILL_ACTIVE; }));
  EXPECT_EQ(static_cast<DWORD>(-1), harness.UiThreadExitCode());
  EXPECT_EQ(window, harness.Window());
  EXPECT_EQ(labelFont, harness.Tool()->m_labelFont.GetSafeHandle());
  EXPECT_EQ(brush, harness.Tool()->m_themeBrush[0].GetSafeHandle());
  EXPECT_EQ(labelFont, reinterpret_cast<HFONT>(SendMessageW(harness.Control(IDC_YEAR_LABEL), WM_GETFONT, 0, 0)));
  EXPECT_EQ(1u, CountMessages(harness, WM_TOOL_READY));
}

struct PlacementCase {
  const char* x;
  const char* y;
  LONG left, top;
  int theme;  // "BackColor", -1 = not stored
  bool cover;
  COLORREF tip;  // 0: the tooltip's own colour is kept
};

TEST(ScheduleWindowTest, PlacementAndThemeFromTheStoredSettings) {
  const PlacementCase cases[] = {
      {nullptr, nullptr, 0, 0, -1, true, 0x00C8FFFF},  // nothing stored: (0, 0), cream
      {"120", "80", 120, 80, 2, true, 0x00FFDEDE},
      {"x", "", 0, 0, 7, false, 0},  // not numbers; no theme
  };
  for (const PlacementCase& c : cases) {
    CToolHarness harness;
    if (c.x != nullptr) harness.SetSetting("WndPosX", c.x);
    if (c.y != nullptr) harness.SetSetting("WndPosY", c.y);
    if (c.theme >= 0) harness.SetSetting("BackColor", std::to_string(c.theme).c_str());
    ASSERT_TRUE(harness.Open());
    RECT client, window;
    GetClientRect(harness.Window(), &client);
    GetWindowRect(harness.Window(), &window);
    EXPECT_EQ(765, client.right) << c.left;
    EXPECT_EQ(600, client.bottom) << c.left;
    EXPECT_EQ(c.left, window.left);
    EXPECT_EQ(c.top, window.top);
    HANDLE coverImage =
        reinterpret_cast<HANDLE>(SendMessageW(harness.Control(IDC_COVER), BM_GETIMAGE, IMAGE_BITMAP, 0));
    EXPECT_EQ(c.cover, coverImage != nullptr) << "theme " << c.theme;
    COLORREF tip = static_cast<COLORREF>(harness.Tool()->m_toolTip.SendMessage(TTM_GETTIPBKCOLOR));
    EXPECT_EQ(c.tip != 0 ? c.tip : GetSysColor(COLOR_INFOBK), tip) << "theme " << c.theme;
  }
}

TEST(ScheduleWindowTest, MinimisedWindowSavesWhereItWillBeRestoredAndReopensThere) {
  const std::vector<std::vector<int>> showSteps = {{SW_SHOWMINNOACTIVE}, {SW_SHOWMAXIMIZED, SW_SHOWMINNOACTIVE}};
  for (const std::vector<int>& steps : showSteps) {
    CToolHarness harness;
    harness.SetSetting("WndPosX", "140");
    harness.SetSetting("WndPosY", "90");
    ASSERT_TRUE(harness.Open());
    for (int step : steps) ShowWindow(harness.Window(), step);
    harness.Sync();
    ASSERT_TRUE(IsIconic(harness.Window()));
    ASSERT_TRUE(harness.Close());
    EXPECT_EQ("140", harness.Setting("WndPosX")) << steps.size();
    EXPECT_EQ("90", harness.Setting("WndPosY")) << steps.size();
    // Stored and restored in one system: the next session opens where this one was.
    ASSERT_TRUE(harness.Open());
    RECT window;
    GetWindowRect(harness.Window(), &window);
    EXPECT_EQ(140, window.left) << steps.size();
    EXPECT_EQ(90, window.top) << steps.size();
  }
}

TEST(ScheduleWindowTest, ModifiedReturnWithTheFocusOffTheTextLeavesTheWindowOpen) {
  for (WORD modifier : {VK_CONTROL, VK_SHIFT}) {
    CToolHarness harness;
    ASSERT_TRUE(harness.Open());
    ASSERT_TRUE(harness.BringToFront());
    ClickAsUser(harness.Window(), 160, 90);  // beside the day label: the focus leaves the text
    HWND spin = harness.Control(IDC_YEAR_SPIN);
    ASSERT_TRUE(CToolHarness::WaitFor([&] { return FocusOfThread(harness.Window()) == spin; }, 3000));
    PressKeysAsUser({modifier, VK_RETURN});
    CToolHarness::WaitFor([] { return false; }, 300);
    harness.Sync();
    EXPECT_TRUE(IsWindow(harness.Window())) << modifier;
    EXPECT_EQ(0u, CountMessages(harness, WM_TOOL_CLOSING)) << modifier;
  }
}

TEST(ScheduleWindowTest, ReturnMovesOnEscapeIsDropped) {
  CToolHarness harness;
  ASSERT_TRUE(harness.Open());
  HWND line1 = harness.Control(IDC_LINE1);
  ASSERT_EQ(line1, FocusOfThread(harness.Window()));
  PostMessageW(line1, WM_KEYDOWN, VK_RETURN, 1);
  EXPECT_TRUE(CToolHarness::WaitFor([&] { return FocusOfThread(harness.Window()) != line1; }, 3000));
  EXPECT_EQ(harness.Control(IDC_LINE2), FocusOfThread(harness.Window()));
  EXPECT_STREQ("", GetWindowTextCp932(line1).c_str()) << "Return typed nothing into the line";

  PostMessageW(harness.Control(IDC_LINE2), WM_KEYDOWN, VK_ESCAPE, 1);
  PostMessageW(harness.Control(IDC_LINE2), WM_CHAR, VK_ESCAPE, 1);
  harness.Sync();
  CToolHarness::WaitFor([] { return false; }, 200);
  EXPECT_TRUE(IsWindow(harness.Window()));
  EXPECT_EQ(0u, CountMessages(harness, WM_TOOL_CLOSING));
}

TEST(ScheduleWindowTest, CtrlReturnBreaksTheLine) {
  CToolHarness harness;
  ASSERT_TRUE(harness.Open());
  HWND line1 = harness.Control(IDC_LINE1);
  DWORD uiThread = GetWindowThreadProcessId(harness.Window(), nullptr);
  // Shared key state, so that the UI thread sees Ctrl held down.
  ASSERT_TRUE(AttachThreadInput(GetCurrentThreadId(), uiThread, TRUE));
  BYTE keys[256];
  GetKeyboardState(keys);
  keys[VK_CONTROL] = 0x80;
  SetKeyboardState(keys);
  PostMessageW(line1, WM_KEYDOWN, VK_RETURN, 1);
  harness.Sync();
  CToolHarness::WaitFor([] { return false; }, 200);
  keys[VK_CONTROL] = 0;
  SetKeyboardState(keys);
  AttachThreadInput(GetCurrentThreadId(), uiThread, FALSE);
  EXPECT_EQ(line1, FocusOfThread(harness.Window()));
  EXPECT_STREQ("\r\n", GetWindowTextCp932(line1).c_str());
}

// Initialize once built the folder path from a null pointer: the host went down.
TEST(ScheduleWindowTest, AHostWithoutADataFolderGetsItsMonthProtected) {
  CToolHarness harness;
  harness.Host().m_noDataDirectory = true;
  ASSERT_TRUE(harness.Open());
  HWND box = nullptr;
  ASSERT_TRUE(CToolHarness::WaitFor([&] { return (box = FindOwnedMessageBox(harness.Window())) != nullptr; }));
  PostMessageW(box, WM_COMMAND, IDOK, 0);
  EXPECT_TRUE(GetWindowLongW(harness.Control(IDC_LINE1), GWL_STYLE) & ES_READONLY);
  SearchRequest request = {};
  EXPECT_EQ(0, harness.ToolBase()->Search(&request, "x"));
  EXPECT_TRUE(harness.Close());
}

TEST(ScheduleWindowTest, LongHostWeekdayNameIsCutToFitTheDayLabel) {
  CToolHarness harness;
  harness.Host().SetNameOverride(kCalWeekdayName, std::string(40, 'W'));
  ASSERT_TRUE(harness.Open());
  EXPECT_EQ("5 " + std::string(28, 'W'), GetWindowTextCp932(harness.Control(IDC_DAY_LABEL)).str());
}

}  // namespace
