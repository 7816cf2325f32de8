#pragma once
// What the reminders take from the files, at each look: the timed lines of
// yesterday, today and tomorrow (from the month the window holds where it
// holds it, with what was typed and not written yet, else from the month
// files, which the reminders only read), and what was dismissed, here and
// on other PCs. Only what changed since the last look is read again. One
// thread at a time.
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "data/DayRecord.h"
#include "data/FileSystem.h"
#include "reminders/DismissedSet.h"
#include "reminders/ReminderFacts.h"

class CReminderFiles {
 public:
  // The month the window holds, copied into table; false when it holds
  // none of that month. Called on the looking thread; it must not wait.
  using HeldMonth = std::function<bool(int year, int month, MonthTable& table)>;

  // toolFolder: the month files' folder; separator between its names.
  CReminderFiles(IFileSystem& files, std::string toolFolder, char separator, HeldMonth heldMonth);

  // One look, today being the day number given. True when the facts changed.
  bool Look(int todayDayNumber);
  // Into the facts at once; into the file at the next look.
  void AddDismissed(const ReminderOccurrence& occurrence);
  const ReminderFacts& Facts() const { return m_facts; }
  bool HasUnwritten() const { return m_unwritten; }
  const std::string& DismissedPath() const { return m_dismissedPath; }
  // The conflict copies of the dismissed file moved aside so far.
  const std::vector<std::string>& KeptCopies() const { return m_keptCopies; }

 private:
  struct MonthCopy {
    FileStamp stamp;
    bool read = false;  // the table holds what the file held at the stamp
    MonthTable table;
  };

  // The month's days as the window or the file has them; false when neither can tell.
  bool MonthOf(int year, int month, MonthTable& table);
  void LookAtDismissed(int todayDayNumber);

  IFileSystem& m_files;
  const std::string m_toolFolder;
  const char m_separator;
  const HeldMonth m_heldMonth;
  const std::string m_remindersFolder;
  const std::string m_dismissedPath;
  // A name in the month files' folder: its recovered folder takes the conflict copies.
  const std::string m_recoveredBeside;
  std::map<std::pair<int, int>, MonthCopy> m_months;
  ReminderFacts m_facts;
  bool m_dismissedStampKnown = false;
  FileStamp m_dismissedStamp;
  bool m_folderStampKnown = false;
  FileStamp m_folderStamp;
  bool m_unwritten = false;
  std::vector<std::string> m_keptCopies;
};
