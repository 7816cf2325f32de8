// plannix-host --sync: one sync of the book with its calendar server, with
// no window, for scripts and the Task Scheduler. A schedule window of
// another host on the same book syncs in turn with it, never at once.
#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <string>

#include "calendar/DayNumber.h"
#include "data/LenientDecimal.h"
#include "host/ExactCp932.h"
#include "host/HostCommands.h"
#include "host/HostExport.h"
#include "sync/win/PcSync.h"
#include "sync/win/SyncAccount.h"

namespace {

// A sync of the open window is waited for this long.
constexpr unsigned kWaitForOtherSyncMs = 120000;

std::string HostSetting(CHostServices& services, const char* key) {
  char value[kSettingValueSize + 1] = {};
  services.GetSetting(kToolId, key, value);
  return value;
}

}  // namespace

int RunSyncCommand(CHostContext& context) {
  std::string folder;
  if (!ToCp932Exactly(BookFolder(context.DataDirectory()), folder)) {
    fwprintf(stderr, L"plannix-host: the data folder's name cannot be written in code page 932\n");
    return kExitFailed;
  }
  CHostServices& services = context.Services();
  const DateRecord today = services.Today();
  PcSyncRequest request;
  request.bookFolder = folder;
  request.enabled = ParseLenientDecimal(HostSetting(services, kSyncOnKey).c_str()) != 0;
  request.reminderLead = ParseReminderLead(HostSetting(services, kReminderLeadKey).c_str());
  request.todayDayNumber = DayNumberOf(today.wYear, today.wMonth, today.wDay);
  request.waitForOtherMs = kWaitForOtherSyncMs;
  CPcSync sync;
  const PcSyncResult result = sync.Run(request);
  const bool done = result.start == PcSyncStart::kRan && result.outcome.result == SyncResult::kDone;
  // UTF-8, as the exporter and the importer write their reports.
  std::string text = result.line + "\n";
  for (const SyncNote& note : result.outcome.notes) text += DescribeSyncNote(note) + "\n";
  FILE* out = done ? stdout : stderr;
  _setmode(_fileno(out), _O_BINARY);
  fwrite(text.data(), 1, text.size(), out);
  fflush(out);
  return done ? kExitOk : kExitFailed;
}
