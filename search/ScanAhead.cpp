#include "search/ScanAhead.h"

#include <algorithm>
#include <cstring>
#include <system_error>

#include "data/FileSystem.h"
#include "search/LineSplitter.h"
#include "search/MonthFileScan.h"

namespace {

constexpr size_t kReadBlock = size_t{64} << 10;

// Keeps the lines of a scan for the search to send: no thread but the
// search's asks the search's sink anything. One string holds them all, each
// with its zero: a line sent ends at its first zero anyway.
class CLineCollector : public CSearchSink {
 public:
  explicit CLineCollector(std::string& lines) : m_lines(lines) {}
  bool IsCancelled() override { return false; }
  void SendLine(const char* line) override { m_lines.append(line, std::strlen(line) + 1); }

 private:
  std::string& m_lines;
};

struct ReadBytes {
  bool opened = false;
  bool failed = false;                     // a read error: the bytes are what could be read before it
  size_t size = 0;                         // the bytes read, at the start of the buffer
  FileHandle rest{nullptr, &std::fclose};  // open when the bytes are only the start
};

// The file whole, or past limit bytes its first limit + 1 and the rest open,
// into buffer: the thread's own, grown as needed and reused file to file.
ReadBytes ReadFile(const std::string& path, size_t limit, std::vector<char>& buffer) {
  ReadBytes file;
  FileHandle handle(OpenFileForReading(path.c_str()), &std::fclose);
  if (!handle) return file;
  file.opened = true;
  // Whole reads of our own: the stream's buffer would only copy them once more.
  std::setvbuf(handle.get(), nullptr, _IONBF, 0);
  for (;;) {
    const size_t want = std::min(kReadBlock, limit + 1 - file.size);
    if (buffer.size() < file.size + want) buffer.resize(file.size + want);
    const size_t got = std::fread(buffer.data() + file.size, 1, want, handle.get());
    file.size += got;
    if (got < want) {
      file.failed = std::ferror(handle.get()) != 0;
      return file;
    }
    if (file.size > limit) {
      file.rest = std::move(handle);
      return file;
    }
  }
}

}  // namespace

CScanAhead::CScanAhead(const CSearchQuery& query, std::string folder, std::vector<std::string> fileNames)
    : m_query(query), m_folder(std::move(folder)), m_fileNames(std::move(fileNames)), m_slots(m_fileNames.size()) {
  try {
    m_thread = std::thread(&CScanAhead::WorkAhead, this);
  } catch (const std::system_error&) {
    // No thread to spare: the search works on every file itself.
  }
}

CScanAhead::~CScanAhead() {
  {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_stopping = true;
  }
  m_changed.notify_all();
  if (m_thread.joinable()) m_thread.join();
}

ScannedFile CScanAhead::Next() {
  std::unique_lock<std::mutex> lock(m_mutex);
  if (m_nextTaken == m_fileNames.size()) return ScannedFile();
  const size_t wanted = m_nextTaken++;
  while (m_slots[wanted].state != State::kDone) {
    if (m_nextWaiting < m_fileNames.size() && (m_nextWaiting == wanted || MayWorkAhead())) {
      Worked worked = WorkOnNext(lock, m_searchSpace);
      if (worked.index == wanted) return std::move(worked.file);
      Keep(std::move(worked));
    } else {
      // Only the thread can be working on it.
      m_searchWaiting = true;
      m_changed.wait(lock, [&] { return m_slots[wanted].state == State::kDone; });
      m_searchWaiting = false;
    }
  }
  ScannedFile file = std::move(m_slots[wanted].file);
  m_bytesAhead -= m_slots[wanted].bytes;
  const bool wakeThread = m_threadWaiting && MayWorkAhead();
  lock.unlock();
  if (wakeThread) m_changed.notify_all();
  return file;
}

bool CScanAhead::MayWorkAhead() const {
  return m_nextWaiting < m_fileNames.size() && m_bytesAhead < kBytesAhead && m_nextWaiting < m_nextTaken + kFilesAhead;
}

CScanAhead::Worked CScanAhead::WorkOnNext(std::unique_lock<std::mutex>& lock, WorkSpace& space) {
  Worked worked;
  worked.index = m_nextWaiting++;
  m_slots[worked.index].state = State::kWorking;
  lock.unlock();
  worked.file = Work(worked.index, space, worked.bytes);
  lock.lock();
  return worked;
}

void CScanAhead::Keep(Worked worked) {
  Slot& slot = m_slots[worked.index];
  m_bytesAhead += worked.bytes;
  slot.file = std::move(worked.file);
  slot.bytes = worked.bytes;
  slot.state = State::kDone;
}

void CScanAhead::WorkAhead() {
  WorkSpace space;
  std::unique_lock<std::mutex> lock(m_mutex);
  for (;;) {
    m_threadWaiting = true;
    m_changed.wait(lock, [this] { return m_stopping || m_nextWaiting == m_fileNames.size() || MayWorkAhead(); });
    m_threadWaiting = false;
    if (m_stopping || m_nextWaiting == m_fileNames.size()) return;
    Keep(WorkOnNext(lock, space));
    if (m_searchWaiting) m_changed.notify_all();
  }
}

ScannedFile CScanAhead::Work(size_t index, WorkSpace& space, size_t& bytes) const {
  const std::string& fileName = m_fileNames[index];
  ReadBytes read = ReadFile(m_folder + fileName, kMaxLinePiece, space.bytes);
  ScannedFile file;
  // A file that cannot be opened holds no schedule we can show: nothing to send.
  if (!read.opened) return file;
  if (read.rest) {
    file.start.assign(space.bytes.data(), space.bytes.data() + read.size);
    file.rest = std::move(read.rest);
    bytes = read.size;
    return file;
  }
  space.lines.clear();
  CLineCollector lines(space.lines);
  if (read.failed) {
    // What could be read before the error is searched, its last line cut short.
    CMonthFileScan scan(m_query, fileName, lines);
    scan.Feed(space.bytes.data(), read.size);
    file.endsSearch = scan.EndsSearch();
  } else {
    file.endsSearch = !ScanMonthBytes(m_query, fileName, space.bytes.data(), read.size, lines);
  }
  file.lines = space.lines;
  bytes = file.lines.size();
  return file;
}
