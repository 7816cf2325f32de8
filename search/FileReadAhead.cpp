#include "search/FileReadAhead.h"

#include <algorithm>
#include <system_error>

#include "data/FileSystem.h"

namespace {

constexpr size_t kReadBlock = size_t{64} << 10;

}  // namespace

CFileReadAhead::CFileReadAhead(std::vector<std::string> paths, size_t wholeLimit)
    : m_paths(std::move(paths)), m_wholeLimit(wholeLimit), m_slots(m_paths.size()) {
  try {
    m_thread = std::thread(&CFileReadAhead::ReadAhead, this);
  } catch (const std::system_error&) {
    // No thread to spare: the scan reads every file itself.
  }
}

CFileReadAhead::~CFileReadAhead() {
  {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_stopping = true;
  }
  m_changed.notify_all();
  if (m_thread.joinable()) m_thread.join();
}

ReadFile CFileReadAhead::Next() {
  std::unique_lock<std::mutex> lock(m_mutex);
  if (m_nextTaken == m_paths.size()) return ReadFile();
  const size_t wanted = m_nextTaken++;
  // Until the file wanted is there, the scan reads the next unread file
  // itself, the wanted one or one after it, rather than wait.
  while (m_slots[wanted].state != State::kReady) {
    if (m_nextUnread < m_paths.size() && (m_nextUnread == wanted || MayReadAhead())) {
      const size_t index = m_nextUnread++;
      m_slots[index].state = State::kReading;
      lock.unlock();
      ReadFile file = Read(m_paths[index], m_scanBlock);
      lock.lock();
      if (index == wanted) return file;
      Keep(index, std::move(file));
    } else {
      m_scanWaiting = true;
      m_changed.wait(lock, [&] { return m_slots[wanted].state == State::kReady; });
      m_scanWaiting = false;
    }
  }
  ReadFile file = std::move(m_slots[wanted].file);
  m_bytesAhead -= file.bytes.size();
  const bool wakeReader = m_readerWaiting && MayReadAhead();
  lock.unlock();
  if (wakeReader) m_changed.notify_all();
  return file;
}

bool CFileReadAhead::MayReadAhead() const {
  return m_nextUnread < m_paths.size() && m_bytesAhead < kBytesAhead && m_nextUnread < m_nextTaken + kFilesAhead;
}

void CFileReadAhead::Keep(size_t index, ReadFile file) {
  m_bytesAhead += file.bytes.size();
  m_slots[index].file = std::move(file);
  m_slots[index].state = State::kReady;
}

void CFileReadAhead::ReadAhead() {
  std::vector<char> block;
  std::unique_lock<std::mutex> lock(m_mutex);
  for (;;) {
    m_readerWaiting = true;
    m_changed.wait(lock, [this] { return m_stopping || m_nextUnread == m_paths.size() || MayReadAhead(); });
    m_readerWaiting = false;
    if (m_stopping || m_nextUnread == m_paths.size()) return;
    const size_t index = m_nextUnread++;
    m_slots[index].state = State::kReading;
    lock.unlock();
    ReadFile file = Read(m_paths[index], block);
    lock.lock();
    Keep(index, std::move(file));
    if (m_scanWaiting) m_changed.notify_all();
  }
}

ReadFile CFileReadAhead::Read(const std::string& path, std::vector<char>& block) const {
  ReadFile file;
  FileHandle handle(OpenFileForReading(path.c_str()), &std::fclose);
  if (!handle) return file;
  file.opened = true;
  // Whole reads of our own: the stream's buffer would only copy them once more.
  std::setvbuf(handle.get(), nullptr, _IONBF, 0);
  block.resize(kReadBlock);
  for (;;) {
    const size_t want = std::min(kReadBlock, m_wholeLimit + 1 - file.bytes.size());
    const size_t got = std::fread(block.data(), 1, want, handle.get());
    file.bytes.insert(file.bytes.end(), block.data(), block.data() + got);
    if (got < want) {
      file.failed = std::ferror(handle.get()) != 0;
      return file;
    }
    if (file.bytes.size() > m_wholeLimit) {
      file.rest = std::move(handle);
      return file;
    }
  }
}
