#pragma once
// The files of a search, read in list order by a thread of their own ahead
// of the scan, so that waiting for the disk and scanning overlap. While the
// file the scan wants next is not there, the scan reads the next unread
// file itself: the scan waits only for a file the thread is reading, and
// only when there is no other to read. Each file is read once: whole up to
// a size; of a larger file the start, with the file left open for the scan
// to read on.
#include <condition_variable>
#include <cstdio>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

using FileHandle = std::unique_ptr<std::FILE, int (*)(std::FILE*)>;

struct ReadFile {
  bool opened = false;
  bool failed = false;      // a read error after bytes: they are what could be read
  std::vector<char> bytes;  // the whole file, or its start when rest is open
  FileHandle rest{nullptr, &std::fclose};
};

class CFileReadAhead {
 public:
  // Files larger than wholeLimit are handed over after their first
  // wholeLimit + 1 bytes.
  CFileReadAhead(std::vector<std::string> paths, size_t wholeLimit);
  CFileReadAhead(const CFileReadAhead&) = delete;
  CFileReadAhead& operator=(const CFileReadAhead&) = delete;
  // Stops reading ahead and waits for the thread.
  ~CFileReadAhead();

  // The next file of the list. Once per path.
  ReadFile Next();

 private:
  // Read ahead and not yet taken: enough to keep the scan fed, little
  // enough to hold in memory, few enough open files.
  static constexpr size_t kBytesAhead = size_t{4} << 20;
  static constexpr size_t kFilesAhead = 64;

  enum class State { kUnread, kReading, kReady };
  struct Slot {
    State state = State::kUnread;
    ReadFile file;
  };

  void ReadAhead();
  bool MayReadAhead() const;
  // A file read ahead, kept until the scan takes it.
  void Keep(size_t index, ReadFile file);
  // block: a buffer of the reading thread's own, reused from file to file.
  ReadFile Read(const std::string& path, std::vector<char>& block) const;

  const std::vector<std::string> m_paths;
  const size_t m_wholeLimit;
  std::mutex m_mutex;
  std::condition_variable m_changed;
  // Guarded by m_mutex:
  std::vector<Slot> m_slots;
  size_t m_nextUnread = 0;  // whoever reads next takes this one
  size_t m_nextTaken = 0;
  size_t m_bytesAhead = 0;
  bool m_stopping = false;
  bool m_scanWaiting = false;
  bool m_readerWaiting = false;
  std::vector<char> m_scanBlock;  // for the files the scan reads itself
  std::thread m_thread;
};
