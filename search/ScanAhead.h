#pragma once
// The month files of a search, each read and scanned by whichever of two
// threads comes to it first: a thread of their own works ahead of the
// search, and the search, rather than wait for the file it wants next,
// works on the next file nobody has begun. The search gets the files'
// lines in list order and sends them itself. Each file is read once: whole
// up to a line piece; of a larger file the start, with the file left open
// for the search to scan as it reads on.
#include <condition_variable>
#include <cstdio>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "search/SearchQuery.h"

using FileHandle = std::unique_ptr<std::FILE, int (*)(std::FILE*)>;

struct ScannedFile {
  std::string lines;        // what its scan sends, in order, each line ended by a zero
  bool endsSearch = false;  // its scan ends the search: no file after it is searched
  // A file too large to hold, for the search to scan as it reads on: its
  // first bytes and the file open at the rest; empty for every other file.
  std::vector<char> start;
  FileHandle rest{nullptr, &std::fclose};
};

class CScanAhead {
 public:
  // fileNames: the entries to search, each put after folder for its path.
  CScanAhead(const CSearchQuery& query, std::string folder, std::vector<std::string> fileNames);
  CScanAhead(const CScanAhead&) = delete;
  CScanAhead& operator=(const CScanAhead&) = delete;
  // Stops working ahead and waits for the thread.
  ~CScanAhead();

  // The next file of the list. Once per file name.
  ScannedFile Next();

 private:
  // Done ahead and not yet taken: enough to keep the search fed, little
  // enough to hold in memory, few enough files left open.
  static constexpr size_t kBytesAhead = size_t{4} << 20;
  static constexpr size_t kFilesAhead = 64;

  enum class State { kWaiting, kWorking, kDone };
  struct Slot {
    State state = State::kWaiting;
    ScannedFile file;
    size_t bytes = 0;  // what it holds, for kBytesAhead
  };

  // What a working thread reuses from file to file.
  struct WorkSpace {
    std::vector<char> bytes;  // the file read
    std::string lines;        // its lines, collected before they are copied out at their size
  };

  struct Worked {
    size_t index = 0;
    ScannedFile file;
    size_t bytes = 0;
  };

  void WorkAhead();
  bool MayWorkAhead() const;
  // Takes the next file nobody has begun and works on it, the lock let go
  // meanwhile. space: the working thread's own.
  Worked WorkOnNext(std::unique_lock<std::mutex>& lock, WorkSpace& space);
  // Reads and scans the file at index; bytes: what the result holds.
  ScannedFile Work(size_t index, WorkSpace& space, size_t& bytes) const;
  void Keep(Worked worked);

  const CSearchQuery& m_query;  // not owned; read by both threads, changed by none
  const std::string m_folder;
  const std::vector<std::string> m_fileNames;
  std::mutex m_mutex;
  std::condition_variable m_changed;
  // Guarded by m_mutex:
  std::vector<Slot> m_slots;
  size_t m_nextWaiting = 0;  // whoever works next takes this one
  size_t m_nextTaken = 0;
  size_t m_bytesAhead = 0;
  bool m_stopping = false;
  bool m_searchWaiting = false;
  bool m_threadWaiting = false;
  WorkSpace m_searchSpace;  // for the files the search works on itself
  std::thread m_thread;
};
