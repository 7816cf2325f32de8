// The seal picker as the host runs it: obtained through Search, run on the
// host's own thread, driven with real clicks on its arrows and cells.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "host/core/HostServices.h"
#include "host/core/MemorySettingsStore.h"
#include "tests/windows/DialogDriver.h"
#include "tests/windows/PluginLoader.h"
#include "ui/SealDialog.h"
#include "ui/res/resource.h"
#include "win/Text.h"

namespace {

const std::wstring kPickerCaption = L"シール選択";
constexpr int kCellIds[kSealsPerPage] = {1113, 1114, 1115, 1116, 1117, 1118, 1119, 1120,
                                         1121, 1122, 1123, 1124, 1126, 1128, 1129, 1130};

enum class Arrow { kLeft, kRight };

class SealDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(nullptr, m_loader.Factory());
    m_tool = m_loader.Factory()(nullptr, &m_host);
    ASSERT_NE(nullptr, m_tool);
    m_picker = reinterpret_cast<CSealDialog*>(m_tool->Search(nullptr, "CSealDialog"));
    ASSERT_NE(nullptr, m_picker);
  }
  void TearDown() override { delete m_tool; }

  // Starts a run of the picker and waits for its window.
  HWND Open(CModalThread& run) {
    HWND dialog = FindThreadDialog(run.ThreadId(), kPickerCaption);
    if (dialog != nullptr) SyncWindow(dialog);
    return dialog;
  }
  std::unique_ptr<CModalThread> StartPicker() {
    return std::make_unique<CModalThread>([this] { return m_picker->DoModal(); });
  }

  static void ClickArrow(HWND dialog, Arrow arrow) {
    HWND spinner = GetDlgItem(dialog, IDC_SEAL_PAGE_SPIN);
    RECT rect;
    GetClientRect(spinner, &rect);
    int x = arrow == Arrow::kRight ? rect.right * 3 / 4 : rect.right / 4;
    ClickAt(spinner, x, rect.bottom / 2);
  }
  static void ClickCell(HWND dialog, int cell) { ClickAt(GetDlgItem(dialog, kCellIds[cell]), 4, 4); }
  static std::wstring FrameTitle(HWND dialog) { return WindowTextOf(GetDlgItem(dialog, IDC_SEAL_FRAME)); }
  std::string CellTip(HWND dialog, int cell) const {
    return m_picker->m_toolTip.GetToolText(GetDlgItem(dialog, kCellIds[cell])).str();
  }

  CPluginLoader m_loader;
  CMemorySettingsStore m_settings;
  CHostServices m_host{m_settings, "C:\\plannix-unused", DateRecord{2010, 3, 5, 5, 0, 0, 0, 0}};
  CToolBase* m_tool = nullptr;
  CSealDialog* m_picker = nullptr;
};

TEST_F(SealDialogTest, ArrowsTurnPagesWithWrapAroundAndRenameTheTooltips) {
  struct Step {
    Arrow arrow;
    int page;
    const wchar_t* title;
    const char* firstCellTip;
  };
  const Step steps[] = {
      {Arrow::kRight, 1, L"仕事・学校・家庭", "有給休暇、お休み"},
      {Arrow::kRight, 2, L"その他", "ハッピー"},
      {Arrow::kRight, 0, L"プライベート・遊び", "飲み会、パーティ"},
      {Arrow::kLeft, 2, L"その他", "ハッピー"},
      {Arrow::kLeft, 1, L"仕事・学校・家庭", "有給休暇、お休み"},
      {Arrow::kLeft, 0, L"プライベート・遊び", "飲み会、パーティ"},
      {Arrow::kLeft, 2, L"その他", "ハッピー"},
  };
  auto run = StartPicker();
  HWND dialog = Open(*run);
  ASSERT_NE(nullptr, dialog);
  EXPECT_EQ(L"プライベート・遊び", FrameTitle(dialog));
  EXPECT_EQ("飲み会、パーティ", CellTip(dialog, 0));
  SaveWindowArtifact(dialog, "seal-dialog-page0.bmp");
  for (const Step& step : steps) {
    ClickArrow(dialog, step.arrow);
    EXPECT_TRUE(WaitUntil([&] { return FrameTitle(dialog) == step.title; }, 3000)) << step.page;
    EXPECT_EQ(step.page, m_picker->m_nPage);
    EXPECT_EQ(step.firstCellTip, CellTip(dialog, 0)) << step.page;
    EXPECT_EQ("（シールなし）", CellTip(dialog, 15)) << step.page;
  }
  PostMessageW(GetDlgItem(dialog, IDCANCEL), BM_CLICK, 0, 0);
  ASSERT_TRUE(run->Wait());
  EXPECT_EQ(IDCANCEL, run->Result());
}

TEST_F(SealDialogTest, ClickedCellReturnsItsBitmapAndCode) {
  struct Case {
    int rightTurns;
    int cell;
    int code;
    INT_PTR bitmapId;
  };
  const Case cases[] = {
      {0, 0, 6, 161}, {1, 0, 13, 158}, {0, 5, 15, 170}, {0, 15, 0, 155}, {1, 15, 0, 155}, {2, 15, 0, 155},
  };
  for (const Case& c : cases) {
    auto run = StartPicker();
    HWND dialog = Open(*run);
    ASSERT_NE(nullptr, dialog);
    for (int turn = 0; turn < c.rightTurns; ++turn) ClickArrow(dialog, Arrow::kRight);
    EXPECT_TRUE(WaitUntil([&] { return m_picker->m_nPage == c.rightTurns; }, 3000));
    ClickCell(dialog, c.cell);
    ASSERT_TRUE(run->Wait()) << c.rightTurns << "/" << c.cell;
    EXPECT_EQ(c.bitmapId, run->Result()) << c.rightTurns << "/" << c.cell;
    EXPECT_EQ(c.code, m_picker->GetSealCode()) << c.rightTurns << "/" << c.cell;
    // The window is gone and its pictures with it.
    EXPECT_FALSE(IsWindow(dialog));
    for (CBitmap* bitmap : m_picker->m_pBitmap) EXPECT_EQ(nullptr, bitmap);
  }
}

TEST_F(SealDialogTest, ReopeningAfterAChoiceOnPageTwoStartsOnPageZero) {
  auto first = StartPicker();
  HWND dialog = Open(*first);
  ASSERT_NE(nullptr, dialog);
  ClickArrow(dialog, Arrow::kLeft);
  ASSERT_TRUE(WaitUntil([&] { return m_picker->m_nPage == 2; }, 3000));
  ClickCell(dialog, 0);
  ASSERT_TRUE(first->Wait());
  EXPECT_NE(0, m_picker->GetSealCode());

  auto second = StartPicker();
  dialog = Open(*second);
  ASSERT_NE(nullptr, dialog);
  EXPECT_EQ(0, m_picker->m_nPage);
  EXPECT_EQ(0, m_picker->GetSealCode());
  EXPECT_EQ(L"プライベート・遊び", FrameTitle(dialog));
  EXPECT_EQ("飲み会、パーティ", CellTip(dialog, 0));
  PostMessageW(dialog, WM_CLOSE, 0, 0);
  ASSERT_TRUE(second->Wait());
}

TEST_F(SealDialogTest, EveryWayOfCancellingReturnsTwo) {
  struct Way {
    const char* name;
    void (*cancel)(HWND dialog);
  };
  const Way ways[] = {
      {"やめる", [](HWND dialog) { PostMessageW(GetDlgItem(dialog, IDCANCEL), BM_CLICK, 0, 0); }},
      {"Escape",
       [](HWND dialog) {
         HWND button = GetDlgItem(dialog, IDCANCEL);
         PostMessageW(button, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
         PostMessageW(button, WM_KEYUP, VK_ESCAPE, 0xC0010001);
       }},
      {"close box", [](HWND dialog) { PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0); }},
  };
  for (const Way& way : ways) {
    auto run = StartPicker();
    HWND dialog = Open(*run);
    ASSERT_NE(nullptr, dialog) << way.name;
    way.cancel(dialog);
    ASSERT_TRUE(run->Wait(5000)) << way.name;
    EXPECT_EQ(IDCANCEL, run->Result()) << way.name;
    EXPECT_FALSE(m_picker->IsOpen()) << way.name;
  }
}

TEST_F(SealDialogTest, SecondRunWhileOpenShowsTheStopBoxAndReturnsTwo) {
  auto first = StartPicker();
  HWND dialog = Open(*first);
  ASSERT_NE(nullptr, dialog);

  auto second = StartPicker();
  HWND box = FindThreadDialog(second->ThreadId(), L"Plannix");
  ASSERT_NE(nullptr, box);
  std::wstring text = WindowTextOf(GetDlgItem(box, 0xFFFF));
  EXPECT_EQ(L"既に使用されています。\nシールダイアログを表示できません。", text);
  SaveWindowArtifact(box, "seal-dialog-already-open.bmp");
  PostMessageW(box, WM_COMMAND, IDOK, 0);
  ASSERT_TRUE(second->Wait());
  EXPECT_EQ(IDCANCEL, second->Result());

  // The open picker was not disturbed and still chooses.
  EXPECT_TRUE(IsWindowVisible(dialog));
  ClickCell(dialog, 1);
  ASSERT_TRUE(first->Wait());
  EXPECT_EQ(217, first->Result());
  EXPECT_EQ(38, m_picker->GetSealCode());
}

}  // namespace
