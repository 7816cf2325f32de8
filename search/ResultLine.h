#pragma once
// The line that reports one hit: "%s/%s/%02d \t %s \t %s".
#include <string>
#include <string_view>

constexpr const char* kTextHitLabel = "<ｽｹｼﾞｭｰﾙ>";
constexpr const char* kSealHitLabel = "<ｼｰﾙ>";

// The year: the 4 bytes of the file name after "schedule"; the month: the 2
// after "schedule****_". A shorter name gives only the bytes it has.
std::string_view YearOfFileName(std::string_view fileName);
std::string_view MonthOfFileName(std::string_view fileName);

// The line up to its text, "%s/%s/%02d \t %s \t ", into line (reused
// between hits to spare allocations).
void FormatResultLinePrefix(std::string& line, std::string_view fileName, int day, std::string_view label);

// The starts of the lines of one file's hits of one label: put together
// once, so that only the day changes from hit to hit.
class CResultLineStart {
 public:
  // fileName and label outlive the object.
  CResultLineStart(std::string_view fileName, std::string_view label);

  // line becomes the start of the line for day, as FormatResultLinePrefix gives it.
  void Put(std::string& line, int day);

 private:
  std::string_view m_fileName;
  std::string_view m_label;
  std::string m_start;  // for a day of two digits, which stand at m_dayAt
  size_t m_dayAt = 0;
};

// Formats into line (reused between hits to spare allocations).
void FormatResultLine(std::string& line, std::string_view fileName, int day, std::string_view label,
                      std::string_view text);
