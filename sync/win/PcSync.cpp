#include "sync/win/PcSync.h"

#include <cstdint>
#include <memory>

#include "book/BookMonths.h"
#include "data/FileSystem.h"
#include "sync/CalendarText.h"
#include "sync/SyncFiles.h"
#include "sync/SyncState.h"
#include "sync/win/CredentialStore.h"
#include "sync/win/SyncAccount.h"
#include "sync/win/WinHttpTransport.h"
#include "sync/win/XmlLiteReader.h"
#include "win/WinHeaders.h"

#include <bcrypt.h>

namespace {

constexpr size_t kEntropyBytes = 16;

std::string Entropy() {
  unsigned char bytes[kEntropyBytes] = {};
  BCryptGenRandom(nullptr, bytes, sizeof bytes, BCRYPT_USE_SYSTEM_PREFERRED_RNG);
  return std::string(reinterpret_cast<const char*>(bytes), sizeof bytes);
}

long long UtcSecondsNow() {
  FILETIME now;
  GetSystemTimeAsFileTime(&now);
  const uint64_t ticks = (static_cast<uint64_t>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
  constexpr uint64_t kTicksPerSecond = 10000000;
  constexpr uint64_t kSecondsFrom1601To1970 = 11644473600ULL;
  return static_cast<long long>(ticks / kTicksPerSecond - kSecondsFrom1601To1970);
}

// One name per record of the last sync, for every process of this user.
std::wstring MutexName(const std::string& statePath) {
  const std::string digits = FormatHex64(HashBytes(statePath));
  return std::wstring(L"Local\\Plannix calendar sync ") + std::wstring(digits.begin(), digits.end());
}

// Held for the scope: the sync of one record, in whichever process.
class CSyncMutex {
 public:
  CSyncMutex(const std::string& statePath, unsigned waitMs)
      : m_mutex(CreateMutexW(nullptr, FALSE, MutexName(statePath).c_str())) {
    if (m_mutex == nullptr) return;
    // A holder that was killed leaves it abandoned: the record is written crash-safe, so go on.
    const DWORD waited = WaitForSingleObject(m_mutex, waitMs);
    m_held = waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED;
  }
  CSyncMutex(const CSyncMutex&) = delete;
  CSyncMutex& operator=(const CSyncMutex&) = delete;
  ~CSyncMutex() {
    if (m_held) ReleaseMutex(m_mutex);
    if (m_mutex != nullptr) CloseHandle(m_mutex);
  }
  bool Held() const { return m_held; }

 private:
  HANDLE m_mutex;
  bool m_held = false;
};

PcSyncResult NotRun(PcSyncStart start, const char* line) {
  PcSyncResult result;
  result.start = start;
  result.line = line;
  return result;
}

}  // namespace

std::string ThisPcStatePath(const std::string& bookFolder, const std::string& calendarUrl) {
  const std::string folder = ThisPcSyncFolder();
  return folder.empty() ? "" : SyncStatePath(folder, calendarUrl, bookFolder);
}

void CPcSync::Cancel() {
  std::lock_guard<std::mutex> hold(m_lock);
  m_cancelled = true;
  if (m_transport != nullptr) m_transport->Cancel();
}

void CPcSync::Resume() {
  std::lock_guard<std::mutex> hold(m_lock);
  m_cancelled = false;
}

PcSyncResult CPcSync::Run(const PcSyncRequest& request) {
  // UTF-8 literals: the narrow literals of this project are cp932.
  if (!request.enabled) return NotRun(PcSyncStart::kOff, u8"同期はオフです");
  if (request.bookFolder.empty()) return NotRun(PcSyncStart::kNoFolder, u8"データフォルダーがありません");
  SyncSettings settings;
  if (!ReadSyncAccount(request.bookFolder, settings)) {
    return NotRun(PcSyncStart::kUnreadableAccount, u8"同期の設定ファイルを読めません");
  }
  if (settings.calendarUrl.empty()) return NotRun(PcSyncStart::kNoCalendar, u8"カレンダーが設定されていません");
  settings.enabled = true;
  settings.reminderLead = request.reminderLead;
  const std::string statePath = ThisPcStatePath(request.bookFolder, settings.calendarUrl);
  if (statePath.empty()) return NotRun(PcSyncStart::kNoFolder, u8"同期の記録を置くフォルダーがありません");

  CSyncMutex mutex(statePath, request.waitForOtherMs);
  if (!mutex.Held()) return NotRun(PcSyncStart::kBusy, u8"別の同期が実行中です");
  WinHttpSettings account;
  account.address = settings.calendarUrl;
  account.user = settings.userName;
  if (!account.user.empty() &&
      !ReadPassword(CredentialTarget(settings.calendarUrl, settings.userName), account.password)) {
    return NotRun(PcSyncStart::kNoPassword, u8"パスワードが保存されていません");
  }
  CWinHttpTransport transport(std::move(account));
  {
    std::lock_guard<std::mutex> hold(m_lock);
    if (m_cancelled) transport.Cancel();
    m_transport = &transport;
  }
  IFileSystem& files = SystemFileSystem();
  CFolderMonths folderBook(files, request.bookFolder);
  SyncContext context{transport, OpenXmlLiteReader,  request.book != nullptr ? *request.book : folderBook,
                      files,     request.bookFolder, statePath,
                      Entropy()};
  PcSyncResult result;
  const long long started = UtcSecondsNow();
  result.outcome = RunSync(settings, context, SyncClock{started, request.todayDayNumber});
  {
    std::lock_guard<std::mutex> hold(m_lock);
    m_transport = nullptr;
  }
  result.line = DescribeSyncOutcome(result.outcome);
  WriteSyncResultLine(statePath, SyncResultLine{UtcSecondsNow(), result.line});
  return result;
}
