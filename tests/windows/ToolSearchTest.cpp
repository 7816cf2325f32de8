// The search as the host runs it through the DLL: every line reaches a real
// result window as a CString during SendMessage; a window that goes away
// loses the lines but the search reads on; bCancel stops it.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "data/MonthFile.h"
#include "tests/windows/ToolHarness.h"

namespace {

// A result window on the test thread, like the host's result list.
class CResultWindow {
 public:
  CResultWindow() {
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = &CResultWindow::Procedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"PlannixTestResultWindow";
    RegisterClassW(&windowClass);
    m_wnd.m_hWnd = CreateWindowExW(0, windowClass.lpszClassName, L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                   windowClass.hInstance, this);
  }
  CResultWindow(const CResultWindow&) = delete;
  CResultWindow& operator=(const CResultWindow&) = delete;
  ~CResultWindow() {
    if (IsWindow(m_wnd.m_hWnd)) DestroyWindow(m_wnd.m_hWnd);
  }

  CWnd m_wnd;
  std::vector<std::string> m_lines;
  // Called after each line, as a host might react to it.
  std::function<void()> m_afterLine;

 private:
  static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
      SetWindowLongPtrW(hwnd, GWLP_USERDATA,
                        reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
    }
    auto* self = reinterpret_cast<CResultWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (message == WM_TOOL_SEARCHRESULT && self != nullptr) {
      self->m_lines.push_back(reinterpret_cast<const CString*>(wParam)->str());
      if (self->m_afterLine) self->m_afterLine();
      return 0;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
  }
};

class ToolSearchTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(m_harness.Open());
    // Three months, each with "meeting" on day 2.
    for (int month = 1; month <= 3; ++month) {
      MonthTable table = {};
      SetDayLine(table.Day(2), 0, "meeting");
      std::string path = m_harness.MonthFilePath(2010, month);
      ASSERT_EQ(1, WriteMonthFile(table, path.c_str(), [] { return 28; }));
    }
  }
  void TearDown() override { EXPECT_TRUE(m_harness.Close()); }

  intptr_t RunSearch(int16_t kind, const char* text) {
    m_request.pResultWnd = &m_results.m_wnd;
    m_request.nKind = kind;
    m_request.bCancel = 0;
    return m_harness.ToolBase()->Search(&m_request, text);
  }

  CToolHarness m_harness{CToolHarness::MakeDate(2010, 4, 1)};
  CResultWindow m_results;
  SearchRequest m_request = {};
};

TEST_F(ToolSearchTest, EveryHitReachesTheResultWindowInFileOrder) {
  EXPECT_EQ(0, RunSearch(0, "meeting"));
  std::vector<std::string> expected;
  for (const char* month : {"01", "02", "03"}) {
    expected.push_back(std::string("2010/") + month + "/02 \t <ｽｹｼﾞｭｰﾙ> \t meeting\t\t\t\t\t\t\n");
  }
  EXPECT_EQ(expected, m_results.m_lines);
}

TEST_F(ToolSearchTest, AResultWindowThatWentAwayLosesTheLinesWithoutFailingTheSearch) {
  HWND resultWnd = m_results.m_wnd.m_hWnd;
  m_results.m_afterLine = [resultWnd] { DestroyWindow(resultWnd); };
  EXPECT_EQ(0, RunSearch(0, "meeting"));
  EXPECT_EQ(1u, m_results.m_lines.size());
  EXPECT_FALSE(IsWindow(resultWnd));
}

TEST_F(ToolSearchTest, CancelStopsTheSearchBeforeTheNextLine) {
  m_results.m_afterLine = [this] { m_request.bCancel = 1; };
  EXPECT_EQ(0, RunSearch(0, "meeting"));
  EXPECT_EQ(1u, m_results.m_lines.size());
}

TEST_F(ToolSearchTest, SealSearchWithoutAChoiceAsksForASeal) {
  EXPECT_EQ(0, RunSearch(2, "0"));
  ASSERT_EQ(1u, m_results.m_lines.size());
  EXPECT_EQ("シールを選択して下さい。", m_results.m_lines[0]);
}

}  // namespace
