// The settings dialog run by the host's direct call before the window
// exists: it runs on the host's thread against the host's settings store.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "tests/windows/DialogDriver.h"
#include "tests/windows/ToolHarness.h"
#include "ui/res/resource.h"

namespace {

const std::wstring kSetupCaption = L"スケジュール設定";
constexpr int kThemeRadios[] = {IDC_THEME_CREAM, IDC_THEME_PINK, IDC_THEME_SKY, IDC_THEME_GREY};
constexpr POINT kSampleInside = {215, 75};
constexpr POINT kSampleEdge = {170, 75};

class SetupDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(nullptr, m_loader.Factory());
    m_tool = m_loader.Factory()(nullptr, &m_host);
    ASSERT_NE(nullptr, m_tool);
  }
  void TearDown() override { delete m_tool; }

  void Store(const char* key, const char* value) { m_settings.Set(kToolId, key, value); }
  std::string Stored(const char* key) const {
    std::string value;
    m_settings.Get(kToolId, key, value);
    return value;
  }
  std::vector<std::string> Writes() const {
    std::vector<std::string> writes;
    for (const HostEvent& event : m_host.Events()) {
      if (event.kind == HostEvent::kSetSetting) writes.push_back(event.key + "=" + event.value);
    }
    return writes;
  }
  std::unique_ptr<CModalThread> StartSettings() {
    m_host.ClearEvents();
    return std::make_unique<CModalThread>([this] {
      m_tool->OnSettings(0, 0);
      return static_cast<INT_PTR>(m_tool->m_modalActive.load());
    });
  }
  static HWND Open(CModalThread& run) {
    HWND dialog = FindThreadDialog(run.ThreadId(), kSetupCaption);
    if (dialog != nullptr) SyncWindow(dialog);
    return dialog;
  }
  static int CheckedRadio(HWND dialog) {
    int checked = -1;
    for (int position = 0; position < 4; ++position) {
      if (SendMessageW(GetDlgItem(dialog, kThemeRadios[position]), BM_GETCHECK, 0, 0) == BST_CHECKED) {
        if (checked != -1) return -2;  // two at once
        checked = position;
      }
    }
    return checked;
  }
  static bool SampleShows(HWND dialog, COLORREF colour) {
    return WaitUntil([&] { return ClientPixel(dialog, kSampleInside.x, kSampleInside.y) == colour; }, 3000);
  }
  static void Click(HWND dialog, int id) {
    PostMessageW(GetDlgItem(dialog, id), BM_CLICK, 0, 0);
    SyncWindow(dialog);
  }

  CPluginLoader m_loader;
  CMemorySettingsStore m_settings;
  CRecordingHost m_host{m_settings, "C:\\plannix-unused", CToolHarness::MakeDate(2010, 3, 5)};
  CToolBase* m_tool = nullptr;
};

TEST_F(SetupDialogTest, OpensWithTheStoredThemeCheckedAndItsSample) {
  struct Case {
    const char* stored;
    int checked;
    COLORREF sample;  // CLR_INVALID: the dialog's own background
  };
  const Case cases[] = {
      {"0", 0, 0x00C8FFFF}, {"1", 1, 0x00DEDEFF}, {"2", 2, 0x00FFDEDE},   {"3", 3, 0x00DEDEDE},
      {"", 0, 0x00C8FFFF},  {" +3x", 3, 0x00DEDEDE}, {"9", -1, CLR_INVALID}, {"-1", -1, CLR_INVALID},
  };
  for (const Case& c : cases) {
    Store("BackColor", c.stored);
    auto run = StartSettings();
    HWND dialog = Open(*run);
    ASSERT_NE(nullptr, dialog) << c.stored;
    EXPECT_EQ(c.checked, CheckedRadio(dialog)) << c.stored;
    COLORREF sample = c.sample == CLR_INVALID ? GetSysColor(COLOR_BTNFACE) : c.sample;
    EXPECT_TRUE(SampleShows(dialog, sample)) << c.stored << " shows " << std::hex
                                             << ClientPixel(dialog, kSampleInside.x, kSampleInside.y);
    // The raised edge is drawn whatever the value.
    EXPECT_NE(sample, ClientPixel(dialog, kSampleEdge.x, kSampleEdge.y)) << c.stored;
    if (std::string(c.stored) == "2") SaveWindowArtifact(dialog, "setup-dialog-sky.bmp");
    Click(dialog, IDCANCEL);
    ASSERT_TRUE(run->Wait()) << c.stored;
    EXPECT_EQ(0, run->Result()) << "m_modalActive after the dialog";
    EXPECT_TRUE(Writes().empty()) << c.stored;
  }
}

TEST_F(SetupDialogTest, OkStoresTheRadioPositionAndBothFlagsInOrder) {
  struct Case {
    int radio;  // 0: leave as opened
    const char* storedTheme;
    const char* storedFlags;  // both check boxes' stored value before
    bool toggleChecks;
    std::vector<std::string> writes;
  };
  const Case cases[] = {
      {IDC_THEME_GREY, "0", "0", false, {"BackColor=3", "DspLanguage=0", "DspDiaryCover=0"}},
      {IDC_THEME_CREAM, "2", "0", true, {"BackColor=0", "DspLanguage=1", "DspDiaryCover=1"}},
      {IDC_THEME_PINK, "2", "1", true, {"BackColor=1", "DspLanguage=0", "DspDiaryCover=0"}},
      {IDC_THEME_SKY, "3", "1", false, {"BackColor=2", "DspLanguage=1", "DspDiaryCover=1"}},
      {0, "9", "0", false, {"BackColor=-1", "DspLanguage=0", "DspDiaryCover=0"}},
      {0, "1", "7", false, {"BackColor=1", "DspLanguage=1", "DspDiaryCover=1"}},
  };
  for (const Case& c : cases) {
    Store("BackColor", c.storedTheme);
    Store("DspLanguage", c.storedFlags);
    Store("DspDiaryCover", c.storedFlags);
    auto run = StartSettings();
    HWND dialog = Open(*run);
    ASSERT_NE(nullptr, dialog) << c.storedTheme;
    if (c.radio != 0) Click(dialog, c.radio);
    if (c.toggleChecks) {
      Click(dialog, IDC_DIARY_COVER);
      Click(dialog, IDC_JAPANESE_NAMES);
    }
    Click(dialog, IDOK);
    ASSERT_TRUE(run->Wait()) << c.storedTheme;
    EXPECT_EQ(c.writes, Writes()) << c.storedTheme;
  }
}

TEST_F(SetupDialogTest, ClickingPinkRepaintsTheSampleAndCancelStoresNothing) {
  Store("BackColor", "2");
  auto run = StartSettings();
  HWND dialog = Open(*run);
  ASSERT_NE(nullptr, dialog);
  ASSERT_TRUE(SampleShows(dialog, 0x00FFDEDE));
  Click(dialog, IDC_THEME_PINK);
  EXPECT_TRUE(SampleShows(dialog, 0x00DEDEFF));
  SaveWindowArtifact(dialog, "setup-dialog-pink-chosen.bmp");
  Click(dialog, IDCANCEL);
  ASSERT_TRUE(run->Wait());
  EXPECT_TRUE(Writes().empty());
  EXPECT_EQ("2", Stored("BackColor"));
}

TEST_F(SetupDialogTest, EscapeAndTheCloseBoxCancel) {
  Store("BackColor", "1");
  for (bool escape : {true, false}) {
    auto run = StartSettings();
    HWND dialog = Open(*run);
    ASSERT_NE(nullptr, dialog);
    Click(dialog, IDC_THEME_GREY);
    if (escape) {
      PostMessageW(GetDlgItem(dialog, IDOK), WM_KEYDOWN, VK_ESCAPE, 0x00010001);
    } else {
      PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
    }
    ASSERT_TRUE(run->Wait(5000)) << escape;
    EXPECT_TRUE(Writes().empty()) << escape;
    EXPECT_EQ("1", Stored("BackColor"));
  }
}

// The reminder lead: the stored value chosen in the list (any other value
// is the default, ten minutes); a new choice is written after the three
// keys, and only then.
TEST_F(SetupDialogTest, TheReminderLeadIsChosenFromTheListAndWrittenWhenItChanges) {
  const struct {
    const char* stored;   // nullptr: never stored
    int shown, chosen;    // list positions; -1: left as shown
    const char* written;  // nullptr: not written
  } cases[] = {{nullptr, 3, -1, nullptr}, {"off", 0, -1, nullptr}, {"60", 6, 1, "0"}, {"abc", 3, 0, "off"},
               {"15", 4, 3, "10"},        {"7", 3, 3, nullptr},    {"5", 2, 5, "30"}};
  for (const auto& c : cases) {
    if (c.stored != nullptr) Store("RemindMin", c.stored);
    auto run = StartSettings();
    HWND dialog = Open(*run);
    ASSERT_NE(nullptr, dialog) << c.stored;
    HWND list = GetDlgItem(dialog, IDC_REMIND_LEAD);
    EXPECT_EQ(7, SendMessageW(list, CB_GETCOUNT, 0, 0));
    EXPECT_EQ(c.shown, SendMessageW(list, CB_GETCURSEL, 0, 0)) << c.stored;
    if (c.chosen >= 0) SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(c.chosen), 0);
    Click(dialog, IDOK);
    ASSERT_TRUE(run->Wait()) << c.stored;
    std::vector<std::string> expected = {"BackColor=0", "DspLanguage=0", "DspDiaryCover=0"};
    if (c.written != nullptr) expected.push_back(std::string("RemindMin=") + c.written);
    EXPECT_EQ(expected, Writes()) << c.stored;
  }
}

}  // namespace
