// What is typed reaches the month file without a month change, typed as a
// user types it: real keys into the focused box, real clicks. (A killed
// host process and an ended session are real-life-endings' cases.)
#include <gtest/gtest.h>

#include <string>

#include "tests/windows/DialogDriver.h"
#include "tests/windows/ScheduleWindowDriver.h"
#include "ui/res/resource.h"
#include "win/Text.h"

namespace {

// 10 March 2010, a Wednesday: row 1, column 3 of the calendar.
constexpr POINT kDay10 = {200 + 79 * 3 + 40, 5 + 17 + 95 * 1 + 47};

std::wstring Pattern(size_t length, wchar_t first, int kinds) {
  std::wstring text;
  for (size_t i = 0; i < length; ++i) text += static_cast<wchar_t>(first + static_cast<int>(i) % kinds);
  return text;
}

DayRecord DayOfFile(const std::string& path, int day) {
  MonthTable table = {};
  ReadMonthFile(table, path.c_str());
  return table.Day(day);
}

class WrittenAsTypedTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(m_harness.Open());
    ASSERT_TRUE(m_harness.BringToFront());
  }
  void TearDown() override { EXPECT_TRUE(m_harness.Close()); }

  // A click into the box, then the text key by key; true once the box shows `shown`.
  bool TypeInto(int id, const std::wstring& text, const std::wstring& shown) {
    ClickAsUser(m_harness.Control(id), 4, 4);
    TypeAsUser(text);
    return CToolHarness::WaitFor([&] { return GetWindowTextWide(m_harness.Control(id)) == shown; }, 10000);
  }
  std::string FileLine(int day, int line) const {
    return DayOfFile(m_harness.MonthFilePath(2010, 3), day).szLine[line];
  }

  CToolHarness m_harness;  // 5 March 2010
};

TEST_F(WrittenAsTypedTest, ALineLeftByAClickIsInTheFileTwoSecondsLater) {
  ASSERT_TRUE(TypeInto(IDC_LINE1, L"歯医者 10時", L"歯医者 10時"));
  ClickAsUser(m_harness.Window(), kDay10.x, kDay10.y);
  EXPECT_TRUE(CToolHarness::WaitFor([&] { return FileLine(5, 0) == "歯医者 10時"; }, 2000));
  EXPECT_EQ(10, m_harness.Tool()->m_session.View().selectedDay);
  EXPECT_EQ(3, m_harness.Tool()->m_session.View().month);
}

// The pause stores the box as it is: the caret stays where it was, and
// typing goes on there.
TEST_F(WrittenAsTypedTest, ALineStillBeingTypedIsInTheFileAfterAPause) {
  HWND box = m_harness.Control(IDC_LINE2);
  ASSERT_TRUE(TypeInto(IDC_LINE2, L"打ち合わせ資料", L"打ち合わせ資料"));
  PressKeysAsUser({VK_LEFT});
  PressKeysAsUser({VK_LEFT});
  DWORD start = 0, end = 0;
  ASSERT_TRUE(CToolHarness::WaitFor([&] {
    SendMessageW(box, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return start == 5 && end == 5;
  }));
  EXPECT_TRUE(CToolHarness::WaitFor([&] { return FileLine(5, 1) == "打ち合わせ資料"; }, 6000));
  SendMessageW(box, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  EXPECT_EQ(5u, start);
  EXPECT_EQ(5u, end);
  EXPECT_EQ(box, FocusedControl(m_harness));
  TypeAsUser(L"の");
  EXPECT_TRUE(CToolHarness::WaitFor([&] { return GetWindowTextWide(box) == L"打ち合わせの資料"; }));
}

struct FieldCase {
  int id;
  std::wstring typed;
  std::wstring kept;  // what the box holds, and the day stores
};

// Typed key by key, each box takes what its field holds, scrolling as it
// fills; a key beyond the field is refused, none below it.
TEST_F(WrittenAsTypedTest, TheBoxesTakeWhatTheirFieldsHold) {
  const FieldCase cases[] = {
      {IDC_LINE3, Pattern(120, L'a', 26), Pattern(120, L'a', 26)},
      {IDC_LINE4, Pattern(140, L'A', 26), Pattern(127, L'A', 26)},
      {IDC_LINE5, Pattern(70, L'あ', 40), Pattern(63, L'あ', 40)},
      {IDC_MEMO, Pattern(250, L'0', 10), Pattern(250, L'0', 10)},
      {IDC_MEMO, Pattern(10, L'x', 2), Pattern(250, L'0', 10) + Pattern(5, L'x', 2)},
  };
  for (const FieldCase& c : cases) {
    SCOPED_TRACE(c.id);
    HWND box = m_harness.Control(c.id);
    // Typing goes on at the end of what the box holds.
    FocusControl(m_harness, c.id);
    PressKeysAsUser({VK_CONTROL, VK_END});
    TypeAsUser(c.typed);
    EXPECT_TRUE(CToolHarness::WaitFor([&] { return GetWindowTextWide(box) == c.kept; }, 15000));
    ClickAsUser(m_harness.Window(), 160, 90);  // beside the day label: the box is left
    const std::string kept = NarrowToCp932(c.kept.c_str()).str();
    std::string stored;
    CToolHarness::WaitFor([&] {
      const DayRecord day = m_harness.Tool()->m_session.Day(5);
      stored = c.id == IDC_MEMO ? day.szMemo : day.szLine[c.id - IDC_LINE1];
      return stored == kept;
    });
    EXPECT_EQ(kept, stored);
  }
}

// Windows shuts down, restarts for an update or sleeps with the focus in a
// box: the tool writes it before it answers, whatever its host does.
TEST_F(WrittenAsTypedTest, TheEndOfTheSessionWritesTheBoxBeingTyped) {
  const struct {
    UINT message;
    WPARAM wParam;
    const wchar_t* typed;
  } cases[] = {
      {WM_QUERYENDSESSION, 0, L"終了前"},
      {WM_ENDSESSION, TRUE, L"再起動前"},
      {WM_POWERBROADCAST, PBT_APMSUSPEND, L"スリープ前"},
  };
  for (const auto& c : cases) {
    const int id = IDC_LINE1 + static_cast<int>(&c - cases);
    ASSERT_TRUE(TypeInto(id, c.typed, c.typed));
    const LRESULT answer = SendMessageW(m_harness.Window(), c.message, c.wParam, 0);
    if (c.message == WM_QUERYENDSESSION) {
      EXPECT_EQ(TRUE, answer);
    }
    EXPECT_EQ(NarrowToCp932(c.typed).str(), FileLine(5, id - IDC_LINE1));
    EXPECT_EQ(m_harness.Control(id), FocusedControl(m_harness));
  }
}

}  // namespace
