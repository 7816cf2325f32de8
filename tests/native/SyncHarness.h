#pragma once
// A book in a folder of its own, the fake calendar server and the clock,
// for the sync's tests: lines are typed and read in UTF-8.
#include <filesystem>
#include <string>
#include <vector>

#include "MonthFileScratch.h"
#include "book/BookMonths.h"
#include "calendar/CalendarFacts.h"
#include "calendar/DayNumber.h"
#include "cp932/Cp932FromUtf8.h"
#include "cp932/Utf8FromCp932.h"
#include "data/FileSystem.h"
#include "import/MonthFileAccess.h"
#include "sync/SyncRun.h"
#include "sync/SyncState.h"
#include "tests/support/FakeCalDavServer.h"
#include "tests/support/LibXmlReader.h"

class CSyncHarness {
 public:
  CSyncHarness() : m_book(m_files, Folder()) {
    std::filesystem::create_directories(Folder());
    std::filesystem::create_directories(m_scratch.Path("pc"));
    settings.calendarUrl = std::string(CFakeCalDavServer::kOrigin) + CFakeCalDavServer::kCalendar;
    statePath = SyncStatePath(m_scratch.Path("pc"), settings.calendarUrl, Folder());
    // 9 December 2026, 10:00 in Tokyo.
    clock.todayDayNumber = DayNumberOf(2026, 12, 9);
    clock.utcSeconds = 1796778000;
  }

  std::string Folder() const { return m_scratch.Path("Plannix"); }

  SyncOutcome Sync(IHttpTransport* transport = nullptr) {
    SyncContext context{transport != nullptr ? *transport : server,
                        LibXmlReaderFactory(),
                        *bookInUse,
                        m_files,
                        Folder(),
                        statePath,
                        "test"};
    return RunSync(settings, context, clock);
  }

  void Type(int year, int month, int day, int line, const std::string& utf8) {
    std::string bytes;
    AppendCp932FromUtf8(bytes, utf8);
    ChangeMonthFile(m_files, MonthFilePathIn(Folder(), year, month), year, month, true, [&](MonthTable& table) {
      SetDayLine(table.Day(day), line, bytes.c_str());
      return true;
    });
  }
  void TypeMemo(int year, int month, int day, const std::string& utf8) {
    std::string bytes;
    AppendCp932FromUtf8(bytes, utf8);
    ChangeMonthFile(m_files, MonthFilePathIn(Folder(), year, month), year, month, true, [&](MonthTable& table) {
      SetDayMemo(table.Day(day), bytes.c_str());
      return true;
    });
  }
  DayRecord Day(int year, int month, int day) {
    MonthTable table = {};
    m_book.ReadMonth(year, month, table);
    return table.Day(day);
  }
  std::string Line(int year, int month, int day, int line) {
    std::string utf8;
    AppendUtf8FromCp932(utf8, Day(year, month, day).szLine[line]);
    return utf8;
  }
  std::string Memo(int year, int month, int day) {
    std::string utf8;
    AppendUtf8FromCp932(utf8, Day(year, month, day).szMemo);
    return utf8;
  }
  // Every line of the day that holds text.
  std::vector<std::string> Lines(int year, int month, int day) {
    std::vector<std::string> lines;
    for (int line = 0; line < kLineCount; ++line) {
      if (!Line(year, month, day, line).empty()) lines.push_back(Line(year, month, day, line));
    }
    return lines;
  }
  // What a sync client brings from the other PC's data folder: every file of it, as it is there now.
  void CarryFolderFrom(const CSyncHarness& other) {
    std::filesystem::copy(other.Folder(), Folder(),
                          std::filesystem::copy_options::recursive | std::filesystem::copy_options::overwrite_existing);
  }
  // The resources on the server whose text holds the words.
  std::vector<std::string> EventsWith(const std::string& words) const {
    std::vector<std::string> names;
    for (const std::string& name : server.Names()) {
      if (server.Text(name).find(words) != std::string::npos) names.push_back(name);
    }
    return names;
  }

  CFakeCalDavServer server;
  SyncSettings settings;
  SyncClock clock;
  std::string statePath;
  IFileSystem& m_files = SystemFileSystem();
  CMonthFileScratch m_scratch;
  CFolderMonths m_book;
  IBookMonths* bookInUse = &m_book;
};

// An event as a phone writes it: CRLF lines, its own UID and stamp.
inline std::string PhoneEvent(const std::string& uid, const std::string& start, const std::string& summary,
                              const std::string& more = std::string()) {
  const bool allDay = start.size() == 8;
  return "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Phone//EN\r\nBEGIN:VEVENT\r\nUID:" + uid +
         "\r\nDTSTAMP:20261201T000000Z\r\n" + (allDay ? "DTSTART;VALUE=DATE:" : "DTSTART;TZID=Asia/Tokyo:") + start +
         "\r\n" + (allDay ? "" : "DURATION:PT1H\r\n") + "SUMMARY:" + summary + "\r\n" + more +
         "END:VEVENT\r\nEND:VCALENDAR\r\n";
}
