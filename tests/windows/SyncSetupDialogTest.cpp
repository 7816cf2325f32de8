// The calendar sync dialog from the settings dialog's button, before the
// window exists: what its OK writes, what it refuses, and that the settings
// dialog's own answer stays as it was.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "sync/win/SyncAccount.h"
#include "tests/windows/DialogDriver.h"
#include "tests/windows/ToolHarness.h"
#include "ui/res/resource.h"
#include "win/Text.h"

namespace {

class SyncSetupDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    m_data = std::wstring(temp) + L"plannix-sync-setup-" + std::to_wstring(GetCurrentProcessId());
    RemoveFolderTree(m_data);
    CreateDirectoryW(m_data.c_str(), nullptr);
    m_host = std::make_unique<CRecordingHost>(m_settings, NarrowToCp932(m_data.c_str()).str(),
                                              CToolHarness::MakeDate(2026, 12, 9));
    m_tool = m_loader.Factory()(nullptr, m_host.get());
    ASSERT_NE(nullptr, m_tool);
  }
  void TearDown() override {
    delete m_tool;
    RemoveFolderTree(m_data);
  }
  std::string Written() const {
    std::string writes;
    for (const HostEvent& event : m_host->Events()) {
      if (event.kind == HostEvent::kSetSetting) writes += event.key + "=" + event.value + " ";
    }
    return writes;
  }
  SyncSettings Account() const {
    SyncSettings settings;
    ReadSyncAccount(NarrowToCp932((m_data + L"\\Plannix").c_str()).str(), settings);
    return settings;
  }
  static void Type(HWND dialog, int id, const wchar_t* text) { SetDlgItemTextW(dialog, id, text); }
  // As a click on the button tells its dialog, handled before this returns.
  static void Click(HWND dialog, int id) {
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
  }
  // The button that opens a dialog of its own: left to the dialog's thread.
  static void Open(HWND dialog, int id) {
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
  }
  // The settings dialog on its modal thread, and the sync dialog its button opens.
  static void OpenSyncFromSettings(const CModalThread& run, HWND& settings, HWND& sync) {
    settings = FindThreadDialog(run.ThreadId(), L"スケジュール設定");
    ASSERT_NE(nullptr, settings);
    Open(settings, IDC_OPEN_SYNC_SETUP);
    sync = FindThreadDialog(run.ThreadId(), L"カレンダー同期");
    ASSERT_NE(nullptr, sync);
  }

  CPluginLoader m_loader;
  CMemorySettingsStore m_settings;
  std::wstring m_data;
  std::unique_ptr<CRecordingHost> m_host;
  CToolBase* m_tool = nullptr;
};

TEST_F(SyncSetupDialogTest, ItsOkWritesTheBooksChoicesAndThisPcsSwitchAlone) {
  CModalThread run([this] { return m_tool->OnSettings(0, 0); });
  HWND settings = nullptr, sync = nullptr;
  ASSERT_NO_FATAL_FAILURE(OpenSyncFromSettings(run, settings, sync));
  Type(sync, IDC_SYNC_ADDRESS, L"https://dav.example.org/anna/calendar/");
  Type(sync, IDC_SYNC_USER, L"anna");
  CheckDlgButton(sync, IDC_SYNC_MEMO, BST_CHECKED);
  CheckDlgButton(sync, IDC_SYNC_ENABLED, BST_CHECKED);
  CheckRadioButton(sync, IDC_SYNC_FROM_YEAR_AGO, IDC_SYNC_FROM_DATE, IDC_SYNC_FROM_DATE);
  struct Case {
    const wchar_t* firstDay;
    bool taken;
  };
  const Case cases[] = {{L"2026/02/30", false}, {L"2026/1/5x", false}, {L"", false}, {L"2026-01-05", true}};
  for (const Case& c : cases) {
    Type(sync, IDC_SYNC_FIRST_DAY, c.firstDay);
    Click(sync, IDOK);
    // Refused: the dialog stays, and nothing is written.
    EXPECT_EQ(WaitUntil([&] { return !IsWindow(sync); }, c.taken ? 5000 : 300), c.taken) << c.firstDay;
    if (!c.taken) {
      EXPECT_EQ(Account().calendarUrl, "") << c.firstDay;
    }
  }
  const SyncSettings account = Account();
  EXPECT_EQ(account.calendarUrl, "https://dav.example.org/anna/calendar/");
  EXPECT_EQ(account.userName, "anna");
  EXPECT_TRUE(account.seals);
  EXPECT_TRUE(account.memo);
  EXPECT_EQ(account.firstDay.year, 2026);
  EXPECT_EQ(account.firstDay.month, 1);
  EXPECT_EQ(account.firstDay.day, 5);
  // The book's file keeps no switch: that is this PC's, in the host's settings.
  EXPECT_FALSE(account.enabled);
  EXPECT_EQ(Written(), "SyncOn=1 ");
  // The settings dialog is still up; its cancel writes none of its own keys.
  ASSERT_TRUE(IsWindow(settings));
  Click(settings, IDCANCEL);
  ASSERT_TRUE(run.Wait());
  EXPECT_EQ(Written(), "SyncOn=1 ");
}

TEST_F(SyncSetupDialogTest, ItsCancelWritesNothing) {
  CModalThread run([this] { return m_tool->OnSettings(0, 0); });
  HWND settings = nullptr, sync = nullptr;
  ASSERT_NO_FATAL_FAILURE(OpenSyncFromSettings(run, settings, sync));
  Type(sync, IDC_SYNC_ADDRESS, L"https://dav.example.org/");
  Type(sync, IDC_SYNC_PASSWORD, L"secret");
  CheckDlgButton(sync, IDC_SYNC_ENABLED, BST_CHECKED);
  Click(sync, IDCANCEL);
  Click(settings, IDCANCEL);
  ASSERT_TRUE(run.Wait());
  EXPECT_EQ(Written(), "");
  EXPECT_EQ(Account().calendarUrl, "");
}

}  // namespace
