#pragma once
// The files of a search, read in list order on a thread of their own a few
// files ahead of the scan, so that waiting for the disk and scanning
// overlap. Each file is read once: whole up to a size; of a larger file the
// start, with the file left open for the scan to read on.
#include <condition_variable>
#include <cstdio>
#include <deque>
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

  // The next file of the list, waiting for it if need be. Once per path.
  ReadFile Next();

 private:
  // Enough to keep the scan fed, little enough to hold in memory.
  static constexpr size_t kFilesAhead = 4;

  void ReadAll();
  ReadFile Read(const std::string& path) const;

  const std::vector<std::string> m_paths;
  const size_t m_wholeLimit;
  std::mutex m_mutex;
  std::condition_variable m_changed;
  std::deque<ReadFile> m_ready;  // guarded by m_mutex, as are the two below
  size_t m_handedOut = 0;
  bool m_stopping = false;
  size_t m_readHere = 0;  // without a thread: the files Next read itself
  std::thread m_thread;
};
