#pragma once
// What the reminders take from the files, at each look: the timed lines of
// yesterday, today and tomorrow (from the month the window holds where it
// holds it, with what was typed and not written yet, else from the month
// files, which the reminders only read), and what was dismissed, here and
// on other PCs. Only what changed since the last look is read again. One
// thread at a time.
//
// A file in an odd state (a month file that went away, one caught
// half-written, a file of what was dismissed that is none of ours) is
// believed only once it stayed so for a while: a sync client that deletes
// before it writes anew, or a rewrite in place, is over by then.
#include <chrono>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "data/DayRecord.h"
#include "data/FileSystem.h"
#include "reminders/DismissedSet.h"
#include "reminders/ReminderFacts.h"

using ReminderInstant = std::chrono::steady_clock::time_point;

struct ReminderPlaces {
  std::string toolFolder;  // the month files' folder
  char separator = '\\';   // between its names
  // This PC's own file of what was dismissed here and is not in the data
  // folder yet, outside the synced folder; "" for none.
  std::string localPath;
  std::string origin;  // this PC's name in the entries
};

// A file of what was dismissed that was none of ours, made anew: the user is told once.
struct DismissedRepair {
  std::string keptPath;   // where the damaged file went
  bool fromCopy = false;  // a whole copy a write cut short had left was taken
};

struct DismissedFileContent;

class CReminderFiles {
 public:
  // How long an odd state must last before it is believed.
  static constexpr std::chrono::seconds kSettleTime{20};

  // The month the window holds, copied into table; false when it holds
  // none of that month. Called on the looking thread; it must not wait.
  using HeldMonth = std::function<bool(int year, int month, MonthTable& table)>;

  CReminderFiles(IFileSystem& files, ReminderPlaces places, HeldMonth heldMonth);

  // One look, today being the day number given, now on a steady clock.
  // True when the facts changed or there is a repair to tell of.
  bool Look(int todayDayNumber, ReminderInstant now);
  // Into the facts at once; into the file at the next look.
  void AddDismissed(const ReminderOccurrence& occurrence);
  const ReminderFacts& Facts() const { return m_facts; }
  bool HasUnwritten() const { return m_unwritten; }
  const std::string& DismissedPath() const { return m_dismissedPath; }
  const std::string& Origin() const { return m_places.origin; }
  // The conflict copies of the dismissed file moved aside so far.
  const std::vector<std::string>& KeptCopies() const { return m_keptCopies; }
  // The repairs not told of yet; each is handed out once.
  std::vector<DismissedRepair> TakeRepairs();

 private:
  // When an odd state of a file began, and at which stamp.
  struct OddState {
    bool seen = false;
    FileStamp stamp;
    ReminderInstant since;

    // Seen now at that stamp: true once it lasted kSettleTime unchanged.
    bool Settled(const FileStamp& now, ReminderInstant at);
  };
  struct MonthCopy {
    FileStamp stamp;
    bool read = false;     // the table holds what the file held at the stamp
    bool present = false;  // the file was there then
    MonthTable table;
    OddState odd;
  };

  // The month's days as the window or the file has them; false when neither can tell.
  bool MonthOf(int year, int month, ReminderInstant now, MonthTable& table);
  void LookAtDismissed(int todayDayNumber, ReminderInstant now);
  void FoldCopies(int todayDayNumber);
  void Repair(const DismissedFileContent& content);
  void WriteUnwritten(int todayDayNumber);

  IFileSystem& m_files;
  const ReminderPlaces m_places;
  const HeldMonth m_heldMonth;
  const std::string m_remindersFolder;
  const std::string m_dismissedPath;
  // A name in the month files' folder: its recovered folder takes the conflict copies.
  const std::string m_recoveredBeside;
  std::map<std::pair<int, int>, MonthCopy> m_months;
  ReminderFacts m_facts;
  bool m_dismissedStampKnown = false;
  FileStamp m_dismissedStamp;
  OddState m_damage;
  bool m_folderStampKnown = false;
  FileStamp m_folderStamp;
  bool m_unwritten = false;
  // Dismissed here and not yet in the data folder's file: kept in the local file meanwhile.
  CDismissedSet m_notInFolder;
  bool m_localRead = false;
  CDismissedSet m_keptLocally;  // what the local file was found or made to hold
  std::vector<std::string> m_keptCopies;
  std::vector<DismissedRepair> m_repairs;
};
