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

// The start of the lines of one file's hits of one label, up to the text
// ("%s/%s/%02d \t %s \t "): put together once, so that only the day
// changes from hit to hit.
class CResultLineStart {
 public:
  CResultLineStart(std::string_view fileName, std::string_view label);

  size_t Length(int day) const;

  // Writes the start for day, Length(day) bytes, and returns their end.
  char* Write(char* out, int day) const;

 private:
  static constexpr size_t kMaxDayDigits = 12;  // an int's, sign included
  static size_t DayDigits(int day, char (&digits)[kMaxDayDigits]);

  std::string m_start;  // with "00" for the day, at m_dayAt
  size_t m_dayAt = 0;
};

// Formats into line (reused between hits to spare allocations).
void FormatResultLine(std::string& line, std::string_view fileName, int day, std::string_view label,
                      std::string_view text);
