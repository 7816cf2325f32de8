#pragma once
// A folder of the month file tests' own, removed with everything in it.
#include <stdlib.h>

#include <algorithm>
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

  // The folder's entries; the saving folder's files count as "~saving/name",
  // the folder itself, which no listing of month files names, does not.
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(m_folder)) {
      const std::string name = entry.path().filename().string();
      if (name != "~saving") {
        names.push_back(name);
        continue;
      }
      for (const auto& left : std::filesystem::directory_iterator(entry.path())) {
        names.push_back(name + "/" + left.path().filename().string());
      }
    }
    std::sort(names.begin(), names.end());
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
