// The painted calendar read back pixel by pixel from a WM_PRINTCLIENT
// rendering of the real window, January 2011: it starts on a Saturday that
// is a holiday and has 31 days, so it fills all six rows.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "data/MonthFile.h"
#include "tests/windows/ToolHarness.h"
#include "win/BitmapFile.h"
#include "win/Text.h"

namespace {

constexpr COLORREF kUntouched = RGB(255, 0, 255);  // what the capture holds before painting
constexpr COLORREF kCream = RGB(255, 255, 200);
constexpr COLORREF kPink = RGB(255, 222, 222);
constexpr COLORREF kWhite = RGB(255, 255, 255);

struct CellPlace {
  int column, row;
  int Left() const { return 201 + 79 * column; }
  int Top() const { return 22 + 95 * row; }
};

// January 2011 in the grid: the 1st is Saturday, row 0.
CellPlace PlaceOf(int day) { return {(day + 5) % 7, (day + 5) / 7}; }

constexpr int kToday = 12;       // Wednesday, also the selected day on opening
constexpr int kSealDay = 4;      // seals in slots 2 and 4 only
constexpr int kMemoDay = 5;      // memo of one character
constexpr int kTwoLineDay = 6;   // an entry of two text lines
constexpr int kLongLineDay = 7;  // a line wider than the cell

std::string ExeFolder() {
  char path[MAX_PATH];
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder = path;
  return folder.substr(0, folder.find_last_of('\\') + 1);
}

// The client area as WM_PRINTCLIENT paints it into a 24-bit bitmap.
class CClientCapture {
 public:
  explicit CClientCapture(HWND window) : m_dc(CreateCompatibleDC(nullptr)) {
    RECT client;
    GetClientRect(window, &client);
    m_width = client.right;
    m_height = client.bottom;
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = m_width;
    info.bmiHeader.biHeight = m_height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    m_bitmap = CreateDIBSection(m_dc, &info, DIB_RGB_COLORS, &m_bits, nullptr, 0);
    m_old = SelectObject(m_dc, m_bitmap);
    RECT all = {0, 0, m_width, m_height};
    FillSolidRect(m_dc, all, kUntouched);
    DWORD_PTR result = 0;
    m_painted = SendMessageTimeoutW(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(m_dc), PRF_CLIENT,
                                    SMTO_ABORTIFHUNG, 10000, &result) != 0;
    GdiFlush();
  }
  CClientCapture(const CClientCapture&) = delete;
  CClientCapture& operator=(const CClientCapture&) = delete;
  ~CClientCapture() {
    SelectObject(m_dc, m_old);
    DeleteObject(m_bitmap);
    DeleteDC(m_dc);
  }

  bool Painted() const { return m_painted && m_bits != nullptr; }
  COLORREF Pixel(int x, int y) const { return GetPixel(m_dc, x, y); }
  // How many pixels of the rectangle have exactly this colour.
  int Count(const RECT& rect, COLORREF colour) const {
    int count = 0;
    for (int y = rect.top; y < rect.bottom; ++y) {
      for (int x = rect.left; x < rect.right; ++x) count += Pixel(x, y) == colour;
    }
    return count;
  }
  // Whether the rectangle at (x, y) shows the bitmap resource stretched to its size.
  bool ShowsPicture(int x, int y, int width, int height, int bitmapId, int sourceWidth, int sourceHeight) const {
    HBITMAP picture = LoadBitmapW(GetModuleHandleW(L"Plannix.dll"), MAKEINTRESOURCEW(bitmapId));
    if (picture == nullptr) return false;
    CClientCapture reference(width, height);
    HDC pictureDc = CreateCompatibleDC(m_dc);
    HGDIOBJ old = SelectObject(pictureDc, picture);
    StretchBlt(reference.m_dc, 0, 0, width, height, pictureDc, 0, 0, sourceWidth, sourceHeight, SRCCOPY);
    SelectObject(pictureDc, old);
    DeleteDC(pictureDc);
    DeleteObject(picture);
    for (int dy = 0; dy < height; ++dy) {
      for (int dx = 0; dx < width; ++dx) {
        if (Pixel(x + dx, y + dy) != reference.Pixel(dx, dy)) return false;
      }
    }
    return true;
  }
  bool SaveBmp(const std::string& path) const {
    return WriteBmp24(std::wstring(path.begin(), path.end()), m_width, m_height, m_bits);
  }

 private:
  CClientCapture(int width, int height) : m_dc(CreateCompatibleDC(nullptr)), m_width(width), m_height(height) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    m_bitmap = CreateDIBSection(m_dc, &info, DIB_RGB_COLORS, &m_bits, nullptr, 0);
    m_old = SelectObject(m_dc, m_bitmap);
  }

  HDC m_dc;
  HBITMAP m_bitmap = nullptr;
  HGDIOBJ m_old = nullptr;
  void* m_bits = nullptr;
  int m_width = 0, m_height = 0;
  bool m_painted = false;
};

// Where the day number of a cell is written, generously.
RECT DayNumberBox(int day, bool selected) {
  const CellPlace place = PlaceOf(day);
  const int s = selected ? 1 : 0;
  return {place.Left() + 3 + s, place.Top() + 3 + s, place.Left() + 18, place.Top() + 19};
}

class CalendarPaintTest : public testing::Test {
 protected:
  CalendarPaintTest() : m_harness(CToolHarness::MakeDate(2011, 1, kToday)) {}

  void SetUp() override {
    MonthTable month = {};
    month.Day(kSealDay).nSeal[1] = 6;   // picture 161
    month.Day(kSealDay).nSeal[3] = 38;  // picture 217, day page only
    month.Day(kToday).nSeal[0] = 14;    // picture 169, in the selected cell
    SetDayMemo(month.Day(kMemoDay), "a");
    SetDayLine(month.Day(kTwoLineDay), 0, "朝会\r\n午後は外出");
    SetDayLine(month.Day(kLongLineDay), 1, "とても長い予定の説明がここに続いていきます");
    SetDayLine(month.Day(31), 0, "大晦日ではない");
    CreateDirectoryW(WidenCp932(m_harness.ToolFolder().c_str()).c_str(), nullptr);
    ASSERT_EQ(1, WriteMonthFile(month, m_harness.MonthFilePath(2011, 1).c_str(), [] { return 31; }));
  }

  CToolHarness m_harness;
};

TEST_F(CalendarPaintTest, MonthWithSealsEntriesMemoHolidayAndToday) {
  m_harness.SetSetting("BackColor", "0");
  ASSERT_TRUE(m_harness.Open());
  m_harness.Host().ClearEvents();
  CClientCapture capture(m_harness.Window());
  ASSERT_TRUE(capture.Painted());
  EXPECT_TRUE(capture.SaveBmp(ExeFolder() + "calendar-january-2011.bmp"));

  // The theme fills cells that hold nothing, before day 1 and after day 31.
  const CellPlace before = PlaceOf(-3);
  const CellPlace after = {2, 5};
  for (const CellPlace& empty : {before, after}) {
    SCOPED_TRACE(empty.column);
    const RECT inside = {empty.Left() + 3, empty.Top() + 3, empty.Left() + 76, empty.Top() + 92};
    EXPECT_EQ(capture.Count(inside, kCream), 73 * 89) << "an empty cell has no text";
    EXPECT_NE(capture.Pixel(empty.Left(), empty.Top() + 40), kCream) << "etched edge";
  }
  // Day 31 stands in the sixth row.
  EXPECT_GT(capture.Count(DayNumberBox(31, false), RGB(0, 0, 0)), 0);

  // The selected cell: white, sunken, content one pixel lower and further right.
  const CellPlace selected = PlaceOf(kToday);
  EXPECT_EQ(capture.Pixel(selected.Left() + 40, selected.Top() + 90), kWhite);
  EXPECT_TRUE(capture.ShowsPicture(selected.Left() + 33, selected.Top() + 4, 14, 14, 169, 32, 32));
  EXPECT_EQ(capture.Pixel(selected.Left() + 32, selected.Top() + 10), kWhite);
  EXPECT_EQ(capture.Pixel(selected.Left() + 40, selected.Top() + 3), kWhite);
  // Today is green, even selected; no black digit is left.
  EXPECT_GT(capture.Count(DayNumberBox(kToday, true), RGB(0, 255, 0)), 0);
  EXPECT_EQ(capture.Count(DayNumberBox(kToday, true), RGB(0, 0, 0)), 0);

  // New Year's Day on a Saturday is red, not blue; the plain Saturday the 8th is blue.
  EXPECT_GT(capture.Count(DayNumberBox(1, false), RGB(255, 0, 0)), 0);
  EXPECT_EQ(capture.Count(DayNumberBox(1, false), RGB(0, 0, 200)), 0);
  EXPECT_GT(capture.Count(DayNumberBox(8, false), RGB(0, 0, 200)), 0);

  // Seals of slots 2 and 4: only the second position shows a picture.
  const CellPlace seals = PlaceOf(kSealDay);
  const RECT firstPosition = {seals.Left() + 32, seals.Top() + 3, seals.Left() + 46, seals.Top() + 17};
  const RECT thirdAndBeyond = {seals.Left() + 60, seals.Top() + 3, seals.Left() + 77, seals.Top() + 17};
  EXPECT_EQ(capture.Count(firstPosition, kCream), 14 * 14);
  EXPECT_TRUE(capture.ShowsPicture(seals.Left() + 46, seals.Top() + 3, 14, 14, 161, 32, 32));
  EXPECT_EQ(capture.Count(thirdAndBeyond, kCream), 17 * 14);

  // The memo mark of the cream theme.
  const CellPlace memo = PlaceOf(kMemoDay);
  EXPECT_TRUE(capture.ShowsPicture(memo.Left() + 18, memo.Top() + 3, 10, 14, 179, 170, 210));

  // Only the first text line of a two-line entry shows; nothing below it.
  const CellPlace twoLines = PlaceOf(kTwoLineDay);
  const RECT firstRow = {twoLines.Left() + 8, twoLines.Top() + 20, twoLines.Left() + 74, twoLines.Top() + 32};
  const RECT belowFirstRow = {twoLines.Left() + 2, twoLines.Top() + 33, twoLines.Left() + 77, twoLines.Top() + 93};
  EXPECT_GT(capture.Count(firstRow, RGB(0, 0, 0)), 0);
  EXPECT_EQ(capture.Count(belowFirstRow, kCream), 75 * 60);
  // A long line is cut inside its rectangle and never reaches the next cell.
  const CellPlace longLine = PlaceOf(kLongLineDay);
  const RECT pastRight = {longLine.Left() + 74, longLine.Top() + 34, longLine.Left() + 77, longLine.Top() + 46};
  EXPECT_EQ(capture.Count(pastRight, kCream), 3 * 12);

  // The host saw one bracket around the month and one around each day's question.
  std::vector<std::string> holidayQuestions;
  for (const HostEvent& event : m_harness.Host().Events()) {
    if (event.kind != HostEvent::kHolidayQuery) continue;
    holidayQuestions.push_back(std::to_string(event.code) + ":" + std::to_string(event.a) + "," +
                               std::to_string(event.b) + "," + std::to_string(event.c));
  }
  std::vector<std::string> expected = {"0:2011,0,0"};
  for (int day = 1; day <= 31; ++day) {
    expected.insert(expected.end(), {"0:2011,0,0", "2:1," + std::to_string(day) + ",2011", "1:2011,0,0"});
  }
  expected.push_back("1:2011,0,0");
  EXPECT_EQ(holidayQuestions, expected);

  EXPECT_TRUE(m_harness.CaptureWindow(ExeFolder() + "calendar-window.bmp"));
  EXPECT_TRUE(m_harness.Close());
}

// The host is asked of the month only by a paint that reaches the calendar.
TEST_F(CalendarPaintTest, APaintBesideTheCalendarDrawsNoMonth) {
  ASSERT_TRUE(m_harness.Open());
  ShowWindow(m_harness.Window(), SW_SHOWNOACTIVATE);
  const CellPlace cell = PlaceOf(kMemoDay);
  const RECT nothing = {}, dayPage = {10, 300, 100, 340};
  const RECT oneCell = {cell.Left(), cell.Top(), cell.Left() + 9, cell.Top() + 9};
  for (const RECT* invalid : {&nothing, &dayPage, &oneCell}) {
    UpdateWindow(m_harness.Window());
    m_harness.Host().ClearEvents();
    if (!IsRectEmpty(invalid)) InvalidateRect(m_harness.Window(), invalid, FALSE);
    SendMessageW(m_harness.Window(), WM_PAINT, 0, 0);
    bool asked = false;
    for (const HostEvent& event : m_harness.Host().Events()) asked |= event.kind == HostEvent::kHolidayQuery;
    EXPECT_EQ(invalid == &oneCell, asked) << invalid->left;
  }
  EXPECT_TRUE(m_harness.Close());
}

TEST_F(CalendarPaintTest, ThemeChangeShowsTheOtherCoverAsMemoMark) {
  m_harness.SetSetting("BackColor", "0");
  ASSERT_TRUE(m_harness.Open());
  const CellPlace memo = PlaceOf(kMemoDay);
  {
    CClientCapture cream(m_harness.Window());
    ASSERT_TRUE(cream.Painted());
    EXPECT_TRUE(cream.ShowsPicture(memo.Left() + 18, memo.Top() + 3, 10, 14, 179, 170, 210));
  }
  m_harness.SetSetting("BackColor", "1");
  CClientCapture pink(m_harness.Window());
  ASSERT_TRUE(pink.Painted());
  EXPECT_TRUE(pink.SaveBmp(ExeFolder() + "calendar-pink.bmp"));
  EXPECT_EQ(pink.Pixel(memo.Left() + 40, memo.Top() + 90), kPink);
  EXPECT_TRUE(pink.ShowsPicture(memo.Left() + 18, memo.Top() + 3, 10, 14, 180, 170, 210));
  EXPECT_FALSE(pink.ShowsPicture(memo.Left() + 18, memo.Top() + 3, 10, 14, 179, 170, 210));
  EXPECT_TRUE(m_harness.Close());
}

TEST_F(CalendarPaintTest, BackColor7FillsNothingAndDrawsNoMemoMark) {
  m_harness.SetSetting("BackColor", "7");
  ASSERT_TRUE(m_harness.Open());
  CClientCapture capture(m_harness.Window());
  ASSERT_TRUE(capture.Painted());
  EXPECT_TRUE(capture.SaveBmp(ExeFolder() + "calendar-no-theme.bmp"));
  const CellPlace memo = PlaceOf(kMemoDay);
  const RECT memoMark = {memo.Left() + 18, memo.Top() + 3, memo.Left() + 28, memo.Top() + 17};
  EXPECT_EQ(capture.Count(memoMark, kUntouched), 10 * 14);
  EXPECT_EQ(capture.Pixel(memo.Left() + 40, memo.Top() + 90), kUntouched);
  // Headers, day numbers, seals and lines as usual.
  EXPECT_EQ(capture.Pixel(270, 12), RGB(222, 222, 222));
  EXPECT_GT(capture.Count(DayNumberBox(1, false), RGB(255, 0, 0)), 0);
  const CellPlace seals = PlaceOf(kSealDay);
  EXPECT_TRUE(capture.ShowsPicture(seals.Left() + 46, seals.Top() + 3, 14, 14, 161, 32, 32));
  const CellPlace twoLines = PlaceOf(kTwoLineDay);
  const RECT firstRow = {twoLines.Left() + 8, twoLines.Top() + 20, twoLines.Left() + 74, twoLines.Top() + 32};
  EXPECT_GT(capture.Count(firstRow, RGB(0, 0, 0)), 0);
  EXPECT_TRUE(m_harness.Close());
}

}  // namespace
