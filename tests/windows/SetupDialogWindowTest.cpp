// The settings operation against the open schedule window.
#include <gtest/gtest.h>

#include "tests/windows/DialogDriver.h"
#include "tests/windows/ToolHarness.h"
#include "ui/res/resource.h"

namespace {

class SetupDialogWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(m_harness.Open());
    ShowWindow(m_harness.Window(), SW_SHOWNOACTIVATE);
    m_harness.Sync();
  }
  DWORD UiThread() const { return GetWindowThreadProcessId(m_harness.Window(), nullptr); }
  HWND FindSettings() const { return FindThreadDialog(UiThread(), L"スケジュール設定"); }
  static void Click(HWND dialog, int id) {
    PostMessageW(GetDlgItem(dialog, id), BM_CLICK, 0, 0);
    SyncWindow(dialog);
  }
  size_t SettingWrites() {
    size_t writes = 0;
    for (const HostEvent& event : m_harness.Host().Events()) writes += event.kind == HostEvent::kSetSetting;
    return writes;
  }

  CToolHarness m_harness;
};

TEST_F(SetupDialogWindowTest, OkFromTheMessageAppliesThemeCoverAndNamesAtOnce) {
  EXPECT_EQ(0, m_harness.Tool()->m_japaneseNames);
  EXPECT_FALSE(IsWindowVisible(m_harness.Control(IDC_COVER)));
  PostMessageW(m_harness.Window(), WM_TOOL_SETTINGS, 0, 0);
  HWND dialog = FindSettings();
  ASSERT_NE(nullptr, dialog);
  EXPECT_TRUE(ScreenShowsWindow(dialog));
  EXPECT_EQ(1, m_harness.ToolBase()->m_modalActive.load());
  // Modal to the window it was asked from.
  EXPECT_EQ(m_harness.Window(), GetWindow(dialog, GW_OWNER));
  EXPECT_FALSE(IsWindowEnabled(m_harness.Window()));
  Click(dialog, IDC_THEME_GREY);
  Click(dialog, IDC_DIARY_COVER);
  Click(dialog, IDC_JAPANESE_NAMES);
  Click(dialog, IDOK);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }, 5000));
  m_harness.Sync();
  EXPECT_EQ(0, m_harness.ToolBase()->m_modalActive.load());
  EXPECT_EQ("3", m_harness.Setting("BackColor"));
  EXPECT_EQ(1, m_harness.Tool()->m_japaneseNames);
  EXPECT_TRUE(IsWindowVisible(m_harness.Control(IDC_COVER)));
  EXPECT_FALSE(IsWindowVisible(m_harness.Control(IDC_MEMO)));
  EXPECT_NE(nullptr,
            reinterpret_cast<HBITMAP>(SendMessageW(m_harness.Control(IDC_COVER), BM_GETIMAGE, IMAGE_BITMAP, 0)));
}

TEST_F(SetupDialogWindowTest, DirectCallRunsTheDialogOnTheHostsThreadAndAppliesOnTheWindows) {
  SetWindowPos(m_harness.Window(), nullptr, 40, 30, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  m_harness.Sync();
  RECT before;
  GetWindowRect(m_harness.Window(), &before);
  for (int button : {IDCANCEL, IDOK}) {
    m_harness.Host().ClearEvents();
    CModalThread host([&] { return m_harness.ToolBase()->OnSettings(0, 0); });
    HWND dialog = FindThreadDialog(host.ThreadId(), L"スケジュール設定");
    ASSERT_NE(nullptr, dialog) << "not on the calling thread";
    SaveWindowArtifact(dialog, "setup-dialog-over-window.bmp");
    Click(dialog, IDC_THEME_PINK);
    Click(dialog, IDC_DIARY_COVER);
    Click(dialog, button);
    ASSERT_TRUE(host.Wait());
    EXPECT_EQ(0, host.Result());
    m_harness.Sync();
    RECT after;
    GetWindowRect(m_harness.Window(), &after);
    EXPECT_TRUE(EqualRect(&before, &after)) << button;
    EXPECT_EQ(button == IDOK ? 3u : 0u, SettingWrites());
    EXPECT_EQ(button == IDOK, IsWindowVisible(m_harness.Control(IDC_COVER)) != FALSE) << button;
    EXPECT_EQ(0, m_harness.ToolBase()->m_modalActive.load());
  }
}

TEST_F(SetupDialogWindowTest, RefusedSecondRequestLeavesModalActiveWhileTheFirstIsOpen) {
  PostMessageW(m_harness.Window(), WM_TOOL_SETTINGS, 0, 0);
  HWND dialog = FindSettings();
  ASSERT_NE(nullptr, dialog);
  CModalThread host([&] { return m_harness.ToolBase()->OnSettings(0, 0); });
  ASSERT_TRUE(host.Wait(5000));
  EXPECT_TRUE(IsWindow(dialog));
  EXPECT_EQ(1, m_harness.ToolBase()->m_modalActive.load());
  Click(dialog, IDCANCEL);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }, 5000));
  // The window goes before the flag does.
  EXPECT_TRUE(WaitUntil([&] { return m_harness.ToolBase()->m_modalActive.load() == 0; }, 5000));
}

}  // namespace
