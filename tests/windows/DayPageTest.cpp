// The day page and month navigation driven by real messages: spinners,
// clicks, edits that lose the focus, the cover, and saving around them.
#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <string>
#include <thread>

#include "tests/windows/ScheduleWindowDriver.h"
#include "ui/res/resource.h"
#include "win/Text.h"

namespace {

POINT CellCentre(const CToolHarness& harness, int day) {
  const MonthGrid grid = harness.Tool()->m_session.View().dayGrid;
  for (int row = 0; row < MonthGrid::kRows; ++row) {
    for (int column = 0; column < MonthGrid::kColumns; ++column) {
      if (grid.At(row, column) == day) return {200 + 79 * column + 40, 5 + 17 + 95 * row + 47};
    }
  }
  return {-1, -1};
}

void Click(const CToolHarness& harness, POINT point) {
  SendMessageW(harness.Window(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(point.x, point.y));
}

bool SameRect(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

struct MonthStepCase {
  int fromYear, fromMonth, spinner, delta, toYear, toMonth;
};

TEST(DayPageTest, SpinnersStepMonthsAndYearsAcrossYearEnds) {
  const MonthStepCase cases[] = {
      {2010, 12, IDC_MONTH_SPIN, kForward, 2011, 1}, {2011, 1, IDC_MONTH_SPIN, kBack, 2010, 12},
      {2010, 1, IDC_MONTH_SPIN, kBack, 2009, 12},    {2010, 3, IDC_YEAR_SPIN, kForward, 2011, 3},
      {2010, 3, IDC_YEAR_SPIN, kBack, 2009, 3},
  };
  for (const MonthStepCase& c : cases) {
    CToolHarness harness(CToolHarness::MakeDate(c.fromYear, c.fromMonth, 15));
    ASSERT_TRUE(harness.Open());
    harness.Host().ClearEvents();
    EXPECT_EQ(0, Spin(harness, c.spinner, c.delta));
    MonthView view = harness.Tool()->m_session.View();
    EXPECT_EQ(c.toYear, view.year) << c.fromYear << "/" << c.fromMonth;
    EXPECT_EQ(c.toMonth, view.month) << c.fromYear << "/" << c.fromMonth;
    EXPECT_EQ(1, view.selectedDay);
    EXPECT_EQ(std::to_string(c.toYear), GetWindowTextCp932(harness.Control(IDC_YEAR_LABEL)).str());
    EXPECT_EQ(0, std::strncmp("1 ", GetWindowTextCp932(harness.Control(IDC_DAY_LABEL)).c_str(), 2));
    int expectedQuestions = c.spinner == IDC_YEAR_SPIN ? 12 : 1;
    int questions = 0;
    int code = c.delta == kForward ? kCalNextMonthFirstWeekday : kCalPrevMonthFirstWeekday;
    for (const HostEvent& event : harness.Host().Events()) {
      questions += event.kind == HostEvent::kCalendarQuery && event.code == code;
    }
    EXPECT_EQ(expectedQuestions, questions);
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(harness.Window(), nullptr), &info);
    EXPECT_EQ(harness.Control(IDC_LINE1), info.hwndFocus);
  }
}

TEST(DayPageTest, TypingThenClickingAnotherDayStoresIntoTheFirstDay) {
  CToolHarness harness;
  ASSERT_TRUE(harness.Open());
  Type(harness, IDC_LINE3, "会議");
  Click(harness, CellCentre(harness, 10));
  CScheduleDialog* tool = harness.Tool();
  EXPECT_STREQ("会議", tool->m_session.Day(5).szLine[2]);
  EXPECT_STREQ("", tool->m_session.Day(10).szLine[2]);
  EXPECT_EQ(10, tool->m_session.View().selectedDay);
  EXPECT_EQ(3, tool->m_session.View().selectedWeekday);  // 10 March 2010 was a Wednesday
  EXPECT_STREQ("", GetWindowTextCp932(harness.Control(IDC_LINE3)).c_str());
  RECT expected = {200 + 79 * 3, 5 + 17 + 95 * 1, 200 + 79 * 4, 5 + 17 + 95 * 2};
  EXPECT_TRUE(SameRect(expected, tool->m_selectedCellRect));
}

TEST(DayPageTest, MemoTypedBeforeASpinnerIsInTheWrittenFile) {
  CToolHarness harness;
  ASSERT_TRUE(harness.Open());
  Type(harness, IDC_MEMO, "買い物\r\n牛乳");
  Spin(harness, IDC_MONTH_SPIN, kForward);
  ASSERT_TRUE(WaitUntilWritten(harness));
  MonthTable written = {};
  ASSERT_EQ(1, ReadMonthFile(written, harness.MonthFilePath(2010, 3).c_str()));
  EXPECT_STREQ("買い物\r\n牛乳", written.Day(5).szMemo);
  EXPECT_EQ(4, harness.Tool()->m_session.View().month);
}

// A text kept whole is not set again when the focus leaves, yet the box
// ends as it would: what was kept, from its start.
TEST(DayPageTest, ABoxTheFocusLeavesShowsWhatWasKeptFromItsStart) {
  const std::wstring typed[] = {
      std::wstring(120, L'a'),                  // kept whole
      L"caf\u00E9 " + std::wstring(110, L'b'),  // a character that cp932 has not
  };
  CToolHarness harness;
  ASSERT_TRUE(harness.Open());
  HWND line = harness.Control(IDC_LINE2);
  for (const std::wstring& text : typed) {
    FocusControl(harness, IDC_LINE2);
    SendMessageW(line, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    SendMessageW(line, EM_LINESCROLL, 0, 2);
    ASSERT_LT(0, SendMessageW(line, EM_GETFIRSTVISIBLELINE, 0, 0));
    FocusControl(harness, IDC_LINE5);
    const std::string kept = harness.Tool()->m_session.Day(5).szLine[1];
    EXPECT_EQ(WidenCp932(kept.c_str()), GetWindowTextWide(line));
    EXPECT_EQ(0, SendMessageW(line, EM_GETFIRSTVISIBLELINE, 0, 0));
    DWORD start = 1, end = 1;
    SendMessageW(line, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(0u, start);
    EXPECT_EQ(0u, end);
  }
}

// A day's texts come in as texts set anew: nothing modified, nothing to
// undo, shown from their start; typing into a filled box is stored.
TEST(DayPageTest, ADayShownFillsEachBoxAsANewText) {
  const auto field = [](const DayRecord& day, int id) {
    return std::string(id == IDC_MEMO ? day.szMemo : day.szLine[id - IDC_LINE1]);
  };
  CToolHarness harness;
  MonthTable month = {};
  for (int line = 0; line < kLineCount; ++line) {
    SetDayLine(month.Day(6), line, ("予定" + std::string(20, 'x')).c_str());
  }
  SetDayMemo(month.Day(6), ("日記\r\n" + std::string(120, 'm')).c_str());
  CreateDirectoryW(WidenCp932(harness.ToolFolder().c_str()).c_str(), nullptr);
  ASSERT_EQ(1, WriteMonthFile(month, harness.MonthFilePath(2010, 3).c_str(), [] { return 31; }));
  ASSERT_TRUE(harness.Open());
  for (int id = IDC_LINE1; id <= IDC_MEMO; ++id) {
    HWND box = harness.Control(id);
    TypeKeys(harness, id, L"typed");  // modified, with something to undo
    ASSERT_TRUE(CToolHarness::WaitFor([&] { return GetWindowTextWide(box) == L"typed"; })) << id;
    Click(harness, CellCentre(harness, 6));
    EXPECT_EQ(field(month.Day(6), id), GetWindowTextCp932(box).str()) << id;
    DWORD start = 1, end = 1;
    SendMessageW(box, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(0u, start + end + SendMessageW(box, EM_GETMODIFY, 0, 0) + SendMessageW(box, EM_CANUNDO, 0, 0)) << id;
    // Typed in front of a text that fits the box: the box grows the buffer it was given.
    FocusControl(harness, id);
    SendMessageW(box, EM_SETSEL, 0, 0);
    TypeKeys(harness, id, L"new ");
    ASSERT_TRUE(CToolHarness::WaitFor([&] { return GetWindowTextWide(box).rfind(L"new ", 0) == 0; })) << id;
    Click(harness, CellCentre(harness, 5));
    EXPECT_EQ("new " + field(month.Day(6), id), field(harness.Tool()->m_session.Day(6), id)) << id;
    EXPECT_EQ("typed", field(harness.Tool()->m_session.Day(5), id)) << id;
  }
}

// Each slot shows the seal of the day on display, also once the window was
// closed and opened again.
TEST(DayPageTest, SealSlotsFollowTheDayOnDisplayAndAReopenedWindow) {
  constexpr int kSealedDay = 5;  // today
  constexpr int kUnsealedDay = 6;
  constexpr SealCode kSeal = 38;
  CToolHarness harness;
  MonthTable month = {};
  month.Day(kSealedDay).nSeal[0] = kSeal;
  CreateDirectoryW(WidenCp932(harness.ToolFolder().c_str()).c_str(), nullptr);
  ASSERT_EQ(1, WriteMonthFile(month, harness.MonthFilePath(2010, 3).c_str(), [] { return 31; }));
  struct Step {
    bool reopen;
    int day;
  };
  const Step steps[] = {{false, kSealedDay}, {false, kUnsealedDay}, {false, kSealedDay}, {true, kSealedDay}};
  ASSERT_TRUE(harness.Open());
  for (const Step& step : steps) {
    if (step.reopen) {
      ASSERT_TRUE(harness.Close());
      ASSERT_TRUE(harness.Open());
    }
    Click(harness, CellCentre(harness, step.day));
    HWND slot = harness.Control(IDC_SEAL_SLOT1);
    // "No seal" has a picture and a name of its own.
    const SealCode code = step.day == kSealedDay ? kSeal : 0;
    const char* name = reinterpret_cast<const char*>(LookupSeal(code, kSealKeyCode, kSealFieldName));
    EXPECT_NE(0, SendMessageW(slot, STM_GETIMAGE, IMAGE_BITMAP, 0)) << step.day << step.reopen;
    EXPECT_EQ(name, harness.Tool()->m_toolTip.GetToolText(slot).str()) << step.day << step.reopen;
  }
}

struct CutCase {
  int controlId;
  std::string typed;
  size_t storedLength;
};

TEST(DayPageTest, LongTextIsCutToItsFieldNeverInsideACharacter) {
  std::string kana;
  for (int i = 0; i < 100; ++i) kana += "あ";
  const CutCase cases[] = {
      {IDC_LINE1, std::string(200, 'a'), 127},
      {IDC_LINE2, kana, 126},
      {IDC_MEMO, std::string(300, 'm'), 255},
  };
  CToolHarness harness;
  ASSERT_TRUE(harness.Open());
  for (const CutCase& c : cases) {
    Type(harness, c.controlId, c.typed.c_str());
    FocusControl(harness, IDC_LINE5);
    const DayRecord day = harness.Tool()->m_session.Day(5);
    const char* stored = c.controlId == IDC_MEMO ? day.szMemo : day.szLine[c.controlId - IDC_LINE1];
    EXPECT_EQ(c.typed.substr(0, c.storedLength), stored) << c.controlId;
    EXPECT_EQ(c.typed.substr(0, c.storedLength), GetWindowTextCp932(harness.Control(c.controlId)).str());
  }
}

// Typed key by key, then Tab: the memo box no longer shows bytes it does not keep.
TEST(DayPageTest, AMemoTooLongShowsWhatWasKeptOnceTheFocusLeaves) {
  CToolHarness harness;
  ASSERT_TRUE(harness.Open());
  HWND memo = harness.Control(IDC_MEMO);
  TypeKeys(harness, IDC_MEMO, std::wstring(100, L'm') + std::wstring(100, L'\u3042'));  // 300 bytes
  PostMessageW(memo, WM_KEYDOWN, VK_TAB, 1);
  ASSERT_TRUE(CToolHarness::WaitFor([&] { return FocusedControl(harness) != memo; }));
  harness.Sync();  // the focus moves before the memo hears that it lost it
  std::string kept = std::string(100, 'm');
  for (int i = 0; i < 77; ++i) kept += "あ";
  EXPECT_EQ(kept, harness.Tool()->m_session.Day(5).szMemo);
  EXPECT_EQ(kept, GetWindowTextCp932(memo).str());
}

// The host saves while the user types: what the focused box holds is in the
// file, and the box is left as it was, so typing goes on where it stopped.
TEST(DayPageTest, AHostSaveWhileTypingKeepsTheFocusedBoxsText) {
  CToolHarness harness;
  ASSERT_TRUE(harness.Open());
  for (int id : {IDC_LINE3, IDC_MEMO}) {
    HWND box = harness.Control(id);
    TypeKeys(harness, id, L"abc");
    ASSERT_TRUE(CToolHarness::WaitFor([&] { return GetWindowTextCp932(box).str() == "abc"; }));
    EXPECT_EQ(1, harness.ToolBase()->SaveState());
    MonthTable written = {};
    ASSERT_EQ(1, ReadMonthFile(written, harness.MonthFilePath(2010, 3).c_str()));
    EXPECT_STREQ("abc", id == IDC_MEMO ? written.Day(5).szMemo : written.Day(5).szLine[2]);
    TypeKeys(harness, id, L"def");
    EXPECT_TRUE(CToolHarness::WaitFor([&] { return GetWindowTextCp932(box).str() == "abcdef"; }));
  }
}

// A window waiting for a host answer does not keep the host's save waiting.
TEST(DayPageTest, AHostSaveDoesNotWaitForABusyWindow) {
  HANDLE release = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  std::atomic<int> stage{-1};  // 0: armed, 1: the window waits for the host's answer, 2: let go
  CToolHarness harness;
  harness.Host().m_onQuery = [&](int code) {
    if (code != kCalWeekdayName || stage != 0) return;
    stage = 1;
    WaitForSingleObject(release, 30000);
    stage = 2;
  };
  ASSERT_TRUE(harness.Open());
  stage = 0;
  const POINT day10 = CellCentre(harness, 10);
  PostMessageW(harness.Window(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(day10.x, day10.y));
  ASSERT_TRUE(CToolHarness::WaitFor([&] { return stage == 1; }));
  EXPECT_EQ(1, harness.ToolBase()->SaveState());
  EXPECT_EQ(1, stage.load());
  SetEvent(release);
  ASSERT_TRUE(CToolHarness::WaitFor([&] { return stage == 2; }));
  CloseHandle(release);
}

TEST(DayPageTest, ClicksOffTheDaysSelectNothing) {
  const POINT misses[] = {
      {200 + 79 * 3, 200},  // the line left of Wednesday
      {300, 5 + 17 + 95},   // the line between the first two rows
      {400, 12},            // the header band
      {240, 60},            // Sunday before 1 March 2010: no day
      {100, 300},           // the day page
      {755 + 5, 300},       // right of the calendar
  };
  CToolHarness harness;
  ASSERT_TRUE(harness.Open());
  CScheduleDialog* tool = harness.Tool();
  RECT before = tool->m_selectedCellRect;
  for (const POINT& point : misses) {
    Click(harness, point);
    EXPECT_EQ(5, tool->m_session.View().selectedDay) << point.x << "," << point.y;
    EXPECT_TRUE(SameRect(before, tool->m_selectedCellRect)) << point.x << "," << point.y;
  }
}

TEST(DayPageTest, CoverHidesTheMemoOnEveryNewlyShownDay) {
  CToolHarness harness;
  harness.SetSetting("DspDiaryCover", "1");
  ASSERT_TRUE(harness.Open());
  HWND cover = harness.Control(IDC_COVER);
  HWND memo = harness.Control(IDC_MEMO);
  EXPECT_TRUE(GetWindowLongW(cover, GWL_STYLE) & WS_VISIBLE);
  EXPECT_FALSE(GetWindowLongW(memo, GWL_STYLE) & WS_VISIBLE);
  SendMessageW(harness.Window(), WM_COMMAND, MAKEWPARAM(IDC_COVER, BN_CLICKED), reinterpret_cast<LPARAM>(cover));
  EXPECT_FALSE(GetWindowLongW(cover, GWL_STYLE) & WS_VISIBLE);
  EXPECT_TRUE(GetWindowLongW(memo, GWL_STYLE) & WS_VISIBLE);
  Click(harness, CellCentre(harness, 12));
  EXPECT_TRUE(GetWindowLongW(cover, GWL_STYLE) & WS_VISIBLE);
  SendMessageW(harness.Window(), WM_COMMAND, MAKEWPARAM(IDC_COVER, BN_CLICKED), reinterpret_cast<LPARAM>(cover));
  Spin(harness, IDC_MONTH_SPIN, kForward);
  EXPECT_TRUE(GetWindowLongW(cover, GWL_STYLE) & WS_VISIBLE);
  EXPECT_FALSE(GetWindowLongW(memo, GWL_STYLE) & WS_VISIBLE);
}

// The month left cannot be written: that is told once, its edits stay in
// memory, and a further month change is refused until a write succeeds;
// then the month comes back with them.
TEST(DayPageTest, UnwritableMonthFileKeepsTheMonthAndItsEdits) {
  CToolHarness harness;
  ASSERT_TRUE(harness.Open());
  Type(harness, IDC_LINE2, "締め切り");
  FocusControl(harness, IDC_LINE3);
  std::wstring folder = WidenCp932(harness.ToolFolder().c_str());
  RemoveFolderTree(folder);
  auto dismissTheBox = [&] {
    HWND box = nullptr;
    ASSERT_TRUE(CToolHarness::WaitFor([&] { return (box = FindOwnedMessageBox(harness.Window())) != nullptr; }));
    EXPECT_EQ(1, harness.ToolBase()->m_modalActive.load());
    EXPECT_EQ(WidenCp932("ﾃﾞｰﾀﾌｧｲﾙを作成できませんでした。"), MessageBoxText(box));
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(CToolHarness::WaitFor([&] { return harness.ToolBase()->m_modalActive.load() == 0; }));
    harness.Sync();
  };

  EXPECT_EQ(0, Spin(harness, IDC_MONTH_SPIN, kForward));
  dismissTheBox();
  EXPECT_EQ(4, harness.Tool()->m_session.View().month);
  static NMUPDOWN notification = {};
  notification.hdr.hwndFrom = harness.Control(IDC_MONTH_SPIN);
  notification.hdr.idFrom = IDC_MONTH_SPIN;
  notification.hdr.code = UDN_DELTAPOS;
  notification.iDelta = kBack;
  PostMessageW(harness.Window(), WM_NOTIFY, IDC_MONTH_SPIN, reinterpret_cast<LPARAM>(&notification));
  dismissTheBox();
  EXPECT_EQ(4, harness.Tool()->m_session.View().month);

  CreateDirectoryW(folder.c_str(), nullptr);  // writes can succeed again
  EXPECT_EQ(0, Spin(harness, IDC_MONTH_SPIN, kBack));
  EXPECT_EQ(3, harness.Tool()->m_session.View().month);
  EXPECT_STREQ("締め切り", harness.Tool()->m_session.Day(5).szLine[1]);
  ASSERT_TRUE(harness.Close());
  MonthTable written = {};
  ASSERT_EQ(1, ReadMonthFile(written, harness.MonthFilePath(2010, 3).c_str()));
  EXPECT_STREQ("締め切り", written.Day(5).szLine[1]);
}

TEST(DayPageTest, HostThreadSavesDuringEditsNeverWriteATornRecord) {
  const std::string first(120, 'A');
  const std::string second(120, 'B');
  CToolHarness harness;
  ASSERT_TRUE(harness.Open());
  std::atomic<bool> done{false};
  std::atomic<int> torn{0}, saves{0}, failed{0};
  std::string path = harness.MonthFilePath(2010, 3);
  std::thread host([&] {
    while (!done) {
      if (harness.ToolBase()->SaveState() != 1) ++failed;
      ++saves;
      MonthTable written = {};
      if (ReadMonthFile(written, path.c_str()) == 1) {
        std::string line = written.Day(5).szLine[0];
        if (!line.empty() && line != first && line != second) ++torn;
      }
    }
  });
  for (int round = 0; round < 150; ++round) {
    Type(harness, IDC_LINE1, (round % 2 ? first : second).c_str());
    FocusControl(harness, IDC_LINE2);
  }
  CToolHarness::WaitFor([&] { return saves.load() > 20; }, 5000);
  done = true;
  host.join();
  EXPECT_GT(saves.load(), 0);
  EXPECT_EQ(0, failed.load());
  EXPECT_EQ(0, torn.load());
}

}  // namespace
