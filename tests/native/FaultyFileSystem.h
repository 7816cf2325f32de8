#pragma once
// The system's files with faults on order, as another program holding a
// file or a full disk would cause them: each named step fails the next n
// times (or always). A failing write puts out half of its bytes first; a
// failing read comes after one good block. Pauses are counted, not waited.
// "alloc-read" and "alloc-create" throw bad_alloc, as an exhausted heap would.
#include <atomic>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <new>
#include <string>

#include "data/FileSystem.h"

class CFaultyFileSystem : public IFileSystem {
 public:
  static constexpr int kAlways = -1;

  // "open-read", "read", "create-new", "write-new", "flush-new", "replace",
  // "open-in-place", "truncate", "write-in-place", "flush-in-place", "remove",
  // "move", "make-folder", "list".
  void Fail(const std::string& step, int times = kAlways) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_failures[step] = times;
  }
  void Heal() {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_failures.clear();
  }
  // The faults only on paths that hold the text (a month's name, say); "" for all.
  void OnlyFor(const std::string& pathPart) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_onlyFor = pathPart;
  }
  unsigned PausedMs() const { return m_pausedMs; }
  // Files made new: one for every save that began writing.
  unsigned Created() const { return m_created; }
  // Runs on the writing thread before each new file is made (a slow disk, say).
  void BeforeCreate(std::function<void()> hook) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_beforeCreate = std::move(hook);
  }

  std::unique_ptr<IFile> OpenToRead(const char* path, FileOpenOutcome& outcome) override {
    if (Fails("alloc-read", path)) throw std::bad_alloc();
    std::unique_ptr<IFile> file = m_system.OpenToRead(path, outcome);
    if (!file || !Fails("open-read", path)) return Wrap(std::move(file), "read", path);
    outcome = FileOpenOutcome::kRefused;
    return nullptr;
  }
  std::unique_ptr<IFile> CreateNew(const char* path, FileCreateOutcome& outcome) override {
    std::function<void()> hook;
    {
      std::lock_guard<std::mutex> lock(m_mutex);
      hook = m_beforeCreate;
    }
    if (hook) hook();
    if (Fails("alloc-create", path)) throw std::bad_alloc();
    outcome = FileCreateOutcome::kFailed;
    if (Fails("create-new", path)) return nullptr;
    ++m_created;
    return Wrap(m_system.CreateNew(path, outcome), "new", path);
  }
  std::unique_ptr<IFile> OpenInPlace(const char* path) override {
    return Fails("open-in-place", path) ? nullptr : Wrap(m_system.OpenInPlace(path), "in-place", path);
  }
  bool Replace(const char* source, const char* target) override {
    return !Fails("replace", target) && m_system.Replace(source, target);
  }
  bool Move(const char* source, const char* target) override {
    return !Fails("move", target) && m_system.Move(source, target);
  }
  bool Remove(const char* path) override { return !Fails("remove", path) && m_system.Remove(path); }
  bool MakeFolder(const char* path, bool hidden) override {
    return !Fails("make-folder", path) && m_system.MakeFolder(path, hidden);
  }
  void Unhide(const char* path) override { m_system.Unhide(path); }
  FileStamp Stamp(const char* path) override { return m_system.Stamp(path); }
  bool ListFolder(const char* folder, std::vector<std::string>& names) override {
    return !Fails("list", folder) && m_system.ListFolder(folder, names);
  }
  void Pause(unsigned milliseconds) override { m_pausedMs += milliseconds; }

 private:
  class CFaultyFile : public IFile {
   public:
    CFaultyFile(CFaultyFileSystem& owner, std::unique_ptr<IFile> file, std::string kind, std::string path)
        : m_owner(owner), m_file(std::move(file)), m_kind(std::move(kind)), m_path(std::move(path)) {}
    long Read(char* buffer, size_t size) override {
      return m_reads++ > 0 && m_owner.Fails("read", m_path.c_str()) ? -1 : m_file->Read(buffer, size);
    }
    bool Write(const char* bytes, size_t size) override {
      if (!m_owner.Fails("write-" + m_kind, m_path.c_str())) return m_file->Write(bytes, size);
      m_file->Write(bytes, size / 2);
      return false;
    }
    bool Truncate() override { return !m_owner.Fails("truncate", m_path.c_str()) && m_file->Truncate(); }
    bool FlushAndClose() override {
      return m_file->FlushAndClose() && !m_owner.Fails("flush-" + m_kind, m_path.c_str());
    }
    bool LastWriteTime(uint64_t& ticks) override { return m_file->LastWriteTime(ticks); }

   private:
    CFaultyFileSystem& m_owner;
    std::unique_ptr<IFile> m_file;
    std::string m_kind;
    std::string m_path;
    int m_reads = 0;
  };

  std::unique_ptr<IFile> Wrap(std::unique_ptr<IFile> file, const char* kind, const char* path) {
    return file ? std::make_unique<CFaultyFile>(*this, std::move(file), kind, path) : nullptr;
  }
  bool Fails(const std::string& step, const char* path) {
    std::lock_guard<std::mutex> lock(m_mutex);
    if (!m_onlyFor.empty() && std::string(path).find(m_onlyFor) == std::string::npos) return false;
    auto found = m_failures.find(step);
    if (found == m_failures.end() || found->second == 0) return false;
    if (found->second > 0) --found->second;
    return true;
  }

  IFileSystem& m_system = SystemFileSystem();
  std::mutex m_mutex;
  std::map<std::string, int> m_failures;
  std::string m_onlyFor;
  std::atomic<unsigned> m_pausedMs{0};
  std::atomic<unsigned> m_created{0};
  std::function<void()> m_beforeCreate;
};
