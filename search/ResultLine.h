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

// Formats into line (reused between hits to spare allocations).
void FormatResultLine(std::string& line, std::string_view fileName, int day, std::string_view label,
                      std::string_view text);
