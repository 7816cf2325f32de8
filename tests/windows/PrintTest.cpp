// Printing from the schedule window as a user does it: Ctrl+P, the choice
// of what to print and its preview, the system's print dialog, the job with
// its progress. The tests named *WithPrinter* and *RejectingPrinter* need
// the private CUPS that tests/windows/print-through-cups starts, with
// PLANNIX_PRINT_OUT naming the folder its PDF printer writes to.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "calendar/CalendarFacts.h"
#include "data/MonthFile.h"
#include "tests/windows/DialogDriver.h"
#include "tests/windows/ScheduleWindowDriver.h"
#include "tool/PrintRequest.h"
#include "ui/res/PrintResource.h"
#include "ui/res/resource.h"
#include "win/Text.h"

namespace {

constexpr int kPrinterComboId = 1139;  // the system's print dialog's printer list

// The PDFs the printer wrote, by name.
std::vector<std::wstring> PrintedFiles() {
  wchar_t unixFolder[MAX_PATH] = {};
  if (GetEnvironmentVariableW(L"PLANNIX_PRINT_OUT", unixFolder, MAX_PATH) == 0) return {};
  std::wstring folder = L"Z:" + std::wstring(unixFolder);
  for (wchar_t& c : folder) c = c == L'/' ? L'\\' : c;
  std::vector<std::wstring> files;
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW((folder + L"\\*.pdf").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return files;
  do {
    files.push_back(found.cFileName);
  } while (FindNextFileW(search, &found));
  FindClose(search);
  return files;
}

// A printed PDF comes some seconds after the job, from the printer's own queue.
bool WaitForPrinted(size_t before, DWORD timeoutMs = 30000) {
  return CToolHarness::WaitFor([&] { return PrintedFiles().size() > before; }, timeoutMs);
}

struct ChildSearch {
  int id;
  HWND found;
};

BOOL CALLBACK MatchDialogWithControl(HWND window, LPARAM raw) {
  auto* search = reinterpret_cast<ChildSearch*>(raw);
  if (IsWindowVisible(window) && GetDlgItem(window, search->id) != nullptr) search->found = window;
  return search->found == nullptr;
}

// The visible window of the thread that holds a control of that id.
HWND FindDialogWithControl(DWORD threadId, int id, DWORD timeoutMs = 10000) {
  ChildSearch search = {id, nullptr};
  WaitUntil(
      [&] {
        EnumThreadWindows(threadId, &MatchDialogWithControl, reinterpret_cast<LPARAM>(&search));
        return search.found != nullptr;
      },
      timeoutMs);
  return search.found;
}

std::string WidenUtf8ToNarrow(const std::wstring& text) {
  std::string utf8(text.size() * 3 + 1, '\0');
  utf8.resize(static_cast<size_t>(WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), &utf8[0],
                                                      static_cast<int>(utf8.size()), nullptr, nullptr)));
  return utf8;
}

// A message box the window owns, shown: the system's print dialog, on its way out, is none.
HWND FindMessageBox(HWND owner) {
  constexpr int kMessageTextId = 0xFFFF;
  HWND box = FindOwnedMessageBox(owner);
  return box != nullptr && IsWindowVisible(box) && GetDlgItem(box, kMessageTextId) != nullptr ? box : nullptr;
}

void Click(HWND dialog, int id) { PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }

// The end of a print asked without dialogs, as the host window heard it; -1 for none yet.
int PrintedEnd(CToolHarness& harness) {
  int ended = -1;
  for (const HostEvent& event : harness.Host().Events()) {
    if (event.kind == HostEvent::kHostMessage && event.code == static_cast<int>(WM_TOOL_PRINTED)) {
      ended = static_cast<int>(event.a);
    }
  }
  return ended;
}

// December 2026 with a line on some days; the 24th is today.
void WriteDecember(CToolHarness& harness, int days) {
  MonthTable month = {};
  for (int day = 1; day <= days; ++day) {
    SetDayLine(month.Day(day), 0, ("歯医者 10:00 の" + std::to_string(day) + "日").c_str());
  }
  CreateDirectoryW(WidenCp932(harness.ToolFolder().c_str()).c_str(), nullptr);
  ASSERT_EQ(1, WriteMonthFile(month, harness.MonthFilePath(2026, 12).c_str(), [] { return 31; }));
}

TEST(PrintTest, WithoutAPrinterCtrlPSaysSoAndOpensNothingElse) {
  CToolHarness harness;
  ASSERT_TRUE(harness.Open());
  ASSERT_TRUE(harness.BringToFront());
  PressKeysAsUser({VK_CONTROL, 'P'});
  HWND box = nullptr;
  ASSERT_TRUE(CToolHarness::WaitFor([&] { return (box = FindMessageBox(harness.Window())) != nullptr; }));
  EXPECT_NE(std::wstring::npos, MessageBoxText(box).find(L"プリンターがインストールされていません"));
  EXPECT_EQ(1, harness.ToolBase()->m_modalActive.load());
  const DWORD uiThread = GetWindowThreadProcessId(harness.Window(), nullptr);
  EXPECT_EQ(nullptr, FindDialogWithControl(uiThread, IDC_PRINT_DIARY, 0)) << "no choice of what to print";
  PostMessageW(box, WM_COMMAND, IDOK, 0);
  EXPECT_TRUE(CToolHarness::WaitFor([&] { return harness.ToolBase()->m_modalActive == 0; }));
  // Nor does a host asking without dialogs get anything but the answer.
  PrintRequest request;
  SendMessageW(harness.Window(), WM_TOOL_PRINT, kPrintWithoutDialogs, reinterpret_cast<LPARAM>(&request));
  EXPECT_TRUE(CToolHarness::WaitFor([&] { return PrintedEnd(harness) == kPrintEndNoPrinter; }));
  EXPECT_TRUE(harness.Close());
}

// The month first, then its diary with the preview: print-through-cups
// finds the first landscape, the second portrait.
TEST(PrintWithPrinterTest, TheMonthThenItsDiaryWithThePreviewThroughTheSystemsDialog) {
  CToolHarness harness(CToolHarness::MakeDate(2026, 12, 24));
  harness.SetSetting("DspLanguage", "1");
  ASSERT_NO_FATAL_FAILURE(WriteDecember(harness, 31));
  ASSERT_TRUE(harness.Open());
  ASSERT_TRUE(harness.BringToFront());
  const DWORD uiThread = GetWindowThreadProcessId(harness.Window(), nullptr);
  size_t before = PrintedFiles().size();

  // Return in both dialogs: the month, on the default printer.
  PressKeysAsUser({VK_CONTROL, 'P'});
  HWND monthChoice = FindDialogWithControl(uiThread, IDC_PRINT_DIARY);
  ASSERT_NE(nullptr, monthChoice);
  ASSERT_TRUE(CToolHarness::WaitFor([&] { return GetForegroundWindow() == monthChoice; }));
  PressKeysAsUser({VK_RETURN});
  HWND monthSystem = FindDialogWithControl(uiThread, kPrinterComboId);
  ASSERT_NE(nullptr, monthSystem);
  Click(monthSystem, IDOK);
  EXPECT_TRUE(WaitForPrinted(before));
  ASSERT_TRUE(CToolHarness::WaitFor([&] { return harness.ToolBase()->m_modalActive == 0; }));
  before = PrintedFiles().size();
  ASSERT_TRUE(harness.BringToFront());

  PressKeysAsUser({VK_CONTROL, 'P'});
  HWND choice = FindDialogWithControl(uiThread, IDC_PRINT_DIARY);
  ASSERT_NE(nullptr, choice);
  EXPECT_EQ(1, harness.ToolBase()->m_modalActive.load());
  EXPECT_EQ(L"この月のカレンダー（2026年 12月）", WindowTextOf(GetDlgItem(choice, IDC_PRINT_MONTH)));
  EXPECT_EQ(BST_CHECKED, SendMessageW(GetDlgItem(choice, IDC_PRINT_MONTH), BM_GETCHECK, 0, 0));
  EXPECT_EQ(BST_UNCHECKED, SendMessageW(GetDlgItem(choice, IDC_PRINT_EMPTY_DAYS), BM_GETCHECK, 0, 0));
  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(choice, IDC_PRINT_FROM))) << "a range only for the diary";
  SendMessageW(GetDlgItem(choice, IDC_PRINT_DIARY), BM_CLICK, 0, 0);
  EXPECT_TRUE(IsWindowEnabled(GetDlgItem(choice, IDC_PRINT_EMPTY_DAYS)));

  // The preview: the printer's pages, as many as the job will print.
  Click(choice, IDC_PRINT_PREVIEW);
  HWND preview = FindThreadDialog(uiThread, L"印刷プレビュー");
  ASSERT_NE(nullptr, preview);
  const std::wstring first = WindowTextOf(GetDlgItem(preview, IDC_PREVIEW_PAGE_NUMBER));
  EXPECT_EQ(0u, first.rfind(L"1 / ", 0)) << std::string(first.begin(), first.end());
  const int pages = _wtoi(first.substr(4).c_str());
  EXPECT_GE(pages, 2) << "31 days of a line each, a page of about 20";
  Click(preview, IDC_PREVIEW_NEXT);
  EXPECT_TRUE(
      WaitUntil([&] { return WindowTextOf(GetDlgItem(preview, IDC_PREVIEW_PAGE_NUMBER)).rfind(L"2 / ", 0) == 0; }));
  HWND page = GetDlgItem(preview, IDC_PREVIEW_PAGE);
  RECT area;
  GetClientRect(page, &area);
  EXPECT_FALSE(SaveWindowArtifact(preview, "print-preview.bmp").empty());
  int white = 0;
  int ink = 0;
  for (int y = area.bottom / 8; y < area.bottom * 7 / 8; y += 3) {
    const COLORREF pixel = ClientPixel(page, area.right / 2, y);
    white += pixel == RGB(255, 255, 255);
    ink += GetRValue(pixel) < 128 && GetGValue(pixel) < 128 && GetBValue(pixel) < 128;
  }
  EXPECT_GT(white, 10) << "the paper";
  EXPECT_GT(ink, 0) << "text on it";
  Click(preview, IDCANCEL);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(preview) || !IsWindowVisible(preview); }));

  // The system's print dialog, on the default printer; its OK prints.
  Click(choice, IDOK);
  HWND system = FindDialogWithControl(uiThread, kPrinterComboId);
  ASSERT_NE(nullptr, system) << "the system's print dialog";
  EXPECT_EQ(1, harness.ToolBase()->m_modalActive.load());
  Click(system, IDOK);
  EXPECT_TRUE(WaitForPrinted(before));
  EXPECT_TRUE(CToolHarness::WaitFor([&] { return harness.ToolBase()->m_modalActive == 0; }));
  EXPECT_EQ(nullptr, FindOwnedMessageBox(harness.Window())) << "printed without a word";
  EXPECT_TRUE(harness.Close());
}

// A year of full days: about a hundred pages, long enough for the progress window.
void WriteAFullYear(CToolHarness& harness) {
  CreateDirectoryW(WidenCp932(harness.ToolFolder().c_str()).c_str(), nullptr);
  for (int month = 1; month <= 12; ++month) {
    MonthTable table = {};
    // Only the month's own days: a file holding 30 February is not read as a month.
    const int days = DaysInMonth(2027, month);
    for (int day = 1; day <= days; ++day) {
      for (int line = 0; line < kLineCount; ++line) {
        SetDayLine(table.Day(day), line, ("予定 " + std::to_string(line + 1) + " の説明").c_str());
      }
      SetDayMemo(table.Day(day), "一行目のメモ\r\n二行目のメモ\r\n三行目のメモ");
    }
    ASSERT_EQ(1, WriteMonthFile(table, harness.MonthFilePath(2027, month).c_str(), [days] { return days; }));
  }
}

TEST(PrintWithPrinterTest, ALongDiaryShowsItsProgressWithoutTakingTheKeyboardAndACancelPrintsNothing) {
  CToolHarness harness(CToolHarness::MakeDate(2027, 1, 5));
  ASSERT_NO_FATAL_FAILURE(WriteAFullYear(harness));
  ASSERT_TRUE(harness.Open());
  ASSERT_TRUE(harness.BringToFront());
  const DWORD uiThread = GetWindowThreadProcessId(harness.Window(), nullptr);
  const HWND typing = FocusedControl(harness);
  const size_t before = PrintedFiles().size();

  PrintRequest request;
  request.kind = kPrintDiary;
  request.from = CToolHarness::MakeDate(2027, 1, 1);
  request.to = CToolHarness::MakeDate(2027, 12, 31);
  SendMessageW(harness.Window(), WM_TOOL_PRINT, kPrintWithoutDialogs, reinterpret_cast<LPARAM>(&request));
  HWND progress = FindDialogWithControl(uiThread, IDC_PRINT_PROGRESS_BAR, 20000);
  ASSERT_NE(nullptr, progress) << "the job's end: " << PrintedEnd(harness);
  EXPECT_EQ(harness.Window(), GetForegroundWindow()) << "the progress window takes no activation";
  EXPECT_EQ(typing, FocusedControl(harness)) << "the keyboard stays where it was";
  // The window answers while the pages go out.
  const DWORD asked = GetTickCount();
  DWORD_PTR ignored = 0;
  EXPECT_NE(0, SendMessageTimeoutW(harness.Window(), WM_NULL, 0, 0, SMTO_NORMAL, 2000, &ignored));
  EXPECT_LT(GetTickCount() - asked, 500u);
  EXPECT_TRUE(WaitUntil(
      [&] { return WindowTextOf(GetDlgItem(progress, IDC_PRINT_PROGRESS_TEXT)).find(L" / ") != std::wstring::npos; }));
  EXPECT_EQ(-1, PrintedEnd(harness)) << "still printing";

  Click(progress, IDCANCEL);
  ASSERT_TRUE(CToolHarness::WaitFor([&] { return PrintedEnd(harness) != -1; }, 60000));
  EXPECT_EQ(kPrintEndCancelled, PrintedEnd(harness));
  EXPECT_FALSE(IsWindow(progress) && IsWindowVisible(progress));
  // Nothing of the job comes out of the printer.
  Sleep(3000);
  EXPECT_EQ(before, PrintedFiles().size());
  EXPECT_TRUE(harness.Close());
}

// With the printer's queue refusing jobs (print-through-cups sets it so).
TEST(PrintRejectingPrinterTest, APrinterThatFailsIsToldAndNothingComesOut) {
  CToolHarness harness(CToolHarness::MakeDate(2026, 12, 24));
  ASSERT_NO_FATAL_FAILURE(WriteDecember(harness, 3));
  ASSERT_TRUE(harness.Open());
  ASSERT_TRUE(harness.BringToFront());
  const DWORD uiThread = GetWindowThreadProcessId(harness.Window(), nullptr);
  const size_t before = PrintedFiles().size();
  PressKeysAsUser({VK_CONTROL, 'P'});
  HWND choice = FindDialogWithControl(uiThread, IDC_PRINT_DIARY);
  ASSERT_NE(nullptr, choice);
  Click(choice, IDOK);
  HWND system = FindDialogWithControl(uiThread, kPrinterComboId);
  ASSERT_NE(nullptr, system);
  Click(system, IDOK);
  HWND box = nullptr;
  ASSERT_TRUE(CToolHarness::WaitFor([&] { return (box = FindMessageBox(harness.Window())) != nullptr; }, 30000));
  const std::wstring told = MessageBoxText(box);
  EXPECT_NE(std::wstring::npos, told.find(L"印刷を取り消しました")) << WidenUtf8ToNarrow(told);
  PostMessageW(box, WM_COMMAND, IDOK, 0);
  EXPECT_TRUE(CToolHarness::WaitFor([&] { return harness.ToolBase()->m_modalActive == 0; }));
  Sleep(2000);
  EXPECT_EQ(before, PrintedFiles().size());
  EXPECT_TRUE(harness.Close());
}

}  // namespace
