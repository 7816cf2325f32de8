#pragma once
// Another program that holds a file open: plannix-file-holder.exe, started
// beside the tests, holding until it is released or goes with this object.
#include <string>

#include "win/WinHeaders.h"

class CFileHolder {
 public:
  enum Mode { kLockNoSharing, kReadSharingReadWrite };

  CFileHolder() = default;
  CFileHolder(const CFileHolder&) = delete;
  CFileHolder& operator=(const CFileHolder&) = delete;
  ~CFileHolder() { Release(); }

  // True once the program holds the file.
  bool Hold(Mode mode, const std::wstring& path);
  // Lets go of the file and waits for the program to end; true when it had held it.
  bool Release();

 private:
  HANDLE m_process = nullptr;
  HANDLE m_held = nullptr;
  HANDLE m_release = nullptr;
};
