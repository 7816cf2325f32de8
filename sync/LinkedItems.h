#pragma once
// What the book has ever linked on one calendar: each line (its day, its
// place and a hash of what it held) and the server's event it stood for,
// kept in the data folder (Plannix\sync\linked-<calendar>.txt) beside the
// book's identity, so that every PC that shares the folder knows it. A PC
// whose own record of the last sync lacks a line (its copy of the month
// came through the sync client) then still knows which event the line came
// from: one gone from the server clears that line rather than being sent
// again, and one changed there changes it rather than doubling.
//
// A set of lines, ASCII: "2026-12-10 0 0123456789abcdef <href> <recurrence>".
// Written as the union of what the file holds at that moment (and what a
// write cut short or a sync client's conflict copy holds) and what this PC
// adds, so that nothing two PCs linked is lost; entries of days long before
// the days synced go. A file that is none of ours is moved into the
// recovered folder and made anew.
#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <tuple>
#include <vector>

class IFileSystem;

struct LinkedItem {
  int day = 0;             // day number of the line
  int slot = 0;            // 0..4 a line, 5 the memo
  uint64_t fieldHash = 0;  // HashBytes of the field's bytes as linked
  std::string href;        // as the server wrote it
  std::string recurrence;  // the occurrence's; empty for an event that does not recur
};

// The entry's line, without its line end; and back, false for a line that is none.
std::string FormatLinkedItem(const LinkedItem& item);
bool ParseLinkedItem(const std::string& line, LinkedItem& item);

class CLinkedItems {
 public:
  void Add(const LinkedItem& item);
  // Every entry of other joins this set; true when one was new.
  bool Merge(const CLinkedItems& other);
  // The entries of days before day go.
  void PruneBefore(int day);
  // The entries of the line at day and slot holding a field of that hash.
  std::vector<LinkedItem> Of(int day, int slot, uint64_t fieldHash) const;
  // Every entry that can be read, in order.
  std::vector<LinkedItem> All() const;
  bool Holds(const std::string& line) const { return m_lines.count(line) != 0; }
  bool operator==(const CLinkedItems& other) const { return m_lines == other.m_lines; }

  // The file's bytes: its first line, then the entries, LF each.
  std::string Format() const;
  // The entries of a file's bytes join the set; false, with the set as it
  // was, for bytes whose first line is another's (no bytes at all are an
  // empty file). A last line without its end (a write cut short) and a line
  // that is no entry of this version are left out.
  bool AddFileBytes(const std::string& bytes);

 private:
  std::set<std::string> m_lines;
  std::multimap<std::tuple<int, int, uint64_t>, LinkedItem> m_byLine;
};

// The file of the calendar's entries in the data folder of the month files.
std::string LinkedItemsPath(const std::string& dataFolder, const std::string& calendarUrl);

// The file as it is, with what a write cut short and the conflict copies
// that sync clients left hold. False when it cannot be read now (a file that
// is none of ours reads as empty).
bool ReadLinkedItems(IFileSystem& files, const std::string& path, CLinkedItems& items);

// The file read again and what it and its copies hold joined to items;
// entries of days before pruneBefore go; then written, unless it holds that
// already, and the conflict copies moved into the recovered folder beside
// the month files of dataFolder. False when the file could not be read
// (it is never written over then) or written.
bool WriteLinkedItems(IFileSystem& files, const std::string& dataFolder, const std::string& path, CLinkedItems& items,
                      int pruneBefore);
