#pragma once
// The system's files with faults on order: each step of the file layer,
// named, can be made to fail the next n times (or always), as another
// program holding a file or a full disk would make it fail. Pauses are
// counted, not waited.
#include <atomic>
#include <map>
#include <memory>
#include <mutex>
#include <string>

#include "data/FileSystem.h"

class CFaultyFileSystem : public IFileSystem {
 public:
  static constexpr int kAlways = -1;

  // Steps: "open-read", "read", "create-hidden", "write-hidden",
  // "flush-hidden", "replace", "open-in-place", "truncate", "write-in-place",
  // "flush-in-place", "remove". A failing write puts out half of its bytes
  // first; a failing read has delivered readsBeforeFailure blocks.
  void Fail(const std::string& step, int times = kAlways) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_failures[step] = times;
  }
  void Heal() {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_failures.clear();
  }
  void SetReadsBeforeFailure(int reads) { m_readsBeforeFailure = reads; }
  unsigned PausedMs() const { return m_pausedMs; }
  int Calls(const std::string& step) const {
    std::lock_guard<std::mutex> lock(m_mutex);
    auto found = m_calls.find(step);
    return found == m_calls.end() ? 0 : found->second;
  }

  std::unique_ptr<IFile> OpenToRead(const char* path, FileOpenOutcome& outcome) override {
    std::unique_ptr<IFile> file = m_system.OpenToRead(path, outcome);
    if (file && Fails("open-read")) {
      outcome = FileOpenOutcome::kRefused;
      return nullptr;
    }
    return Wrap(std::move(file), "read");
  }
  std::unique_ptr<IFile> CreateHidden(const char* path) override {
    return Fails("create-hidden") ? nullptr : Wrap(m_system.CreateHidden(path), "hidden");
  }
  std::unique_ptr<IFile> OpenInPlace(const char* path) override {
    return Fails("open-in-place") ? nullptr : Wrap(m_system.OpenInPlace(path), "in-place");
  }
  bool Replace(const char* source, const char* target) override {
    return !Fails("replace") && m_system.Replace(source, target);
  }
  bool Remove(const char* path) override { return !Fails("remove") && m_system.Remove(path); }
  void Pause(unsigned milliseconds) override { m_pausedMs += milliseconds; }

 private:
  class CFaultyFile : public IFile {
   public:
    CFaultyFile(CFaultyFileSystem& owner, std::unique_ptr<IFile> file, std::string kind)
        : m_owner(owner), m_file(std::move(file)), m_kind(std::move(kind)) {}
    long Read(char* buffer, size_t size) override {
      if (m_reads++ >= m_owner.m_readsBeforeFailure && m_owner.Fails("read")) return -1;
      return m_file->Read(buffer, size);
    }
    bool Write(const char* bytes, size_t size) override {
      if (!m_owner.Fails("write-" + m_kind)) return m_file->Write(bytes, size);
      m_file->Write(bytes, size / 2);
      return false;
    }
    bool Truncate() override { return !m_owner.Fails("truncate") && m_file->Truncate(); }
    bool FlushAndClose() override {
      bool closed = m_file->FlushAndClose();
      return !m_owner.Fails("flush-" + m_kind) && closed;
    }

   private:
    CFaultyFileSystem& m_owner;
    std::unique_ptr<IFile> m_file;
    std::string m_kind;
    int m_reads = 0;
  };

  std::unique_ptr<IFile> Wrap(std::unique_ptr<IFile> file, const char* kind) {
    return file ? std::make_unique<CFaultyFile>(*this, std::move(file), kind) : nullptr;
  }

  bool Fails(const std::string& step) {
    std::lock_guard<std::mutex> lock(m_mutex);
    ++m_calls[step];
    auto found = m_failures.find(step);
    if (found == m_failures.end() || found->second == 0) return false;
    if (found->second > 0) --found->second;
    return true;
  }

  IFileSystem& m_system = SystemFileSystem();
  mutable std::mutex m_mutex;
  std::map<std::string, int> m_failures;
  std::map<std::string, int> m_calls;
  int m_readsBeforeFailure = 0;
  std::atomic<unsigned> m_pausedMs{0};
};
