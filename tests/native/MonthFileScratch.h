#pragma once
// A folder of the month file tests' own, removed with everything in it.
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

class CMonthFileScratch {
 public:
  CMonthFileScratch() {
    // A RAM folder where there is one: the writer flushes every file to disk.
    std::filesystem::path base = std::filesystem::exists("/dev/shm") ? std::filesystem::path("/dev/shm")
                                                                      : std::filesystem::temp_directory_path();
    std::string pattern = (base / "plannix-month-XXXXXX").string();
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    if (mkdtemp(name.data()) != nullptr) m_folder = name.data();
  }
  ~CMonthFileScratch() {
    std::error_code ignored;
    std::filesystem::remove_all(m_folder, ignored);
  }
  CMonthFileScratch(const CMonthFileScratch&) = delete;
  CMonthFileScratch& operator=(const CMonthFileScratch&) = delete;

  bool Ok() const { return !m_folder.empty(); }
  std::string Path(const std::string& name) const { return m_folder + "/" + name; }

  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(m_folder)) {
      names.push_back(entry.path().filename().string());
    }
    return names;
  }

  static std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  static void WriteAll(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
  }

 private:
  std::string m_folder;
};
