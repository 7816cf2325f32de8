#include "search/FileReadAhead.h"

#include <system_error>

#include "data/FileSystem.h"

namespace {

constexpr size_t kReadBlock = size_t{64} << 10;

}  // namespace

CFileReadAhead::CFileReadAhead(std::vector<std::string> paths, size_t wholeLimit)
    : m_paths(std::move(paths)), m_wholeLimit(wholeLimit) {
  try {
    m_thread = std::thread(&CFileReadAhead::ReadAll, this);
  } catch (const std::system_error&) {
    // No thread to spare: Next reads each file itself.
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
  if (!m_thread.joinable()) return m_readHere < m_paths.size() ? Read(m_paths[m_readHere++]) : ReadFile();
  std::unique_lock<std::mutex> lock(m_mutex);
  if (m_handedOut == m_paths.size()) return ReadFile();
  m_changed.wait(lock, [this] { return !m_ready.empty(); });
  ReadFile file = std::move(m_ready.front());
  m_ready.pop_front();
  ++m_handedOut;
  lock.unlock();
  m_changed.notify_all();
  return file;
}

void CFileReadAhead::ReadAll() {
  for (const std::string& path : m_paths) {
    {
      std::unique_lock<std::mutex> lock(m_mutex);
      m_changed.wait(lock, [this] { return m_stopping || m_ready.size() < kFilesAhead; });
      if (m_stopping) return;
    }
    ReadFile file = Read(path);
    {
      std::lock_guard<std::mutex> lock(m_mutex);
      m_ready.push_back(std::move(file));
    }
    m_changed.notify_all();
  }
}

ReadFile CFileReadAhead::Read(const std::string& path) const {
  ReadFile file;
  FileHandle handle(OpenFileForReading(path.c_str()), &std::fclose);
  if (!handle) return file;
  file.opened = true;
  // Whole reads of our own: the stream's buffer would only copy them once more.
  std::setvbuf(handle.get(), nullptr, _IONBF, 0);
  for (;;) {
    const size_t have = file.bytes.size();
    const size_t want = std::min(kReadBlock, m_wholeLimit + 1 - have);
    file.bytes.resize(have + want);
    const size_t got = std::fread(file.bytes.data() + have, 1, want, handle.get());
    file.bytes.resize(have + got);
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
