#pragma once
// The tool as a host drives it: a recording fake host, a real host window
// on the test thread, and helpers to open, wait for, capture and close the
// schedule window. Every wait has a timeout.
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "host/core/HostServices.h"
#include "host/core/MemorySettingsStore.h"
#include "tests/windows/PluginLoader.h"
#include "ui/ScheduleDialog.h"

// One thing that reached the host, in the order it arrived.
struct HostEvent {
  enum Kind { kCalendarQuery, kHolidayQuery, kSetSetting, kHostMessage };
  explicit HostEvent(Kind eventKind) : kind(eventKind) {}
  Kind kind;
  int code = 0;  // query code or window message
  intptr_t a = 0, b = 0, c = 0;
  DateRecord date = {};  // the record a query pointed to (codes 8, 9, 14)
  std::string key, value;
  DWORD threadId = 0;
};

// CHostServices that records every CalendarQuery, HolidayQuery and
// SetSetting, from whichever thread, and can answer some codes its own way.
class CRecordingHost : public CHostServices {
 public:
  CRecordingHost(ISettingsStore& store, const std::string& dataDirectory, const DateRecord& today);

  int SetSetting(int toolId, const char* key, const char* value) override;
  const char* GetDataDirectory(int a, int b) override;
  intptr_t CalendarQuery(int code, intptr_t a, intptr_t b) override;
  int HolidayQuery(int code, int a, int b, int c) override;

  void Record(const HostEvent& event);
  std::vector<HostEvent> Events() const;
  void ClearEvents();
  // Replaces the text answers of codes 15 (month name) and 16 (weekday name).
  void SetNameOverride(int code, std::string text);

  // Both set before the tool opens. m_onQuery runs on the asking thread
  // before each CalendarQuery is answered.
  std::function<void(int code)> m_onQuery;
  bool m_noDataDirectory = false;  // answers nullptr, as a broken host might

 private:
  mutable std::mutex m_mutex;
  std::vector<HostEvent> m_events;
  std::optional<std::string> m_monthName, m_weekdayName;
};

class CToolHarness {
 public:
  // Today is 5 March 2010 (a Friday) unless the test says otherwise.
  explicit CToolHarness(const DateRecord& today = MakeDate(2010, 3, 5));
  CToolHarness(const CToolHarness&) = delete;
  CToolHarness& operator=(const CToolHarness&) = delete;
  ~CToolHarness();

  static DateRecord MakeDate(int year, int month, int day);

  // Factory, Initialize, then waits for WM_TOOL_READY.
  bool Open(DWORD timeoutMs = 15000);
  // Posts WM_CLOSE and waits until the UI thread has ended.
  bool Close(DWORD timeoutMs = 15000);
  // Pumps the test thread's messages until condition() or the timeout.
  static bool WaitFor(const std::function<bool()>& condition, DWORD timeoutMs = 10000);
  // Lets the UI thread finish what is queued for the window.
  void Sync() const;
  // Shows the window in front and waits until keys pressed go to it.
  bool BringToFront() const;
  // Shows the window, lets it paint and writes its pixels as a 24-bit BMP.
  bool CaptureWindow(const std::string& bmpPath) const;
  // The exit code of the UI thread that Initialize started last; STILL_ACTIVE while it runs.
  DWORD UiThreadExitCode() const;

  void SetSetting(const char* key, const char* value) { m_settings.Set(kToolId, key, value); }
  std::string Setting(const char* key) const;
  // The folder of the month files, cp932, no trailing backslash.
  std::string ToolFolder() const { return m_dataDirectory + "\\Plannix"; }
  std::string MonthFilePath(int year, int month) const;
  // The messages the host window received, in order.
  std::vector<UINT> HostMessages() const;

  CRecordingHost& Host() { return m_host; }
  CToolBase* ToolBase() const { return m_tool; }
  CScheduleDialog* Tool() const { return static_cast<CScheduleDialog*>(m_tool); }
  HWND Window() const { return m_tool != nullptr ? m_tool->m_hWnd : nullptr; }
  HWND HostWindow() const { return m_hostWnd.m_hWnd; }
  HWND Control(int id) const { return GetDlgItem(Window(), id); }

 private:
  static LRESULT CALLBACK HostWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

  std::string m_dataDirectory;
  CMemorySettingsStore m_settings;
  CRecordingHost m_host;
  CWnd m_hostWnd;
  CPluginLoader m_loader;
  CToolBase* m_tool = nullptr;
};

// Removes a folder and everything below it.
void RemoveFolderTree(const std::wstring& folder);
