#pragma once
// Shared by the search tests: a sink that records, and a folder of month files.
#include <stdlib.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "search/SearchSink.h"

// Records every line; cancels once a given number of lines has been sent.
class CRecordingSink : public CSearchSink {
 public:
  explicit CRecordingSink(size_t cancelAfterLines = SIZE_MAX) : m_cancelAfterLines(cancelAfterLines) {}

  bool IsCancelled() override {
    ++m_cancelTests;
    return m_lines.size() >= m_cancelAfterLines;
  }
  void SendLine(const char* line) override { m_lines.emplace_back(line); }

  const std::vector<std::string>& Lines() const { return m_lines; }
  int CancelTests() const { return m_cancelTests; }

 private:
  size_t m_cancelAfterLines;
  std::vector<std::string> m_lines;
  int m_cancelTests = 0;
};

// A fresh folder under the temp directory, removed with its files.
class CTempFolder {
 public:
  CTempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "plannix-search-XXXXXX").string();
    m_path = mkdtemp(pattern.data());
  }
  ~CTempFolder() { std::filesystem::remove_all(m_path); }
  CTempFolder(const CTempFolder&) = delete;
  CTempFolder& operator=(const CTempFolder&) = delete;

  // The folder with its trailing separator, as the search wants it.
  std::string Prefix() const { return m_path + "/"; }

  void Write(const std::string& name, const std::string& bytes) const {
    std::ofstream(m_path + "/" + name, std::ios::binary) << bytes;
  }

 private:
  std::string m_path;
};
