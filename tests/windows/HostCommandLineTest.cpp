// plannix-host.exe driven as a script drives it: a process per case, its
// output through files, every run with a timeout.
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "tests/windows/FileHolder.h"
#include "tests/windows/ToolHarness.h"
#include "win/Text.h"

namespace {

constexpr DWORD kHostTimeoutMs = 60000;

struct HostRun {
  DWORD exitCode = STILL_ACTIVE;
  std::string out;
  std::string err;
};

std::wstring ProgramFolder() {
  wchar_t path[MAX_PATH];
  DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring program(path, length < MAX_PATH ? length : 0);
  return program.substr(0, program.find_last_of(L"\\/"));
}

std::string ReadWholeFile(const std::wstring& path) {
  std::ifstream in(path.c_str(), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteWholeFile(const std::wstring& path, const std::string& bytes) {
  std::ofstream out(path.c_str(), std::ios::binary);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

HANDLE InheritableFile(const std::wstring& path) {
  SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
  return CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                     nullptr);
}

// A scratch folder per test with the tool's folder in it; removed afterwards.
class HostCommandLineTest : public ::testing::Test {
 protected:
  void SetUp() override {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    m_folder = std::wstring(temp) + L"plannix-host-test-" + std::to_wstring(GetCurrentProcessId());
    RemoveFolderTree(m_folder);
    CreateDirectoryW(m_folder.c_str(), nullptr);
    CreateDirectoryW(Data().c_str(), nullptr);
    CreateDirectoryW((Data() + L"\\Plannix").c_str(), nullptr);
  }
  void TearDown() override { RemoveFolderTree(m_folder); }

  std::wstring Data() const { return m_folder + L"\\data"; }
  std::wstring Scratch(const wchar_t* name) const { return m_folder + L"\\" + name; }
  void WriteMonthFile(const wchar_t* name, const std::string& bytes) const {
    WriteWholeFile(Data() + L"\\Plannix\\" + name, bytes);
  }

  HostRun Run(const std::vector<std::wstring>& arguments, const wchar_t* program = L"plannix-host.exe") const {
    std::wstring command = L"\"" + ProgramFolder() + L"\\" + program + L"\"";
    for (const std::wstring& argument : arguments) command += L" \"" + argument + L"\"";
    std::wstring outPath = Scratch(L"stdout.txt"), errPath = Scratch(L"stderr.txt");
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = InheritableFile(outPath);
    startup.hStdError = InheritableFile(errPath);
    PROCESS_INFORMATION process = {};
    HostRun run;
    if (CreateProcessW(nullptr, &command[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process)) {
      if (WaitForSingleObject(process.hProcess, kHostTimeoutMs) != WAIT_OBJECT_0) {
        TerminateProcess(process.hProcess, 99);
        WaitForSingleObject(process.hProcess, INFINITE);
        ADD_FAILURE() << "the program did not end in time";
      }
      GetExitCodeProcess(process.hProcess, &run.exitCode);
      CloseHandle(process.hThread);
      CloseHandle(process.hProcess);
    } else {
      ADD_FAILURE() << "cannot start the program beside the tests";
    }
    CloseHandle(startup.hStdOutput);
    CloseHandle(startup.hStdError);
    run.out = ReadWholeFile(outPath);
    run.err = ReadWholeFile(errPath);
    return run;
  }

  std::wstring m_folder;
};

// Day 1 says apple, day 2 banana with seal code 6 in slot 4, day 3 is empty.
const char kMarchBook[] =
    "QL3\n"
    "01,0,0,0,0,apple,,,,,,\n"
    "02,0,0,0,6,,banana,,,,,\n"
    "03,0,0,0,0,,,,,,,\n";

struct SearchCase {
  const wchar_t* option;
  const wchar_t* query;
  std::string expected;  // the lines, each closed by a NUL
};

TEST_F(HostCommandLineTest, SearchWritesEachLineAsTheToolSentItNulSeparated) {
  WriteMonthFile(L"schedule2010_03.dat", kMarchBook);
  const SearchCase cases[] = {
      {L"--search", L"apple banana",
       std::string("2010/03/01 \t <ｽｹｼﾞｭｰﾙ> \t apple\t\t\t\t\t\t\n") + '\0' +
           std::string("2010/03/02 \t <ｽｹｼﾞｭｰﾙ> \t \tbanana\t\t\t\t\t\n") + '\0'},
      {L"--seal-search", L"161", std::string("2010/03/02 \t <ｼｰﾙ> \t [（シールなし）][（シールなし）][（シールなし）][飲み会、パーティ]") + '\0'},
      {L"--seal-search", L"0", std::string("シールを選択して下さい。") + '\0'},
  };
  for (const SearchCase& c : cases) {
    SCOPED_TRACE(NarrowToCp932(c.query).c_str());
    std::wstring outFile = Scratch(L"lines.bin");
    HostRun run = Run({L"--data", Data(), c.option, c.query, L"--out", outFile});
    EXPECT_EQ(run.exitCode, 0u) << run.err;
    EXPECT_EQ(ReadWholeFile(outFile), c.expected);
  }
}

TEST_F(HostCommandLineTest, SaveAndExitWritesTodaysMonthAndKeepsTheStoredPosition) {
  std::wstring ini = Scratch(L"host.ini");
  WriteWholeFile(ini, "[Tool17]\r\nWndPosX=123\r\nWndPosY=45\r\nBackColor=2\r\n");
  HostRun run = Run({L"--data", Data(), L"--ini", ini, L"--today", L"2010-02-05", L"--save-and-exit"});
  ASSERT_EQ(run.exitCode, 0u) << run.err;
  std::string month = ReadWholeFile(Data() + L"\\Plannix\\schedule2010_02.dat");
  EXPECT_EQ(month.substr(0, 22), "QL3\n01,0,0,0,0,,,,,,,\n");
  EXPECT_EQ(month.size(), 4u + 28u * 18u) << "28 empty days of February 2010";
  // The second run read what the first stored, and the tool stored it back.
  wchar_t value[16];
  GetPrivateProfileStringW(L"Tool17", L"WndPosX", L"", value, 16, ini.c_str());
  EXPECT_STREQ(value, L"123");
  GetPrivateProfileStringW(L"Tool17", L"WndPosY", L"", value, 16, ini.c_str());
  EXPECT_STREQ(value, L"45");
  GetPrivateProfileStringW(L"Tool17", L"BackColor", L"", value, 16, ini.c_str());
  EXPECT_STREQ(value, L"2");
}

// A backup program reads today's month, sharing reading and writing only,
// while the host saves and exits: the save goes through, no box waits.
TEST_F(HostCommandLineTest, SaveAndExitWritesTheMonthThatAnotherProgramReads) {
  WriteMonthFile(L"schedule2010_02.dat", "QL3\n01,0,0,0,0,apple,,,,,,\n");
  CFileHolder backup;
  ASSERT_TRUE(backup.Hold(CFileHolder::kReadSharingReadWrite, Data() + L"\\Plannix\\schedule2010_02.dat"));
  HostRun run = Run({L"--data", Data(), L"--ini", Scratch(L"host.ini"), L"--today", L"2010-02-05", L"--save-and-exit"});
  EXPECT_TRUE(backup.Release());
  ASSERT_EQ(run.exitCode, 0u) << run.err;
  std::string month = ReadWholeFile(Data() + L"\\Plannix\\schedule2010_02.dat");
  EXPECT_EQ(month.substr(0, 27), "QL3\n01,0,0,0,0,apple,,,,,,\n");
  EXPECT_EQ(month.size(), 4u + 23u + 27u * 18u) << "apple and 27 empty days of February 2010";
}

struct BmpSize {
  int32_t width = 0;
  int32_t height = 0;
};

BmpSize SizeOfBmp(const std::string& bytes) {
  BmpSize size;
  if (bytes.size() < 26 || bytes.compare(0, 2, "BM") != 0) return size;
  std::memcpy(&size.width, bytes.data() + 18, 4);
  std::memcpy(&size.height, bytes.data() + 22, 4);
  return size;
}

TEST_F(HostCommandLineTest, ScreenshotsHoldTheScheduleWindowAndTheSettingsDialog) {
  std::wstring window = Scratch(L"window.bmp"), settings = Scratch(L"settings.bmp");
  HostRun run = Run({L"--data", Data(), L"--ini", Scratch(L"host.ini"), L"--today", L"2010-03-05", L"--screenshot",
                     window, L"--settings-shot", settings});
  ASSERT_EQ(run.exitCode, 0u) << run.err;
  // The client area is 765 x 600; the frame adds a little around it.
  BmpSize shot = SizeOfBmp(ReadWholeFile(window));
  EXPECT_GE(shot.width, 765);
  EXPECT_LE(shot.width, 765 + 40);
  EXPECT_GE(shot.height, 600);
  EXPECT_LE(shot.height, 600 + 80);
  BmpSize dialog = SizeOfBmp(ReadWholeFile(settings));
  EXPECT_GT(dialog.width, 0);
  EXPECT_GT(dialog.height, 0);
  EXPECT_LT(dialog.width, shot.width);
}

TEST_F(HostCommandLineTest, HolidaysOf2019ListTheOneOffDaysInUtf8) {
  HostRun run = Run({L"--holidays", L"2019"});
  ASSERT_EQ(run.exitCode, 0u) << run.err;
  const char* expectedLines[] = {
      u8"2019-04-30 国民の休日\n",
      u8"2019-05-01 天皇の即位の日\n",
      u8"2019-05-02 国民の休日\n",
      u8"2019-10-22 即位礼正殿の儀\n",
  };
  for (const char* line : expectedLines) EXPECT_NE(run.out.find(line), std::string::npos) << line;
  EXPECT_EQ(run.out.find("2019-12-23"), std::string::npos) << "the emperor's birthday moved to February";
}

// The month file is cp932; an export holds the same day in UTF-8.
const char kAprilBook[] =
    "QL3\n"
    "01,0,0,0,0,,,,,,,\n"
    "02,0,0,0,0,りんごの日,,,,,,\n";

struct ExportCase {
  const wchar_t* fileName;
  std::vector<std::wstring> options;
  std::string head;  // the file's first bytes
  bool holdsTheDay;
};

TEST_F(HostCommandLineTest, ExportWritesTheBookInTheFormatOfTheFileOrOfFormat) {
  WriteMonthFile(L"schedule2010_04.dat", kAprilBook);
  const std::string csvHead = "\xEF\xBB\xBF" "date,seal1,seal2,seal3,seal4,line1,line2,line3,line4,line5,memo\r\n";
  const ExportCase cases[] = {
      {L"book.ics", {}, "BEGIN:VCALENDAR\r\n", true},
      {L"book.csv", {}, csvHead, true},
      {L"BOOK.CSV", {}, csvHead, true},
      {L"book.txt", {}, "BEGIN:VCALENDAR\r\n", true},
      {L"book.txt", {L"--format", L"csv"}, csvHead, true},
      {L"book.csv", {L"--format", L"ics"}, "BEGIN:VCALENDAR\r\n", true},
      {L"book.csv", {L"--from", L"2010-04", L"--to", L"2010-04"}, csvHead, true},
      {L"book.csv", {L"--from", L"2010-05"}, csvHead, false},
      {L"book.csv", {L"--to", L"2010-03"}, csvHead, false},
  };
  for (const ExportCase& c : cases) {
    std::vector<std::wstring> arguments = {L"--data", Data(), L"--export", Scratch(c.fileName)};
    arguments.insert(arguments.end(), c.options.begin(), c.options.end());
    SCOPED_TRACE(NarrowToCp932((std::wstring(c.fileName) + L" " + (c.options.empty() ? L"" : c.options[1])).c_str())
                     .c_str());
    HostRun run = Run(arguments);
    ASSERT_EQ(run.exitCode, 0u) << run.err;
    std::string bytes = ReadWholeFile(Scratch(c.fileName));
    EXPECT_EQ(bytes.substr(0, c.head.size()), c.head);
    EXPECT_EQ(bytes.find(u8"りんごの日") != std::string::npos, c.holdsTheDay) << bytes;
    DeleteFileW(Scratch(c.fileName).c_str());
  }
}

TEST_F(HostCommandLineTest, ExportThatCannotWriteItsFileFailsAndSaysWhy) {
  WriteMonthFile(L"schedule2010_04.dat", kAprilBook);
  std::wstring target = Scratch(L"missing-folder\\book.ics");
  HostRun run = Run({L"--data", Data(), L"--export", target});
  EXPECT_EQ(run.exitCode, 1u);
  EXPECT_NE(run.err.find("cannot create"), std::string::npos) << run.err;
  EXPECT_EQ(GetFileAttributesW(target.c_str()), INVALID_FILE_ATTRIBUTES);
}

// A day of the April book gets a second line; the other day is new.
const char kAprilCalendar[] =
    u8"BEGIN:VCALENDAR\r\nVERSION:2.0\r\n"
    u8"BEGIN:VEVENT\r\nDTSTART;VALUE=DATE:20100402\r\nSUMMARY:花見\\, 上野\r\nEND:VEVENT\r\n"
    u8"BEGIN:VEVENT\r\nDTSTART;TZID=Asia/Tokyo:20100405T183000\r\nSUMMARY:会議\r\nEND:VEVENT\r\n"
    u8"END:VCALENDAR\r\n";

TEST_F(HostCommandLineTest, ImportAddsToFreeLinesThroughTheHostAndThePlannixImport) {
  WriteMonthFile(L"schedule2010_04.dat", kAprilBook);
  WriteWholeFile(Scratch(L"april.ics"), kAprilCalendar);
  std::wstring month = Data() + L"\\Plannix\\schedule2010_04.dat";
  HostRun dryRun = Run({L"--data", Data(), L"--import", Scratch(L"april.ics"), L"--dry-run"});
  ASSERT_EQ(dryRun.exitCode, 0u) << dryRun.err;
  EXPECT_NE(dryRun.out.find(u8"2010-04-02 line 2 <- \"花見, 上野\""), std::string::npos) << dryRun.out;
  EXPECT_EQ(ReadWholeFile(month), kAprilBook);

  HostRun run = Run({L"--data", Data(), L"--import", Scratch(L"april.ics")});
  ASSERT_EQ(run.exitCode, 0u) << run.err;
  EXPECT_NE(run.out.find("2 day(s) in 1 month file(s) changed"), std::string::npos) << run.out;
  std::string book = ReadWholeFile(month);
  EXPECT_NE(book.find("02,0,0,0,0,りんごの日,花見\\, 上野,,,,,\n"), std::string::npos) << book;
  EXPECT_NE(book.find("05,0,0,0,0,18:30 会議,,,,,,\n"), std::string::npos) << book;
  EXPECT_NE(book.find("30,0,0,0,0,,,,,,,\n"), std::string::npos) << "every day of April is written";

  // The importer itself, into a folder whose cp932 name holds the trail byte 0x5C (表).
  std::wstring folder = m_folder + L"\\予定表";
  CreateDirectoryW(folder.c_str(), nullptr);
  HostRun direct = Run({Scratch(L"april.ics"), folder}, L"plannix-import.exe");
  ASSERT_EQ(direct.exitCode, 0u) << direct.err;
  EXPECT_NE(ReadWholeFile(folder + L"\\schedule2010_04.dat").find("01,0,0,0,0,,,,,,,\n02,0,0,0,0,花見"),
            std::string::npos)
      << direct.out;
  HostRun again = Run({Scratch(L"april.ics"), folder}, L"plannix-import.exe");
  EXPECT_NE(again.out.find("0 day(s) in 0 month file(s) changed"), std::string::npos) << again.out;

  WriteWholeFile(Scratch(L"notes.ics"), "just some notes\r\n");
  HostRun bad = Run({L"--data", Data(), L"--import", Scratch(L"notes.ics")});
  EXPECT_EQ(bad.exitCode, 1u);
  EXPECT_NE(bad.err.find("line 1: not an iCalendar file"), std::string::npos) << bad.err;
  EXPECT_EQ(ReadWholeFile(month), book);
}

TEST_F(HostCommandLineTest, BadArgumentsExitWithUsage) {
  const std::vector<std::wstring> cases[] = {
      {L"--bogus"},
      {L"--search"},
      {L"--today", L"2019-02-29", L"--save-and-exit"},
      {L"--search", L"a", L"--holidays", L"2019"},
      {L"--seal-search", L"12x"},
      {L"--screenshot", L"shot.png"},
      {L"--out", L"lines.bin", L"--save-and-exit"},
      {L"--export", L"book.ics", L"--format", L"xml"},
      {L"--export", L"book.ics", L"--from", L"2010-13"},
      {L"--export", L"book.ics", L"--to", L"10-04"},
      {L"--export", L"book.ics", L"--from", L"2010-05", L"--to", L"2010-04"},
      {L"--export", L"book.ics", L"--save-and-exit"},
      {L"--format", L"csv", L"--save-and-exit"},
      {L"--export"},
      {L"--import", L"cal.ics", L"--format", L"csv"},
      {L"--dry-run", L"--save-and-exit"},
      {L"--print", L"week"},
      {L"--print", L"month", L"--print-from", L"2010-03-01", L"--print-to", L"2010-03-31"},
      {L"--print", L"diary", L"--print-from", L"2010-03-01"},
      {L"--print", L"diary", L"--print-from", L"2010-02-30", L"--print-to", L"2010-03-31"},
      {L"--print-empty-days", L"--save-and-exit"},
      {L"--print", L"diary", L"--search", L"a"},
      {L"--sync", L"--save-and-exit"},
      {L"--sync", L"--from", L"2010-04"},
  };
  for (const std::vector<std::wstring>& arguments : cases) {
    SCOPED_TRACE(NarrowToCp932(arguments[0].c_str()).c_str());
    HostRun run = Run(arguments);
    EXPECT_EQ(run.exitCode, 2u);
    EXPECT_NE(run.err.find("usage: plannix-host"), std::string::npos) << run.err;
  }
}

}  // namespace
