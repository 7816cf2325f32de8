#pragma once
// Sifter.dll: lists the entries of a folder.
#include "win/String.h"

#ifdef PLANNIX_BUILDING_SIFTER
#define SIFTER_API __declspec(dllexport)
#else
#define SIFTER_API __declspec(dllimport)
#endif

class SIFTER_API CFileSifter {
 public:
  // folder: cp932 path ending in a backslash. flags: reserved, 0.
  CFileSifter(const char* folder, unsigned flags);
  CFileSifter(const CFileSifter&) = delete;
  CFileSifter& operator=(const CFileSifter&) = delete;
  virtual ~CFileSifter();

  // The names of the folder's files relative to it, in a stable (sorted)
  // order, without folders and without hidden or system files; owned by
  // the sifter.
  CStringArray* GetFileList();

 private:
  CStringArray* m_files;
};
